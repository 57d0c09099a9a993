#include "commun/Palette.h"

#include <array>

namespace {
constexpr std::array<quint32, Palette::taille> couleurs = {
    0x000000, // 0 noir
    0x000080, // 1 bleu foncé
    0x008000, // 2 vert foncé
    0x008080, // 3 cyan foncé
    0x800000, // 4 rouge foncé
    0x800080, // 5 magenta foncé
    0x808000, // 6 jaune foncé
    0xC0C0C0, // 7 gris clair
    0x808080, // 8 gris foncé
    0x0000FF, // 9 bleu
    0x00FF00, // 10 vert
    0x00FFFF, // 11 cyan
    0xFF0000, // 12 rouge
    0xFF00FF, // 13 magenta
    0xFFFF00, // 14 jaune
    0xFFFFFF, // 15 blanc
};
} // namespace

quint32 Palette::rgb(int numero)
{
    const int i = ((numero % taille) + taille) % taille;
    return couleurs[std::size_t(i)];
}

QString Palette::hexa(int numero)
{
    return QStringLiteral("%1").arg(rgb(numero), 6, 16, QChar(u'0')).toUpper();
}
