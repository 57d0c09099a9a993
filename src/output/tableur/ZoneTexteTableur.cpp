#include "output/tableur/ZoneTexteTableur.h"

#include "output/classeur/GraphiqueXlsx.h"
#include "output/tableur/CouleursTableur.h"

ZoneTexteXlsx* ZoneTexteTableur::modele() const
{
    if (!m_graphique || m_indice < 0 || m_indice >= int(m_graphique->zonesTexte.size()))
        return nullptr;
    return &m_graphique->zonesTexte[size_t(m_indice)];
}

void ZoneTexteTableur::setText(const QString& texte) const
{
    if (ZoneTexteXlsx* z = modele())
        z->texte = texte;
}

void ZoneTexteTableur::setFontSize(double taille) const
{
    if (ZoneTexteXlsx* z = modele(); z && taille >= 1 && taille <= 409)
        z->police.taille = taille;
}

void ZoneTexteTableur::setFontColorIndex(int indice) const
{
    if (ZoneTexteXlsx* z = modele())
        z->police.couleur = CouleursTableur::DepuisColorIndex(indice);
}

void ZoneTexteTableur::ScaleWidth(double facteur) const
{
    if (ZoneTexteXlsx* z = modele(); z && z->cadre.largeur && facteur > 0)
        z->cadre.largeur = *z->cadre.largeur * facteur;
}

void ZoneTexteTableur::ScaleHeight(double facteur) const
{
    if (ZoneTexteXlsx* z = modele(); z && z->cadre.hauteur && facteur > 0)
        z->cadre.hauteur = *z->cadre.hauteur * facteur;
}
