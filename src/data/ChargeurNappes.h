#pragma once

#include <QString>

class BaseDonnees;
class Classe_Graphiques;

// Measured series of a piezometer (PZ_) or of a river station (HYDRO_), read
// as stored into a curve of the collection, whose value bounds they widen.
namespace ChargeurNappes {

// The offsets turn stored depths into the scale shown; they are not used when
// the scale display type is 0. Returns the new curve's position, 0 when refused.
int chargerPiezometre(Classe_Graphiques& collection, const QString& debut, const QString& fin, const QString& code,
                      const QString& decalageAxe, const QString& decalageValeurs, const QString& titre,
                      BaseDonnees* base, bool viderAvant, int numeroCourbe, int typeAffichageEchelle);

// `typeDonnees` names the value column, `echelle` the unit shown in the title.
int chargerStation(Classe_Graphiques& collection, const QString& debut, const QString& fin, const QString& code,
                   const QString& titre, BaseDonnees* base, bool viderAvant, int numeroCourbe,
                   const QString& typeDonnees, const QString& echelle);

} // namespace ChargeurNappes
