#pragma once

#include "commun/TypeGraph.h"
#include "settings/ChoixOptions.h"
#include "settings/SaisieOptions.h"

#include <QString>
#include <variant>

// Vérifie les entrées de la boîte d'options dans l'ordre où l'utilisateur en
// est averti : bornes de valeurs, tailles de police, nombre de séparateurs,
// ordre des bornes, dates. Rend les options lues, ou le message du premier refus.
class ValidationOptions
{
public:
    static constexpr int taillePoliceMin = 4;
    static constexpr int taillePoliceMax = 72;
    static constexpr int separationsMax = 100;

    static std::variant<ChoixOptions, QString> valider(const SaisieOptions& saisie, TypeGraph type);

    // Les genres qui ont une échelle de pluie à côté de la principale.
    static bool deuxGraphiques(TypeGraph type);
};
