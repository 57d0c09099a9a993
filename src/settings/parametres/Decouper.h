#pragma once

#include <QString>
#include <QStringList>

// Splits `texte` on a separator of one or more characters and appends the parts
// to `morceaux` (the runtime's array, from 1). Returns the number of parts:
// 0 for an empty text; "a\" on "\" gives "a" and an empty last part.
int Decouper(const QString& texte, QStringList& morceaux, const QString& separateur);
