#pragma once

#include "data/bulletin/LigneBulletin.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

// Les colonnes de la synthèse, dans leur ordre, pour le classeur et pour la
// première page : un nombre reste un nombre dans le classeur, le texte sert
// au reste et à la page.
struct ColonneSynthese
{
    const char* entete;
    double largeurPage;  // en pixels d'une page A4 à 96 points par pouce
    std::function<QString(const LigneBulletin&)> texte;
    std::function<std::optional<double>(const LigneBulletin&)> nombre;  // vide : une colonne de texte
    bool classe = false;  // la cellule prend la couleur de la classe
    bool pourcent = false; // un rapport, sans décimale ; les autres nombres aux décimales du genre

    QString titre() const { return QString::fromUtf8(entete); }
};

namespace ColonnesSynthese {

const std::vector<ColonneSynthese>& toutes();
// Le format de nombre du classeur pour un nombre d'une ligne ("0", "0.0", "0.00"…).
QString format(const ColonneSynthese& colonne, const LigneBulletin& l);

} // namespace ColonnesSynthese
