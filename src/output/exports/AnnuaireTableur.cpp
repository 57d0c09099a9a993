#include "output/exports/AnnuaireTableur.h"

#include "commun/Dates.h"
#include "commun/messages/Messages.h"
#include "data/FenetreProgression.h"
#include "model/Classe_Graphiques.h"
#include "model/options/GestionExportExcel.h"
#include "output/classeur/GraphiqueXlsx.h"
#include "output/classeur/LignesFeuille.h"
#include "output/exports/CorrespondancesTableur.h"
#include "output/exports/TexteExport.h"
#include "output/tableur/ApplicationTableur.h"
#include "output/tableur/AxeTableur.h"
#include "output/tableur/LegendeTableur.h"
#include "output/tableur/SerieTableur.h"
#include "output/tableur/ZoneTexteTableur.h"

using namespace ConstantesTableur;
using namespace CorrespondancesTableur;
using namespace TexteExport;

namespace {

constexpr int kColonneChronique = 32;  // AF
constexpr int kLignesEntreMessages = 17;
constexpr int kPeuDeLignes = 100;

int Annee(const QString& texte, int parDefaut)
{
    const auto d = LireDate(texte.trimmed());
    return d ? d->year() : parDefaut;
}

// Jours comptés depuis le 01/01/1900, comme le fait DateDiff.
double JoursDepuis1900(int annee)
{
    return double(DateDiff(Intervalle::Jour, QDate(1900, 1, 1), QDate(annee, 1, 1)));
}

} // namespace

AnnuaireTableur::AnnuaireTableur(const Demande& demande, ApplicationTableur& tableur, FenetreProgression* progression)
    : m_demande(demande)
    , m_tableur(tableur)
    , m_progression(progression)
{
}

int AnnuaireTableur::colonneX(int k) const
{
    // Chaque courbe a ses trois colonnes, en A pour la courbe annuelle, en AF pour la chronique.
    return (m_demande.courbeAnnuelle ? 1 : kColonneChronique) + (k - 1) * 3;
}

int AnnuaireTableur::anneeDebut() const
{
    const Classe_Graphiques& c = *m_demande.courbes;
    return Annee(c.DateDebutAffichage(), Annee(c.DateDebutChargement(), QDate::currentDate().year()));
}

int AnnuaireTableur::anneeFin() const
{
    const Classe_Graphiques& c = *m_demande.courbes;
    return Annee(c.DateFinAffichage(), Annee(c.DateFinChargement(), anneeDebut()));
}

bool AnnuaireTableur::suivre(int ligne)
{
    if (!m_progression || (m_lignes >= kPeuDeLignes && ligne % kLignesEntreMessages != 0))
        return true;
    const QString quoi = m_demande.courbeAnnuelle ? QStringLiteral("Courbe année") : QStringLiteral("Chronique");
    m_progression->message(QStringLiteral("Exportation vers Word (%1 %2/%3)").arg(quoi).arg(ligne).arg(m_lignes));
    m_progression->servir();
    return !m_progression->annulee();
}

bool AnnuaireTableur::preparerTexte()
{
    const std::vector<CourbePtr> prises = CourbesAffichees(*m_demande.courbes);
    m_lignes = NombreLignes(prises);
    if (m_lignes == 0) {
        if (!m_demande.automatique)
            AfficherMessage(QStringLiteral("Erreur"),
                            QStringLiteral("Pas de données à exporter vers Excel. Afficher l'écran d'annuaire pour le "
                                           "calcul des courbes"));
        return false;
    }
    // Les titres et une ligne vide en plus des points ; compté avant de rien préparer.
    if (const QString refus = LignesFeuille::refus(m_lignes, 2); !refus.isEmpty()) {
        if (!m_demande.automatique)
            AfficherMessage(QStringLiteral("Erreur"), refus);
        return false;
    }
    QString texte;
    for (const CourbePtr& c : prises)
        texte += c->Titre() + QStringLiteral("\t\t\t");
    texte += u'\r';
    for (int r = 0; r <= m_lignes; ++r) {
        for (const CourbePtr& c : prises)
            texte += CellulesPoint(PointExportable(*c, r, 1, true), m_demande.pointDecimal);
        texte += u'\r';
        if (!suivre(r))
            return false;
    }
    m_texte = texte;
    m_tableur.mettreDansPressePapiers(texte);
    return true;
}

void AnnuaireTableur::coller()
{
    m_tableur.setDisplayalerts(false);
    if (m_demande.courbeAnnuelle || !m_tableur.ActiveWorkbook()) {
        m_tableur.workbooksAdd();
        m_tableur.GoTo(QStringLiteral("R1C1"));
    }
    if (!m_demande.courbeAnnuelle) {
        m_tableur.sheetsSelect(QStringLiteral("Feuil1"));
        m_tableur.range(QStringLiteral("AF1")).Select();
    }
    m_tableur.activesheetPaste();
    m_tableur.setCutCopyMode(false);
    m_tableur.setDisplayalerts(true);
    const int courbes = int(CourbesAffichees(*m_demande.courbes).size());
    for (int k = 1; k <= courbes; ++k) {
        const PlageTableur x = m_tableur.cells(1, colonneX(k)).jusqua(m_tableur.cells(m_lignes + 1, colonneX(k)));
        x.setNumberFormat(kFormatDates);
        x.setColumnWidth(kLargeurDates);
    }
}

GraphiqueTableur AnnuaireTableur::creerGraphique() const
{
    const int courbes = int(CourbesAffichees(*m_demande.courbes).size());
    m_tableur.cells(1, colonneX(1)).jusqua(m_tableur.cells(m_lignes + 2, colonneX(courbes) + 1)).Select();
    const GraphiqueTableur g = m_tableur.chartsAdd();
    g.setChartType(kNuageLisseSansMarque);
    g.setPlotBy(2);
    g.Location(1);
    return g;
}

void AnnuaireTableur::ecrireSeries(const GraphiqueTableur& g) const
{
    const std::vector<CourbePtr> prises = CourbesAffichees(*m_demande.courbes);
    // La feuille des données, telle que la formule doit la nommer.
    const QString feuille = QStringLiteral("Feuil1");
    for (int k = 1; k <= int(prises.size()); ++k) {
        const Classe_Graphique& c = *prises[size_t(k - 1)];
        const int fin = c.NbValeurs() + (m_demande.courbeAnnuelle ? 2 : 3);
        const int x = colonneX(k);
        const SerieTableur s = k == 1 && g.nombreSeries() >= 1 ? g.SeriesCollection(1) : g.NewSeries();
        s.setXValues(QStringLiteral("=%1!R2C%2:R%3C%2").arg(feuille).arg(x).arg(fin));
        s.setValues(QStringLiteral("=%1!R2C%2:R%3C%2").arg(feuille).arg(x + 1).arg(fin));
        s.setName(QStringLiteral("=\"") + QString(c.Titre()).replace(u'"', QStringLiteral("\"\"")) + u'"');
        s.setBorderColor(Couleur(c.Couleur()));
        s.setBorderLineStyle(StyleTrait(c.Pattern()));
    }
    const SerieTableur axe2 = g.NewSeries();
    axe2.setAxisGroup(2);
    g.Legend().supprimerEntree(g.nombreSeries());
}

void AnnuaireTableur::axesValeurs(const GraphiqueTableur& g) const
{
    const Classe_Graphiques& c = *m_demande.courbes;
    for (const int groupe : {2, 1}) {
        const AxeTableur axe = g.Axes(2, groupe);
        axe.setMinorUnitIsAuto(true);
        if (c.MaxY() > c.MinY()) {
            axe.setMajorUnitIsAuto(false);
            axe.setMajorUnit((c.MaxY() - c.MinY()) / std::max<int>(1, c.NbSeparations()));
            axe.setMinimumScale(c.MinY());
            axe.setMaximumScale(c.MaxY());
        }
        axe.setTickLabelsNumberFormat(QStringLiteral("0.00"));
        axe.setHasTitle(false);
        axe.setCrossesAt(groupe == 2 ? c.MinY() : 0);
        axe.setHasMajorGridlines(groupe == 1 && c.GrilleY());
        axe.setMajorGridlinesColorIndex(15);
        axe.setTickLabelsFontSize(c.GestionExportExcel().TaillePoliceAxes);
    }
}

void AnnuaireTableur::axeTemps(const GraphiqueTableur& g) const
{
    const Classe_Graphiques& c = *m_demande.courbes;
    const AxeTableur x = g.Axes(1, 1);
    x.setMinorUnitIsAuto(true);
    x.setHasMajorGridlines(c.GrilleX());
    x.setMajorGridlinesColorIndex(15);
    x.setMajorUnitIsAuto(false);
    x.setMinimumScale(JoursDepuis1900(anneeDebut()) + 1);
    x.setMaximumScale(JoursDepuis1900(anneeFin() + 1) + 2);
    x.setMajorUnit(m_demande.courbeAnnuelle ? 30.4 : 365.25);
    x.setTickLabelsNumberFormat(m_demande.courbeAnnuelle ? QStringLiteral("mmm-yyyy") : QStringLiteral("yyyy"));
    x.setTickLabelsOrientation(kVersLeHaut);
    x.setTickLabelsFontSize(c.GestionExportExcel().TaillePoliceAxes);
    x.setReversePlotOrder(false);
    x.setScaleType(kEchelleLineaire);
}

void AnnuaireTableur::habillage(const GraphiqueTableur& g) const
{
    const Classe_Graphiques& c = *m_demande.courbes;
    const GestionExportExcel& o = c.GestionExportExcel();
    const bool sombre = c.CouleurFond() >= 0 && c.CouleurFond() <= 6;
    if (sombre) {
        for (const auto& [type, groupe] : {std::pair{1, 1}, {2, 1}, {2, 2}}) {
            g.Axes(type, groupe).setTickLabelsColorIndex(2);
            g.Axes(type, groupe).setLineColorIndex(2);
            g.Axes(type, groupe).setAxisTitleColorIndex(2);
        }
        g.setChartTitleColorIndex(2);
    }
    g.setHasTitle(true);
    g.setChartTitleText(m_demande.courbeAnnuelle ? QStringLiteral("Courbe des maximums journaliers")
                                                 : QStringLiteral("Chronique piézomètrique"));
    g.setChartTitleBold(true);
    g.setChartTitleSize(o.TaillePoliceTitre);
    g.setPlotAreaInteriorColorIndex(0);
    g.setPlotAreaWidth(750);
    g.setPlotAreaLeft(0);
    legende(g);
    boiteAnnee(g, sombre);
    g.setChartAreaInteriorColor(Couleur(c.CouleurFond()));
}

void AnnuaireTableur::legende(const GraphiqueTableur& g) const
{
    if (!m_demande.courbeAnnuelle) {
        g.Legend().Delete();
        return;
    }
    const LegendeTableur l = g.Legend();
    l.setBorderWeight(1);
    l.setShadow(true);
    l.setWidth(199);
    l.setHeight(50);
    l.setLeft(480);
    // Sous le titre plutôt que sur lui.
    l.setTop(36);
    l.setWidth(247);
    l.setFontSize(m_demande.courbes->GestionExportExcel().TaillePoliceAxes);
}

// L'année, ou les années de la chronique, dans une zone de texte en haut à gauche.
void AnnuaireTableur::boiteAnnee(const GraphiqueTableur& g, bool sombre) const
{
    const int debut = anneeDebut(), fin = anneeFin();
    const ZoneTexteTableur z = g.AddTextbox(1, 32.25, 13.25, 7.5, 7.5);
    z.setFontSize(m_demande.courbes->GestionExportExcel().TaillePoliceTitre);
    z.setText(m_demande.courbeAnnuelle || debut == fin ? QString::number(debut)
                                                       : QStringLiteral("%1-%2").arg(debut).arg(fin));
    if (sombre)
        z.setFontColorIndex(2);
    z.ScaleWidth(27.02);
    z.ScaleHeight(6.23);
}

bool AnnuaireTableur::executer()
{
    if (!m_demande.courbes || !preparerTexte())
        return false;
    coller();
    const GraphiqueTableur g = creerGraphique();
    if (!g.valide())
        return false;
    ecrireSeries(g);
    axesValeurs(g);
    axeTemps(g);
    habillage(g);
    return true;
}
