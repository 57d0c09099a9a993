#include "render/moteur/ModeleGraphique.h"

#include "render/moteur/GraduationsRondes.h"

#include <cmath>
#include <limits>

ModeleGraphique::ModeleGraphique()
{
    jeux.resize(1);
    polices[0].taillePourcent = 125;
    polices[1].taillePourcent = 100;
    polices[2].taillePourcent = 85;
    polices[3].taillePourcent = 90;
}

JeuDonnees* ModeleGraphique::jeuCourant()
{
    return const_cast<JeuDonnees*>(std::as_const(*this).jeuCourant());
}

const JeuDonnees* ModeleGraphique::jeuCourant() const
{
    if (jeuSelectionne < 1 || jeuSelectionne > nbJeux())
        return nullptr;
    return &jeux[std::size_t(jeuSelectionne - 1)];
}

void ModeleGraphique::definirNbJeux(int n)
{
    // Une taille hors de portée est ignorée, comme une propriété inconnue.
    if (n > nbJeuxMax || qint64(n) * nbPoints > cellulesMax)
        return;
    n = std::max(n, 0);
    const int avant = nbJeux();
    jeux.resize(std::size_t(n));
    for (int i = avant; i < n; ++i) {
        jeux[std::size_t(i)].redimensionner(nbPoints);
        jeux[std::size_t(i)].couleurDefaut = (i + 1) % 15;
    }
}

void ModeleGraphique::definirNbPoints(int n)
{
    if (qint64(n) * std::max(nbJeux(), 1) > cellulesMax)
        return;
    n = std::max(n, 0);
    if (n != nbPoints)
        ordreNbPoints = prochainOrdre();
    nbPoints = n;
    for (JeuDonnees& j : jeux)
        j.redimensionner(n);
}

void ModeleGraphique::reinitialiser()
{
    for (JeuDonnees& j : jeux)
        j.vider();
    jeux.resize(1);
    nbPoints = 0;
    ordreNbPoints = prochainOrdre();
    jeuSelectionne = 1;
    pointSelectionne = 1;
    libellesX.clear();
    libellesTabulation.clear();
    legendes.clear();
    legendesFond.clear();
    couleursLegendesFond.clear();
    avertissement.clear();
    jeuPointEnValeur = pointEnValeur = 0;
    legendePointEnValeur.clear();
    marquesDepassement = 0;
    nbLibellesX = 1;
    xMinEcrit_ = xMaxEcrit_ = false;
    xMinEcrit = 0.0;
    xMaxEcrit = 1000.0;
    for (AxeValeurs& a : axes) {
        a.libelles.clear();
        a.bornesEcrites = false;
    }
}

bool ModeleGraphique::estXY() const
{
    for (const JeuDonnees& j : jeux)
        if (j.avecX)
            return true;
    return false;
}

bool ModeleGraphique::aDesPoints() const
{
    return nbPoints > 0 && !jeux.empty();
}

Bornes ModeleGraphique::bornesX() const
{
    const Bornes ecrites{xMinEcrit_ ? xMinEcrit : 0.0, xMaxEcrit_ ? xMaxEcrit : 1000.0};
    if (estXY() || !aDesPoints())
        return ecrites;
    // Un graphique par catégories couvre ses points, sauf si des bornes ont été écrites
    // depuis le dernier changement du nombre de points.
    const bool zoom = (xMinEcrit_ || xMaxEcrit_) && ordreBornesX > ordreNbPoints;
    if (zoom)
        return {xMinEcrit_ ? xMinEcrit : 0.0, xMaxEcrit_ ? xMaxEcrit : double(nbPoints)};
    return {0.0, double(nbPoints)};
}

int ModeleGraphique::divisionsY(int axe) const
{
    // Au-delà de mille, les libellés ne se liraient plus : la division est bornée.
    return std::clamp(axes[std::size_t(std::clamp(axe, 0, 1))].divisions, 1, 1000);
}

Bornes ModeleGraphique::bornesY(int axe) const
{
    axe = std::clamp(axe, 0, 1);
    const AxeValeurs& a = axes[std::size_t(axe)];
    if (modeEchelleY == 2) {
        Bornes b{a.min, a.max};
        if (!(b.max > b.min))
            b.max = b.min + 1.0;
        return b;
    }
    if (axe == 1)
        return bornesY(0);
    double lo = std::numeric_limits<double>::max();
    double hi = std::numeric_limits<double>::lowest();
    const bool barres = type == 3;
    for (const JeuDonnees& j : jeux) {
        lo = std::min(lo, j.resumes().bas());
        hi = std::max(hi, j.resumes().haut());
    }
    if (lo > hi)
        return {0.0, 10.0};
    if (barres) {
        lo = std::min(lo, 0.0);
        hi = std::max(hi, 0.0);
    }
    const auto [bas, haut] = GraduationsRondes::bornes(lo, hi, divisionsY(0));
    return {bas, haut};
}

bool ModeleGraphique::axeDroitVisible() const
{
    return !axes[1].libelles.isEmpty() || axes[1].bornesEcrites || !titreYDroite.trimmed().isEmpty();
}
