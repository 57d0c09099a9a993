#pragma once

#include <QString>

struct AxeXlsx;

// Un axe d'un graphique (objet Axis du tableur).
class AxeTableur
{
public:
    AxeTableur() = default;
    explicit AxeTableur(AxeXlsx* axe) : m_axe(axe) {}
    bool valide() const { return m_axe != nullptr; }

    void setMinorUnitIsAuto(bool automatique) const;
    void setMajorUnitIsAuto(bool automatique) const;
    void setMajorUnit(double unite) const;
    void setMinorUnit(double unite) const;
    void setMinimumScale(double valeur) const;
    void setMaximumScale(double valeur) const;
    void setCrosses(int croisement) const;
    void setCrossesAt(double valeur) const;
    void setBaseUnit(int unite) const;
    void setMajorUnitScale(int unite) const;
    void setMinorUnitScale(int unite) const;
    void setReversePlotOrder(bool inverse) const;
    void setScaleType(int echelle) const;
    void setHasTitle(bool titre) const;
    void setAxisTitleText(const QString& texte) const;
    void setAxisTitleColorIndex(int indice) const;
    void setHasMajorGridlines(bool grille) const;
    void setMajorGridlinesColorIndex(int indice) const;
    void setTickLabelsNumberFormat(const QString& format) const;
    void setTickLabelsFontSize(double taille) const;
    void setTickLabelsColorIndex(int indice) const;
    void setTickLabelsOrientation(int orientation) const;
    void setLineColorIndex(int indice) const;

private:
    AxeXlsx* m_axe = nullptr;
};
