#pragma once

#include <QLocale>

// The user's locale as the runtime saw it: decimal separator of numbers typed
// or stored as text, and the locale of number formatting.
class LocaleUtilisateur
{
public:
    static const QLocale& locale();
    // Read once on first use, then kept for the process.
    static QChar separateurDecimal();
    // For the command line and the tests: choose the locale explicitly.
    static void definir(const QLocale& locale);
};
