#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

class MoteurGraphique;

// Le graphique écrit en fichiers, par l'unique chemin de dessin du moteur.
class SortiesImage
{
public:
    // Un rapport de pixels > 1 donne une image plus fine de la même disposition.
    static QImage image(const MoteurGraphique& moteur, const QSize& taille, bool avecCalque = false);
    static bool ecrirePng(const MoteurGraphique& moteur, QIODevice& sortie, const QSize& taille);
    static bool ecrireSvg(const MoteurGraphique& moteur, QIODevice& sortie, const QSize& taille);
    static bool ecrirePdf(const MoteurGraphique& moteur, QIODevice& sortie, const QSize& taille);
    // `format` : "png", "svg" ou "pdf" ; faux pour un autre, ou quand l'écriture échoue.
    static bool ecrire(const MoteurGraphique& moteur, QIODevice& sortie, const QString& format, const QSize& taille);
    // Le format par l'extension du fichier.
    static bool ecrire(const MoteurGraphique& moteur, const QString& chemin, const QSize& taille);
};
