#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// Number rules of the original runtime.

// Towards minus infinity.
double Int(double x);
// Towards zero.
double Fix(double x);
// Nearest whole number, halves to even; no value outside 16 bits.
std::optional<qint16> CInt(double x);
// Same on 32 bits.
std::optional<qint32> CLng(double x);
// To `decimales` places, halves to even, on the value's decimal digits.
double Round(double x, int decimales = 0);

// Decimal text of |x| rounded to `decimales` places ("3.14", "0.50"), point as
// separator; halves go away from zero, or to even when `demiPair`.
QString TexteDecimalArrondi(double x, int decimales, bool demiPair);

// Number pattern of the runtime's Format: '0' forced digit, '#' optional digit,
// '.' decimal separator of the user's locale, ',' digit grouping, '%' percent.
// Halves go away from zero. FormatNombre(3, "#.##") gives "3," as the runtime did.
QString FormatNombre(double x, const QString& motif);

// A number read from a cell: numbers as they are, text with either decimal mark
// read in the user's locale. Empty or not a number gives nothing.
std::optional<double> LireNombre(const QVariant& valeur);

// Val du runtime : blancs, tabulations et fins de ligne ignorés, puis le plus
// long nombre du début ([+-]chiffres[.chiffres][E[+-]chiffres], point
// décimal) ; pas de nombre donne 0. Val("3 2004") vaut 32004, Val("3/2004") 3.
double Val(const QString& texte);

// Text form of a number as the runtime wrote it: up to 15 significant digits,
// decimal separator of the user's locale, no grouping.
QString TexteNombre(double x);
