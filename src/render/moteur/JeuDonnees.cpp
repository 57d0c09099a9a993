#include "render/moteur/JeuDonnees.h"

#include <algorithm>

void JeuDonnees::redimensionner(int n)
{
    modifie();
    m_nombre = std::max(n, 0);
    const std::size_t t = std::size_t(m_nombre);
    if (t <= valeurs.size())
        return;
    valeurs.resize(t, 0.0f);
    x.resize(t, 0.0);
    manquant.resize(t, 0);
    couleurs.resize(t, -1);
    if (!plafonds.empty())
        plafonds.resize(t, plafondAucun);
    if (!validites.empty())
        validites.resize(t, 0);
}

void JeuDonnees::vider()
{
    modifie();
    valeurs.clear();
    x.clear();
    manquant.clear();
    couleurs.clear();
    plafonds.clear();
    validites.clear();
    avecX = false;
    m_nombre = 0;
}

void JeuDonnees::definirPlafond(int i, float plafond)
{
    modifie();
    if (plafonds.empty()) {
        if (plafond == plafondAucun)
            return;
        plafonds.assign(valeurs.size(), plafondAucun);
    }
    plafonds[std::size_t(i)] = plafond;
}

void JeuDonnees::definirValidite(int i, qint8 code)
{
    if (validites.empty()) {
        if (code == 0)
            return;
        validites.assign(valeurs.size(), 0);
    }
    validites[std::size_t(i)] = code;
}

void JeuDonnees::charger(std::vector<double> positions, std::vector<float> nouvellesValeurs, int couleur)
{
    const std::size_t n = std::min(positions.size(), nouvellesValeurs.size());
    positions.resize(n);
    nouvellesValeurs.resize(n);
    x = std::move(positions);
    valeurs = std::move(nouvellesValeurs);
    manquant.assign(n, 0);
    couleurs.assign(n, qint8(std::clamp(couleur, -1, 127)));
    plafonds.clear();
    validites.clear();
    avecX = true;
    m_nombre = int(n);
    modifie();
}

const ResumesJeu& JeuDonnees::resumes() const
{
    if (!m_resumesAJour) {
        m_resumes.construire(*this);
        m_resumesAJour = true;
    }
    return m_resumes;
}
