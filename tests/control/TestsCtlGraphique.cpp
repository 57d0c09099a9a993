#include "HoteTest.h"

#include "commun/ColonnesTypees.h"
#include "commun_tests/JourFixe.h"
#include "control/ChampDate.h"
#include "control/CtlToolBar.h"
#include "control/EnteteStations.h"
#include "control/GrilleTexte.h"
#include "control/JaugeProgression.h"
#include "control/VueGraphique.h"
#include "data/BaseDonnees.h"
#include "render/moteur/ProprietesMoteur.h"
#include "render/moteur/SortiesImage.h"
#include "commun/messages/MessagesEnregistres.h"

#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class Controle : public ::testing::Test
{
protected:
    void SetUp() override
    {
        formulaire.resize(1000, 700);
        ctl = new CtlGraphique(&formulaire);
        ctl->resize(1000, 700);
        formulaire.show();
        liste.ajouter("P001", "Saint-Martin", "pluvio");
        liste.ajouter("P002", "Les Essarts", "pluvio");
    }
    void init(TypeGraph type)
    {
        ctl->InitGraphique(type, &liste, "KOR", 0, "Exploitation", "", "", false, "10", "", nullptr, &fenetre, 12);
    }
    // La période chargée, par mois.
    Classe_Graphiques& moisCharges(const char* debut, const char* fin)
    {
        Classe_Graphiques& c = ctl->CollCourbes();
        c.setDateDebutChargement(QString::fromLatin1(debut));
        c.setDateFinChargement(QString::fromLatin1(fin));
        c.setCodePeriode("MOIS");
        c.setUniteAxeX("M");
        return c;
    }

    MagasinTemporaire magasin;
    JourFixe jour{QDate(2024, 3, 15)};
    FenetreHote fenetre;
    FormulaireHote formulaire;
    ListeStations liste;
    CtlGraphique* ctl = nullptr;
    Journal journal;
};

// Un hôte compilé contre les en-têtes installés a la taille de ces classes dans son code :
// leur état reste derrière un seul pointeur, et un membre ajouté ne la change pas.
TEST(InterfaceInstallee, UnSeulPointeurSurLEtat)
{
    constexpr std::size_t p = sizeof(void*);
    const struct
    {
        const char* classe;
        std::size_t taille, attendue;
    } cas[] = {
        {"CtlGraphique", sizeof(CtlGraphique), sizeof(QWidget) + p},
        {"CtlToolBar", sizeof(CtlToolBar), sizeof(QWidget) + p},
        {"ChampDate", sizeof(ChampDate), sizeof(QLineEdit) + p},
        {"EnteteStations", sizeof(EnteteStations), sizeof(QWidget) + p},
        {"ListeStations", sizeof(ListeStations), sizeof(QObject) + p},
        {"Classe_Graphique", sizeof(Classe_Graphique), sizeof(QObject) + p},
        {"Classe_Graphiques", sizeof(Classe_Graphiques), p},
        {"BaseDonnees", sizeof(BaseDonnees), 2 * p},  // et sa table virtuelle
    };
    for (const auto& c : cas)
        EXPECT_EQ(c.taille, c.attendue) << c.classe;
}

TEST_F(Controle, InitialisationDuGraphiqueAnnuel)
{
    init(TypeGraph::Annee);
    EXPECT_EQ(ctl->TxtAnnee()->texte(), "2024");
    EXPECT_EQ(ctl->CollCourbes().DateDebutChargement(), "01/01/2024");
    EXPECT_EQ(ctl->CollCourbes().DateFinChargement(), "31/12/2024");
    EXPECT_EQ(fenetre.noVersion, "Version graphique 6.0.1");

    // Les deux graphiques ont le même fond.
    EXPECT_EQ(ctl->GraphiqueSuperposePluvio().lire(Prop::CouleurFond).toInt(), ctl->Graphique().lire(Prop::CouleurFond).toInt());
    // L'en-tête liste les stations de l'hôte pour ce type.
    EXPECT_EQ(ctl->RecupSprEntete()->stations().size(), 2);
    EXPECT_EQ(ctl->RecupSprEntete()->CodeStation(), "P001");
    EXPECT_EQ(ctl->SprAide()->rowCount(), 2);
}

TEST_F(Controle, EnTeteEtDispositionParTypeDeGraphique)
{
    // L'en-tête n'est rempli que pour certains types.
    for (auto [type, stations] : {std::pair{TypeGraph::travail, 0}, {TypeGraph::reference, 0}, {TypeGraph::comparaisonNormale, 2}}) {
        init(type);
        EXPECT_EQ(ctl->RecupSprEntete()->stations().size(), stations) << NomTypeGraph(type).toStdString();
    }

    // Une fenêtre hôte sans membre de version et une liste absente : rien d'ajouté chez l'hôte.
    QObject sansMembre;
    ctl->InitGraphique(TypeGraph::edition, nullptr, "VANT", 1, "", "", "", true, "09", "", nullptr, &sansMembre, 3);
    EXPECT_FALSE(sansMembre.property("NoVersionGraphique").isValid());

    // Un outil caché l'est tout à fait : désactivé, sans bulle ; un type qui ne
    // nomme pas un champ lui laisse sa visibilité.
    for (TypeGraph type : {TypeGraph::annuaire, TypeGraph::travail, TypeGraph::reference, TypeGraph::Annee}) {
        CtlGraphique c(&formulaire);
        c.resize(1000, 700);
        c.setTypeGraphique(type);
        SCOPED_TRACE(NomTypeGraph(type).toStdString());
        for (int i = 0; i < CtlToolBar::nombreBoutons; ++i) {
            QToolButton* b = c.PaletteOutils()->bouton(i);
            EXPECT_EQ(b->isEnabled(), !b->isHidden()) << i;
            if (b->isHidden()) {
                EXPECT_TRUE(b->toolTip().isEmpty()) << i;
            }
        }
        EXPECT_EQ(c.PaletteOutils()->bouton(1)->isHidden(), type == TypeGraph::annuaire);
        EXPECT_EQ(!c.composant("FrmCourbeReference")->isHidden(), type == TypeGraph::reference);
        EXPECT_EQ(!c.composant("TxtAnnee")->isHidden(), type == TypeGraph::Annee);
        EXPECT_EQ(c.composant("TxtDateDebut")->isHidden(), type == TypeGraph::Annee);
    }
    // Chaque outil a son image, où l'on voit un dessin.
    QList<QImage> images;
    for (int i = 0; i < CtlToolBar::nombreBoutons; ++i) {
        const QImage image = ctl->PaletteOutils()->bouton(i)->icon().pixmap(22, 22).toImage();
        EXPECT_GT(compterPixels(image, image.rect(), [](QRgb p) { return qAlpha(p) > 128; }), 25) << i;
        EXPECT_FALSE(images.contains(image)) << i;
        images << image;
    }
    // Un type hors de 0..8 ne change rien.
    ctl->setTypeGraphique(TypeGraph::Annee);
    ctl->setProperty("TypeGraphique", 12);
    EXPECT_EQ(ctl->TypeGraphique(), TypeGraph::Annee);
    EXPECT_FALSE(ctl->TxtAnnee()->isHidden());
}

TEST_F(Controle, AffichageDesCourbesAuMoteur)
{
    init(TypeGraph::edition);
    journal.suivre(ctl->Graphique());
    ctl->AffichageGraphique(false, false, "MOIS");
    EXPECT_EQ(journal.lignes, (QStringList{"Graphique 20 - 9", "Graphique 21 - 1"}));

    Classe_Graphiques& c = moisCharges("01/01/2023", "31/12/2023");
    c.setMaxDonnees(120);
    const QDate janvier(2023, 1, 1);
    c.AjouterCourbe(courbe("Pluie", 11, serieMensuelle(janvier, 12, [](int, QDate d) { return pluieMensuelle(d); })));
    c.AjouterCourbe(courbe("Cachée", 4, serieMensuelle(janvier, 12, [](int, QDate) { return 50.0; }), false));
    c.AjouterCourbe(courbe("Vide", 5, TableauValeurs(7, 0)));
    c.AjouterCourbe(courbe("Etp", 10, serieMensuelle(janvier, 12, [](int i, QDate) { return 10.0 + 8 * i; })));
    ctl->Graphique().ecrire(Prop::TypeGraphe, 3);
    ctl->AffichageGraphique(false, false, "MOIS");
    MoteurGraphique& g = ctl->Graphique();
    // Deux jeux tracés : les courbes cachée et vide ne prennent pas de numéro.
    EXPECT_EQ(g.lire(Prop::NbJeux).toInt(), 2);
    EXPECT_EQ(g.lire(Prop::NbPoints).toInt(), 12);
    g.ecrire(Prop::Jeu, 2);
    EXPECT_EQ(g.lireIndexe(Prop::ValeurPoint, 12).toDouble(), 98.0);
    EXPECT_EQ(g.lireIndexe(Prop::CouleurPoint, 5).toInt(), 10);
    EXPECT_EQ(c.MaxAxeX(), 12.0);
    // Le graphique montre les deux jeux côte à côte.
    const QImage image = SortiesImage::image(g, QSize(800, 500));
    EXPECT_GT(pixelsDeCouleur(image, 11, image.rect()), 3000);
    EXPECT_GT(pixelsDeCouleur(image, 10, image.rect()), 1000);

    // En courbes cumulées, le cumul part de zéro.
    c.ViderCollection();
    ctl->setMaChaineTypeAffichage("COURBE");
    ctl->setIsCumul(true);
    c.AjouterCourbe(courbe("Pluie", 11, serieMensuelle(janvier, 12, [](int i, QDate) { return 10.0 * (i + 1); })));
    ctl->AffichageGraphique(false, false, "MOIS");
    EXPECT_EQ(g.lire(Prop::NbPoints).toInt(), 13);
    EXPECT_EQ(g.lireIndexe(Prop::ValeurPoint, 1).toDouble(), 0.0);
    EXPECT_EQ(g.lireIndexe(Prop::ValeurPoint, 2).toDouble(), 10.0);
    EXPECT_EQ(g.lireIndexe(Prop::ValeurPoint, 13).toDouble(), 120.0);
    // Les libellés de l'axe suivent les points, le premier sur le point de tête.
    EXPECT_EQ(g.lireIndexe(Prop::LibelleX, 1).toString(), "");
    EXPECT_EQ(g.lireIndexe(Prop::LibelleX, 2).toString(), "Jan");
}

TEST_F(Controle, ComparaisonALaNormaleEtEspacementDesLibelles)
{
    init(TypeGraph::comparaisonNormale);
    Classe_Graphiques& c = moisCharges("01/01/2023", "31/03/2023");
    const double ecarts[] = {3, 0, -3};
    c.AjouterCourbe(courbe("Pluie", 1, serieMensuelle(QDate(2023, 1, 1), 3, [&](int i, QDate) { return ecarts[i]; })));
    ctl->AffichageGraphique(false, false, "MOIS");
    MoteurGraphique& g = ctl->Graphique();
    EXPECT_EQ(g.lireIndexe(Prop::CouleurPoint, 1).toInt(), 1);
    EXPECT_EQ(g.lireIndexe(Prop::CouleurPoint, 2).toInt(), 12);
    EXPECT_EQ(g.lireIndexe(Prop::CouleurPoint, 3).toInt(), 12);

    // Points journaliers ("SANS") avec un pas de 1 : un libellé tous les 15 points sur 30 ; 60 points donnent 1.
    for (auto [n, attendu] : {std::pair{30, 15}, {60, 1}}) {
        c.ViderCollection();
        c.setDateDebutChargement("01/01/2023");
        c.setDateFinChargement(QDate(2023, 1, 1).addDays(n - 1).toString("dd/MM/yyyy"));
        c.setUniteAxeX("A");  // une unité qui garde le pas
        c.setPasAxeX(1);
        c.setCodePeriode("SANS");
        c.AjouterCourbe(courbe("Jour", 1, serie(QDate(2023, 1, 1), n, 1, [](int, QDate) { return 1.0; })));
        ctl->AffichageGraphique(false, false, "SANS");
        EXPECT_EQ(g.lire(Prop::EspacementLibelles).toInt(), attendu) << n;
        EXPECT_EQ(g.lire(Prop::EspacementGraduations).toInt(), attendu) << n;
    }
}

// Deux piézomètres journaliers sur 2021–2022 ; le second a moins de points et une coupure.
void remplirNappes(CtlGraphique& ctl)
{
    Classe_Graphiques& c = ctl.CollCourbes();
    Classe_Graphiques& pluie = ctl.CollCourbes2();
    for (Classe_Graphiques* coll : {&c, &pluie}) {
        coll->setDateDebutChargement("01/01/2021");
        coll->setDateFinChargement("31/12/2022");
        coll->setDateDebutAffichage("01/01/2021");
        coll->setDateFinAffichage("31/12/2022");
        coll->setEchelleXAuto(true);
    }
    // Moins de 40 mois : le chargement laisse l'unité vide, l'axe couvre les dates.
    c.setUniteAxeX("");
    c.setCodePeriode("MOIS");
    pluie.setUniteAxeX("");
    pluie.setCodePeriode("MOIS");
    const QDate debut(2021, 1, 1);
    TableauValeurs p1 = serie(debut, 730, 1, [](int i, QDate) { return 12.0 - 2.5 * std::sin(i * 2 * 3.14159 / 365.0); });
    TableauValeurs p2 = serie(debut, 400, 1, [](int i, QDate) { return 8.0 - 1.5 * std::cos(i * 2 * 3.14159 / 365.0); });
    p2(4, 199) = QStringLiteral("1");   // le trait s'arrête après ce jour
    for (int i = 200; i < 230; ++i)
        p2(2, i) = QString();           // et rien n'est mesuré pendant un mois
    p2(3, 50) = 2;                      // une mesure douteuse
    p2(0, 60) = QVariant();             // un jour sans date
    c.AjouterCourbe(courbe("2", 2, p2));
    c.AjouterCourbe(courbe("1", 4, p1));
    c.setMinDonnees(5);
    c.setMaxDonnees(15);
    TableauValeurs mois(7, 27);
    for (int i = 0; i < 27; ++i) {
        if (i < 3)
            continue;  // remplissage de tête, sans date
        const QDate d = debut.addMonths(i - 3);
        mois(0, i) = d.toString("dd/MM/yyyy");
        mois(1, i) = QStringLiteral("12:00:00");
        mois(2, i) = pluieMensuelle(d);
    }
    pluie.AjouterCourbe(courbe("Pluie", 9, mois));
    pluie.setMinDonnees(0);
    pluie.setMaxDonnees(200);
}

TEST_F(Controle, SuperpositionDeLaPluieSousLesNappes)
{
    init(TypeGraph::PluvioPiezo);
    remplirNappes(*ctl);
    journal.suivre(ctl->Graphique());
    JaugeProgression jauge;
    QStringList legendes;
    jauge.setSuivi([&](const QString& l, double) { legendes << l; });
    ctl->AffichageGraphiqueSuperposepluvioPiezo(false, false, &jauge);

    // Le graphique de pluie devient une image, posée dans la zone de tracé du graphique principal.
    MoteurGraphique& g = ctl->Graphique();
    EXPECT_TRUE(ctl->vueGraphiqueSuperposePluvio()->isHidden());
    EXPECT_GT(legendes.indexOf("Affichage des courbes piézomètres"), legendes.indexOf("Chargement des données piézomètres"));
    EXPECT_GE(legendes.indexOf("Chargement des données piézomètres"), 0);
    // Dans l'image : la nappe, et sous elle les barres de pluie, bleu translucide, dans la zone de tracé seulement.
    const QImage image = SortiesImage::image(g, QSize(1000, 700));
    const QRect z = g.zoneTrace(QRectF(image.rect())).toAlignedRect();
    EXPECT_GT(pixelsDeCouleur(image, 4, z), 800);
    const auto bleus = [&](const QRect& r) {
        return compterPixels(image, r, [](QRgb p) { return qBlue(p) > 200 && qRed(p) < 160 && qGreen(p) < 160; });
    };
    EXPECT_GT(bleus(z), 3000);
    EXPECT_EQ(bleus(QRect(0, 0, z.left() - 1, image.height())), 0);
    MoteurGraphique& s = ctl->GraphiqueSuperposePluvio();
    EXPECT_EQ(s.lire(Prop::XMin).toDouble(), 3.0);  // remplissage exclu des barres de pluie

    EXPECT_EQ(g.lire(Prop::NbPoints).toInt(), 732);  // 730 + 1, et un de plus pour la coupure
    // Positions X–Y : 1000 unités sur la période, le premier jour à 0,1 + 12 heures.
    g.ecrire(Prop::Jeu, 2);
    g.ecrire(Prop::Point, 1);
    const double heures = 729.0 * 24;  // du 01/01/2021 au 31/12/2022
    EXPECT_NEAR(g.lire(Prop::PositionX).toDouble(), 12.0 * 1000.0 / heures + 0.1, 1e-9);
    // La fin du jeu le plus court manque, le point de coupure aussi.
    g.ecrire(Prop::Jeu, 1);
    g.ecrire(Prop::Point, 600);
    EXPECT_EQ(g.lire(Prop::Manquant).toInt(), 1);
    g.ecrire(Prop::Point, 201);
    EXPECT_EQ(g.lire(Prop::Manquant).toInt(), 1);
    g.ecrire(Prop::Point, 200);
    EXPECT_EQ(g.lire(Prop::Manquant).toInt(), 0);
    EXPECT_EQ(g.lireIndexe(Prop::CouleurPoint, 100).toInt(), 2);

    // Sans observateur, les séries entrent par lots ; données en cellules ou en
    // colonnes, le moteur tient les mêmes points qu'écrits un à un.
    const auto etat = [&] {
        QStringList e{g.lire(Prop::Point).toString(), g.lire(Prop::NbPoints).toString()};
        for (int k = 1; k <= g.lire(Prop::NbJeux).toInt(); ++k) {
            g.ecrire(Prop::Jeu, k);
            for (int p = 1; p <= g.lire(Prop::NbPoints).toInt(); ++p) {
                g.ecrire(Prop::Point, p);
                e << QString::number(g.lire(Prop::PositionX).toDouble(), 'g', 17) + u' ' + g.lire(Prop::ValeurTexte).toString() + u' '
                        + g.lire(Prop::Manquant).toString() + u' ' + g.lireIndexe(Prop::CouleurPoint, p).toString() + u' '
                        + g.lireIndexe(Prop::Validite, p).toString() + u' ' + g.lireIndexe(Prop::Plafond, p).toString();
            }
        }
        return e;
    };
    JaugeProgression suite;
    ctl->AffichageGraphiquePiezo(false, false, &suite);
    const QStringList unAUn = etat();
    ASSERT_GT(unAUn.size(), 53);
    EXPECT_EQ(unAUn[2 + 50].section(u' ', 4, 4), "2");  // la validité du 51e point du premier jeu
    g.setObservateur({});
    ctl->AffichageGraphiquePiezo(false, false, &suite);
    EXPECT_EQ(etat(), unAUn);
    for (int k = 1; k <= ctl->CollCourbes().Compter(); ++k) {
        const CourbePtr c = ctl->CollCourbes().GetCourbe(k);
        c->AjouterValeurs(ColonnesTypees::depuis(*c->tableau()));
    }
    ctl->AffichageGraphiquePiezo(false, false, &suite);
    EXPECT_EQ(etat(), unAUn);
}

TEST_F(Controle, AnnulationParLaJauge)
{
    init(TypeGraph::PluvioPiezo);
    remplirNappes(*ctl);
    JaugeProgression jauge;
    jauge.demanderAnnulation();
    journal.suivre(ctl->Graphique());
    ctl->AffichageGraphiquePiezo(false, false, &jauge);
    EXPECT_TRUE(ctl->annulation());
    // La première courbe du classement est remplie, puis les boucles s'arrêtent.
    EXPECT_GT(journal.compter("Graphique 102 - 2"), 0);
    EXPECT_EQ(journal.lignes.indexOf(QStringLiteral("Graphique 102 - 1"), journal.lignes.indexOf("Graphique 102 - 2") + 1), -1);

    // Redimensionner un type à deux graphiques, avec des courbes, redessine la superposition.
    Journal pluie;
    pluie.suivre(ctl->GraphiqueSuperposePluvio());
    ctl->resize(950, 650);
    EXPECT_GT(pluie.compter("GraphiqueSuperposePluvio 21 - 6"), 0);
}

TEST_F(Controle, OperationsSurLaListeDesCourbes)
{
    init(TypeGraph::edition);
    QList<int> rendus, couleurs;
    for (int i = 0; i < 15; ++i) {
        rendus << ctl->AjoutePluvio(QStringLiteral("Site %1").arg(i), QStringLiteral("S%1").arg(i));
        couleurs << ctl->CollCourbes().GetCourbe(i + 1)->Couleur();
    }
    EXPECT_EQ(rendus, (QList<int>{1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 0, 1}));
    EXPECT_EQ(couleurs, (QList<int>{0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 0}));
    EXPECT_EQ(ctl->CollCourbes().GetCourbe(3)->Titre(), "Site 2");
    EXPECT_EQ(ctl->CollCourbes().GetCourbe(3)->NbValeurs(), 0);

    // La liste des courbes de l'hôte : sa ligne 0 ne vise aucune courbe, sa case montre ou cache toutes les courbes.
    GrilleTexte liste;
    liste.setLignes(2);
    liste.definir(1, 2, "1");
    liste.definir(2, 2, "2");
    ctl->masqueCourbe(1);
    ctl->MajCourbesAffichees(&liste, 0, 0);
    EXPECT_FALSE(ctl->CollCourbes().GetCourbe(1)->Afficher());
    liste.definir(0, 0, "X");
    ctl->SelectUnselectCourbes(&liste);
    EXPECT_EQ(liste.cellule(0, 0), " ");
    EXPECT_FALSE(ctl->CollCourbes().GetCourbe(2)->Afficher());

    // Statistiques montrées ou cachées : redessin seulement si le champ année contient une année.
    journal.suivre(ctl->Graphique());
    bool afficher = false;
    ctl->TxtAnnee()->setTexte("____");
    ctl->MajStatistiques(2, afficher);
    EXPECT_EQ(journal.compter("Graphique 20"), 0);
    afficher = true;
    ctl->TxtAnnee()->setTexte("2023");
    ctl->MajStatistiques(2, afficher);
    EXPECT_TRUE(ctl->CollCourbes().GetCourbe(2)->Afficher());
    EXPECT_EQ(journal.compter("Graphique 20"), 1);

    // Courbes relues puis supprimées.
    ctl->AjouteCourbe("Dix", "Dix points", 3, QVariant::fromValue(serie(QDate(2024, 1, 1), 10, 1, [](int i, QDate) { return i * 1.0; })));
    qint32 nbDates = 0;
    QVariant valeurs;
    ctl->RecupCourbe(qint16(ctl->getCollCourbesSize()), nbDates, valeurs);
    EXPECT_EQ(nbDates, 9);
    EXPECT_EQ(TableauDans(valeurs)->valeur(2, 9).toDouble(), 9.0);
    const int avant = ctl->getCollCourbesSize();
    ctl->SupprimerPiezo(1);
    EXPECT_EQ(ctl->getCollCourbesSize(), avant - 1);
    EXPECT_EQ(ctl->CollCourbes().GetCourbe(1)->Cle(), "S1");

    // La collection de pluie fournie par l'hôte est partagée, pas copiée.
    auto partagee = std::make_shared<Classe_Graphiques>();
    ctl->MiseAjoutCourbes2(partagee);
    partagee->setMaxDonnees(77);
    EXPECT_EQ(ctl->CollCourbes2().MaxDonnees(), 77.0);

    // La page d'annuaire demandée à autre chose que le tableur : rien ne se passe, rien n'est dit.
    MessagesEnregistres messages;
    QObject autre;
    ctl->CreationAnnuaire(nullptr, &autre, true, false);
    ctl->CreationAnnuaire(nullptr, nullptr, false, true);
    EXPECT_TRUE(messages.textes().isEmpty());
}

// Avant de charger la courbe de référence, l'hôte remplit sa grille des données ;
// sans ligne, ou sans site dans sa liste, rien n'est chargé et un message le dit.
TEST_F(Controle, CourbeDeReferenceChargementEtApercu)
{
    MessagesEnregistres messages;
    GrilleTexte donnees, sites;
    formulaire.setProperty("SprDonnees", QVariant::fromValue<QObject*>(&donnees));
    formulaire.setProperty("SprListe", QVariant::fromValue<QObject*>(&sites));
    init(TypeGraph::reference);
    // Du début de l'année de départ à la fin de l'année en cours, quelle que soit la fin donnée.
    ctl->InitCourbeReference("REF1", "Année sèche", "15/06/2001", "20/08/2010", 0, 250);
    EXPECT_EQ(ctl->TxtDateDebut()->texte(), "01/01/2001");
    EXPECT_EQ(ctl->TxtDateFin()->texte(), "31/12/2024");
    Classe_Graphiques& c = ctl->CollCourbes();
    QString debut, fin;
    ctl->RecupDatesChargement(debut, fin);
    EXPECT_EQ(debut, "01/01/2001");
    EXPECT_EQ(fin, ctl->getDateFinChargement());

    formulaire.appels.clear();
    ctl->ChargementDonnees();
    EXPECT_TRUE(formulaire.appels.contains("RempliSprDonnees")) << formulaire.appels.join(' ').toStdString();
    EXPECT_EQ(messages.textes(), QStringList{"Aucune donnée n'a été trouvée. Insérer des valeurs avant d'afficher le graphique."});
    messages.vider();
    formulaire.lignesDonnees = 3;
    ctl->ChargementDonnees();
    EXPECT_EQ(messages.textes(), QStringList{"Ajouter des sites avant d'afficher la courbe de référence."});
    EXPECT_EQ(messages.messages().at(0).type, "erreur");
    // Avec des lignes et des sites, la grille décide : pas de message, même si rien ne se charge.
    messages.vider();
    sites.setProperty("MaxRows", 2);
    ctl->ChargementDonnees();
    EXPECT_TRUE(messages.textes().isEmpty()) << messages.textes().join('|').toStdString();

    ctl->InitCourbeReference("REF2", "", "pas une date", "", 0, 0);
    EXPECT_EQ(ctl->TxtDateDebut()->texte(), "01/01/2024");
    formulaire.appels.clear();
    ctl->InitCourbeApercu(-5, 40, "01/03/2020", "31/10/2023");
    EXPECT_TRUE(ctl->graphiqueApercu());
    EXPECT_EQ(c.UniteAxeX(), "DEF");
    EXPECT_EQ(formulaire.appels, QStringList{"TraitementParametres"});
}

TEST_F(Controle, CourbeDAugureColleeApresLAnnee)
{
    MessagesEnregistres messages;
    init(TypeGraph::Annee);
    GrilleTexte augures;
    const TableauValeurs prevision = serie(QDate(2023, 1, 1), 5, 7, [](int i, QDate) { return 10.0 + i; });
    ctl->MajCourbeAnnee(&augures, "Augure", 4, QVariant::fromValue(prevision));
    ASSERT_EQ(messages.textes(), QStringList{"Impossible de coller cette courbe d'augure car la courbe de l'année est vide."});
    EXPECT_EQ(messages.messages().first().style.icone, IconeMessage::Critique);

    TableauValeurs annee = serie(QDate(2023, 1, 1), 90, 1, [](int i, QDate) { return i == 89 ? 12.4 : 1.0; });
    ctl->CollCourbes().AjouterCourbe(courbe("Saint-Martin", 1, annee));
    ctl->MajCourbeAnnee(&augures, "Augure", 4, QVariant::fromValue(prevision));
    const CourbePtr colle = ctl->CollCourbes().GetCourbe(2);
    ASSERT_TRUE(colle);
    EXPECT_EQ(std::pair(colle->Cle(), colle->Couleur()), std::pair(QStringLiteral("Augure"), 12));
    // 89 jours plus tard.
    EXPECT_EQ((QStringList{colle->cellule(0, 0).toString(), colle->cellule(0, 1).toString()}), (QStringList{"31/03/2023", "07/04/2023"}));
    EXPECT_NEAR(colle->cellule(2, 0).toDouble(), 12.4, 1e-9);   // 2,4 de plus
    EXPECT_NEAR(colle->cellule(2, 4).toDouble(), 16.4, 1e-9);
    EXPECT_EQ(augures.lignes(), 1);
    EXPECT_EQ((QStringList{augures.cellule(1, 0), augures.cellule(1, 1), augures.cellule(1, 2)}), (QStringList{"X", "Augure", "2"}));
}

} // namespace

// Un objet déposé sur le graphique, qui dit où on l'a lâché.
class ObjetDepose : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Tag MEMBER tag USER true)
public:
    QString tag;
    QVariantList recu;
    Q_INVOKABLE void affiche(float x, float y, QObject* objet) { recu = {x, y, QVariant::fromValue(objet)}; }
};

class SansAffiche : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Tag MEMBER tag USER true)
public:
    QString tag;
};

namespace {

// Un objet déposé sur le graphique, ou un clic sur l'image de la palette : l'hôte est appelé.
TEST_F(Controle, DepotEtImageDeLaPaletteAppellentLHote)
{
    init(TypeGraph::edition);
    VueGraphique* vue = ctl->vueGraphique();
    ObjetDepose meme, autre;
    autre.tag = QStringLiteral("autre");
    emit vue->objetDepose(&autre, QPointF(10, 20));
    EXPECT_TRUE(autre.recu.isEmpty());
    emit vue->objetDepose(&meme, QPointF(10, 20));
    ASSERT_EQ(meme.recu.size(), 3);
    EXPECT_FLOAT_EQ(meme.recu[0].toFloat(), float(vue->x() + 10));
    EXPECT_FLOAT_EQ(meme.recu[1].toFloat(), float(vue->y() + 20));
    EXPECT_EQ(meme.recu[2].value<QObject*>(), &meme);
    SansAffiche muet;
    emit vue->objetDepose(&muet, QPointF(1, 1));   // rien à appeler : rien ne se passe

    auto* image = ctl->findChild<QLabel*>(QStringLiteral("Picture1"));
    ASSERT_TRUE(image);
    image->resize(20, 20);
    image->show();
    QTest::mouseClick(image, Qt::LeftButton);
    EXPECT_EQ(formulaire.appels, QStringList{QStringLiteral("TraitementParametres")});
    EXPECT_EQ(ctl->outilCourant(), 10);
    ValeursProcessus::courantes().fenetrePrincipale = nullptr;
}

} // namespace

#include "TestsCtlGraphique.moc"
