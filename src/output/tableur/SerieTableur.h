#pragma once

#include <QString>
#include <QtGlobal>

struct GraphiqueXlsx;
struct SerieXlsx;

// Une série d'un graphique (objet Series du tableur), désignée par sa place.
class SerieTableur
{
public:
    SerieTableur() = default;
    SerieTableur(GraphiqueXlsx* graphique, int indice) : m_graphique(graphique), m_indice(indice) {}

    SerieXlsx* modele() const;
    bool valide() const { return modele() != nullptr; }

    // Formules R1C1 : "=Feuil1!R2C1:R367C1" ; une formule illisible laisse la série telle quelle.
    void setXValues(const QString& formule) const;
    void setValues(const QString& formule) const;
    // "=\"Titre\"" ou le texte lui-même.
    void setName(const QString& formule) const;
    void setChartType(int type) const;
    void setAxisGroup(int groupe) const;
    void setInteriorColor(qint64 color) const;
    void setBorderColor(qint64 color) const;
    void setBorderLineStyle(int style) const;
    void setMarkerStyle(int style) const;
    void setMarkerSize(int taille) const;
    void setMarkerForegroundColor(qint64 color) const;
    void Delete() const;

private:
    GraphiqueXlsx* m_graphique = nullptr;
    int m_indice = -1;
};
