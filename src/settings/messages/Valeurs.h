#pragma once

#include <QString>
#include <QtGlobal>

// Factor applied to depths: the host main window's `coefficientProfondeur`
// when the scale display type is 0, else 1. The type 999 stands for the host's
// own `typeAffichageEchelle` and is replaced by it.
qint16 CoefficientEchelle(qint16& typeAffichage);

// Running extrema against a number held as text (either decimal mark): an
// empty or non-numeric text leaves the value as it is.
double ValeurMin(double valeur, const QString& texte);
double ValeurMax(double valeur, const QString& texte);
