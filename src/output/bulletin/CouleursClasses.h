#pragma once

#include <QColor>
#include <array>

// Les couleurs des cinq classes, du plus bas (ou du plus sec) au plus haut :
// les rouges pour le manque d'eau, les bleus pour son excès.
namespace CouleursClasses {

inline QColor fond(int classe)
{
    static const std::array<QColor, 5> couleurs = {QColor(0xd7, 0x30, 0x1f), QColor(0xfc, 0x8d, 0x59), QColor(0xe6, 0xe6, 0xd2),
                                                   QColor(0x91, 0xbf, 0xdb), QColor(0x45, 0x75, 0xb4)};
    return couleurs[std::size_t(classe)];
}

// Le texte reste lisible sur les deux teintes foncées.
inline QColor texte(int classe)
{
    return classe == 0 || classe == 4 ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace CouleursClasses
