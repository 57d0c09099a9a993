#include "commun/LocaleUtilisateur.h"
#include "commun_tests/MagasinTemporaire.h"
#include "data/FenetreProgression.h"
#include "data/Periodes.h"
#include "model/Classe_Graphiques.h"
#include "output/ArchiveZipTests.h"
#include "output/LectureXmlTests.h"
#include "output/exports/AnnuaireTableur.h"
#include "output/exports/BlocSuperposition.h"
#include "output/exports/EchelleTemps.h"
#include "output/exports/ExportGraphiqueTableur.h"
#include "output/exports/TexteExport.h"
#include "output/tableur/ApplicationTableur.h"
#include "commun/messages/MessagesEnregistres.h"

#include <QDir>
#include <QFile>
#include <QRectF>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace {

struct PointEssai
{
    QDate date;
    std::optional<double> valeur;
    QString continuite = QStringLiteral("0");
};

CourbePtr Courbe(const QString& titre, int couleur, const std::vector<PointEssai>& points)
{
    TableauValeurs t(6, int(points.size()));
    for (int i = 0; i < int(points.size()); ++i) {
        t.definir(0, i, points[size_t(i)].date.toString(QStringLiteral("dd/MM/yyyy")));
        t.definir(1, i, QStringLiteral("00:00:00"));
        if (points[size_t(i)].valeur)
            t.definir(2, i, *points[size_t(i)].valeur);
        t.definir(4, i, points[size_t(i)].continuite);
    }
    auto c = std::make_shared<Classe_Graphique>();
    c->setCle(titre);
    c->setTitre(titre);
    c->setCouleur(couleur);
    c->setAfficher(true);
    c->AjouterValeurs(t);
    return c;
}

// Douze mois d'une année, la valeur du mois m valant m × facteur.
CourbePtr Mensuelle(const QString& titre, int annee, double facteur)
{
    std::vector<PointEssai> points;
    for (int m = 1; m <= 12; ++m)
        points.push_back({QDate(annee, m, 1), m * facteur});
    return Courbe(titre, 1, points);
}

// Le cadre placé à la main d'un élément du graphique, en fractions de la zone du graphique.
QRectF Cadre(const QDomDocument& graphique, const char* element)
{
    using namespace LectureXmlTests;
    const QDomElement m = Premier(graphique.documentElement().firstChildElement("c:chart").firstChildElement(element), "c:manualLayout");
    return QRectF(Val(m, "c:x").toDouble(), Val(m, "c:y").toDouble(), Val(m, "c:w").toDouble(), Val(m, "c:h").toDouble());
}

class Annulation : public FenetreProgression
{
public:
    void message(const QString& texte) override { messages << texte; }
    bool annulee() override { return messages.size() >= apres; }
    QStringList messages;
    qsizetype apres = 1000000;
};

class Exports : public ::testing::Test
{
protected:
    Exports()
    {
        LocaleUtilisateur::definir(QLocale(QLocale::French, QLocale::France));
        courbes.setDateDebutChargement(QStringLiteral("01/01/2023"));
        courbes.setDateFinChargement(QStringLiteral("31/12/2023"));
        courbes.setDateDebutAffichage(QStringLiteral("01/01/2023"));
        courbes.setDateFinAffichage(QStringLiteral("31/12/2023"));
        courbes.setMinDonnees(0);
        courbes.setMaxDonnees(60);
        demande.courbes = &courbes;
        demande.cheminEdition = edition.path() + u'/';
        demande.nomProjet = QStringLiteral("KOR");
        demande.texteEntete1 = QStringLiteral("76402001");
        demande.texteEntete2 = QStringLiteral("Port-Aubin");
        demande.titre = QStringLiteral("Pluviomètre - Port-Aubin (76402001)");
        demande.periode = Periode::Mois;
        demande.courbe = true;
    }

    // Le classeur exporté, ou rien quand aucun fichier n'a été écrit.
    std::optional<QString> exporter(FenetreProgression* progression = nullptr)
    {
        ApplicationTableur tableur;
        const auto r = ExportGraphiqueTableur(demande, tableur, progression).executer();
        if (!r.enregistre)
            return std::nullopt;
        EXPECT_TRUE(QFile::exists(r.chemin));
        return r.chemin;
    }

    static QString Partie(const QString& chemin, const QString& nom)
    {
        ArchiveZipTests archive(chemin);
        const auto octets = archive.lire(nom);
        if (!octets)
            return {};
        LectureXmlTests::Dom(*octets);  // bien formé, sinon échec
        return QString::fromUtf8(*octets);
    }

    QStringList fichiersEdition() const { return QDir(edition.path()).entryList(QDir::Files | QDir::Hidden); }

    MagasinTemporaire magasin;
    MessagesEnregistres messages;
    QTemporaryDir edition;
    Classe_Graphiques courbes;
    ExportGraphiqueTableur::Demande demande;
};

TEST_F(Exports, BlocDUneCourbeJourParJourAvecTrousCoupuresEtCoefficient)
{
    courbes.setDateDebutChargement(QStringLiteral("01/03/2024"));
    courbes.setDateFinChargement(QStringLiteral("10/03/2024"));
    courbes.AjouterCourbe(Courbe(QStringLiteral("Puits"), 2,
                                 {{QDate(2024, 3, 1), 10.5},
                                  {QDate(2024, 3, 3), 2},
                                  {QDate(2024, 3, 3), 99},  // même jour : le premier point compte
                                  {QDate(2024, 3, 7), 4, QStringLiteral("1")},
                                  {QDate(2024, 3, 8), std::nullopt}}));
    const BlocSuperposition bloc = BlocSuperposition::Preparer(courbes, -1, false, nullptr);
    EXPECT_EQ(bloc.nombreCourbes, 1);
    const QStringList lignes = bloc.texte.split(u'\r', Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), 11);  // l'en-tête et un jour par ligne
    // 01/03/2024 = jour 45352 du tableur ; virgule décimale du poste, signe changé.
    EXPECT_EQ(lignes.mid(0, 4), (QStringList{"Puits\t\t\t", "45352\t-10,5\t\t", "\t\t\t", "45354\t-2\t\t"}));
    EXPECT_EQ(lignes.mid(7, 2), (QStringList{"\t\t\t", "\t\t\t"}));  // coupure, puis valeur vide
    EXPECT_TRUE(messages.textes().isEmpty());

    const BlocSuperposition point = BlocSuperposition::Preparer(courbes, 1, true, nullptr);
    EXPECT_EQ(point.texte.split(u'\r').at(1), "45352\t10.5\t\t");
}

TEST_F(Exports, BlocDePlusieursCourbesPointParPointEtSansCourbeAffichee)
{
    courbes.AjouterCourbe(Courbe(QStringLiteral("A"), 1, {{QDate(2020, 5, 1), 1}, {QDate(2020, 5, 2), 2}}));
    courbes.AjouterCourbe(Courbe(QStringLiteral("B"), 2, {{QDate(2019, 1, 1), 3}}));
    Annulation suivi;
    const BlocSuperposition bloc = BlocSuperposition::Preparer(courbes, 1, true, &suivi);
    EXPECT_EQ(bloc.nombreLignes, 2);
    EXPECT_EQ(bloc.texte.split(u'\r').at(2), "43953\t2\t\t\t\t\t");  // 02/05/2020 ; B n'a plus de point
    EXPECT_TRUE(suivi.messages.contains("Préparation de la courbe B"));

    courbes.MajAfficher(1, false);
    courbes.MajAfficher(2, false);
    const BlocSuperposition vide = BlocSuperposition::Preparer(courbes, 1, true, nullptr);
    EXPECT_TRUE(vide.texte.isEmpty());
    EXPECT_EQ(messages.textes(), QStringList{"Pas de données à exporter vers Excel"});
}

TEST_F(Exports, NomDuFichierSelonLeFormatDeNommage)
{
    demande.texteEntete2 = QStringLiteral("L'Étang/Nord");
    demande.cheminEdition = QStringLiteral("/exports");
    const std::pair<int, const char*> noms[] = {
        {0, "76402001.xlsx"}, {1, "76402001 L Étang Nord.xlsx"}, {2, "L Étang Nord 76402001.xlsx"}};
    for (const auto& [format, nom] : noms) {
        demande.formatNommage = format;
        EXPECT_EQ(ExportGraphiqueTableur::NomFichier(demande), QStringLiteral("/exports/") + QString::fromUtf8(nom));
    }
    demande.type = TypeGraph::PluvioPiezo;
    demande.station = QStringLiteral("Forage");
    demande.formatNommage = 0;
    demande.extension = QStringLiteral("xls");
    // Le piézomètre puis l'en-tête, collés comme l'ordre des noms les joint.
    EXPECT_EQ(ExportGraphiqueTableur::NomFichier(demande), "/exports/Pluvio_piezo Forage76402001.xls");
}

TEST_F(Exports, CourbesEnLignesSurUnAxeDeMois)
{
    courbes.AjouterCourbe(Mensuelle(QStringLiteral("Pluie"), 2023, 5));
    courbes.AjouterCourbe(Mensuelle(QStringLiteral("Normale"), 2023, 3));
    const auto chemin = exporter();
    ASSERT_TRUE(chemin);
    const QString graphique = Partie(*chemin, QStringLiteral("xl/charts/chart1.xml"));
    // Genre, plages et titre du graphique : relus par openpyxl dans tests/apps.
    LectureXmlTests::Contient(graphique, {"<c:baseTimeUnit val=\"months\"/>", "formatCode=\"mm/yy\"", "Précipitations en mm"});
    // Colonnes de dates assez larges pour ne pas s'afficher en #, et la page graphique en paysage.
    LectureXmlTests::Contient(Partie(*chemin, "xl/worksheets/sheet1.xml"),
                              {"<col min=\"1\" max=\"1\" width=\"19\" customWidth=\"1\"/>", "<col min=\"4\" max=\"4\" width=\"19\""});
    EXPECT_TRUE(Partie(*chemin, QStringLiteral("xl/chartsheets/sheet1.xml")).contains(QStringLiteral("orientation=\"landscape\"")));
}

TEST_F(Exports, GenresQuiChangentLeGraphique)
{
    courbes.AjouterCourbe(Mensuelle(QStringLiteral("Année"), 2023, 5));
    courbes.AjouterCourbe(Mensuelle(QStringLiteral("Médiane"), 2023, 4));
    demande.type = TypeGraph::Annee;
    demande.courbe = false;
    demande.variante = Variante::CumulMensuel;
    // Les cumuls montrent toutes les années de statistiques, chargées au-delà de l'année affichée.
    courbes.setDateDebutChargement(QStringLiteral("01/01/1990"));
    QString g = Partie(*exporter(), QStringLiteral("xl/charts/chart1.xml"));
    LectureXmlTests::Contient(g, {"<c:baseTimeUnit val=\"years\"/>", "<c:min val=\"32874\"/>"});  // 01/01/1990

    courbes.SupprimerCourbe(2);
    demande.type = TypeGraph::comparaisonNormale;
    demande.variante = Variante::Aucune;
    const QString chemin = *exporter();
    g = Partie(chemin, QStringLiteral("xl/charts/chart1.xml"));
    EXPECT_EQ(g.count(QStringLiteral("<c:ser>")), 1);  // une courbe : aucune série de trop
    EXPECT_TRUE(g.contains(QStringLiteral("Comparaison à la normale en mm")));
    // 5 + 10 + … + 60 = 390 mm d'écart.
    LectureXmlTests::Contient(Partie(chemin, "xl/drawings/drawing2.xml"), {"Ecart moyenne de la série: 390 mm"});
}

// Les nappes se lisent comme à l'écran : en profondeur, des mètres positifs qui croissent vers le
// bas sous le titre de l'écran ; en cote, les valeurs telles quelles ; les débits d'une station sous
// leur unité. La légende et l'axe de droite restent hors du tracé et de ses dates.
TEST_F(Exports, NappesLuesCommeALEcranLegendeHorsDuTrace)
{
    using namespace LectureXmlTests;
    courbes.AjouterCourbe(Mensuelle(QStringLiteral("Pluie"), 2023, 5));
    Classe_Graphiques nappes;
    nappes.AjouterCourbe(Courbe(QStringLiteral("Forage"), 4, {{QDate(2023, 1, 1), -12}, {QDate(2023, 6, 1), -10}}));
    nappes.setMinDonnees(-20);
    nappes.setMaxDonnees(0);
    nappes.setNbSeparations(4);
    demande.nappes = &nappes;
    demande.courbe = false;
    messages.setReponseParDefaut(true);
    struct Cas
    {
        TypeGraph type;
        bool profondeur;
        const char* titre;  // vide : l'axe sans titre
    };
    const Cas cas[] = {{TypeGraph::PluvioPiezo, true, ""}, {TypeGraph::PluvioPiezo, false, "Cote NGF en m"},
                       {TypeGraph::PluvioStation, false, "m³/s"}};
    for (const auto& [type, profondeur, titre] : cas) {
        demande.type = type;
        demande.unite = QStringLiteral("m³/s");
        demande.modeProfondeur = profondeur;
        demande.coefficient = profondeur ? -1 : 1;
        // Le titre de l'axe des nappes suit l'option du classeur : sans elle en profondeur, avec en cote.
        GestionExportExcel options = courbes.GestionExportExcel();
        options.AfficherTitreAxeNGF = !profondeur;
        courbes.setGestionExportExcel(options);
        const auto chemin = exporter();
        ASSERT_TRUE(chemin);
        const QDomDocument g = Dom(Partie(*chemin, QStringLiteral("xl/charts/chart1.xml")).toUtf8());
        QDomElement droit;
        for (const QDomElement& axe : Elements(g, QStringLiteral("c:valAx")))
            if (Val(axe, QStringLiteral("c:axPos")) == "r")
                droit = axe;
        ASSERT_FALSE(droit.isNull());
        const QDomElement echelle = droit.firstChildElement(QStringLiteral("c:scaling"));
        // Les niveaux rangés tels quels ; en profondeur, l'axe les écrit sans signe : 20 en bas, 0 en haut.
        EXPECT_EQ(Val(echelle, "c:orientation"), "minMax");
        EXPECT_EQ(std::tuple(Val(echelle, "c:min").toDouble(), Val(echelle, "c:max").toDouble(), Val(droit, "c:majorUnit").toDouble()),
                  std::tuple(-20.0, 0.0, 5.0));
        EXPECT_EQ(droit.firstChildElement("c:numFmt").attribute("formatCode"), profondeur ? "0.0#;0.0#" : "General");
        EXPECT_EQ(droit.firstChildElement("c:title").isNull(), profondeur);
        EXPECT_EQ(TexteRiche(droit.firstChildElement("c:title")), QString::fromUtf8(titre));

        const QRectF trace = Cadre(g, "c:plotArea"), legende = Cadre(g, "c:legend");
        ASSERT_GT(trace.height(), 0.5);
        // Une ligne de dates tient entre le bas du tracé et la légende ; les étiquettes et le titre de chaque axe de valeurs à côté.
        EXPECT_GE(legende.top() - trace.bottom(), 0.04);
        EXPECT_GE(trace.left(), 0.06);
        EXPECT_GE(1 - trace.right(), 0.1);
    }
}

TEST_F(Exports, DossierAbsentPasDeDonneesOuAnnulationNEcriventRien)
{
    courbes.AjouterCourbe(Mensuelle(QStringLiteral("Pluie"), 2023, 5));
    demande.cheminEdition = edition.path() + QStringLiteral("/absent/");
    EXPECT_FALSE(exporter());
    ASSERT_EQ(messages.textes().size(), 1);
    EXPECT_EQ(messages.textes().at(0), "Impossible de trouver le répertoire de destination.\n"
                                       "Vérifier le paramétrage de CheminEdition dans KOR.INI");
    EXPECT_EQ(messages.messages().at(0).type, "Erreur");

    messages.vider();
    demande.cheminEdition = edition.path();
    courbes.MajAfficher(1, false);
    EXPECT_FALSE(exporter());
    EXPECT_EQ(messages.textes(), QStringList{"Pas de données à exporter vers Excel"});

    courbes.MajAfficher(1, true);
    Annulation annulation;
    annulation.apres = 3;
    EXPECT_FALSE(exporter(&annulation));
    EXPECT_TRUE(fichiersEdition().isEmpty());
}

TEST_F(Exports, TitresHostilesDonnentUnClasseurValide)
{
    const QString hostile = QStringLiteral("\"Puits\" l'<eau> & \x01\x1F co") + QString(10000, u'x');
    courbes.AjouterCourbe(Mensuelle(hostile, 2023, 1));
    demande.titre = hostile;
    demande.texteEntete1 = hostile;
    const auto chemin = exporter();
    ASSERT_TRUE(chemin);
    EXPECT_LE(QFileInfo(*chemin).completeBaseName().size(), 200);
    const QString g = Partie(*chemin, QStringLiteral("xl/charts/chart1.xml"));
    EXPECT_TRUE(g.contains(QStringLiteral("&quot;Puits&quot; l'&lt;eau&gt; &amp;  co")) ||
                g.contains(QStringLiteral("\"Puits\" l'&lt;eau&gt; &amp;  co")));
    LectureXmlTests::Contient(Partie(*chemin, "xl/sharedStrings.xml"), {"&lt;eau&gt; &amp;"});
}

class Annuaire : public Exports
{
protected:
    bool executer(ApplicationTableur& tableur, bool annuelle, bool automatique = false,
                  FenetreProgression* progression = nullptr)
    {
        AnnuaireTableur::Demande d;
        d.courbes = &courbes;
        d.courbeAnnuelle = annuelle;
        d.automatique = automatique;
        d.pointDecimal = true;
        return AnnuaireTableur(d, tableur, progression).executer();
    }

    static QString Graphique(ApplicationTableur& tableur, const QString& chemin)
    {
        QString erreur;
        EXPECT_TRUE(tableur.ActiveWorkbook()->SaveAs(chemin, erreur)) << erreur.toStdString();
        return Partie(chemin, QStringLiteral("xl/charts/chart1.xml"));
    }
};

TEST_F(Annuaire, CourbeAnnuelleDansUnClasseurNeuf)
{
    courbes.AjouterCourbe(Courbe(QStringLiteral("Pluie"), 3,
                                 {{QDate(2023, 1, 1), 4}, {QDate(2023, 1, 2), 7, QStringLiteral("1")}, {QDate(2023, 1, 3), 1}}));
    ApplicationTableur tableur;
    ASSERT_TRUE(executer(tableur, true));
    const FeuilleXlsx* donnees = tableur.ActiveWorkbook()->xlsx().feuille(1);
    ASSERT_TRUE(donnees);
    EXPECT_EQ(donnees->cellule(2, 2)->nombre, 4);
    // Coupure : ni date ni valeur, la ligne du graphique s'interrompt.
    EXPECT_EQ(donnees->cellule(3, 1)->genre, FeuilleXlsx::Genre::Vide);
    EXPECT_FALSE(donnees->cellule(3, 2));
    EXPECT_EQ(donnees->cellule(4, 1)->format, "DD/MM/YYYY hh:mm:ss");
    EXPECT_TRUE(tableur.pressePapiers().startsWith(QStringLiteral("Pluie\t\t\t\r")));

    const QString g = Graphique(tableur, edition.filePath(QStringLiteral("annuel.xlsx")));
    // Les plages des séries : relues par openpyxl dans tests/apps.
    LectureXmlTests::Contient(g, {"<c:smooth val=\"1\"/>", "<c:legendEntry><c:idx val=\"1\"/><c:delete val=\"1\"/>",
                                  "formatCode=\"mmm-yyyy\""});
    LectureXmlTests::Contient(Partie(edition.filePath("annuel.xlsx"), "xl/drawings/drawing2.xml"), {">2023<"});
}

TEST_F(Annuaire, ChroniqueCollleeEnAF1DuClasseurOuvert)
{
    courbes.setDateDebutAffichage(QStringLiteral("01/01/2019"));
    courbes.AjouterCourbe(Mensuelle(QStringLiteral("Niveau"), 2019, 1));
    ApplicationTableur tableur;
    ClasseurTableur& ouvert = tableur.workbooksAdd();
    ouvert.xlsx().definirTexte(0, 1, 1, QStringLiteral("Annuaire 2019-2023"));
    ASSERT_TRUE(executer(tableur, false));
    EXPECT_EQ(tableur.workbooksCount(), 1);
    const FeuilleXlsx* feuil1 = ouvert.xlsx().feuille(ouvert.indiceFeuille(QStringLiteral("Feuil1")));
    EXPECT_EQ(feuil1->cellule(1, 1)->texte, "Annuaire 2019-2023");  // rien d'écrasé
    // La colonne AF et les plages : relues par openpyxl dans tests/apps.
    Graphique(tableur, edition.filePath(QStringLiteral("chronique.xlsx")));
    LectureXmlTests::Contient(Partie(edition.filePath("chronique.xlsx"), "xl/drawings/drawing2.xml"), {">2019-2023<"});
}

TEST_F(Annuaire, SansDonneesOuArreteRienNestFait)
{
    ApplicationTableur tableur;
    EXPECT_FALSE(executer(tableur, true, true));
    EXPECT_TRUE(messages.textes().isEmpty());  // sans témoin : pas de message
    EXPECT_FALSE(executer(tableur, true, false));
    EXPECT_EQ(messages.textes(), QStringList{"Pas de données à exporter vers Excel. Afficher l'écran d'annuaire pour "
                                             "le calcul des courbes"});
    EXPECT_EQ(tableur.workbooksCount(), 0);

    courbes.AjouterCourbe(Mensuelle(QStringLiteral("Pluie"), 2023, 1));
    Annulation arret;
    arret.apres = 2;
    EXPECT_FALSE(executer(tableur, true, false, &arret));
    EXPECT_EQ(tableur.workbooksCount(), 0);
    EXPECT_TRUE(arret.messages.at(0).startsWith(QStringLiteral("Exportation vers Word (Courbe année 0/12)")));
}

// L'axe du temps du classeur selon la chaîne des périodes : unité de base, graduation, format.
TEST(EchelleTempsClasseur, UnitesParPeriodeEtDuree)
{
    using C = std::tuple<const char*, TypeGraph, const char*, int, int, int, double, const char*>;
    const QDate an(2023, 1, 1), fin(2023, 12, 31), longue(2049, 12, 31);
    const C cas[] = {
        // périodes, genre, variante, années, base, échelle majeure, unité majeure, format
        {"S", TypeGraph::edition, "", 1, 0, 1, 1, "dd/mm/yy"},
        {"S", TypeGraph::edition, "", 27, 0, 1, 12, "dd/mm/yy"},
        {"D", TypeGraph::edition, "", 1, 0, 0, 10, "dd/mm/yy"},
        {"M", TypeGraph::edition, "", 1, 1, 1, 1, "mm/yy"},
        {"M", TypeGraph::edition, "", 27, 1, 1, 12, "mm/yy"},
        {"A", TypeGraph::Annee, "CUMUL_MENSUEL", 27, 2, 2, 1, "yyyy"},
        {"T", TypeGraph::edition, "", 27, 1, 2, 1, "mm-yy"},
        {"A", TypeGraph::edition, "", 27, 2, 2, 1, "yyyy"},
        {"H", TypeGraph::edition, "", 27, 2, 2, 1, "yyyy"},
    };
    for (const auto& [periodes, genre, variante, annees, base, echelle, unite, format] : cas) {
        const EchelleTemps e = EchelleTemps::choisir(Periodes::periodeDesLettres(QString::fromLatin1(periodes)), genre,
                                                     VarianteDepuisTexte(QString::fromLatin1(variante)), an, annees == 1 ? fin : longue);
        EXPECT_EQ(std::tuple(e.uniteBase, e.echelleMajeure, e.uniteMajeure, e.formatParDefaut),
                  std::tuple(base, echelle, unite, QString::fromLatin1(format))) << periodes << " " << annees << " ans";
    }
}

// Les nombres du bloc sont ceux de QString::number(…, 'g', 15), à l'octet
// près : jours de série à la minute, pluies au dixième, valeurs quelconques,
// et ceux posés pile entre deux écritures à quinze chiffres.
TEST(TexteExportNombres, CommeQtAQuinzeChiffres)
{
    std::mt19937_64 tirage(7);
    std::uniform_real_distribution<double> jours(-50000, 50000);
    std::uniform_int_distribution<quint64> bits;
    std::vector<double> valeurs = {0.0, -0.0, 1e15, 1e16, 1e-5, 5e-324, 834301733816410.5, -299453494940610.5,
                                   -57211476358374.25, 45000.125};
    for (int i = 0; i < 30000; ++i) {
        const double j = jours(tirage);
        const quint64 b = bits(tirage);
        double quelconque = 0;
        std::memcpy(&quelconque, &b, sizeof quelconque);
        for (const double v : {j, std::round(j * 1440) / 1440, std::round(j * 10) / 10, j * 1e10, std::round(j * 1e10) + 0.5,
                               quelconque})
            if (std::isfinite(v))
                valeurs.push_back(v);
    }
    int ecarts = 0;
    for (const double v : valeurs)
        if (TexteExport::Nombre(v, true) != QString::number(v, 'g', 15) && ++ecarts <= 5)
            ADD_FAILURE() << QString::number(v, 'g', 17).toStdString() << " : " << TexteExport::Nombre(v, true).toStdString();
    EXPECT_EQ(ecarts, 0);
}

} // namespace
