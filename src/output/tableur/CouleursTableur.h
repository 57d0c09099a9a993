#pragma once

#include <QtGlobal>
#include <optional>

// Les deux façons dont le tableur désigne une couleur.
namespace CouleursTableur {

// Propriété `Color` : un entier RGB(r, g, b) = r + 256·g + 65536·b ; rend 0xRRGGBB.
quint32 DepuisColor(qint64 color);
// L'entier `Color` d'une couleur 0xRRGGBB.
qint64 VersColor(quint32 rgb);
// Propriété `ColorIndex` : la palette par défaut du tableur (1 noir, 2 blanc,
// 15 gris 25 %…). Un indice hors de 1..16 (0, automatique, aucun) ne donne rien.
std::optional<quint32> DepuisColorIndex(int indice);

} // namespace CouleursTableur
