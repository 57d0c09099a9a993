#pragma once

#include "data/ChangementMesure.h"

#include <QDate>
#include <QList>
#include <QString>
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
    // Une ligne de la grille des points, telle que saisie ; `origine` est l'instant de la mesure
    // qu'elle montrait quand la grille a été remplie (aucun pour une ligne insérée). Une ligne
    // remplie d'un jour sans mesure (un graphique par jours en montre un pour chaque jour) et
    // laissée telle quelle n'ajoute rien.
    struct Ligne
    {
        QString date, heure, valeur, rupture;
        bool remplie = true;
        std::optional<std::pair<QDate, QTime>> origine;
        bool modifiee = false;
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

        int modifiees() const;
        int ajoutees() const;
        int supprimees() const;
        // "3 mesures modifiées, 1 ajoutée, 2 supprimées, sur la station … du … au …"
        QString bilan(const QString& station) const;
    };

    // La grille entière, comparée aux mesures de la période chargée : refusée (`erreur` dit
    // pourquoi) si une mesure de la base n'y a jamais été (la grille ne les tient pas toutes) ou
    // si une ligne ne se lit pas ; dans ce dernier cas le projet rendu, sans changement, garde
    // l'état de chaque ligne, pour les marquer.
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
