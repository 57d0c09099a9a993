#pragma once

#include <QByteArray>
#include <QString>

// La page HTML entière autour d'un corps déjà échappé : en-tête, navigation, feuille de style, script.
QByteArray gabaritPage(const QString& titre, const QString& corps);
// Un texte mis dans une page : < > & " échappés.
QString echappe(const QString& texte);
