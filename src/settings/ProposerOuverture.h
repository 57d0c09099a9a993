#pragma once

#include <QString>

// Dit à l'utilisateur où un fichier vient d'être écrit, chemin complet, et
// propose de l'ouvrir : ouvert seulement sur un Oui ; si aucune application
// ne l'ouvre, un message le dit.
void ProposerOuverture(const QString& chemin);
