#include "ChampMois.h"

#include "commun/Dates.h"
#include "commun/Horloge.h"

ChampMois::ChampMois(QWidget* parent)
    : SaisieDate({QStringLiteral("un mois"), QStringLiteral("MM/AAAA"), QStringLiteral("03/2015 ou mars 2015"), false}, parent)
{
    // Assez large pour le plus long des mois, sans s'étirer sur toute la boîte.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("septembre 0000")) + 48);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

std::optional<QDate> ChampMois::lire(const QString& texte) const
{
    return LireMoisSaisi(texte, Horloge::aujourdhui().year());
}

QString ChampMois::ecrire(const QDate& date) const
{
    return FormatDate(date, QStringLiteral("mmmm yyyy"));
}

QDate ChampMois::avancer(const QDate& date, int pas, int partie) const
{
    return partie == 0 ? date.addMonths(pas) : date.addYears(pas);
}
