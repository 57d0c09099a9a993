#pragma once

#include <QString>

// Ouvre un fichier que le système vient d'écrire avec l'application du poste
// qui l'ouvre ; si aucune ne sait le faire, un message en français le dit,
// avec le chemin complet où il reste.
void OuvrirFichierEcrit(const QString& chemin);
