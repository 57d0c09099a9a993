#pragma once

#include "data/ChangementMesure.h"
#include "entry/OrigineLigne.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

class BaseDonnees;

// Les écritures de la saisie des points de pluie dans la table PLUVIO_<code>,
// en deux temps : le projet, calculé sur la base sans rien écrire, dit ce qui
// changerait (à montrer à l'utilisateur) ; l'enregistrement l'écrit tout ou
// rien, avec son lot dans l'historique des corrections. Seules les mesures qui
// changent sont écrites : les autres gardent leur mode d'obtention et toutes
// leurs colonnes.
class EnregistrementPoints
{
public:
    // Une ligne de la grille des points, telle que saisie ; `origine` est la mesure qu'elle
    // montrait quand la grille a été remplie (aucune pour une ligne insérée). Seules les lignes
    // changées (`modifiee`) ou insérées écrivent ; une ligne changée vide (retirée de la grille)
    // supprime sa mesure. Une ligne laissée telle quelle n'écrit jamais, même si la base a changé.
    struct Ligne
    {
        QString date, heure, valeur, rupture;
        bool remplie = true;
        std::optional<OrigineLigne> origine;
        bool modifiee = false;
        bool refusee = false;   // un texte tapé que sa colonne refuse (date impossible, hors des bornes…)
    };
    enum class Etat {
        Lue,
        Vide,         // rien dans la ligne : ni lue ni écrite
        Incomplete,   // date ou heure manquante
        Illisible     // date, heure ou valeur qui ne se lit pas
    };

    // Ce qu'une écriture changerait.
    struct Projet
    {
        QString table;
        QDate debut, fin;
        QList<ChangementMesure> changements;
        QList<Etat> etats;   // grille : une par ligne
        QList<std::pair<QDate, QTime>> valeursVides;   // grille : les mesures écrites à 0 d'une valeur effacée

        int modifiees() const;
        int ajoutees() const;
        int supprimees() const;
        // "3 mesures modifiées, 1 ajoutée, 2 supprimées, sur la station … du … au …"
        QString bilan(const QString& station) const;
        // Une ligne par valeur effacée qui sera écrite 0 : "20/03/2023 08:00:00 : 4,7 → 0 (valeur vide)".
        QStringList detailVides() const;
    };

    // La mesure d'un instant telle que la base la tient, pour remplir la grille (aucune sans
    // mesure) ; la valeur montrée, quand elle diffère, est celle que la grille retient.
    static OrigineLigne origine(const QDate& date, const QTime& heure, const std::optional<LigneMesure>& enBase,
                                const QVariant& valeurMontree);
    // Les mesures de la période, lues pour remplir la grille ; rien si la lecture échoue.
    static std::optional<QList<LigneMesure>> mesures(BaseDonnees& base, const QString& code, const QDate& debut,
                                                     const QDate& fin, QString& erreur);
    // Ce que la personne a changé dans la grille : refusé (`erreur` dit pourquoi) si une ligne
    // changée ne se lit pas (le projet rendu, sans changement, garde alors l'état de chaque ligne,
    // pour les marquer), si deux lignes tombent au même instant, ou si une mesure changée n'est
    // plus dans la base ce qu'elle était au remplissage.
    static std::optional<Projet> projetGrille(BaseDonnees& base, const QString& code, const QDate& debut,
                                              const QDate& fin, const QList<Ligne>& lignes, QString& erreur);
    // Les points posés sur le graphique : de la première à la dernière date, les mesures
    // remplacées par ces points, à midi, obtenus "C".
    static std::optional<Projet> projetPointsPoses(BaseDonnees& base, const QString& code,
                                                   const QList<std::pair<QDate, double>>& points, QString& erreur);
    // Les mesures du `premier` au `dernier` jour supprimées ; celles qui bordent le trou, de
    // chaque côté, marquent une rupture de continuité.
    static std::optional<Projet> projetPlage(BaseDonnees& base, const QString& code, const QDate& premier,
                                             const QDate& dernier, QString& erreur);
    // Écrit le projet ; son lot d'historique est nommé par `origine` (ce qui l'a produit). Refusé si une mesure a changé depuis.
    static bool enregistrer(BaseDonnees& base, const Projet& projet, const QString& origine, QString& erreur);
};
