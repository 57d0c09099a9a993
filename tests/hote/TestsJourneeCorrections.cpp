// Une matinée de corrections dans l'application de bureau, sans la relancer :
// d'autres graphiques d'abord, puis les pluies de mars de Port-Aubin corrigées
// dans la grille, une plage supprimée, des points posés, un autre graphique,
// et les trois corrections annulées. Chaque ligne de chaque table de la base
// est comparée avant et après : seules les mesures corrigées diffèrent, et
// après les annulations aucune. Sur le fichier SQLite, puis sur un serveur
// PostgreSQL quand les essais en lancent un.
#include "PiloteBureau.h"

#include "commun/Nombres.h"
#include "commun_tests/ImagesGardees.h"
#include "commun_tests/Souris.h"
#include "data/GenresStation.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/BasePostgres.h"
#include "data/bases/OuvertureBase.h"

#include <QMap>
#include <QRandomGenerator>

namespace {

using Lignes = QMap<QString, QString>;

// Les clés dont la ligne diffère, manque ou s'ajoute.
QStringList differences(const Lignes& avant, const Lignes& apres)
{
    QStringList d;
    for (auto it = avant.begin(); it != avant.end(); ++it)
        if (apres.value(it.key()) != it.value())
            d << it.key();
    for (auto it = apres.begin(); it != apres.end(); ++it)
        if (!avant.contains(it.key()))
            d << it.key();
    return d;
}

class JourneeCorrections : public PiloteBureau
{
protected:
    void TearDown() override
    {
        if (m_serveur && !m_schema.isEmpty())
            m_serveur->ExecuterNatif(QStringLiteral("DROP SCHEMA ") + m_schema + QStringLiteral(" CASCADE"));
        PiloteBureau::TearDown();
    }
    QString texteBase() const override { return m_texte.isEmpty() ? PiloteBureau::texteBase() : m_texte; }

    // Chaque ligne de chaque table de la base, rangée par sa clé : la table et l'instant pour une
    // table de mesures, la ligne entière sinon.
    static Lignes toutesLesLignes(BaseDonnees& base)
    {
        QStringList tables{"STATIONS", "PLUVIOMETRE_NORMALES", "PLUVIOMETRES_ECHELLES"};
        for (const QString& station : lignesDe(base, "SELECT Code, Genre FROM STATIONS"))
            if (const auto g = GenresStation::depuisNom(station.section(u'|', 1)))
                tables << g->prefixe() + station.section(u'|', 0, 0);
        Lignes toutes;
        for (const QString& table : tables) {
            QStringList colonnes;
            for (const ColonneTable& c : base.ColonnesTable(table))
                colonnes << c.nom;
            const bool mesures = colonnes.value(0).compare("DateCreation", Qt::CaseInsensitive) == 0;
            for (const QString& champs : lignesDe(base, "SELECT " + colonnes.join(u',') + " FROM " + table)) {
                const QString ligne = table + u'|' + champs;
                toutes.insert(mesures ? ligne.section(u'|', 0, 2) : ligne, ligne);
            }
        }
        return toutes;
    }
    // Le nombre que rend un SELECT d'une seule valeur ; -1 s'il échoue.
    static int nombre(BaseDonnees& base, const char* sql)
    {
        const QStringList l = lignesDe(base, QString::fromUtf8(sql));
        return l.size() == 1 ? int(LireNombre(l.first()).value_or(-1)) : -1;
    }

    // L'étape sur la base d'exemple d'un schéma neuf du serveur ; sautée sans serveur, sauf quand il est exigé.
    void surLeServeur(const std::function<void()>& etape)
    {
        const QString connexion = qEnvironmentVariable("GRAPHIQUE_PG");
        if (connexion.isEmpty()) {
            if (qEnvironmentVariableIsSet("GRAPHIQUE_PG_EXIGE"))
                FAIL() << "GRAPHIQUE_PG absente";
            GTEST_SKIP() << "GRAPHIQUE_PG absente : scripts/tester.sh lance un serveur PostgreSQL pour ces essais.";
        }
        QString erreur;
        m_serveur = BasePostgres::ouvrir(connexion, erreur);
        EXPECT_TRUE(m_serveur) << erreur.toStdString();
        m_schema = QStringLiteral("matinee_%1_%2").arg(QCoreApplication::applicationPid()).arg(QRandomGenerator::global()->generate());
        EXPECT_TRUE(m_serveur && m_serveur->ExecuterNatif(QStringLiteral("CREATE SCHEMA ") + m_schema));
        m_texte = connexion + QStringLiteral(" options='-c search_path=%1'").arg(m_schema);
        auto base = ouvrirBase(m_texte, false, erreur);
        ASSERT_TRUE(base && BaseExemple::remplir(*base, 5, {}, erreur)) << erreur.toStdString();
        etape();
    }

    void garder(const char* nom) { garderImage(ecran(*f), QStringLiteral("correction-") + QString::fromLatin1(nom)); }
    // Le bouton du cadre d'édition de la fenêtre cliqué, la question qu'il pose acceptée.
    void cliquer(FenetreHote& fenetre, const char* bouton)
    {
        messages.repondre(true);
        QTest::mouseClick(fenetre.formulaire().controle().findChild<QPushButton*>(QString::fromLatin1(bouton)), Qt::LeftButton);
    }
    void cliquer(const char* bouton) { cliquer(*f, bouton); }

    void matinee();
    void corrigerLaGrille();
    void supprimerUnePlage();
    int poserDesPoints();
    // Les lignes de la base qui diffèrent de celles d'avant la matinée.
    QStringList changees() { return differences(m_avant, toutesLesLignes(*m_lecture)); }
    // Les mesures de Port-Aubin en base, du premier au dernier jour.
    int mesuresEnBase(const QDate& de, const QDate& a)
    {
        const Lignes l = toutesLesLignes(*m_lecture);
        return int(std::count_if(l.keyBegin(), l.keyEnd(), [&](const QString& k) {
            const auto jour = LireDate(k.section(u'|', 1, 1));
            return k.startsWith("PLUVIO_76402001|") && jour && *jour >= de && *jour <= a;
        }));
    }
    void deuxCopies();
    // Une fenêtre qui corrige les pluies de mars 2023 de Port-Aubin.
    std::unique_ptr<FenetreHote> fenetreEnMars()
    {
        auto fenetre = ouvrir();
        corrigerMars(*fenetre);
        return fenetre;
    }
    // Le jour de mars tapé dans la grille de la fenêtre, puis « Enregistrer les données » ; ce que l'application a dit.
    QStringList corrigerEtEnregistrer(FenetreHote& f, int jour, const QString& valeur)
    {
        GrillePoints& g = *f.formulaire().controle().SprPoints();
        taperDansLaGrille(f, g, ligneDu(g, QDate(2023, 3, jour)), GrillePoints::Valeur, valeur);
        messages.vider();
        cliquer(f, "CmdEnregistrer");
        return messages.textes();
    }

    std::unique_ptr<BasePostgres> m_serveur;
    QString m_schema, m_texte;
    std::unique_ptr<BaseDonnees> m_lecture;
    Lignes m_avant;
    int m_mars = 0;  // les mesures de mars 2023 dans la base d'avant
};

void JourneeCorrections::matinee()
{
    f = ouvrir();
    QString erreur;
    m_lecture = ouvrirBase(texteBase(), false, erreur);
    ASSERT_TRUE(m_lecture) << erreur.toStdString();
    m_avant = toutesLesLignes(*m_lecture);
    ASSERT_GT(m_avant.size(), 40000);
    m_mars = mesuresEnBase({2023, 3, 1}, {2023, 3, 31});

    // D'autres graphiques d'abord, comme une personne qui regarde avant de corriger.
    tracer(*f, demandeDe(TypeGraph::Annee, "76402001", "M", {}, {}));
    tracer(*f, demandeDe(TypeGraph::PluvioPiezo, "76402001", "M", {2015, 1, 1}, {2024, 12, 31}, {"00754X0012"}));
    EXPECT_TRUE(messages.messages().isEmpty()) << messages.textes().join('\n').toStdString();
    corrigerLaGrille();
    if (HasFatalFailure())
        return;
    supprimerUnePlage();
    if (HasFatalFailure())
        return;
    const int changements = poserDesPoints();

    // Un autre graphique, puis les trois corrections annulées depuis le menu : la base d'avant, ligne pour ligne.
    tracer(*f, demandeDe(TypeGraph::edition, "76402001", "M", {2022, 10, 1}, {2023, 9, 30}));
    saisir(*f, demandeDe(TypeGraph::edition, "76402001", "M", {2023, 3, 1}, {2023, 3, 31}));
    for (int i = 0; i < 3; ++i) {
        messages.repondre(true);
        clicMenu(*f, "&Graphique", "&Annuler la dernière correction…");
    }
    EXPECT_TRUE(changees().isEmpty());
    QTest::mouseClick(enfant<QPushButton>(*f, "BoutonCorriger"), Qt::LeftButton);
    EXPECT_EQ(grille().lignes(), m_mars);
    garder("apres-annulation");
    RecordProperty("lignes_comparees", int(m_avant.size()));
    RecordProperty("mesures_changees", changements);
    std::printf("%lld lignes comparées, %d mesures changées en 3 lots, 3 annulations, base rendue à l'identique\n",
                qlonglong(m_avant.size()), changements);
}

// Corriger mars 2023 : le graphique de travail, ses trois outils d'édition et la grille des mesures,
// où une valeur est tapée, une rupture marquée, une ligne supprimée, puis Enregistrer.
void JourneeCorrections::corrigerLaGrille()
{
    corrigerMars(*f);
    ASSERT_EQ(c().TypeGraphique(), TypeGraph::travail);
    // Actifs, ils sont cliqués dans l'essai des actions ; ici, montrés.
    for (int b : {4, 5, 6})
        EXPECT_FALSE(c().PaletteOutils()->bouton(b)->isHidden()) << b;
    EXPECT_EQ(c().PaletteOutils()->bouton(6)->toolTip(), "Corriger les mesures dans la grille");
    ASSERT_EQ(grille().lignes(), m_mars);
    EXPECT_FALSE(grille().isHidden());
    taperValeur(10, "17,30");
    cliquerCellule(11, GrillePoints::Rupture);
    cliquerCellule(12, GrillePoints::Date);
    QTest::mouseClick(c().findChild<QPushButton*>("CmdSuppression"), Qt::LeftButton);
    garder("avant-enregistrement");
    messages.vider();
    cliquer("CmdEnregistrer");
    EXPECT_EQ(messages.textes(), QStringList{"Enregistrer la grille des points ?\n2 mesures modifiées, 0 ajoutée, 1 supprimée, sur "
                                             "la station 76402001 Port-Aubin du 01/03/2023 au 31/03/2023."});
    // Rechargée : la grille et le graphique montrent la base, la mesure tapée marquée « M ».
    EXPECT_EQ(grille().lignes(), m_mars - 1);
    EXPECT_EQ(grille().texte(ligneDu(10), GrillePoints::Valeur), "17,3");
    EXPECT_EQ(grille().texte(ligneDu(10), GrillePoints::Obtention), "M");
    EXPECT_EQ(ligneDu(12), -1);
    EXPECT_EQ(c().CollCourbes().GetCourbe(1)->NbValeurs(), m_mars - 1);
    garder("apres-rechargement");
    EXPECT_EQ(changees().size(), 3) << changees().join('\n').toStdString();
}

// Outil 5 : une plage refusée à la question, glissée dans un sens puis dans l'autre (la même question),
// puis supprimée ; la même de nouveau n'a plus rien à supprimer.
void JourneeCorrections::supprimerUnePlage()
{
    palette(5);
    const auto plage = [&](double de, double a) {
        glisser(c().vueGraphique(), dansLeTrace(c(), de, 0.5), dansLeTrace(c(), a, 0.6), Qt::RightButton);
    };
    messages.vider();
    for (bool reponse : {false, false, true})
        messages.repondre(reponse);
    plage(0.7, 0.62);
    plage(0.62, 0.7);
    EXPECT_EQ(changees().size(), 3);
    plage(0.7, 0.62);
    EXPECT_GT(changees().size(), 3);
    plage(0.7, 0.62);
    const QStringList dites = messages.textes();
    ASSERT_EQ(dites.size(), 4) << dites.join('\n').toStdString();
    EXPECT_TRUE(dites.at(0).startsWith("Voulez vous supprimer les points entre le ") && dites.at(0).contains("\n2 mesures modifiées, 0 ajoutée, "))
        << dites.at(0).toStdString();
    EXPECT_EQ(dites.mid(1, 2), QStringList(2, dites.at(0)));
    EXPECT_EQ(dites.at(3), "Aucune mesure ne change : rien à enregistrer.");
}

// Outil 4 : deux points posés à midi, refusés à la question qui dit ce qui changerait, puis enregistrés ;
// l'outil reste et la courbe rechargée montre le premier à son jour. Seules des mesures de mars ont
// changé, en trois lots ; rend le nombre de changements de l'historique.
int JourneeCorrections::poserDesPoints()
{
    palette(4);
    QTest::mouseClick(c().vueGraphique(), Qt::LeftButton, {}, dansLeTrace(c(), 0.2, 0.6));
    QTest::mouseClick(c().vueGraphique(), Qt::LeftButton, {}, dansLeTrace(c(), 0.3, 0.4));
    EXPECT_EQ(grille().lignes(), 2);
    EXPECT_EQ(grille().texte(1, GrillePoints::Heure), "12:00:00");
    const QString premier = grille().texte(0, GrillePoints::Date), dernier = grille().texte(1, GrillePoints::Date);
    const double pose = LireNombre(grille().texte(0, GrillePoints::Valeur)).value_or(-1);
    const QStringList avantPoints = changees();
    const int jours = mesuresEnBase(*LireDate(premier), *LireDate(dernier));
    messages.vider();
    messages.repondre(false);
    QTest::mouseClick(c().findChild<QPushButton*>("CmdEnregistrer"), Qt::LeftButton);
    EXPECT_EQ(messages.textes(), QStringList{QStringLiteral("Etes vous sûr de vouloir enregistrer les points à partir du %1 jusqu'au %2 ?\n"
                                                            "2 mesures modifiées, 0 ajoutée, %3 supprimées, sur la station 76402001 "
                                                            "Port-Aubin du %1 au %2.").arg(premier, dernier).arg(jours - 2)});
    EXPECT_EQ(changees(), avantPoints);
    cliquer("CmdEnregistrer");
    EXPECT_EQ(grille().lignes(), 0);
    EXPECT_EQ(c().outilCourant(), 4);
    const CourbePtr courbe = c().CollCourbes().GetCourbe(1);
    QList<double> auPremier;
    for (int i = 0; i < courbe->NbValeurs(); ++i)
        if (TexteCellule(courbe->cellule(0, i)).left(10) == premier)
            auPremier << LireNombre(courbe->cellule(2, i)).value_or(-2);
    EXPECT_EQ(auPremier.size(), 1);
    EXPECT_NEAR(auPremier.value(0), pose, 0.005);

    const QStringList dansLaBase = changees();
    EXPECT_GT(dansLaBase.size(), avantPoints.size());
    for (const QString& k : dansLaBase)
        EXPECT_TRUE(k.startsWith("PLUVIO_76402001|") && k.contains("/03/2023|")) << k.toStdString();
    EXPECT_EQ(nombre(*m_lecture, "SELECT Max(Lot) FROM HISTORIQUE_MESURES WHERE TableMesures = 'PLUVIO_76402001'"), 3);
    const int changements = nombre(*m_lecture, "SELECT Count(*) FROM HISTORIQUE_MESURES WHERE TableMesures = 'PLUVIO_76402001'");
    // Une mesure corrigée deux fois compte deux fois dans l'historique, une fois dans la base.
    EXPECT_GE(changements, dansLaBase.size());
    return changements;
}

// Deux copies de l'application corrigent le même mois, chacune dans sa fenêtre : une ligne laissée
// telle quelle ne réécrit jamais ce que l'autre a enregistré, et une correction par-dessus celle de
// l'autre est refusée sans rien écrire.
void JourneeCorrections::deuxCopies()
{
    auto a = fenetreEnMars(), b = fenetreEnMars();
    QString erreur;
    const std::unique_ptr<BaseDonnees> lecture = ouvrirBase(texteBase(), false, erreur);
    ASSERT_TRUE(lecture) << erreur.toStdString();
    const Lignes avant = toutesLesLignes(*lecture);
    corrigerEtEnregistrer(*b, 3, "7");
    EXPECT_EQ(differences(avant, toutesLesLignes(*lecture)), QStringList{"PLUVIO_76402001|03/03/2023|12:00:00"});

    // A, que rien n'a rechargé, montre encore l'ancien 3 : il change le 8 seulement, et seul le 8 s'écrit.
    EXPECT_EQ(corrigerEtEnregistrer(*a, 8, "5").value(0),
              "Enregistrer la grille des points ?\n1 mesure modifiée, 0 ajoutée, 0 supprimée, sur la station 76402001 Port-Aubin "
              "du 01/03/2023 au 31/03/2023.");
    const Lignes deux = toutesLesLignes(*lecture);
    EXPECT_EQ(differences(avant, deux), (QStringList{"PLUVIO_76402001|03/03/2023|12:00:00", "PLUVIO_76402001|08/03/2023|12:00:00"}));
    EXPECT_TRUE(deux.value("PLUVIO_76402001|03/03/2023|12:00:00").contains("|7|")) << deux.value("PLUVIO_76402001|03/03/2023|12:00:00").toStdString();

    // B, à son tour périmé, corrige le 8 par-dessus A : refusé, la base ne bouge pas, sa saisie reste à l'écran.
    EXPECT_EQ(corrigerEtEnregistrer(*b, 8, "9"),
              QStringList{"La mesure du 08/03/2023 à 12:00:00 a changé entre-temps : rien n'a été enregistré. Rechargez les mesures."});
    EXPECT_TRUE(differences(deux, toutesLesLignes(*lecture)).isEmpty());
    GrillePoints& g = *b->formulaire().controle().SprPoints();
    EXPECT_EQ(g.texte(ligneDu(g, QDate(2023, 3, 8)), GrillePoints::Valeur), "9,00");
    EXPECT_EQ(nombre(*lecture, "SELECT Max(Lot) FROM HISTORIQUE_MESURES"), 2);
}

// Des valeurs que la grille ne sait pas montrer telles quelles (une pluie infinie, un commentaire vide,
// des octets) restent intactes quand une autre ligne est supprimée et qu'une rupture est marquée sur
// l'une d'elles à la souris, puis la grille enregistrée.
TEST_F(JourneeCorrections, UneValeurQueLaGrilleNeMontrePasResteIntacte)
{
    QString erreur;
    m_lecture = ouvrirBase(texteBase(), false, erreur);
    ASSERT_TRUE(m_lecture) << erreur.toStdString();
    auto& moteur = dynamic_cast<BaseAcces&>(*m_lecture);
    ASSERT_TRUE(moteur.ExecuterNatif("UPDATE PLUVIO_76402001 SET Pluie = 1e999, Commentaire = '' WHERE DateCreation = '2023-03-20'"));
    ASSERT_TRUE(moteur.ExecuterNatif("UPDATE PLUVIO_76402001 SET Pluie = -1e999, Commentaire = X'00FF' WHERE DateCreation = '2023-03-21'"));
    const auto brut = [&] {
        TableauValeurs t;
        EXPECT_TRUE(moteur.ExecuterNatif("SELECT DateCreation || typeof(Pluie) || quote(Pluie) || typeof(Commentaire) || "
                                         "quote(Commentaire) FROM PLUVIO_76402001 WHERE DateCreation >= '2023-03-01' "
                                         "AND DateCreation <= '2023-03-31' ORDER BY DateCreation",
                                         &t));
        QStringList l;
        for (int r = 0; r < t.points(); ++r)
            l << TexteCellule(t.valeur(0, r));
        return l;
    };
    QStringList attendu = brut();
    ASSERT_TRUE(attendu.contains("2023-03-20realInftext''")) << attendu.join('\n').toStdString();
    f = fenetreEnMars();
    cliquerCellule(12, GrillePoints::Date);
    QTest::mouseClick(c().findChild<QPushButton*>("CmdSuppression"), Qt::LeftButton);
    cliquerCellule(20, GrillePoints::Rupture);
    messages.vider();
    cliquer("CmdEnregistrer");
    EXPECT_EQ(messages.textes().value(0), "Enregistrer la grille des points ?\n1 mesure modifiée, 0 ajoutée, 1 supprimée, sur la "
                                          "station 76402001 Port-Aubin du 01/03/2023 au 31/03/2023.");
    attendu.removeIf([](const QString& l) { return l.startsWith("2023-03-12"); });
    EXPECT_EQ(brut(), attendu);
    EXPECT_EQ(nombre(*m_lecture, "SELECT Continuite FROM PLUVIO_76402001 WHERE DateCreation = #03/20/2023#"), 1);
}

TEST_F(JourneeCorrections, UneMatineeSurLeFichierSQLite)
{
    matinee();
}

TEST_F(JourneeCorrections, DeuxCopiesSurLeFichierSQLite)
{
    deuxCopies();
}

TEST_F(JourneeCorrections, DeuxCopiesSurLeServeurPostgreSQL)
{
    surLeServeur([this] { deuxCopies(); });
}

TEST_F(JourneeCorrections, UneMatineeSurLeServeurPostgreSQL)
{
    surLeServeur([this] { matinee(); });
}

} // namespace
