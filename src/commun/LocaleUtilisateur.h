#pragma once

#include <QLocale>

// Les réglages régionaux de l'utilisateur que suivent les textes de nombres :
// séparateur décimal des nombres saisis ou rangés en texte, et réglages de mise
// en forme des nombres.
class LocaleUtilisateur
{
public:
    static const QLocale& locale();
    // Lu une fois au premier usage, puis gardé pour toute la durée du processus.
    static QChar separateurDecimal();
    // Pour la ligne de commande et les essais : choisir les réglages explicitement.
    static void definir(const QLocale& locale);
};
