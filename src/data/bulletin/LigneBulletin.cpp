#include "data/bulletin/LigneBulletin.h"

QString LigneBulletin::texteTendance() const
{
    if (!tendance)
        return QString();
    switch (*tendance) {
    case Tendance::Hausse:
        return QStringLiteral("hausse");
    case Tendance::Baisse:
        return QStringLiteral("baisse");
    case Tendance::Stable:
        break;
    }
    return QStringLiteral("stable");
}
