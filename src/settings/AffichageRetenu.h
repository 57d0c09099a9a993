#pragma once

#include "commun/TypeGraph.h"
#include "settings/ChoixOptions.h"

#include <optional>

class Classe_Graphiques;

// L'aspect qu'un utilisateur a enregistré, gardé dans ses paramètres d'une
// exécution à l'autre. Le fond, la grille et les divisions valent pour tout
// graphique du genre ; une échelle fixée ne vaut que pour le graphique où elle
// l'a été (même genre, mêmes stations, même mesure, même période de
// regroupement) : ailleurs elle couperait des valeurs sans qu'on l'ait voulu.
class AffichageRetenu
{
public:
    struct Aspect
    {
        qint16 couleurFond = 15;
        bool grilleX = false;
        bool grilleY = false;
        qint16 nbSeparations = 5;
        bool operator==(const Aspect&) const = default;
    };
    struct Echelles
    {
        ChoixOptions::Echelle valeurs;
        ChoixOptions::Echelle pluie;  // genres à deux graphiques seulement
        bool operator==(const Echelles&) const = default;
    };

    static Aspect depuis(const ChoixOptions& choix);
    static bool retenir(TypeGraph type, const Aspect& aspect);
    // Rien quand l'utilisateur n'a jamais enregistré d'options pour ce genre.
    static std::optional<Aspect> relire(TypeGraph type);
    // Pose l'aspect sur les courbes (et sur celles des pluies d'un graphique double).
    static void appliquer(const Aspect& aspect, Classe_Graphiques& courbes, Classe_Graphiques* pluie);

    // `serie` nomme le graphique (CtlGraphique::serieTracee) ; deux échelles automatiques l'oublient.
    static bool retenir(const QString& serie, const Echelles& echelles);
    // Rien quand aucune échelle n'a été fixée pour ce graphique.
    static std::optional<Echelles> relire(const QString& serie);
    static void appliquer(const Echelles& echelles, Classe_Graphiques& courbes, Classe_Graphiques* pluie);
};
