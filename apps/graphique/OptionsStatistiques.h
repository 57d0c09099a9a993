#pragma once

#include "control/HoteGraphique.h"
#include "settings/StatistiquesRetenues.h"

#include <QString>
#include <optional>

class LigneCommande;

// Les options des statistiques (--annees-statistiques, --mois-hydro, --normales), chacune à
// défaut du choix que l'utilisateur a retenu dans ses paramètres, ceux de l'application de bureau.
class OptionsStatistiques
{
public:
    enum class Portee { Graphique, MoisSeulement };

    // Les options retirées de la ligne ; le bulletin ne prend que --mois-hydro.
    OptionsStatistiques(LigneCommande& ligne, Portee portee);

    // Les choix posés sur la demande ; la raison du refus, en français, sinon.
    QString appliquer(HoteGraphique::Demande& d) const;
    // Le premier mois de l'année hydrologique, 0 sans option ni choix retenu ; la raison du refus sinon.
    QString moisHydro(int& mois) const;

private:
    QString annees(HoteGraphique::Demande& d) const;
    QString normales(HoteGraphique::Demande& d) const;

    std::optional<QString> m_annees, m_mois, m_normales;
    StatistiquesRetenues::Choix m_retenu;
};
