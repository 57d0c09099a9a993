#pragma once

#include <QString>

// Les codes de station et les noms de colonne entrent dans le texte des ordres :
// seuls passent lettres (a-z, A-Z), chiffres, "_" et "-", 40 caractères au plus.
bool EstNomVerifie(const QString& nom);

// La table d'une station, préfixe + code ("PLUVIO_", "PZ_", "HYDRO_",
// "COURBE_REF_PLUVIO_"), ou un texte vide quand le code est refusé : un
// ordre construit dessus ne lit alors rien et n'écrit rien.
QString NomTableStation(const QString& prefixe, const QString& code);

// Le texte du refus, pour la dernière erreur de la base.
QString MessageNomRefuse(const QString& nom);
