#pragma once

#include <utility>

// La garde unique autour d'une opération publique des contrôles : rien de ce
// qui est levé dedans n'atteint l'hôte ; l'opération s'arrête simplement là.
template <class Fonction>
void sousGarde(Fonction&& fonction) noexcept
{
    try {
        std::forward<Fonction>(fonction)();
    } catch (...) {
    }
}

template <class Resultat, class Fonction>
Resultat sousGarde(Resultat parDefaut, Fonction&& fonction) noexcept
{
    try {
        return std::forward<Fonction>(fonction)();
    } catch (...) {
        return parDefaut;
    }
}
