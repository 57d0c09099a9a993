#pragma once

#include <QString>
#include <QtGlobal>

// The 16-colour console palette that colour numbers refer to, on screen and in
// the spreadsheet: 0 black … 7 light grey, 8 dark grey … 15 bright white.
class Palette
{
public:
    static constexpr int taille = 16;
    // 0xRRGGBB. A number outside 0..15 wraps around, so that stations numbered
    // past 15 still get a colour of the palette.
    static quint32 rgb(int numero);
    // "RRGGBB", as spreadsheet parts write colours.
    static QString hexa(int numero);
    static int rouge(int numero) { return int((rgb(numero) >> 16) & 0xFF); }
    static int vert(int numero) { return int((rgb(numero) >> 8) & 0xFF); }
    static int bleu(int numero) { return int(rgb(numero) & 0xFF); }
};
