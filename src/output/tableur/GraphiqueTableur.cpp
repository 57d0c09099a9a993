#include "output/tableur/GraphiqueTableur.h"

#include "output/classeur/GraphiqueXlsx.h"
#include "output/tableur/AxeTableur.h"
#include "output/tableur/ClasseurTableur.h"
#include "output/tableur/CouleursTableur.h"
#include "output/tableur/LegendeTableur.h"
#include "output/tableur/SerieTableur.h"
#include "output/tableur/ZoneTexteTableur.h"

#include <algorithm>

GraphiqueXlsx* GraphiqueTableur::modele() const
{
    return m_classeur ? m_classeur->xlsx().graphique(m_feuille) : nullptr;
}

void GraphiqueTableur::setChartType(int type) const
{
    if (GraphiqueXlsx* g = modele()) {
        g->typeGraphique = type;
        for (SerieXlsx& s : g->series)
            s.typeGraphique = type;
    }
}

int GraphiqueTableur::nombreSeries() const
{
    const GraphiqueXlsx* g = modele();
    return g ? int(g->series.size()) : 0;
}

SerieTableur GraphiqueTableur::SeriesCollection(int indice) const
{
    return SerieTableur(modele(), indice - 1);
}

SerieTableur GraphiqueTableur::NewSeries() const
{
    GraphiqueXlsx* g = modele();
    if (!g)
        return {};
    SerieXlsx s;
    s.typeGraphique = g->typeGraphique;
    s.nom = QStringLiteral("Série%1").arg(g->series.size() + 1);
    g->series.push_back(s);
    return SerieTableur(g, int(g->series.size()) - 1);
}

AxeTableur GraphiqueTableur::Axes(int type, int groupe) const
{
    GraphiqueXlsx* g = modele();
    if (!g || (type != 1 && type != 2) || (groupe != 1 && groupe != 2))
        return AxeTableur();
    if (groupe == 1)
        return AxeTableur(type == 1 ? &g->axeX : &g->axeY);
    return AxeTableur(type == 1 ? &g->axeX2 : &g->axeY2);
}

void GraphiqueTableur::setOverlap(int chevauchement) const
{
    if (GraphiqueXlsx* g = modele())
        g->chevauchement = std::clamp(chevauchement, -100, 100);
}

void GraphiqueTableur::setHasTitle(bool titre) const
{
    if (GraphiqueXlsx* g = modele())
        g->aTitre = titre;
}

void GraphiqueTableur::setChartTitleText(const QString& texte) const
{
    if (GraphiqueXlsx* g = modele()) {
        g->aTitre = true;
        g->titre = texte;
    }
}

void GraphiqueTableur::setChartTitleBold(bool gras) const
{
    if (GraphiqueXlsx* g = modele())
        g->policeTitre.gras = gras;
}

void GraphiqueTableur::setChartTitleSize(double taille) const
{
    if (GraphiqueXlsx* g = modele(); g && taille > 0)
        g->policeTitre.taille = taille;
}

void GraphiqueTableur::setChartTitleColorIndex(int indice) const
{
    if (GraphiqueXlsx* g = modele())
        g->policeTitre.couleur = CouleursTableur::DepuisColorIndex(indice);
}

void GraphiqueTableur::setHasLegend(bool legende) const
{
    if (GraphiqueXlsx* g = modele())
        g->aLegende = legende;
}

LegendeTableur GraphiqueTableur::Legend() const
{
    return LegendeTableur(modele());
}

void GraphiqueTableur::setPlotAreaLeft(double points) const
{
    if (GraphiqueXlsx* g = modele())
        g->cadreTrace.gauche = points;
}

void GraphiqueTableur::setPlotAreaTop(double points) const
{
    if (GraphiqueXlsx* g = modele())
        g->cadreTrace.haut = points;
}

void GraphiqueTableur::setPlotAreaWidth(double points) const
{
    if (GraphiqueXlsx* g = modele())
        g->cadreTrace.largeur = points;
}

void GraphiqueTableur::setPlotAreaHeight(double points) const
{
    if (GraphiqueXlsx* g = modele())
        g->cadreTrace.hauteur = points;
}

void GraphiqueTableur::setPlotAreaInteriorColorIndex(int indice) const
{
    if (GraphiqueXlsx* g = modele())
        g->fondTrace = CouleursTableur::DepuisColorIndex(indice);
}

void GraphiqueTableur::setChartAreaInteriorColor(qint64 color) const
{
    if (GraphiqueXlsx* g = modele())
        g->fondGraphique = CouleursTableur::DepuisColor(color);
}

ZoneTexteTableur GraphiqueTableur::AddTextbox(int, double gauche, double haut, double largeur, double hauteur) const
{
    GraphiqueXlsx* g = modele();
    if (!g)
        return {};
    ZoneTexteXlsx z;
    z.cadre = CadreXlsx{gauche, haut, largeur, hauteur};
    g->zonesTexte.push_back(z);
    return ZoneTexteTableur(g, int(g->zonesTexte.size()) - 1);
}

namespace {

bool SansValeurs(const SerieXlsx& s)
{
    return !s.valeurs.valide();
}

// La série qui ne sert qu'à faire paraître l'axe secondaire : invisible, hors légende.
void RendreInvisible(SerieXlsx& s, const SerieXlsx& modele)
{
    s.x = modele.x;
    s.valeurs = modele.valeurs;
    // Des colonnes se verraient : une ligne sans trait ni marque ne se voit pas.
    const bool colonnes = modele.typeGraphique == ConstantesTableur::kColonnesGroupees
                          || modele.typeGraphique == ConstantesTableur::kColonnesEmpilees;
    s.typeGraphique = colonnes ? ConstantesTableur::kLigne : modele.typeGraphique;
    s.styleTrait = ConstantesTableur::kAucun;
    s.marque = ConstantesTableur::kAucun;
    s.entreeLegendeSupprimee = true;
}

} // namespace

void GraphiqueTableur::preparerEcriture() const
{
    GraphiqueXlsx* g = modele();
    if (!g)
        return;
    auto& series = g->series;
    const auto pleine = std::find_if_not(series.begin(), series.end(), SansValeurs);
    const bool groupe2Plein = std::any_of(series.begin(), series.end(), [](const SerieXlsx& s) {
        return s.groupeAxes == 2 && !SansValeurs(s);
    });
    const SerieXlsx modeleSerie = pleine != series.end() ? *pleine : SerieXlsx();
    bool axeSecondaire = false;
    std::vector<SerieXlsx> gardees;
    for (SerieXlsx& s : series) {
        if (!SansValeurs(s)) {
            gardees.push_back(s);
        } else if (s.groupeAxes == 2 && !groupe2Plein && !axeSecondaire && modeleSerie.valeurs.valide()) {
            RendreInvisible(s, modeleSerie);
            gardees.push_back(s);
            axeSecondaire = true;
        }
    }
    series = std::move(gardees);
}
