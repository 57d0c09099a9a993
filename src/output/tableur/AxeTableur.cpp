#include "output/tableur/AxeTableur.h"

#include "output/classeur/GraphiqueXlsx.h"
#include "output/tableur/CouleursTableur.h"

void AxeTableur::setMinorUnitIsAuto(bool automatique) const
{
    if (m_axe && automatique)
        m_axe->uniteMineure.reset();
}

void AxeTableur::setMajorUnitIsAuto(bool automatique) const
{
    if (m_axe && automatique)
        m_axe->uniteMajeure.reset();
}

void AxeTableur::setMajorUnit(double unite) const
{
    // Une unité nulle ou négative est refusée par le tableur.
    if (m_axe && unite > 0)
        m_axe->uniteMajeure = unite;
}

void AxeTableur::setMinorUnit(double unite) const
{
    if (m_axe && unite > 0)
        m_axe->uniteMineure = unite;
}

void AxeTableur::setMinimumScale(double valeur) const
{
    if (m_axe)
        m_axe->minimum = valeur;
}

void AxeTableur::setMaximumScale(double valeur) const
{
    if (m_axe)
        m_axe->maximum = valeur;
}

void AxeTableur::setCrosses(int croisement) const
{
    if (m_axe)
        m_axe->croisement = croisement;
}

void AxeTableur::setCrossesAt(double valeur) const
{
    if (m_axe) {
        m_axe->croisement = ConstantesTableur::kCroiseALaValeur;
        m_axe->croiseA = valeur;
    }
}

void AxeTableur::setBaseUnit(int unite) const
{
    if (m_axe && unite >= ConstantesTableur::kJours && unite <= ConstantesTableur::kAnnees)
        m_axe->uniteBase = unite;
}

void AxeTableur::setMajorUnitScale(int unite) const
{
    if (m_axe && unite >= ConstantesTableur::kJours && unite <= ConstantesTableur::kAnnees)
        m_axe->echelleUniteMajeure = unite;
}

void AxeTableur::setMinorUnitScale(int unite) const
{
    if (m_axe && unite >= ConstantesTableur::kJours && unite <= ConstantesTableur::kAnnees)
        m_axe->echelleUniteMineure = unite;
}

void AxeTableur::setReversePlotOrder(bool inverse) const
{
    if (m_axe)
        m_axe->ordreInverse = inverse;
}

void AxeTableur::setScaleType(int echelle) const
{
    if (m_axe)
        m_axe->echelle = echelle;
}

void AxeTableur::setHasTitle(bool titre) const
{
    if (m_axe)
        m_axe->aTitre = titre;
}

void AxeTableur::setAxisTitleText(const QString& texte) const
{
    if (m_axe) {
        m_axe->aTitre = true;
        m_axe->titre = texte;
    }
}

void AxeTableur::setAxisTitleColorIndex(int indice) const
{
    if (m_axe)
        m_axe->policeTitre.couleur = CouleursTableur::DepuisColorIndex(indice);
}

void AxeTableur::setHasMajorGridlines(bool grille) const
{
    if (m_axe)
        m_axe->grilleMajeure = grille;
}

void AxeTableur::setMajorGridlinesColorIndex(int indice) const
{
    if (m_axe)
        m_axe->couleurGrille = CouleursTableur::DepuisColorIndex(indice);
}

void AxeTableur::setTickLabelsNumberFormat(const QString& format) const
{
    if (m_axe)
        m_axe->formatEtiquettes = format;
}

void AxeTableur::setTickLabelsFontSize(double taille) const
{
    // Le tableur accepte de 1 à 409 points.
    if (m_axe && taille >= 1 && taille <= 409)
        m_axe->policeEtiquettes.taille = taille;
}

void AxeTableur::setTickLabelsColorIndex(int indice) const
{
    if (m_axe)
        m_axe->policeEtiquettes.couleur = CouleursTableur::DepuisColorIndex(indice);
}

void AxeTableur::setTickLabelsOrientation(int orientation) const
{
    if (m_axe)
        m_axe->orientationEtiquettes = orientation;
}

void AxeTableur::setLineColorIndex(int indice) const
{
    if (m_axe)
        m_axe->couleurTrait = CouleursTableur::DepuisColorIndex(indice);
}
