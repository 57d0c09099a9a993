#pragma once

#include <QString>
#include <QVariant>

// A cell of a series or of a database row. It is empty when it holds nothing,
// a null value or an empty text: its text joined to "" is "".
bool EstVide(const QVariant& cellule);

// The runtime's text form of a cell: dates "DD/MM/YYYY" (with " hh:nn:ss" when
// the time is not midnight), times "hh:nn:ss", numbers with the user's decimal
// separator, booleans "Vrai" / "Faux".
QString TexteCellule(const QVariant& cellule);
