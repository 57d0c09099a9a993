// graphique importer: measurements from a CSV file into a station's table.
#include "Lancement.h"

#include "commun/TableauValeurs.h"
#include "data/bases/BaseSqlite.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QString copieDeLExemple()
{
    const QString copie = dossierTemporaire() + "/base.db";
    EXPECT_TRUE(QFile::copy(baseExemple(), copie));
    return copie;
}

QString ecrireCsv(const QByteArray& contenu)
{
    const QString chemin = dossierTemporaire() + "/mesures.csv";
    QFile f(chemin);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
    return chemin;
}

TableauValeurs lire(const QString& base, const QString& sql)
{
    QString erreur;
    auto b = BaseSqlite::ouvrir(base, erreur);
    TableauValeurs t;
    qint32 n = 0;
    EXPECT_TRUE(b && b->ExtraireRecords(sql, t, n)) << erreur.toStdString();
    return t;
}

QString stationsDe(const QString& base)
{
    return lancer({"stations", "--base", base}).sortie;
}

TEST(Importer, MesuresAjouteesPuisRemplaceesALaMemeDateEtHeure)
{
    const QString base = copieDeLExemple();
    // Header, semicolons, decimal commas, an optional time, a time joined to the date.
    Resultat r = lancer({"importer", "--base", base, "--station", "76999001", "--genre", "pluvio", "--nom", "Essai",
                         "--csv", ecrireCsv("Date;Heure;Pluie\n05/03/2004;;12,5\n06/03/2004;08:30;0,2\n\n07/03/2004 18:00:00;3\n")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie, "3 mesure(s) importée(s) dans PLUVIO_76999001, dont 0 remplacée(s).\n");
    EXPECT_TRUE(stationsDe(base).contains("pluvio\t76999001\tEssai\t05/03/2004\t07/03/2004\n")) << stationsDe(base).toStdString();
    TableauValeurs t = lire(base, "SELECT DateCreation, Heure, Pluie FROM PLUVIO_76999001 ORDER BY DateCreation, Heure");
    ASSERT_EQ(t.points(), 3);
    EXPECT_EQ(t(0, 1).toString(), "06/03/2004");
    EXPECT_EQ(t(1, 1).toString(), "08:30:00");
    EXPECT_DOUBLE_EQ(t(2, 0).toDouble(), 12.5);

    // Tabs and ISO dates, no header: one measurement replaced, one added, the station entry kept.
    r = lancer({"importer", "--base", base, "--station", "76999001", "--genre", "pluvio", "--csv",
                ecrireCsv("2004-03-06\t08:30\t4.75\n2004-03-08\t1\n")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie, "2 mesure(s) importée(s) dans PLUVIO_76999001, dont 1 remplacée(s).\n");
    t = lire(base, "SELECT Pluie FROM PLUVIO_76999001 ORDER BY DateCreation, Heure");
    ASSERT_EQ(t.points(), 4);
    EXPECT_DOUBLE_EQ(t(0, 1).toDouble(), 4.75);
    EXPECT_EQ(stationsDe(base).count("76999001"), 1);

    // Commas between fields and decimal points, into a well's chosen column.
    r = lancer({"importer", "--base", base, "--station", "00754X0012", "--genre", "piezo", "--csv",
                ecrireCsv("date,heure,niveau\n01/01/2025,06:00,-7.25\n")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    t = lire(base, "SELECT Valeur FROM PZ_00754X0012 WHERE DateCreation='2025-01-01'");
    ASSERT_EQ(t.points(), 1);
    EXPECT_DOUBLE_EQ(t(0, 0).toDouble(), -7.25);

    // The new station draws like any other.
    const QString png = dossierTemporaire() + "/essai.png";
    r = lancer({"tracer", "--base", base, "--type", "edition", "--station", "76999001", "--periodes", "S", "--debut",
                "01/03/2004", "--fin", "31/03/2004", "--sortie", png});
    EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_TRUE(r.erreurs.isEmpty()) << r.erreurs.toStdString();
}

TEST(Importer, UneLigneFausseEtRienNEstEcrit)
{
    const QString base = copieDeLExemple();
    const QString avant = stationsDe(base);
    const Resultat r = lancer({"importer", "--base", base, "--station", "76999002", "--genre", "pluvio", "--csv",
                               ecrireCsv("Date;Pluie\n05/03/2004;1\n31/02/2004;2\n06/03/2004;1\n07/03/2004;beaucoup\n"
                                         "08/03/2004;25:00;1\n09/03/2004;1;2;3\n")});
    EXPECT_EQ(r.code, 2);
    const QStringList lignes = r.erreurs.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), 5) << r.erreurs.toStdString();
    EXPECT_TRUE(lignes[0].contains("ligne 3 : date incorrecte « 31/02/2004 »")) << lignes[0].toStdString();
    EXPECT_TRUE(lignes[1].contains("ligne 5 : valeur incorrecte « beaucoup »")) << lignes[1].toStdString();
    EXPECT_TRUE(lignes[2].contains("ligne 6 : heure incorrecte « 25:00 »")) << lignes[2].toStdString();
    EXPECT_TRUE(lignes[3].contains("ligne 7 :")) << lignes[3].toStdString();
    EXPECT_EQ(lignes[4], "graphique : 4 ligne(s) incorrecte(s) : rien n'a été importé.");
    EXPECT_EQ(stationsDe(base), avant);
    EXPECT_EQ(lire(base, "SELECT name FROM sqlite_master WHERE name='PLUVIO_76999002'").points(), 0);

    for (const QStringList& mauvais : QList<QStringList>{
             {"--station", "76999003", "--genre", "meteo"},
             {"--station", "76 999", "--genre", "pluvio"},
             {"--station", "76999003", "--genre", "pluvio", "--colonne", "Pluie; DROP TABLE STATIONS"},
         }) {
        const Resultat m = lancer(QStringList{"importer", "--base", base, "--csv", ecrireCsv("05/03/2004;1\n")} + mauvais);
        EXPECT_EQ(m.code, 2) << mauvais.join(' ').toStdString();
        EXPECT_EQ(m.erreurs.count('\n'), 1) << m.erreurs.toStdString();
    }
    EXPECT_EQ(stationsDe(base), avant);
}

} // namespace
