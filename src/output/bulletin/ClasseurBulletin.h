#pragma once

#include "output/classeur/ClasseurXlsx.h"

class BulletinMensuel;

// Le classeur de synthèse du bulletin : la feuille "Synthèse", une ligne par
// station, et le graphique natif du rapport à la normale de chaque pluviomètre.
namespace ClasseurBulletin {

ClasseurXlsx construire(const BulletinMensuel& bulletin);

} // namespace ClasseurBulletin
