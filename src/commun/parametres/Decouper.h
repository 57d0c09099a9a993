#pragma once

#include <QString>
#include <QStringList>

// Coupe `texte` sur un séparateur d'un caractère ou plus et ajoute les morceaux
// à `morceaux`, vidé d'abord. Rend le nombre de morceaux :
// 0 pour un texte vide ; "a\" coupé sur "\" donne "a" et un dernier morceau vide.
int Decouper(const QString& texte, QStringList& morceaux, const QString& separateur);
