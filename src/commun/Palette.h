#pragma once

#include <QString>
#include <QtGlobal>

// La palette console de 16 couleurs que désignent les numéros de couleur, à
// l'écran comme dans le classeur : 0 noir … 7 gris clair, 8 gris foncé … 15 blanc vif.
class Palette
{
public:
    static constexpr int taille = 16;
    // 0xRRGGBB. Un numéro hors de 0..15 repart au début : les stations
    // numérotées au-delà de 15 ont encore une couleur de la palette.
    static quint32 rgb(int numero);
    // "RRGGBB", comme les parties d'un classeur écrivent les couleurs.
    static QString hexa(int numero);
    static int rouge(int numero) { return int((rgb(numero) >> 16) & 0xFF); }
    static int vert(int numero) { return int((rgb(numero) >> 8) & 0xFF); }
    static int bleu(int numero) { return int(rgb(numero) & 0xFF); }
};
