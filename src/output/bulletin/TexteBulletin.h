#pragma once

#include "data/bulletin/LigneBulletin.h"

#include <QString>
#include <optional>

// Les nombres du bulletin écrits pour un lecteur : virgule décimale.
namespace TexteBulletin {

QString nombre(std::optional<double> valeur, int decimales);
// La valeur du mois, ses normales et son cumul, aux décimales de son genre.
QString valeur(const LigneBulletin& l, std::optional<double> v);
QString rapport(const LigneBulletin& l);
// « de mars », « d'avril » : le nom du mois après « de », élidé devant une voyelle.
QString deMois(int mois);
// La phrase qui dit le mois sous son graphique.
QString resume(const LigneBulletin& l, QDate mois, int moisHydro);

} // namespace TexteBulletin
