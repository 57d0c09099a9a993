// graphique importer --format : fichiers publics de plusieurs stations, puis
// le graphique de chaque genre de station importée.
#include "Lancement.h"

#include <QDate>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// Deux ans de jours, une ligne par jour faite par `ligne`.
QByteArray jours(const QByteArray& entete, const std::function<QByteArray(const QDate&, int)>& ligne)
{
    QByteArray t = entete + '\n';
    int i = 0;
    for (QDate d(2022, 1, 1); d <= QDate(2023, 12, 31); d = d.addDays(1), ++i)
        t += ligne(d, i) + '\n';
    return t;
}

// Les pixels de la couleur de la première courbe (bleu marine) : la courbe est dessinée.
int pixelsDeLaCourbe(const QString& png)
{
    const QImage image(png);
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == QColor(0, 0, 128) ? 1 : 0;
    return n;
}

TEST(ImporterArchives, ChaqueFormatPuisSonGraphique)
{
    const QString base = dossierTemporaire() + "/archives.db";
    const QByteArray meteo = jours("NUM_POSTE;NOM_USUEL;LAT;LON;ALTI;AAAAMMJJ;RR;QRR", [](const QDate& d, int i) {
        return "76116001;ROUEN-BOOS;49.38;1.18;151;" + d.toString("yyyyMMdd").toLatin1() + ';'
            + (i % 17 == 0 ? QByteArray(";") : QByteArray::number(i % 9 * 1.5) + ";1");
    });
    Resultat r = lancer({"importer", "--base", base, "--format", "meteo-quotidien", "--csv", ecrireCsv(meteo, "Q_76.csv")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie, "Import meteo-quotidien : 1 station(s) (1 créée(s), 0 complétée(s)), 731 ligne(s) lue(s), 687 mesure(s) "
                        "écrite(s) (687 ajoutée(s), 0 remplacée(s)), 43 valeur(s) vide(s) passée(s).\n");

    const QByteArray piezo = jours("code_bss;date_mesure;niveau_nappe_eau;profondeur_nappe", [](const QDate& d, int i) {
        const double p = 8.0 + 2.0 * std::sin(i / 58.0);
        return "07548X0009/F;" + d.toString(Qt::ISODate).toLatin1() + ';' + QByteArray::number(112.0 - p, 'f', 2) + ';'
            + QByteArray::number(p, 'f', 2);
    });
    r = lancer({"importer", "--base", base, "--format", "piezo-chroniques", "--csv", ecrireCsv(piezo, "piezo.csv")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    const QByteArray hydro = jours("code_station,date_obs_elab,resultat_obs_elab,grandeur_hydro_elab", [](const QDate& d, int i) {
        return "H5071010," + d.toString(Qt::ISODate).toLatin1() + ',' + QByteArray::number(2000 + (i * 37) % 900 * 10) + ",QmnJ";
    });
    r = lancer({"importer", "--base", base, "--format", "hydro-elab", "--csv", ecrireCsv(hydro, "hydro.csv")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(lancer({"stations", "--base", base}).sortie,
              "pluvio\t76116001\tROUEN-BOOS\t02/01/2022\t31/12/2023\npiezo\t07548X0009_F\t07548X0009/F\t01/01/2022\t31/12/2023\n"
              "hydro\tH5071010\tH5071010\t01/01/2022\t31/12/2023\n");

    // La base faite des seuls imports (calendrier et normales compris) sert à chaque genre ; les
    // trois premiers tracent en bleu marine la courbe de la station.
    const QList<QStringList> demandes = {
        {"--type", "Annee", "--annee", "2023"},
        {"--type", "PluvioPiezo", "--stations", "07548X0009_F", "--debut", "01/01/2022", "--fin", "31/12/2023"},
        {"--type", "PluvioStation", "--stations", "H5071010", "--debut", "01/01/2022", "--fin", "31/12/2023"},
        {"--type", "edition", "--periodes", "M", "--debut", "01/01/2022", "--fin", "31/12/2023"},
        {"--type", "edition", "--periodes", "H", "--debut", "01/10/2022", "--fin", "30/09/2023"},
        {"--type", "annuaire", "--periodes", "A"},
        // Sans normales, la comparaison n'a rien à montrer, mais aucun ordre n'échoue.
        {"--type", "comparaisonNormale", "--periodes", "M", "--debut", "01/01/2022", "--fin", "31/12/2023"},
    };
    for (qsizetype k = 0; k < demandes.size(); ++k) {
        const QString png = dossierTemporaire() + "/trace.png";
        r = lancer(QStringList{"tracer", "--base", base, "--station", "76116001", "--sortie", png} + demandes[k]);
        ASSERT_EQ(r.code, 0) << demandes[k].join(' ').toStdString() << r.erreurs.toStdString();
        EXPECT_FALSE(r.erreurs.contains("aucune donnée")) << r.erreurs.toStdString();
        if (k < 3) {
            EXPECT_GT(pixelsDeLaCourbe(png), 500) << demandes[k].join(' ').toStdString();
        }
    }
}

TEST(ImporterArchives, NomsDesStationsEnWindows1252OuEnUtf8)
{
    const QString base = dossierTemporaire() + "/noms.db";
    // Un fichier d'avant l'UTF-8 : É, Œ et ’ sur un octet chacun.
    Resultat r = lancer({"importer", "--base", base, "--format", "meteo-quotidien", "--csv",
                         ecrireCsv("NUM_POSTE;NOM_USUEL;AAAAMMJJ;RR\n27056003;\xC9VREUX-HUEST;20230101;1\n"
                                   "61214001;L\x92" "AIGLE;20230101;2\n76116001;LE B\x8C" "UF;20230101;3\n", "ancien.csv")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    // Un fichier en UTF-8 garde ses lettres, sans les lire octet par octet.
    r = lancer({"importer", "--base", base, "--format", "meteo-quotidien", "--csv",
                ecrireCsv("NUM_POSTE;NOM_USUEL;AAAAMMJJ;RR\n42218001;SAINT-\xC3\x89TIENNE-BOUTH\xC3\x89ON;20230101;1\n", "recent.csv")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    r = lancer({"stations", "--base", base});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    QStringList noms;
    for (const QString& ligne : r.sortie.split('\n', Qt::SkipEmptyParts))
        noms << ligne.section('\t', 2, 2);
    noms.sort();
    EXPECT_EQ(noms, QStringList({"LE BŒUF", "L’AIGLE", "SAINT-ÉTIENNE-BOUTHÉON", "ÉVREUX-HUEST"})) << r.sortie.toStdString();
}

// Chaque refus : le code 2, une ligne qui commence comme attendu, rien sur la sortie. Une base neuve
// n'est pas créée ; une base qui existe garde ses stations.
TEST(ImporterArchives, DemandesFaussesEtColonnesLuesRepeteesUneLigneEtRienDEcrit)
{
    const QString base = dossierTemporaire() + "/archives.db", jamais = dossierTemporaire() + "/jamais.db";
    Resultat r = lancer({"importer", "--base", base, "--format", "meteo-quotidien", "--csv",
                         ecrireCsv("NUM_POSTE;AAAAMMJJ;RR\n76116001;20230101;1\n", "a.csv")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    const QString avant = lancer({"stations", "--base", base}).sortie;
    const QString csv = ecrireCsv("NUM_POSTE;AAAAMMJJ;RR\n76116001;20230101;1\n", "m.csv");
    const auto repetee = [&](const char* format, const QByteArray& contenu, const char* colonne) {
        return std::tuple{base, QStringList{"--format", format, "--csv", ecrireCsv(contenu, "double.csv")},
                          QStringLiteral("graphique : l'en-tête du fichier a plusieurs fois la colonne « %1 »").arg(colonne)};
    };
    const std::tuple<QString, QStringList, QString> cas[] = {
        repetee("meteo-quotidien", "NUM_POSTE;AAAAMMJJ;RR;rr\n76116001;20230105;2;3\n27056003;20230105;2;3\n", "RR"),
        repetee("meteo-quotidien", "NUM_POSTE;NOM_USUEL;AAAAMMJJ;RR;NOM_USUEL\n76116001;A;20230105;2;B\n", "NOM_USUEL"),
        repetee("piezo-chroniques", "code_bss,date_mesure,profondeur_nappe,code_bss\nX1,2023-01-05,8,X2\n", "code_bss"),
        repetee("hydro-elab", "code_station;date_obs_elab;resultat_obs_elab;grandeur_hydro_elab;date_obs_elab\n"
                              "H1;2023-01-05;5;QmJ;2023-01-06\n", "date_obs_elab"),
        {jamais, {"--format", "meteo", "--csv", csv},
         "graphique : format inconnu : « meteo » (meteo-quotidien, piezo-chroniques, hydro-elab).\n"},
        {jamais, {"--format", "meteo-quotidien", "--csv", dossierTemporaire() + "/absent.csv.gz"}, "graphique : impossible de lire"},
        {jamais, {"--format", "meteo-quotidien", "--csv", csv, "--station", "76116001,76 1"},
         "graphique : code de station refusé « 76 1 »"},
        {jamais, {"--format", "meteo-quotidien", "--csv", csv, "--genre", "pluvio"}, "graphique : "},
        {jamais, {"--format", "hydro-elab", "--csv", csv}, "graphique : l'en-tête du fichier n'a pas la colonne « code_station »"},
    };
    for (const auto& [dans, arguments, debut] : cas) {
        r = lancer(QStringList{"importer", "--base", dans} + arguments);
        EXPECT_EQ(r.code, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(r.erreurs.count('\n'), 1) << r.erreurs.toStdString();
        EXPECT_TRUE(r.erreurs.startsWith(debut)) << r.erreurs.toStdString();
        EXPECT_TRUE(r.sortie.isEmpty());
    }
    EXPECT_EQ(lancer({"stations", "--base", base}).sortie, avant);
    // Seul l'en-tête faux a pu ouvrir la base neuve ; il n'y a rien écrit.
    EXPECT_TRUE(!QFileInfo::exists(jamais) || lancer({"stations", "--base", jamais}).sortie.isEmpty());

    // Une colonne que l'import ne lit pas peut se répéter.
    r = lancer({"importer", "--base", base, "--format", "meteo-quotidien", "--csv",
                ecrireCsv("NUM_POSTE;LAT;LAT;AAAAMMJJ;RR\n76116001;1;2;20230105;4\n", "lat.csv")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_TRUE(lancer({"stations", "--base", base}).sortie.contains("76116001\t76116001\t01/01/2023\t05/01/2023"));
}

} // namespace
