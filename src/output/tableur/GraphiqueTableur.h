#pragma once

#include <QString>
#include <QtGlobal>

class AxeTableur;
class ClasseurTableur;
class LegendeTableur;
class SerieTableur;
class ZoneTexteTableur;
struct GraphiqueXlsx;

// Le graphique d'une feuille graphique (objet Chart du tableur). Couleurs :
// `Color` est un entier RGB du tableur, `ColorIndex` un indice de sa palette.
// Un graphique invalide, ou un membre hors des séries ou des axes, ne fait rien.
class GraphiqueTableur
{
public:
    GraphiqueTableur() = default;
    GraphiqueTableur(ClasseurTableur* classeur, int feuille) : m_classeur(classeur), m_feuille(feuille) {}

    bool valide() const { return modele() != nullptr; }
    GraphiqueXlsx* modele() const;

    // Le type s'applique aussi à chaque série déjà présente.
    void setChartType(int type) const;
    void setPlotBy(int) const {}  // les séries suivent toujours les colonnes
    void Location(int) const {}   // toujours une feuille graphique
    int nombreSeries() const;
    // SeriesCollection(i), depuis 1.
    SerieTableur SeriesCollection(int indice) const;
    // Une série vide du type du graphique, sur le groupe d'axes 1.
    SerieTableur NewSeries() const;
    // Axes(1) catégories, Axes(2) valeurs ; groupe 1 ou 2.
    AxeTableur Axes(int type, int groupe = 1) const;
    // ChartGroups(1).Overlap.
    void setOverlap(int chevauchement) const;

    void setHasTitle(bool titre) const;
    void setChartTitleText(const QString& texte) const;
    void setChartTitleBold(bool gras) const;
    void setChartTitleSize(double taille) const;
    void setChartTitleColorIndex(int indice) const;

    void setHasLegend(bool legende) const;
    LegendeTableur Legend() const;

    void setPlotAreaLeft(double points) const;
    void setPlotAreaTop(double points) const;
    void setPlotAreaWidth(double points) const;
    void setPlotAreaHeight(double points) const;
    void setPlotAreaInteriorColorIndex(int indice) const;
    void setChartAreaInteriorColor(qint64 color) const;

    // Shapes.AddTextbox(orientation, gauche, haut, largeur, hauteur).
    ZoneTexteTableur AddTextbox(int orientation, double gauche, double haut, double largeur, double hauteur) const;

    // Avant l'écriture : une série sans valeurs, ajoutée pour faire paraître
    // un axe, n'est pas une courbe. Sur le groupe 1 elle disparaît ; sur le
    // groupe 2, seule, elle reprend les valeurs de la première série, sans
    // trait ni entrée de légende, pour que l'axe secondaire existe.
    void preparerEcriture() const;

private:
    ClasseurTableur* m_classeur = nullptr;
    int m_feuille = -1;
};
