#include "ChampMois.h"

ChampMois::ChampMois(QWidget* parent)
    : QDateEdit(parent)
{
    setLocale(QLocale(QLocale::French, QLocale::France));
    setDisplayFormat(QStringLiteral("MMMM yyyy"));
    // Assez large pour le plus long des mois, sans s'étirer sur toute la boîte.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("septembre 0000")) + 48);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QDate ChampMois::voisin(int pas) const
{
    return currentSection() == YearSection ? date().addYears(pas) : date().addMonths(pas);
}

void ChampMois::stepBy(int pas)
{
    setDate(voisin(pas));
}

QAbstractSpinBox::StepEnabled ChampMois::stepEnabled() const
{
    StepEnabled possible = StepNone;
    if (voisin(1) <= maximumDate())
        possible |= StepUpEnabled;
    if (voisin(-1) >= minimumDate())
        possible |= StepDownEnabled;
    return possible;
}
