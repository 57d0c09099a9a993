// graphique tracer et graphique stations sur la base d'exemple, lancés comme par un utilisateur.
#include "Lancement.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

QStringList tracer(const QString& genre, const QString& sortie, QStringList options = {})
{
    return QStringList{"tracer", "--base", baseExemple(), "--type", genre, "--sortie", sortie} + options;
}

QByteArray debutDuFichier(const QString& chemin, int n)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

TEST(Stations, UneLigneParStationAvecSesDates)
{
    const Resultat r = lancer({"stations", "--base", baseExemple()});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    const QStringList lignes = r.sortie.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), 7) << r.sortie.toStdString();
    EXPECT_EQ(lignes[0], "pluvio\t76401001\tVallon-sur-Andelle\t01/01/1981\t31/12/2024");
    QSet<QString> genres;
    for (const QString& l : lignes) {
        const QStringList champs = l.split('\t');
        ASSERT_EQ(champs.size(), 5) << l.toStdString();
        genres.insert(champs[0]);
        EXPECT_TRUE(QRegularExpression("^\\d\\d/\\d\\d/\\d{4}$").match(champs[3]).hasMatch()) << l.toStdString();
    }
    EXPECT_EQ(genres, QSet<QString>({"pluvio", "piezo", "hydro", "reference"}));
}

TEST(Tracer, EcritPngSvgEtPdfALaTailleDemandee)
{
    const QString d = dossierTemporaire();
    const QStringList options = {"--station", "76402001", "--annee", "2023", "--largeur", "800", "--hauteur", "500"};
    Resultat r = lancer(tracer("Annee", d + "/annee.png", options));
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_TRUE(r.erreurs.isEmpty()) << r.erreurs.toStdString();
    // La taille demandée ; que la courbe y est dessinée, ImporterArchives le vérifie sur le même genre.
    EXPECT_EQ(QImage(d + "/annee.png").size(), QSize(800, 500));

    r = lancer(tracer("annee", d + "/annee.svg", options));
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    const QByteArray svg = debutDuFichier(d + "/annee.svg", 4000);
    EXPECT_TRUE(svg.contains("<svg")) << svg.left(200).constData();
    EXPECT_TRUE(svg.contains("width=\"800")) << svg.left(400).constData();

    r = lancer(tracer("ANNEE", d + "/annee.pdf", options));
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_TRUE(debutDuFichier(d + "/annee.pdf", 5).startsWith("%PDF-"));
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
    QFile f(journal);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lignes = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lignes.size(), 50);
    const QRegularExpression forme("^(sql\\t[^\\t]+|ecrit\\t(Graphique|GraphiqueSuperposePluvio)\\t\\d+\\t\\d*\\t[^\\t]*)$");
    int premierePluie = -1, premiereNappe = -1, ecritsPluie = 0, ecritsNappe = 0;
    for (int i = 0; i < lignes.size(); ++i) {
        EXPECT_TRUE(forme.match(lignes[i]).hasMatch()) << lignes[i].toStdString();
        if (premierePluie < 0 && lignes[i].startsWith("sql\t") && lignes[i].contains("FROM PLUVIO_76402001"))
            premierePluie = i;
        if (premiereNappe < 0 && lignes[i].startsWith("sql\t") && lignes[i].contains("FROM PZ_00754X0012"))
            premiereNappe = i;
        ecritsPluie += lignes[i].startsWith("ecrit\tGraphiqueSuperposePluvio\t");
        ecritsNappe += lignes[i].startsWith("ecrit\tGraphique\t");
    }
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

TEST(Tracer, DemandeIncorrecteUneLigneCode2EtPasDeFichier)
{
    const QString d = dossierTemporaire();
    QFile texte(d + "/pas-une-base.db");
    ASSERT_TRUE(texte.open(QIODevice::WriteOnly));
    texte.write("ceci n'est pas une base SQLite\n");
    texte.close();
    const QString png = d + "/sortie.png";
    const QStringList station = {"--station", "76402001"};
    const QList<QStringList> mauvaises = {
        tracer("edition", png, {"--station", "99999999"}),
        tracer("camembert", png, station),
        tracer("edition", png, station + QStringList{"--mesures", "7"}),
        tracer("edition", png, station + QStringList{"--periodes", "X"}),
        tracer("edition", png, station + QStringList{"--debut", "32/01/2020"}),
        tracer("edition", png, station + QStringList{"--fin", "2020-12-31"}),
        tracer("Annee", png, station + QStringList{"--annee", "deux mille"}),
        tracer("edition", png, station + QStringList{"--affichage", "CAMEMBERT"}),
        tracer("PluvioPiezo", png, station + QStringList{"--stations", "76401001"}),
        tracer("edition", d + "/absent/sortie.png", station),
        tracer("edition", d + "/sortie.jpg", station),
        {"tracer", "--base", d + "/absente.db", "--type", "edition", "--station", "76402001", "--sortie", png},
        {"tracer", "--base", texte.fileName(), "--type", "edition", "--station", "76402001", "--sortie", png},
        {"tracer", "--base", "host=127.0.0.1 port=1 dbname=rien connect_timeout=2", "--type", "edition", "--station",
         "76402001", "--sortie", png},
        {"tracer", "--base", baseExemple(), "--type", "edition", "--station", "76402001"},
    };
    for (const QStringList& arguments : mauvaises) {
        const Resultat r = lancer(arguments);
        EXPECT_EQ(r.code, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(r.erreurs.count('\n'), 1) << arguments.join(' ').toStdString() << '\n' << r.erreurs.toStdString();
        EXPECT_TRUE(r.erreurs.startsWith("graphique : ")) << r.erreurs.toStdString();
        EXPECT_FALSE(QFileInfo::exists(png)) << arguments.join(' ').toStdString();
        EXPECT_FALSE(QFileInfo::exists(d + "/absent"));
        QFile::remove(png);
    }
    // Une commande de lecture ne crée pas une base absente.
    EXPECT_FALSE(QFileInfo::exists(d + "/absente.db"));
}

} // namespace
