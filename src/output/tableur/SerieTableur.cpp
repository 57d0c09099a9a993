#include "output/tableur/SerieTableur.h"

#include "output/classeur/GraphiqueXlsx.h"
#include "output/tableur/CouleursTableur.h"
#include "output/tableur/ReferencesTableur.h"

SerieXlsx* SerieTableur::modele() const
{
    if (!m_graphique || m_indice < 0 || m_indice >= int(m_graphique->series.size()))
        return nullptr;
    return &m_graphique->series[size_t(m_indice)];
}

void SerieTableur::setXValues(const QString& formule) const
{
    if (SerieXlsx* s = modele())
        if (const auto p = ReferencesTableur::LirePlageR1C1(formule))
            s->x = *p;
}

void SerieTableur::setValues(const QString& formule) const
{
    if (SerieXlsx* s = modele())
        if (const auto p = ReferencesTableur::LirePlageR1C1(formule))
            s->valeurs = *p;
}

void SerieTableur::setName(const QString& formule) const
{
    if (SerieXlsx* s = modele())
        s->nom = ReferencesTableur::LireNomLitteral(formule);
}

void SerieTableur::setChartType(int type) const
{
    if (SerieXlsx* s = modele())
        s->typeGraphique = type;
}

void SerieTableur::setAxisGroup(int groupe) const
{
    if (SerieXlsx* s = modele(); s && (groupe == 1 || groupe == 2))
        s->groupeAxes = groupe;
}

void SerieTableur::setInteriorColor(qint64 color) const
{
    if (SerieXlsx* s = modele())
        s->couleurRemplissage = CouleursTableur::DepuisColor(color);
}

void SerieTableur::setBorderColor(qint64 color) const
{
    if (SerieXlsx* s = modele())
        s->couleurTrait = CouleursTableur::DepuisColor(color);
}

void SerieTableur::setBorderLineStyle(int style) const
{
    if (SerieXlsx* s = modele())
        s->styleTrait = style;
}

void SerieTableur::setMarkerStyle(int style) const
{
    if (SerieXlsx* s = modele())
        s->marque = style;
}

void SerieTableur::setMarkerSize(int taille) const
{
    // Le tableur n'accepte que 2 à 72 points.
    if (SerieXlsx* s = modele(); s && taille >= 2 && taille <= 72)
        s->tailleMarque = taille;
}

void SerieTableur::setMarkerForegroundColor(qint64 color) const
{
    if (SerieXlsx* s = modele())
        s->couleurMarque = CouleursTableur::DepuisColor(color);
}

void SerieTableur::Delete() const
{
    if (modele())
        m_graphique->series.erase(m_graphique->series.begin() + m_indice);
}
