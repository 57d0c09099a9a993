#pragma once

#include <QString>

struct GraphiqueXlsx;
struct ZoneTexteXlsx;

// Une zone de texte posée sur un graphique (Shapes.AddTextbox).
class ZoneTexteTableur
{
public:
    ZoneTexteTableur() = default;
    ZoneTexteTableur(GraphiqueXlsx* graphique, int indice) : m_graphique(graphique), m_indice(indice) {}

    ZoneTexteXlsx* modele() const;
    void setText(const QString& texte) const;
    void setFontSize(double taille) const;
    void setFontColorIndex(int indice) const;
    // ShapeRange.ScaleWidth / ScaleHeight : facteurs appliqués à la taille.
    void ScaleWidth(double facteur) const;
    void ScaleHeight(double facteur) const;

private:
    GraphiqueXlsx* m_graphique = nullptr;
    int m_indice = -1;
};
