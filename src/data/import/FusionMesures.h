#pragma once

#include "data/ColonneTable.h"

#include <QList>
#include <QString>

class BaseAcces;

// Les mesures d'une table de passage (DateCreation, Heure, Ligne et les
// valeurs) versées dans la table d'une station par la clé (date, heure) : une
// mesure déjà dans la table voit ses colonnes affectées remplacées (les autres
// restent), une nouvelle est ajoutée avec validité et continuité à 0. La table
// de passage est supprimée une fois la fusion faite. Les mesures remplacées
// forment un lot de l'historique (LotHistorique), écrit dans la même
// transaction ; les mesures ajoutées n'y sont pas.
// Une valeur du jour (sans heure) remplace la seule mesure de la station ce
// jour-là, à son heure ; un jour où la station en a plusieurs fait refuser la
// fusion, puisque rien ne dit laquelle remplacer.
class FusionMesures
{
public:
    // Une colonne de la table et ce qu'elle reçoit, écrit sur la ligne « i » du passage.
    struct Affectation
    {
        QString colonne;
        QString expression;
    };

    struct Resultat
    {
        qint64 ajoutees = 0;
        qint64 remplacees = 0;
    };

    FusionMesures(BaseAcces& base, const QString& table, const QString& passage);

    // Retire du passage chaque ligne qu'une ligne plus loin répète (même date et heure).
    bool ecarterDoublons();
    // Les lignes du passage sont des valeurs du jour, non d'un instant : toutes, ou celles dont
    // la colonne `colonne` vaut 1 (les autres donnent leur heure).
    void journees(const QString& colonne = QString())
    {
        m_jours = true;
        m_colonneJour = colonne;
    }
    // `lignes` : le nombre de lignes du passage. Faux et `erreur()` sinon.
    bool fusionner(const QList<Affectation>& affectations, const QList<ColonneTable>& colonnesTable, qint64 lignes,
                   const QString& origine, Resultat& resultat);
    const QString& erreur() const { return m_erreur; }

private:
    bool echec(const QString& quoi);
    qint64 compter(const QString& sql);
    bool tableVide();
    bool placerAuJour();
    QString journee(const QString& ligne, bool oui) const;
    bool jourDonneDeuxFois();
    bool remplacer(const QList<Affectation>& affectations, const QString& memeCle);
    bool remplacerEnGardant(const QList<Affectation>& affectations, const QString& memeCle, const QString& origine);
    bool ajouter(const QList<Affectation>& affectations, const QList<ColonneTable>& colonnesTable, const QString& memeCle,
                 bool vide);

    BaseAcces& m_base;
    QString m_tableNom;
    QString m_passageNom;
    QString m_table;
    QString m_passage;
    bool m_jours = false;
    QString m_colonneJour;
    QString m_erreur;
};
