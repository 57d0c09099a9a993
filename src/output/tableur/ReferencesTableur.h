#pragma once

#include "output/classeur/GraphiqueXlsx.h"

#include <QString>
#include <optional>

// Références du tableur telles que les écrivent les appels par nom :
// formules R1C1 de séries ("=Feuil1!R2C1:R367C1"), adresses A1 ("AF1",
// "A1:C3"), noms littéraux ("=\"Pluie\"").
namespace ReferencesTableur {

// "=Feuil1!R2C1:R367C1", "Feuil1!R2C1", "='Ma feuille'!R2C1:R3C1" ; rien
// pour une formule d'une autre forme.
std::optional<PlageXlsx> LirePlageR1C1(const QString& formule);
// "R1C1" ou "R2C3:R4C5", sans feuille.
std::optional<PlageXlsx> LireAdresseR1C1(const QString& adresse);
// "AF1" ou "A1:C3", sans feuille.
std::optional<PlageXlsx> LireAdresseA1(const QString& adresse);
// Le texte d'un nom de série : "=\"Pluie \"\"x\"\"\"" donne Pluie "x" ; un
// texte sans guillemets est gardé tel quel.
QString LireNomLitteral(const QString& formule);

} // namespace ReferencesTableur
