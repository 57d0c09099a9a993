#pragma once

#include <QLoggingCategory>

#include <exception>
#include <utility>

// "graphique.garde" : ce que la garde arrête, avec l'opération qui l'a levé.
// Éteinte par défaut ; QT_LOGGING_RULES="graphique.garde.debug=true" l'affiche.
Q_DECLARE_LOGGING_CATEGORY(journalGarde)

// Trace d'une exception arrêtée ; `quoi` est nul pour une exception qui n'en dit rien.
void TracerGarde(const char* operation, const char* quoi) noexcept;

// La garde unique autour d'une opération publique des contrôles : rien de ce
// qui est levé dedans n'atteint l'hôte ; l'opération s'arrête simplement là.
// `operation` est, par défaut, le nom de la fonction qui appelle la garde.
template <class Fonction>
void sousGarde(Fonction&& fonction, const char* operation = __builtin_FUNCTION()) noexcept
{
    try {
        std::forward<Fonction>(fonction)();
    } catch (const std::exception& e) {
        TracerGarde(operation, e.what());
    } catch (...) {
        TracerGarde(operation, nullptr);
    }
}

template <class Resultat, class Fonction>
Resultat sousGarde(Resultat parDefaut, Fonction&& fonction, const char* operation = __builtin_FUNCTION()) noexcept
{
    try {
        return std::forward<Fonction>(fonction)();
    } catch (const std::exception& e) {
        TracerGarde(operation, e.what());
    } catch (...) {
        TracerGarde(operation, nullptr);
    }
    return parDefaut;
}
