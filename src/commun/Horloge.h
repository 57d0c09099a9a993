#pragma once

#include <QDate>

// Today's date, which tests and demonstrations can fix.
class Horloge
{
public:
    static QDate aujourdhui();
    // An invalid date returns to the real clock.
    static void fixer(const QDate& date);
};
