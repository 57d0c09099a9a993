#pragma once

#include "data/bulletin/ReleveMensuel.h"

#include <QDate>
#include <QString>
#include <optional>

class BaseDonnees;
struct GenreBulletin;

namespace LectureReleves {

// Les mois mesurés d'une station, en un seul ordre groupé par année et par
// mois ; les mesures marquées "I" n'y entrent pas. Rien, avec la raison en
// français, quand l'ordre échoue ; un relevé vide pour une station sans mesure.
std::optional<ReleveMensuel> lire(BaseDonnees& base, const GenreBulletin& genre, const QString& code, QString& erreur);

// Le dernier mois où la station a une mesure retenue avant le jour `avant` ;
// rien sans mesure, sans table ou quand l'ordre échoue.
std::optional<QDate> dernierMois(BaseDonnees& base, const GenreBulletin& genre, const QString& code, QDate avant);

// Le premier mois de l'année hydrologique de la base, tel que sa table
// PERIODES le range ; octobre quand elle ne le dit pas.
int moisHydrologique(BaseDonnees& base);

} // namespace LectureReleves
