#pragma once

#include <QDate>
#include <QDateTime>
#include <optional>
#include <utility>

// Le calcul des fenêtres de zoom, sans moteur ni contrôle : une étendue de X
// (en unités du graphique) et les dates qui lui répondent.
class FenetreZoom
{
public:
    struct Bornes
    {
        double min = 0, max = 0;
        double largeur() const { return max - min; }
        bool operator==(const Bornes&) const = default;
    };

    // Un cran de molette resserre l'étendue d'un cinquième autour de `x` (crans
    // positifs) ou l'élargit d'autant ; jamais au-delà de l'étendue entière.
    static Bornes molette(const Bornes& vue, const Bornes& entiere, double x, int crans);
    // La vue glissée de `ecart`, de même largeur, gardée dans l'étendue entière.
    static Bornes decaler(const Bornes& vue, const Bornes& entiere, double ecart);
    // Dates affichées après un zoom sur [gauche, droite] d'une vue qui montrait
    // [debut, fin] sur `vue` : chaque décalage arrondi au jour entier.
    static std::pair<QDate, QDate> dates(const QDate& debut, const QDate& fin, const Bornes& vue, double gauche,
                                         double droite);
    // La date sous l'abscisse `x` d'une vue qui montre [debut, fin] sur `vue`,
    // plus 150 minutes ; rien quand l'étendue est nulle.
    static std::optional<QDateTime> dateSous(const QDateTime& debut, const QDateTime& fin, const Bornes& vue, double x);
    // Les bornes lues au moteur en simple précision : x dans [min, max], bornes comprises.
    static bool dedans(double x, float min, float max) { return double(min) <= x && x <= double(max); }
};
