#pragma once

#include <QFont>
#include <QString>

// La police des pages du bulletin, que ses graphiques prennent aussi.
namespace PoliceBulletin {

inline QString famille()
{
    return QStringLiteral("DejaVu Sans");
}

inline QFont fonte(double points, bool gras = false)
{
    QFont f(famille());
    f.setPointSizeF(points);
    f.setBold(gras);
    return f;
}

} // namespace PoliceBulletin
