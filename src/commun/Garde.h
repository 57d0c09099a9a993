#pragma once

#include <utility>

// The one guard around a public operation of the controls: nothing thrown
// inside reaches the host; the operation just ends there.
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
