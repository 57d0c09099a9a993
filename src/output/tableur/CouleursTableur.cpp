#include "output/tableur/CouleursTableur.h"

#include <array>

namespace CouleursTableur {

quint32 DepuisColor(qint64 color)
{
    const auto c = quint32(color & 0xFFFFFF);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

qint64 VersColor(quint32 rgb)
{
    return qint64(DepuisColor(qint64(rgb)));
}

std::optional<quint32> DepuisColorIndex(int indice)
{
    static constexpr std::array<quint32, 16> palette = {
        0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
        0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    };
    if (indice < 1 || indice > int(palette.size()))
        return std::nullopt;
    return palette[size_t(indice - 1)];
}

} // namespace CouleursTableur
