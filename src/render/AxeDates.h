#pragma once

#include "commun/CodesGraphique.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// Les libellés et l'étendue d'un axe du temps, calculés sans moteur ni
// collection : de l'étendue, de l'unité et du pas demandés, les dates que
// l'axe montre. L'écriture au moteur est à part (FctGraphique).
namespace AxeDates {

struct Demande
{
    QDate debut, fin;
    UniteAxe unite = UniteAxe::Aucune; // mois, trimestres, années, "VIDE", ou une autre (libre)
    int pas = 0;            // PasAxeX
    bool hydro = false;     // période hydrologique
    bool superposition = false;
    bool cumulAnnuel = false;
};

struct Axe
{
    QDate debut, fin;                 // l'étendue montrée (le premier du mois pour les mois)
    std::optional<UniteAxe> unite;    // la nouvelle unité de la collection, quand l'étendue la change
    std::optional<int> pas;           // le nouveau pas de la collection
    QStringList libelles;
    int nombreLibelles = 1;           // libellés écrits un à un ; 1 : la liste seule
    int supplement = 0;               // libellés écrits au-delà de ce nombre
    bool libellesDesPoints = false;   // les points reprennent les libellés de l'axe
    qint64 jours = 0;                 // jours de l'étendue demandée
};

// L'axe d'un graphique par périodes (barres ou courbes des cumuls).
Axe parPeriodes(const Demande& demande);
// L'axe d'un graphique de points datés (nappes, stations, pluie superposée).
Axe pointsDates(const Demande& demande);

// Nombre de pas de l'axe du temps pour une étendue (années, jours et mois écoulés).
int NombrePas(int annees, qint64 jours, qint64 mois, int pasActuel, bool piezo, bool* passeEnAnnees);

} // namespace AxeDates
