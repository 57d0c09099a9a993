#include "control/FenetreZoom.h"

#include <algorithm>
#include <cmath>

namespace {

// Une étendue qui ne se resserre plus : un millionième de l'entière.
constexpr double resserrementMax = 1e-6;

FenetreZoom::Bornes dansEntiere(FenetreZoom::Bornes b, const FenetreZoom::Bornes& entiere)
{
    const double largeur = std::min(b.largeur(), entiere.largeur());
    if (b.min < entiere.min)
        b.min = entiere.min;
    if (b.min + largeur > entiere.max)
        b.min = entiere.max - largeur;
    b.max = b.min + largeur;
    return b;
}

} // namespace

FenetreZoom::Bornes FenetreZoom::molette(const Bornes& vue, const Bornes& entiere, double x, int crans)
{
    if (!(vue.largeur() > 0) || !(entiere.largeur() > 0) || crans == 0)
        return vue;
    const double facteur = std::pow(0.8, std::clamp(crans, -50, 50));
    const double largeur = std::clamp(vue.largeur() * facteur, entiere.largeur() * resserrementMax, entiere.largeur());
    const double pointeur = std::clamp(x, vue.min, vue.max);
    const double part = (pointeur - vue.min) / vue.largeur();
    Bornes b{pointeur - part * largeur, pointeur - part * largeur + largeur};
    return dansEntiere(b, entiere);
}

FenetreZoom::Bornes FenetreZoom::decaler(const Bornes& vue, const Bornes& entiere, double ecart)
{
    if (!std::isfinite(ecart) || !(vue.largeur() > 0))
        return vue;
    return dansEntiere({vue.min + ecart, vue.max + ecart}, entiere);
}

std::pair<QDate, QDate> FenetreZoom::dates(const QDate& debut, const QDate& fin, const Bornes& vue, double gauche,
                                           double droite)
{
    const double jours = double(debut.daysTo(fin));
    const auto decalage = [&](double x) { return qint64(std::llround(jours * (x - vue.min) / vue.largeur())); };
    return {debut.addDays(decalage(gauche)), debut.addDays(decalage(droite))};
}

std::optional<QDateTime> FenetreZoom::dateSous(const QDateTime& debut, const QDateTime& fin, const Bornes& vue, double x)
{
    if (vue.max == vue.min || !std::isfinite(x))
        return std::nullopt;
    const double minutes = double(debut.secsTo(fin)) / 60.0;
    const double decalage = std::clamp(minutes * (x - vue.min) / vue.largeur(), -1e9, 1e9);
    return debut.addSecs(qint64(std::llround(decalage * 60.0)) + 150 * 60);
}
