#pragma once

#include <QFont>
#include <QString>

struct PoliceTexte;

// Fonts of the text classes. A family that is not installed is replaced by a
// near one ("Comic Sans MS" by "Comic Neue"), then by DejaVu Sans, keeping the
// size asked: a percentage of the base size of the chart.
class PolicesMoteur
{
public:
    static QFont police(const PoliceTexte& texte, double tailleBasePixels, bool gras = false);
    static QString familleInstallee(const QString& demandee);
    // Base size for a chart of this size: readable on a small widget and on a large page.
    static double tailleBase(double largeur, double hauteur);
};
