#include "output/exports/ExportGraphiqueTableur.h"

#include "output/classeur/LignesFeuille.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "commun/messages/Messages.h"
#include "data/FenetreProgression.h"
#include "model/Classe_Graphiques.h"
#include "model/options/GestionExportExcel.h"
#include "output/classeur/GraphiqueXlsx.h"
#include "output/classeur/TexteXlsx.h"
#include "output/exports/BlocSuperposition.h"
#include "output/exports/CorrespondancesTableur.h"
#include "output/exports/EchelleTemps.h"
#include "output/exports/TexteExport.h"
#include "output/tableur/ApplicationTableur.h"
#include "output/tableur/AxeTableur.h"
#include "output/tableur/CouleursTableur.h"
#include "output/tableur/LegendeTableur.h"
#include "output/tableur/SerieTableur.h"
#include "output/tableur/ZoneTexteTableur.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

using namespace ConstantesTableur;
using namespace CorrespondancesTableur;
using namespace TexteExport;

namespace {

constexpr int kLignesEntreMessages = 117;

QString NomIndicateur(const QString& code)
{
    static const QStringList noms = {QStringLiteral("Pluie"), QStringLiteral("Pluie efficace"), QStringLiteral("Etp"),
                                     QStringLiteral("Paramètre 1"), QStringLiteral("Paramètre 2"),
                                     QStringLiteral("Paramètre 3")};
    bool ok = false;
    const int n = code.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= noms.size() ? noms.at(n - 1) : QString();
}

QString Formule(const QString& feuille, int ligne1, int colonne, int ligne2)
{
    return QStringLiteral("=%1!R%2C%3:R%4C%3").arg(feuille).arg(ligne1).arg(colonne).arg(ligne2);
}

QString NomLitteral(const QString& texte)
{
    return QStringLiteral("=\"") + QString(texte).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Somme des écarts des points affichés, en millimètres.
double SommeEcarts(const Classe_Graphiques& courbes)
{
    double somme = 0;
    for (const CourbePtr& c : CourbesAffichees(courbes))
        for (int i = 0; i < c->NbValeurs(); ++i)
            if (const auto p = PointExportable(*c, i, 1, false))
                somme += p->valeur;
    return somme;
}

} // namespace

ExportGraphiqueTableur::ExportGraphiqueTableur(const Demande& demande, ApplicationTableur& tableur,
                                               FenetreProgression* progression)
    : m_demande(demande)
    , m_tableur(tableur)
    , m_progression(progression)
{
}

bool ExportGraphiqueTableur::etape(const QString& message)
{
    if (m_progression) {
        m_progression->message(message);
        m_progression->servir();
        if (m_progression->annulee())
            return false;
    }
    return true;
}

int ExportGraphiqueTableur::pasColonnes() const
{
    return Traits(m_demande.type).annuel && !m_demande.superposition ? 2 : 3;
}

bool ExportGraphiqueTableur::verifierDossier()
{
    const QFileInfo dossier(m_demande.cheminEdition);
    if (!m_demande.cheminEdition.trimmed().isEmpty() && dossier.isDir() && dossier.isWritable())
        return true;
    AfficherMessage(QStringLiteral("Erreur"), QStringLiteral("Impossible de trouver le répertoire de destination.\n"
                                                            "Vérifier le paramétrage de CheminEdition dans ")
                                                  + m_demande.nomProjet + QStringLiteral(".INI"));
    return false;
}

// La date d'un point, même sans valeur : la première colonne sert d'abscisses à toutes les séries.
QString ExportGraphiqueTableur::cellules(const Classe_Graphique& c, int r, int pas) const
{
    QString texte;
    if (r < c.NbValeurs())
        if (const auto instant = DateEtHeure(c.cellule(0, r), c.cellule(1, r)))
            texte = Nombre(JourSerie(*instant), m_demande.pointDecimal);
    texte += u'\t';
    if (const auto p = PointExportable(c, r, 1, false))
        texte += Nombre(p->valeur, m_demande.pointDecimal);
    return texte + (pas == 3 ? QStringLiteral("\t\t") : QStringLiteral("\t"));
}

QString ExportGraphiqueTableur::texteDonnees(const Classe_Graphiques& courbes, int& lignes, int& nombre)
{
    const std::vector<CourbePtr> prises = CourbesAffichees(courbes);
    nombre = int(prises.size());
    lignes = NombreLignes(prises);
    const int pas = pasColonnes();
    QString texte;
    for (const CourbePtr& c : prises) {
        if (!etape(QStringLiteral("Préparation de la courbe ") + c->Titre()))
            return {};
        texte += u'\t' + c->Titre() + (pas == 3 ? QStringLiteral("\t\t") : QStringLiteral("\t"));
    }
    texte += u'\r';
    const double avance = 50.0 / (lignes + 1);
    for (int r = 0; r < lignes; ++r) {
        for (const CourbePtr& c : prises)
            texte += cellules(*c, r, pas);
        texte += u'\r';
        if (m_progression) {
            m_progression->valeur(avance * (r + 1));
            if ((r + 1) % kLignesEntreMessages == 0 && !etape(QStringLiteral("Enregistrement des points %1/%2").arg(r + 1).arg(lignes)))
                return {};
        }
    }
    return texte;
}

void ExportGraphiqueTableur::formaterDates(int feuille, int lignes, int nombreCourbes, int pas) const
{
    ClasseurTableur* classeur = m_tableur.ActiveWorkbook();
    for (int k = 0; k < nombreCourbes && classeur; ++k) {
        const PlageTableur dates(classeur, feuille, 1, k * pas + 1, lignes + 1, k * pas + 1);
        dates.setNumberFormat(kFormatDates);
        // Assez large pour "31/12/2024 23:59:00" : une colonne étroite n'affiche que des #.
        dates.setColumnWidth(kLargeurDates);
    }
}

bool ExportGraphiqueTableur::tientDansUneFeuille(int lignes) const
{
    const QString refus = LignesFeuille::refus(lignes);
    if (refus.isEmpty())
        return true;
    AfficherMessage(QStringLiteral("Erreur"), refus);
    return false;
}

bool ExportGraphiqueTableur::collerDonnees()
{
    QString texte;
    if (m_demande.superposition) {
        const BlocSuperposition bloc =
            BlocSuperposition::Preparer(*m_demande.courbes, m_demande.coefficient, m_demande.pointDecimal, m_progression);
        texte = bloc.texte;
        m_lignes = bloc.nombreLignes;
        m_nombreCourbes = bloc.nombreCourbes;
        if (m_nombreCourbes == 0)
            return false;  // le message est déjà donné
    } else {
        // Compté avant de rien préparer : un refus ne coûte pas la mémoire du texte.
        if (!tientDansUneFeuille(NombreLignes(CourbesAffichees(*m_demande.courbes)))
            || (m_demande.nappes && !tientDansUneFeuille(NombreLignes(CourbesAffichees(*m_demande.nappes)))))
            return false;
        texte = texteDonnees(*m_demande.courbes, m_lignes, m_nombreCourbes);
    }
    if (m_nombreCourbes == 0 || m_lignes == 0) {
        AfficherMessage(QStringLiteral("Erreur"), QStringLiteral("Pas de données à exporter vers Excel"));
        return false;
    }
    if (!tientDansUneFeuille(m_lignes))
        return false;
    if (!etape(QStringLiteral("Ouverture d'Excel")))
        return false;
    m_reglages = {m_tableur.CellDragAndDrop(), m_tableur.DisplayStatusBar(), m_tableur.TransitionNavigKeys(),
                  m_tableur.MoveAfterReturn()};
    m_tableur.setDisplayalerts(false);
    m_tableur.workbooksAdd();
    m_tableur.viderPressePapiers();
    m_tableur.mettreDansPressePapiers(texte);
    m_tableur.GoTo(QStringLiteral("R1C1"));
    m_tableur.activesheetPaste();
    m_tableur.setCutCopyMode(false);
    formaterDates(m_tableur.ActiveWorkbook()->ActiveSheet(), m_lignes, m_nombreCourbes, pasColonnes());
    return true;
}

GraphiqueTableur ExportGraphiqueTableur::creerGraphique() const
{
    m_tableur.GoTo(QStringLiteral("R1C1:R%1C%2").arg(m_lignes + 1).arg(m_nombreCourbes * pasColonnes()));
    const GraphiqueTableur g = m_tableur.chartsAdd();
    g.setChartType(m_demande.variante == Variante::CumulMensuel ? kColonnesEmpilees : kColonnesGroupees);
    if (m_demande.courbe)
        g.setChartType(kLigne);
    g.setPlotBy(2);
    g.Location(1);
    return g;
}

void ExportGraphiqueTableur::ecrireSeries(const GraphiqueTableur& g) const
{
    const std::vector<CourbePtr> prises = CourbesAffichees(*m_demande.courbes);
    const int fin = m_lignes + 1;
    for (int k = 1; k <= int(prises.size()); ++k) {
        const Classe_Graphique& c = *prises[size_t(k - 1)];
        const SerieTableur s = k == 1 && g.nombreSeries() >= 1 ? g.SeriesCollection(1) : g.NewSeries();
        s.setXValues(Formule(QStringLiteral("Feuil1"), 2, 1, fin));
        s.setValues(Formule(QStringLiteral("Feuil1"), 2, (k - 1) * pasColonnes() + 2, fin));
        s.setName(NomLitteral(c.Titre()));
        s.setInteriorColor(Couleur(c.Couleur()));
        s.setBorderColor(Couleur(c.Couleur()));
        s.setBorderLineStyle(StyleTrait(c.Pattern()));
        if (const auto m = Marque(c.Symbol()))
            s.setMarkerStyle(*m);
        if (c.Symbol() != -1)
            s.setMarkerSize(10);
        s.setMarkerForegroundColor(Couleur(c.Couleur()));
    }
    if (prises.size() < 2)
        g.SeriesCollection(int(prises.size()) + 1).Delete();
    if (Traits(m_demande.type).ecarts)
        g.setOverlap(100);
}

namespace {

void ReglerAxeValeurs(const AxeTableur& axe, const Classe_Graphiques& c, bool aTitre, const QString& titre)
{
    const auto [bas, haut] = c.BornesAffichees();
    axe.setMinorUnitIsAuto(true);
    if (haut > bas) {
        axe.setMajorUnitIsAuto(false);
        axe.setMajorUnit((haut - bas) / std::max<int>(1, c.NbSeparations()));
        axe.setMinimumScale(bas);
        axe.setMaximumScale(haut);
        axe.setCrossesAt(bas);
    }
    axe.setHasTitle(aTitre);
    if (aTitre)
        axe.setAxisTitleText(titre);
}

// Positions des zones de texte, en points depuis le coin haut gauche du graphique.
constexpr double kGaucheNotes = 40;
constexpr double kHautNotes = 34;
constexpr double kLargeurNote = 320;
constexpr double kHauteurNote = 22;

} // namespace

void ExportGraphiqueTableur::axesValeurs(const GraphiqueTableur& g) const
{
    const GestionExportExcel& o = m_demande.courbes->GestionExportExcel();
    if (o.AfficherAxeProfondeur) {
        g.NewSeries();
        QString titre = o.LibelleAxeProfondeur;
        if (Traits(m_demande.type).courbeReference)
            titre = QStringLiteral("Précipitations en mm");
        else if (Traits(m_demande.type).ecarts)
            titre = QStringLiteral("Comparaison à la normale en mm");
        ReglerAxeValeurs(g.Axes(2, 1), *m_demande.courbes, o.AfficherTitreAxeProfondeur, titre);
    } else if (o.AfficherAxeNGF) {
        const SerieTableur s = g.NewSeries();
        s.setAxisGroup(2);
        g.Legend().supprimerEntree(g.nombreSeries());
        ReglerAxeValeurs(g.Axes(2, 2), *m_demande.courbes, o.AfficherTitreAxeNGF, o.LibelleAxeNGF);
    }
}

void ExportGraphiqueTableur::titresEtNotes(const GraphiqueTableur& g) const
{
    const GestionExportExcel& o = m_demande.courbes->GestionExportExcel();
    const bool fondSombre = m_demande.courbes->CouleurFond() >= 0 && m_demande.courbes->CouleurFond() <= 6;
    const int couleurTexte = fondSombre ? 2 : 0;
    g.setHasTitle(o.AfficherTitre);
    if (o.AfficherTitre) {
        const QString indicateur = NomIndicateur(m_demande.codeChargement);
        const bool estIndicateur = m_demande.typeDonnees.compare(QStringLiteral("INDICATEUR"), Qt::CaseInsensitive) == 0;
        g.setChartTitleText(estIndicateur && !indicateur.isEmpty() ? QStringLiteral("Indicateur: ") + indicateur
                                                                    : m_demande.titre);
        g.setChartTitleBold(true);
        g.setChartTitleSize(o.TaillePoliceTitre);
        g.setChartTitleColorIndex(couleurTexte);
    }
    QStringList notes;
    if (Traits(m_demande.type).ecarts) {
        const QString ecart = QStringLiteral("%1 mm").arg(Nombre(Round(SommeEcarts(*m_demande.courbes), 1), m_demande.pointDecimal));
        notes << (m_demande.statistiquesMeteoFrance ? QStringLiteral("Ecart à la normale: ")
                                                    : QStringLiteral("Ecart moyenne de la série: "))
                     + ecart;
        if (m_demande.statistiquesMeteoFrance && !m_demande.titreStatistiqueMeteoFrance.isEmpty())
            notes << m_demande.titreStatistiqueMeteoFrance;
    }
    if (o.AfficherAquifere)
        notes << (m_demande.aquifere.trimmed().isEmpty() ? QStringLiteral("Aquifère inconnu") : m_demande.aquifere);
    for (qsizetype i = 0; i < notes.size(); ++i) {
        const ZoneTexteTableur z = g.AddTextbox(1, kGaucheNotes, kHautNotes + double(i) * kHauteurNote, kLargeurNote, kHauteurNote);
        z.setText(notes.at(i));
        z.setFontSize(o.TaillePoliceAxes);
        z.setFontColorIndex(couleurTexte);
    }
}

void ExportGraphiqueTableur::axeTemps(const GraphiqueTableur& g) const
{
    const GestionExportExcel& o = m_demande.courbes->GestionExportExcel();
    // Les cumuls du graphique annuel montrent toutes les années de statistiques, chargées au-delà de l'année affichée.
    const Classe_Graphiques& c = *m_demande.courbes;
    const bool cumuls = Traits(m_demande.type).annuel && EstCumul(m_demande.variante);
    const QDate debut = LireDate((cumuls ? c.DateDebutChargement() : c.DateDebutAffichage()).trimmed()).value_or(QDate());
    const QDate fin = LireDate((cumuls ? c.DateFinChargement() : c.DateFinAffichage()).trimmed()).value_or(QDate());
    const EchelleTemps e = EchelleTemps::choisir(m_demande.periode, m_demande.type, m_demande.variante, debut, fin);
    const bool auto_ = o.TypeAxeX.compare(QStringLiteral("AUTO"), Qt::CaseInsensitive) == 0 || o.FormatAxeX.isEmpty();
    e.appliquer(g.Axes(1, 1), debut, fin, auto_ ? QString() : o.FormatAxeX);
    // L'axe X des piézomètres, en nombres de jours, suit celui des pluies.
    if (debut.isValid() && fin.isValid()) {
        g.Axes(1, 2).setMinimumScale(double(SerieDate(debut)));
        g.Axes(1, 2).setMaximumScale(double(SerieDate(fin)));
    }
}

void ExportGraphiqueTableur::disposition(const GraphiqueTableur& g) const
{
    const Classe_Graphiques& c = *m_demande.courbes;
    const GestionExportExcel& o = c.GestionExportExcel();
    const int couleurTexte = c.CouleurFond() >= 0 && c.CouleurFond() <= 6 ? 2 : 0;
    for (const auto& [type, groupe] : {std::pair{1, 1}, {2, 1}, {2, 2}}) {
        const AxeTableur axe = g.Axes(type, groupe);
        axe.setTickLabelsFontSize(o.TaillePoliceAxes);
        axe.setTickLabelsColorIndex(couleurTexte);
        axe.setHasMajorGridlines(type == 1 ? c.GrilleX() : groupe == 1 && c.GrilleY());
        axe.setMajorGridlinesColorIndex(15);
    }
    // La légende va sous le tracé et ses dates, sur toute sa largeur : elle ne couvre aucune courbe.
    // Avec les nappes ou les débits, le tracé laisse aussi la place des étiquettes et du titre de l'axe de droite.
    const bool axeDroit = Traits(m_demande.type).deuxGraphiques && m_demande.nappes;
    g.setPlotAreaLeft(axeDroit ? 62 : 30);
    g.setPlotAreaTop(o.AfficherTitre ? 40 : 16);
    g.setPlotAreaWidth(axeDroit ? 626 : o.AfficherLegende ? 653 : 670);
    g.setPlotAreaHeight(o.AfficherLegende ? 410 : 470);
    g.setHasLegend(o.AfficherLegende);
    if (o.AfficherLegende) {
        const LegendeTableur l = g.Legend();
        l.setLeft(30);
        l.setTop(486);
        l.setWidth(694);
        l.setHeight(44);
        l.setFontSize(o.TaillePoliceAxes);
        l.setBorderWeight(1);
        l.setShadow(true);
    }
    g.setChartAreaInteriorColor(Couleur(c.CouleurFond()));
}

bool ExportGraphiqueTableur::collerNappes()
{
    ClasseurTableur* classeur = m_tableur.ActiveWorkbook();
    const QString texte = texteDonnees(*m_demande.nappes, m_lignesNappes, m_nombreNappes);
    if (!classeur || m_nombreNappes == 0 || m_lignesNappes == 0)
        return false;
    if (classeur->indiceFeuille(QStringLiteral("Feuil2")) < 0)
        classeur->ajouterFeuille(QStringLiteral("Feuil2"));
    m_tableur.sheetsSelect(QStringLiteral("Feuil2"));
    m_tableur.mettreDansPressePapiers(texte);
    m_tableur.GoTo(QStringLiteral("R1C1"));
    m_tableur.activesheetPaste();
    m_tableur.setCutCopyMode(false);
    formaterDates(classeur->ActiveSheet(), m_lignesNappes, m_nombreNappes, pasColonnes());
    m_tableur.sheetsSelect(QStringLiteral("Graph1"));
    return true;
}

void ExportGraphiqueTableur::seriesNappes(const GraphiqueTableur& g) const
{
    const bool piezometres = Traits(m_demande.type).piezometres();
    const std::vector<CourbePtr> puits = CourbesAffichees(*m_demande.nappes);
    for (int j = 0; j < int(puits.size()); ++j) {
        const SerieTableur s = g.NewSeries();
        const QString nom = QStringLiteral("Piézomètre");
        const QString titre = puits[size_t(j)]->Titre();
        s.setName(NomLitteral(!piezometres ? titre : puits.size() == 1 ? nom : nom + u' ' + titre));
        s.setXValues(Formule(QStringLiteral("Feuil2"), 2, j * pasColonnes() + 1, m_lignesNappes + 1));
        s.setValues(Formule(QStringLiteral("Feuil2"), 2, j * pasColonnes() + 2, m_lignesNappes + 1));
        s.setAxisGroup(2);
        s.setChartType(kNuageLignesSansMarque);
        s.setBorderColor(Couleur(puits[size_t(j)]->Couleur()));
        s.setBorderLineStyle(StyleTrait(puits[size_t(j)]->Pattern()));
    }
}

// L'axe des nappes (ou des débits d'une station) se lit comme celui de l'écran : mêmes bornes et graduations, même titre, et
// en profondeur, des mètres positifs qui croissent vers le bas.
void ExportGraphiqueTableur::axeNappes(const GraphiqueTableur& g) const
{
    const AxeTableur axe = g.Axes(2, 2);
    const auto [mini, maxi] = m_demande.nappes->BornesAffichees();
    if (maxi > mini) {
        axe.setMinorUnitIsAuto(true);
        axe.setMajorUnitIsAuto(false);
        axe.setMajorUnit((maxi - mini) / std::max<int>(1, m_demande.nappes->NbSeparations()));
        axe.setMinimumScale(mini);
        axe.setMaximumScale(maxi);
    }
    // Les niveaux restent rangés tels quels (négatifs en profondeur) ; l'axe les écrit sans signe, comme
    // l'écran : la profondeur se lit positive et croît vers le bas.
    const bool piezometres = Traits(m_demande.type).piezometres();
    if (piezometres && m_demande.modeProfondeur)
        axe.setTickLabelsNumberFormat(QStringLiteral("0.0#;0.0#"));
    const QString texte = !piezometres ? m_demande.unite
                          : m_demande.modeProfondeur ? QStringLiteral("Profondeur en m") : QStringLiteral("Cote NGF en m");
    const bool titre = m_demande.courbes->GestionExportExcel().AfficherTitreAxeNGF && !texte.isEmpty();
    axe.setHasTitle(titre);
    if (titre)
        axe.setAxisTitleText(texte);
}

void ExportGraphiqueTableur::nappes(const GraphiqueTableur& g)
{
    if (!Traits(m_demande.type).deuxGraphiques || !m_demande.nappes
        || !collerNappes())
        return;
    seriesNappes(g);
    axeNappes(g);
}

QString ExportGraphiqueTableur::NomFichier(const Demande& d)
{
    QString nom;
    if (Traits(d.type).piezometres())
        nom = QStringLiteral("Pluvio_piezo ") + d.station;
    switch (d.formatNommage) {
    case 1: nom += d.texteEntete1 + u' ' + d.texteEntete2; break;
    case 2: nom += d.texteEntete2 + u' ' + d.texteEntete1; break;
    default: nom += d.texteEntete1; break;
    }
    // Une apostrophe, un séparateur de dossier ou un caractère de contrôle ne restent pas dans le nom.
    static const QRegularExpression interdits(QStringLiteral("['/\\\\:*?\"<>|\\x00-\\x1F\\x7F]"));
    nom.replace(interdits, QStringLiteral(" "));
    nom = nom.trimmed().left(200);
    if (nom.isEmpty())
        nom = QStringLiteral("Graphique");
    QString dossier = d.cheminEdition;
    if (!dossier.isEmpty() && !dossier.endsWith(u'/') && !dossier.endsWith(u'\\'))
        dossier += u'/';
    return dossier + nom + u'.' + d.extension;
}

bool ExportGraphiqueTableur::RemplacementAccepte(const QString& chemin)
{
    return !QFileInfo::exists(chemin)
           || AfficherMessage(QStringLiteral("Question"), QStringLiteral("Le fichier « %1 » existe déjà. Le remplacer ?")
                                                              .arg(QDir::toNativeSeparators(chemin)))
                  == BoutonMessage::Oui;
}

ExportGraphiqueTableur::Resultat ExportGraphiqueTableur::enregistrer()
{
    Resultat r;
    ClasseurTableur* classeur = m_tableur.ActiveWorkbook();
    r.chemin = m_demande.cheminImpose.isEmpty() ? NomFichier(m_demande) : m_demande.cheminImpose;
    if (classeur && !classeur->SaveAs(r.chemin, r.erreur))
        AfficherMessage(QStringLiteral("Erreur"), r.erreur);
    r.enregistre = classeur && r.erreur.isEmpty();
    etape(QStringLiteral("Affichage du résultat"));
    m_tableur.setCellDragAndDrop(m_reglages.glisser);
    m_tableur.setDisplayStatusBar(m_reglages.barre);
    m_tableur.setTransitionNavigKeys(m_reglages.transition);
    m_tableur.setMoveAfterReturn(m_reglages.deplacement);
    m_tableur.quit();
    // Le fichier de travail que laissait le tableur dans le dossier d'édition.
    if (m_demande.cheminImpose.isEmpty())
        QFile::remove(QDir(m_demande.cheminEdition).filePath(QStringLiteral("GraphiqueTemp.") + m_demande.extension));
    return r;
}

ExportGraphiqueTableur::Resultat ExportGraphiqueTableur::executer()
{
    if (!etape(QStringLiteral("Recherche de fonction Excel")) || !m_demande.courbes)
        return {};
    if (m_demande.cheminImpose.isEmpty() && !verifierDossier())
        return {};
    if (!collerDonnees() || !etape(QStringLiteral("Création des courbes")))
        return {};
    const GraphiqueTableur g = creerGraphique();
    ecrireSeries(g);
    axesValeurs(g);
    titresEtNotes(g);
    axeTemps(g);
    disposition(g);
    nappes(g);
    if (m_progression && m_progression->annulee())
        return {};
    return enregistrer();
}
