#pragma once

#include <QString>
#include <optional>

class BaseDonnees;
class Classe_Graphiques;

// L'axe des valeurs de la courbe de référence : les réglages rangés pour elle dans
// la base (PLUVIOMETRES_ECHELLES, ligne "REF_" + code), s'ils lui vont ; sinon les
// bornes du chargement, s'il la montre ; sinon une échelle ronde à sa mesure
// (des pluies journalières, quelques millimètres, ne se lisent pas sur 0 à 100).
class EchelleReference
{
public:
    struct Reglages
    {
        double minimum = 0, maximum = 0;
        int divisions = 0;
        bool grilleX = false, grilleY = false;
    };

    static std::optional<Reglages> lire(BaseDonnees* base, const QString& code);
    // Pose l'axe choisi sur la collection chargée (bornes des données, divisions, grilles).
    static void appliquer(Classe_Graphiques& courbes, const std::optional<Reglages>& reglages);
};
