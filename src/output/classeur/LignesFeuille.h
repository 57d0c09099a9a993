#pragma once

#include <QString>

// La règle des lignes d'une feuille, pour tout classeur écrit : un tableur
// s'arrête à 1 048 576 lignes, et couperait le reste sans le dire.
namespace LignesFeuille {

// `points` lignes de données et `lignesEnPlus` lignes de titres : vide quand
// elles tiennent sur une feuille, sinon la phrase qui refuse le classeur.
QString refus(qint64 points, int lignesEnPlus = 1);

} // namespace LignesFeuille
