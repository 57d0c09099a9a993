#pragma once

// Le réglage du tas d'un programme qui dessine graphique après graphique :
// vingt ans de mesures horaires font un million de cellules (plus de 32 Mo)
// à chaque graphique. Gardés par le tas, ces blocs resservent d'un graphique
// à l'autre au lieu d'être rendus au système puis remis à zéro page par page.
// À appeler au début de main(), avant les premières allocations ; réglage du
// processus entier, donc laissé aux programmes et jamais fait par le contrôle.
namespace MemoireProcessus {

void garderLesGrandsBlocs();

} // namespace MemoireProcessus
