#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

class MoteurGraphique;

// The chart written to files, through the engine's one drawing path.
class SortiesImage
{
public:
    // Device pixel ratio > 1 gives a sharper picture of the same layout.
    static QImage image(const MoteurGraphique& moteur, const QSize& taille, bool avecCalque = false);
    static bool ecrirePng(const MoteurGraphique& moteur, QIODevice& sortie, const QSize& taille);
    static bool ecrireSvg(const MoteurGraphique& moteur, QIODevice& sortie, const QSize& taille);
    static bool ecrirePdf(const MoteurGraphique& moteur, QIODevice& sortie, const QSize& taille);
    // `format` : "png", "svg" ou "pdf" ; faux pour un autre, ou quand l'écriture échoue.
    static bool ecrire(const MoteurGraphique& moteur, QIODevice& sortie, const QString& format, const QSize& taille);
    // Le format par l'extension du fichier.
    static bool ecrire(const MoteurGraphique& moteur, const QString& chemin, const QSize& taille);
};
