#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class MoteurGraphique;

// The chart written to files, through the engine's one drawing path.
class SortiesImage
{
public:
    // Device pixel ratio > 1 gives a sharper picture of the same layout.
    static QImage image(const MoteurGraphique& moteur, const QSize& taille, bool avecCalque = false);
    static bool ecrirePng(const MoteurGraphique& moteur, const QString& chemin, const QSize& taille);
    static bool ecrireSvg(const MoteurGraphique& moteur, const QString& chemin, const QSize& taille);
    static bool ecrirePdf(const MoteurGraphique& moteur, const QString& chemin, const QSize& taille);
    // By the file's extension: png, svg or pdf. False for another one.
    static bool ecrire(const MoteurGraphique& moteur, const QString& chemin, const QSize& taille);
};
