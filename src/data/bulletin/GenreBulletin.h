#pragma once

#include "data/GenresStation.h"

#include <QString>
#include <array>

// Ce que le bulletin fait de chaque genre de station : la valeur du mois
// (total ou moyenne), son unité, quand un mois compte comme complet, et ce
// que la ligne de synthèse porte en plus.
struct GenreBulletin
{
    GenreStation::Genre genre;
    // La valeur du mois est le total de ses mesures, sinon leur moyenne. Un
    // total demande tous les jours du mois pour être complet ; une moyenne,
    // une mesure dans chacune de ses trois décades.
    bool total;
    const char* grandeur;  // "Pluie", "Niveau", "Débit"
    const char* unite;
    int decimales;  // pour écrire la valeur du mois
    bool normalesOfficielles;  // la normale vient de PLUVIOMETRE_NORMALES
    bool normaleDesMesures;    // la normale est la moyenne des mois complets du relevé
    bool cumulHydrologique;
    bool tendance;
    std::array<const char*, 5> classes;  // du plus bas au plus haut

    QString libelleClasse(int classe) const { return QString::fromUtf8(classes[std::size_t(classe)]); }
    QString texteUnite() const { return QString::fromUtf8(unite); }
    QString texteGrandeur() const { return QString::fromUtf8(grandeur); }
};

namespace GenresBulletin {

// Rien pour un genre qui n'entre pas au bulletin (courbe de référence).
const GenreBulletin* de(GenreStation::Genre genre);

} // namespace GenresBulletin
