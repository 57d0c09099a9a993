#pragma once

#include <QDate>

// La date du jour, que les essais et les démonstrations peuvent fixer.
class Horloge
{
public:
    static QDate aujourdhui();
    // Une date invalide revient à l'horloge réelle.
    static void fixer(const QDate& date);
};
