// graphique tracer sur la base d'exemple, lancé comme par un utilisateur.
#include "Lancement.h"
#include "commun_tests/Fichiers.h"

#include <QFile>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QStringList tracer(const QString& genre, const QString& sortie, QStringList options = {})
{
    return QStringList{"tracer", "--base", baseExemple(), "--type", genre, "--sortie", sortie} + options;
}

TEST(Tracer, EcritPngSvgEtPdfALaTailleDemandee)
{
    const QString d = dossierTemporaire();
    const QStringList options = {"--station", "76402001", "--annee", "2023", "--largeur", "800", "--hauteur", "500"};
    for (const auto& [genre, extension] : {std::pair{"Annee", "png"}, {"annee", "svg"}, {"ANNEE", "pdf"}}) {
        const Resultat r = lancer(tracer(genre, d + "/annee." + extension, options));
        ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
        EXPECT_TRUE(r.erreurs.isEmpty()) << r.erreurs.toStdString();
    }
    // La taille demandée ; que la courbe y est dessinée, ImporterArchives le vérifie sur le même genre.
    EXPECT_EQ(QImage(d + "/annee.png").size(), QSize(800, 500));
    const QByteArray svg = lireFichier(d + "/annee.svg").left(4000);
    EXPECT_TRUE(svg.contains("<svg")) << svg.left(200).constData();
    EXPECT_TRUE(svg.contains("width=\"800")) << svg.left(400).constData();
    EXPECT_TRUE(lireFichier(d + "/annee.pdf").startsWith("%PDF-"));
}

TEST(Tracer, GraphiqueSansDonneesEcritAvecUnAvertissement)
{
    const QString d = dossierTemporaire();
    for (const QString genre : {"edition", "travail"}) {
        const QString png = d + "/" + genre + ".png";
        const Resultat r = lancer(tracer(genre, png, {"--station", "76402001", "--debut", "01/01/1950", "--fin", "31/12/1950"}));
        EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
        EXPECT_EQ(r.erreurs.count('\n'), 1) << r.erreurs.toStdString();
        EXPECT_TRUE(r.erreurs.contains("aucune donnée")) << r.erreurs.toStdString();
        EXPECT_FALSE(QImage(png).isNull());
    }
}

TEST(Tracer, JournalDesOrdresEtDesEcrituresDansLOrdre)
{
    const QString d = dossierTemporaire();
    const QString journal = d + "/journal.tsv";
    const Resultat r = lancer(tracer("PluvioPiezo", d + "/pp.png",
                                     {"--station", "76402001", "--stations", "00754X0012", "--debut", "01/01/2015", "--fin",
                                      "31/12/2016", "--journal", journal}));
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    const QStringList lignes = QString::fromUtf8(lireFichier(journal)).split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lignes.size(), 50);
    const QRegularExpression forme("^(sql\\t[^\\t]+|ecrit\\t(Graphique|GraphiqueSuperposePluvio)\\t\\d+\\t\\d*\\t[^\\t]*)$");
    for (const QString& ligne : lignes)
        EXPECT_TRUE(forme.match(ligne).hasMatch()) << ligne.toStdString();
    const qsizetype premierePluie = lignes.indexOf(QRegularExpression("sql\t.*FROM PLUVIO_76402001.*"));
    const qsizetype premiereNappe = lignes.indexOf(QRegularExpression("sql\t.*FROM PZ_00754X0012.*"));
    const qsizetype ecritsPluie = lignes.filter(QRegularExpression("^ecrit\tGraphiqueSuperposePluvio\t")).size();
    const qsizetype ecritsNappe = lignes.filter(QRegularExpression("^ecrit\tGraphique\t")).size();
    // Les requêtes telles que le contrôle les écrit, avant toute traduction pour SQLite.
    EXPECT_TRUE(lignes.filter("#01/01/2015 00:00:00#").size() >= 1);
    ASSERT_GE(premierePluie, 0);
    ASSERT_GE(premiereNappe, 0);
    EXPECT_LT(premierePluie, premiereNappe);  // la pluie est chargée avant les nappes
    EXPECT_GT(ecritsPluie, 10);
    EXPECT_GT(ecritsNappe, 10);
    // Chaque niveau journalier des deux ans arrive au graphique des nappes.
    EXPECT_GE(lignes.filter(QRegularExpression("^ecrit\\tGraphique\\t41\\t")).size(), 2 * 365);
}

// Les ordres SQL d'un tracé, lus dans son journal ; le tracé doit réussir. Sans dossier des
// réglages donné, un dossier vide : aucun choix retenu.
QStringList ordres(const QStringList& options, const QString& configuration = QString())
{
    const QString d = dossierTemporaire();
    const Resultat r = lancer(tracer(options.first(), d + "/g.png", options.mid(1) + QStringList{"--journal", d + "/j.tsv"}),
                              configuration.isEmpty() ? dossierTemporaire() : configuration);
    EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
    return QString::fromUtf8(lireFichier(d + "/j.tsv")).split('\n').filter(QRegularExpression("^sql\t"));
}

TEST(Tracer, LesChoixDesStatistiquesChangentLesOrdres)
{
    const QStringList annee = {"Annee", "--station", "76402001", "--annee", "2023"};
    // Les années choisies bornent les statistiques ; sans choix, de la première année mesurée (1981) à l'avant-dernière.
    EXPECT_EQ(ordres(annee + QStringList{"--annees-statistiques", "1991-2020"}).filter("#01/01/1991#").filter("#12/31/2020#").size(), 2);
    EXPECT_EQ(ordres(annee).filter("#01/01/1981#").filter("#12/31/2023#").size(), 2);
    // La comparaison à la normale : les normales de la table, ou la médiane des mesures.
    const QStringList comparaison = {"comparaisonNormale", "--station", "76402001", "--debut", "01/01/2022", "--fin", "31/12/2023"};
    EXPECT_TRUE(ordres(comparaison).filter("PLUVIOMETRE_NORMALES").isEmpty());

    // Le choix retenu dans le fichier que nomme « graphique options » vaut sans option ; l'option donnée l'emporte.
    QTemporaryDir configuration;
    const QString fichier = lancer({"options"}, configuration.path()).sortie.section('\n', 0, 0).section(" (", 1).chopped(1);
    ASSERT_TRUE(fichier.startsWith(configuration.path())) << fichier.toStdString();
    ecrireFichier(fichier, "[General]\nAnneesStatistiques=1985-1995\nNormalesOfficielles=1\n");
    EXPECT_EQ(ordres(annee, configuration.path()).filter("#01/01/1985#").filter("#12/31/1995#").size(), 2);
    EXPECT_EQ(ordres(annee + QStringList{"--annees-statistiques", "auto"}, configuration.path()).filter("#01/01/1981#").size(), 2);
    EXPECT_FALSE(ordres(comparaison, configuration.path()).filter("FROM PLUVIOMETRE_NORMALES").isEmpty());
    EXPECT_TRUE(ordres(comparaison + QStringList{"--normales", "mediane"}, configuration.path()).filter("PLUVIOMETRE_NORMALES").isEmpty());
    // Les choix mal écrits : dans la table des demandes fausses de TestsHostile.
}

// Les libellés et les valeurs du premier jeu (la station), lus dans le journal d'un graphique annuel.
std::pair<QStringList, QList<double>> premierJeu(const QStringList& options)
{
    const QString d = dossierTemporaire();
    const Resultat r = lancer(tracer("Annee", d + "/a.png", options + QStringList{"--station", "76402001", "--journal", d + "/j.tsv"}));
    EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
    QMap<int, QString> libelles;
    QList<double> valeurs;
    int jeu = 0;
    for (const QString& ligne : QString::fromUtf8(lireFichier(d + "/j.tsv")).split('\n')) {
        const QStringList c = ligne.split('\t');
        if (c.size() != 5 || c[1] != "Graphique")
            continue;
        if (c[2] == "102")
            jeu = c[4].toInt();
        else if (c[2] == "168" && jeu == 0)
            libelles[c[3].toInt()] = c[4];  // les libellés des points remplacent ceux de l'axe
        else if (c[2] == "158" && jeu == 1)
            valeurs << c[4].toDouble();
    }
    return {libelles.values(), valeurs};
}

// Le graphique annuel trace les douze mois de l'année face à leurs statistiques : par mois, ou
// par année hydrologique, dès son premier mois ; les autres périodes sont refusées d'une ligne.
TEST(Tracer, LeGraphiqueAnnuelTraceDouzeMoisEtRefuseLesAutresPeriodes)
{
    const auto [mois2022, pluies2022] = premierJeu({"--annee", "2022", "--periodes", "M"});
    const auto [mois2023, pluies2023] = premierJeu({"--annee", "2023", "--periodes", "M"});
    ASSERT_EQ(pluies2022.size(), 12);
    ASSERT_EQ(pluies2023.size(), 12);
    EXPECT_EQ(mois2023.first(), "01/23");
    EXPECT_EQ(mois2023.last(), "12/23");
    const auto [moisHydro, pluiesHydro] = premierJeu({"--annee", "2023", "--periodes", "H", "--mois-hydro", "septembre"});
    EXPECT_EQ(moisHydro, (QStringList{"09/22", "10/22", "11/22", "12/22", "01/23", "02/23", "03/23", "04/23", "05/23", "06/23",
                                      "07/23", "08/23"}));
    EXPECT_EQ(pluiesHydro, pluies2022.mid(8) + pluies2023.mid(0, 8));

    const QString d = dossierTemporaire();
    for (const auto& [periode, nom] : {std::pair{"S", "Sans regroupement"}, {"D", "Décade"}, {"T", "Trimestre"}, {"A", "Année"}}) {
        const Resultat r = lancer(tracer("Annee", d + "/refus.png", {"--station", "76402001", "--periodes", periode}));
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.erreurs, QStringLiteral("graphique : période « %1 » refusée : le graphique annuel compare les douze mois de "
                                            "l'année à leurs statistiques, par Mois (M) ou par Année hydrologique (H).\n").arg(nom));
    }
    EXPECT_FALSE(QFile::exists(d + "/refus.png"));
}

// Le titre de l'axe des valeurs nomme la mesure tracée : l'ETP seule n'est pas dite précipitations.
TEST(Tracer, LAxeDesValeursNommeLaMesureTracee)
{
    struct Cas
    {
        QString type, mesures;
        QStringList autres;
        QString propriete, titre;
    };
    const QString pluie = "Précipitations en mm", etp = "Évapotranspiration en mm";
    const Cas cas[] = {{"edition", "1", {}, "57", pluie},
                       {"edition", "3", {}, "57", etp},
                       {"annuaire", "13", {}, "57", pluie},
                       {"Annee", "3", {}, "57", etp},
                       {"Superposition", "3", {"--stations", "76401001"}, "57", etp},
                       {"PluvioPiezo", "3", {"--stations", "00754X0012"}, "89", etp},
                       {"comparaisonNormale", "3", {}, "57", "Comparaison à la normale en mm"}};
    const QString d = dossierTemporaire();
    for (const Cas& c : cas) {
        SCOPED_TRACE((c.type + ' ' + c.mesures).toStdString());
        const Resultat r = lancer(tracer(c.type, d + "/g.png",
                                         c.autres + QStringList{"--station", "76402001", "--mesures", c.mesures, "--debut",
                                                                "01/01/2020", "--fin", "31/12/2021", "--journal", d + "/j.tsv"}));
        ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
        const QStringList titres =
            QString::fromUtf8(lireFichier(d + "/j.tsv")).split('\n').filter(QRegularExpression("^ecrit\tGraphique\t" + c.propriete + "\t\t"));
        ASSERT_FALSE(titres.isEmpty());
        EXPECT_EQ(titres.last().section('\t', 4), c.titre);
    }
}

} // namespace
