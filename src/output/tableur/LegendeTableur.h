#pragma once

struct GraphiqueXlsx;

// La légende d'un graphique (objet Legend du tableur).
class LegendeTableur
{
public:
    LegendeTableur() = default;
    explicit LegendeTableur(GraphiqueXlsx* graphique) : m_graphique(graphique) {}

    void Delete() const;
    // LegendEntries(i).Delete : l'entrée de la i-ième série (depuis 1).
    void supprimerEntree(int indice) const;
    void setLeft(double points) const;
    void setTop(double points) const;
    void setWidth(double points) const;
    void setHeight(double points) const;
    void setFontSize(double taille) const;
    // Border.Weight ; un poids non nul trace un cadre fin.
    void setBorderWeight(int poids) const;
    void setShadow(bool ombre) const;

private:
    GraphiqueXlsx* m_graphique = nullptr;
};
