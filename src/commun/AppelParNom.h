#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>

// Membres d'un objet de l'hôte atteints par leur nom, comme le sont ses
// fenêtres, formulaires, grilles et jauges. Le nom est cherché tel quel, puis
// sans tenir compte de la casse. Un membre absent, ou un objet disparu, ne
// fait rien : `trouve` le dit.

// Une propriété (déclarée ou dynamique), sinon une méthode sans argument.
QVariant LireMembre(QObject* objet, const QString& nom, bool* trouve = nullptr);

// Une propriété déclarée, une propriété dynamique qui existe déjà, ou une
// méthode à un argument nommée `nom` ou "set" + `nom`. Ne crée jamais de
// propriété dynamique.
bool EcrireMembre(QObject* objet, const QString& nom, const QVariant& valeur);

// Une méthode invocable ou un slot ayant autant de paramètres que d'arguments,
// chacun converti au type de son paramètre. Rend le résultat de la méthode.
QVariant AppelerMembre(QObject* objet, const QString& nom, const QVariantList& arguments = {},
                       bool* trouve = nullptr);
