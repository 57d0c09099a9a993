#pragma once

#include "control/HoteGraphique.h"

#include <QList>
#include <QString>
#include <QUrlQuery>
#include <utility>

// L'adresse d'un graphique du portail : la page d'une station et ses paramètres, qui portent
// les noms des options de « graphique tracer » (type, stations, periodes, debut, fin, annee…).
// Toute la demande est dans l'adresse : la même adresse donne le même graphique.
class DemandePortail
{
public:
    using Parametres = QList<std::pair<QString, QString>>;

    // Au-delà, un graphique illisible et un processus occupé longtemps.
    static constexpr int maximumStations = 20;

    // Les paramètres qu'une page de station accepte, dans l'ordre de l'adresse canonique.
    static const QStringList& noms();

    // La station de la page et sa demande, lues et vérifiées ; la raison du refus sinon.
    QString lire(const QString& code, const QUrlQuery& requete, const QList<StationBase>& stations);

    const StationBase& station() const { return m_station; }
    const HoteGraphique::Demande& demande() const { return m_demande; }
    // Les paramètres donnés (vides retirés, stations réunies), dans l'ordre canonique.
    const Parametres& parametres() const { return m_parametres; }
    QString valeur(const QString& nom) const;
    // "type=…&debut=…" : la clé du graphique, et la suite des liens de téléchargement.
    QString requete() const;
    // La même demande sans ces paramètres (sans ses dates : toute la chronique).
    DemandePortail sans(const QStringList& noms) const;
    // Un message qui nomme les options de la ligne de commande, dit avec les champs du formulaire.
    static QString enMotsDuFormulaire(QString message);
    // La page de la station pour cette demande.
    QString adresse(const QString& suffixe = QString()) const;

private:
    QString lireParametres(const QUrlQuery& requete);
    QString trouverStation(const QString& code, const QList<StationBase>& stations);
    QStringList arguments(const QList<StationBase>& stations) const;
    QStringList argumentsDonnes(bool sousLaPluie) const;
    QStringList argumentsStation(const QList<StationBase>& stations) const;
    QStringList argumentsSousLaPluie(const QList<StationBase>& stations) const;
    QString verifierBornes() const;
    QStringList compagnesParDefaut(const QList<StationBase>& stations) const;


    StationBase m_station;
    HoteGraphique::Demande m_demande;
    Parametres m_parametres;
};
