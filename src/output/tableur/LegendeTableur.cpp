#include "output/tableur/LegendeTableur.h"

#include "output/classeur/GraphiqueXlsx.h"

void LegendeTableur::Delete() const
{
    if (m_graphique)
        m_graphique->aLegende = false;
}

void LegendeTableur::supprimerEntree(int indice) const
{
    if (m_graphique && indice >= 1 && indice <= int(m_graphique->series.size()))
        m_graphique->series[size_t(indice - 1)].entreeLegendeSupprimee = true;
}

void LegendeTableur::setLeft(double points) const
{
    if (m_graphique)
        m_graphique->cadreLegende.gauche = points;
}

void LegendeTableur::setTop(double points) const
{
    if (m_graphique)
        m_graphique->cadreLegende.haut = points;
}

void LegendeTableur::setWidth(double points) const
{
    if (m_graphique && points > 0)
        m_graphique->cadreLegende.largeur = points;
}

void LegendeTableur::setHeight(double points) const
{
    if (m_graphique && points > 0)
        m_graphique->cadreLegende.hauteur = points;
}

void LegendeTableur::setFontSize(double taille) const
{
    if (m_graphique && taille >= 1 && taille <= 409)
        m_graphique->policeLegende.taille = taille;
}

void LegendeTableur::setBorderWeight(int poids) const
{
    if (m_graphique)
        m_graphique->bordureLegende = poids != 0;
}

void LegendeTableur::setShadow(bool ombre) const
{
    if (m_graphique)
        m_graphique->ombreLegende = ombre;
}
