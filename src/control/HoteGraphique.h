#pragma once

#include "commun/TableauValeurs.h"
#include "commun/TypeGraph.h"
#include "commun/parametres/NomProjet.h"
#include "control/StatistiquesVides.h"
#include "data/StationsBase.h"

#include <QDate>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

class BaseDonnees;
class CtlGraphique;
class ListeStations;

// Hôte qui prépare le contrôle comme le fait une application de suivi : sa
// fenêtre principale (genre de base, coefficient de profondeur, type d'échelle),
// le formulaire qui porte le contrôle avec ses champs de statistiques et ses
// cases à cocher, la liste des stations, et un graphique demandé puis tracé.
// La ligne de commande et les essais s'en servent.
class HoteGraphique : public QWidget
{
    Q_OBJECT

public:
    using Station = StationBase;

    struct Demande
    {
        TypeGraph type = TypeGraph::edition;
        QString station;          // le pluviomètre ; pour `reference`, le code de la courbe de référence
        QStringList stations;     // les autres stations des graphiques superposés
        QString mesures = QStringLiteral("1");
        QString periodes = QStringLiteral("M");
        QString affichage = QStringLiteral("HISTO");
        QString variante;         // "CUMUL_ANNUEL", "CUMUL_MENSUEL", "EDITION" ou vide
        QDate debut, fin;         // invalide : toute la chronique de la station
        int annee = 0;            // graphique annuel ; 0 : la dernière année qui a des données
        bool cumul = false;
        QString premiereAnneeStatistique, derniereAnneeStatistique;  // vide : choisies d'après les données
        int moisHydro = 10;                // premier mois de l'année hydrologique
        bool normalesOfficielles = false;  // la comparaison à la normale faite aux normales de la table, non aux médianes
    };

    // Le projet de l'hôte, celui des programmes : il nomme ses paramètres et les pages de son aide.
    static inline const QString projet = NomProjet::programmes();

    explicit HoteGraphique(QWidget* parent = nullptr);
    ~HoteGraphique() override;

    CtlGraphique& controle() { return *m_controle; }
    QObject* fenetrePrincipale() { return m_fenetre; }

    // Les stations que l'hôte connaît : la table STATIONS de la base.
    static std::optional<QList<Station>> lireStations(BaseDonnees* base) { return StationsBase::lire(base); }
    // Première et dernière dates des mesures d'une station, "DD/MM/YYYY" ; vides sans mesure.
    static std::pair<QDate, QDate> etendue(BaseDonnees* base, const Station& station);

    // Prépare le contrôle pour la demande puis charge ; faux, avec la raison en
    // français, quand la demande ne peut être servie (station inconnue, par exemple).
    bool tracer(const Demande& demande, BaseDonnees* base, QString& erreur);
    // La correction d'un pluviomètre : le graphique de travail, ses outils d'édition, chargé des
    // mesures telles qu'elles sont en base sur la période (une ligne par mesure, à sa date et son
    // heure), et la grille des points remplie d'elles. Faux, avec la raison, comme `tracer`.
    bool corriger(const Demande& demande, BaseDonnees* base, QString& erreur);
    // Le dernier graphique tracé (ou corrigé) chargé de nouveau, après un enregistrement.
    void recharger();
    // Vrai si le dernier chargement a tracé au moins un point.
    bool aDesDonnees() const;
    // Ce que le graphique chargé ne trace pas faute de données (des statistiques sans aucune
    // valeur, masquées après le chargement) et pourquoi, en une ligne ; vide sinon.
    QString avis() const;
    // Le premier ordre en échec du dernier chargement, dit en français ; vide sans échec.
    static QString echecDeChargement(const BaseDonnees& base);
    // Le genre de la station principale d'un graphique : la courbe de référence, sinon le pluviomètre.
    static GenreStation::Genre genrePrincipal(TypeGraph type);
    // Le genre des stations que le genre de graphique ajoute au pluviomètre ; rien s'il n'en prend pas.
    static std::optional<GenreStation::Genre> genreDesAutres(TypeGraph type);
    // Le graphique annuel (hors cumuls) et la référence sont des courbes, les autres des barres.
    static QString affichageParDefaut(TypeGraph type, const QString& variante);

    // Membres que le contrôle appelle par leur nom sur le formulaire qui le porte.
    Q_INVOKABLE void TraitementParametres();
    Q_INVOKABLE void TraitementParametresTotal();
    Q_INVOKABLE void Form_Resize() {}
    Q_INVOKABLE void AppelDeclencheClick(qint16) {}

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    // Les stations d'une demande, retrouvées dans la liste de la base.
    struct Choix
    {
        const Station* principale = nullptr;
        QList<const Station*> autres;
    };
    static const Station* trouver(const QList<Station>& stations, const QString& code, const QString& genre);
    static bool choisirStations(const Demande& d, const QList<Station>& stations, Choix& choix, QString& erreur);
    static TableauValeurs tableauStations(const Demande& d, const Choix& choix);
    void initialiser(const Demande& d, BaseDonnees* base, ListeStations& liste, const Station& principale);
    void remplirDates(const Demande& d, BaseDonnees* base, const Station& principale);
    void remplirDemande(const Demande& d, const Choix& choix);

    QObject* champ(const char* nom, const QString& texte);
    QObject* caseACocher(const char* nom);

    bool chargerMesuresBrutes(BaseDonnees* base, QString& erreur);
    void charger();

    CtlGraphique* m_controle;
    QObject* m_fenetre;
    // Ce que `recharger` refait.
    std::optional<Demande> m_derniere;
    BaseDonnees* m_base = nullptr;
    bool m_correction = false;
    StatistiquesVides m_vides;
};
