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

std::optional<double> LigneBulletin::lue(std::optional<double> rangee) const
{
    return rangee && echelle ? std::optional(echelle->lue(*rangee)) : rangee;
}

QString LigneBulletin::texteGrandeur() const
{
    if (!echelle)
        return genre->texteGrandeur();
    return echelle->estCote() ? QStringLiteral("Cote NGF") : QStringLiteral("Profondeur");
}

QString LigneBulletin::texteUnite() const
{
    if (!echelle)
        return genre->texteUnite();
    return genre->texteUnite() + (echelle->estCote() ? QStringLiteral(" (cote NGF)") : QStringLiteral(" (profondeur)"));
}
