#pragma once

#include <QString>

// Un texte venu d'un fichier, d'une base ou d'un argument, tel qu'on peut le
// montrer sur une ligne de terminal ou dans un message : les caractères de
// commande (échappements du terminal, NUL, retours à la ligne, inversions du
// sens d'écriture) deviennent "?", et un texte trop long est coupé, avec sa
// longueur dite à la suite.
QString TexteAffichable(const QString& texte, int longueurMax = 80);
