#include "commun/Horloge.h"

namespace {
QDate& dateFixee()
{
    static QDate d;
    return d;
}
} // namespace

QDate Horloge::aujourdhui()
{
    return dateFixee().isValid() ? dateFixee() : QDate::currentDate();
}

void Horloge::fixer(const QDate& date)
{
    dateFixee() = date;
}
