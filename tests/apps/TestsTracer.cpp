// graphique tracer sur la base d'exemple, lancé comme par un utilisateur.
#include "Lancement.h"
#include "commun_tests/Fichiers.h"

#include <QImage>
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
    Resultat r = lancer(tracer("Annee", d + "/annee.png", options));
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_TRUE(r.erreurs.isEmpty()) << r.erreurs.toStdString();
    // La taille demandée ; que la courbe y est dessinée, ImporterArchives le vérifie sur le même genre.
    EXPECT_EQ(QImage(d + "/annee.png").size(), QSize(800, 500));

    r = lancer(tracer("annee", d + "/annee.svg", options));
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    const QByteArray svg = lireFichier(d + "/annee.svg").left(4000);
    EXPECT_TRUE(svg.contains("<svg")) << svg.left(200).constData();
    EXPECT_TRUE(svg.contains("width=\"800")) << svg.left(400).constData();

    r = lancer(tracer("ANNEE", d + "/annee.pdf", options));
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
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

} // namespace
