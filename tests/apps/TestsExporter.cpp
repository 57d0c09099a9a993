// graphique exporter et graphique annuaire sur la base d'exemple ; chaque classeur relu par openpyxl.
#include "Lancement.h"
#include "commun_tests/Fichiers.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace {

// Le résumé qu'openpyxl fait du classeur ; un échec et un objet vide quand openpyxl manque
// (scripts/installer-paquets.sh l'installe).
QJsonObject Relire(const QString& classeur)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(GRAPHIQUE_LECTEUR_CLASSEUR), classeur});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << p.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// Les genres des tracés du premier graphique, et leurs séries.
QStringList Traces(const QJsonObject& resume)
{
    QStringList genres;
    for (const QJsonValue t : resume["graphiques"][0]["traces"].toArray())
        genres << t["genre"].toString();
    return genres;
}

const QJsonArray Series(const QJsonObject& resume, int trace)
{
    return resume["graphiques"][0]["traces"][trace]["series"].toArray();
}

class Exporter_ : public ::testing::Test
{
protected:
    QJsonObject exporter(const QString& nom, const QStringList& options, const QString& commande = "exporter")
    {
        const QString chemin = d + u'/' + nom;
        const Resultat r = lancer(QStringList{commande, "--base", baseExemple(), "--sortie", chemin} + options);
        EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
        EXPECT_TRUE(r.erreurs.isEmpty()) << r.erreurs.toStdString();
        return QFile::exists(chemin) ? Relire(chemin) : QJsonObject();
    }
    QString d = dossierTemporaire();
};

TEST_F(Exporter_, ChaqueGenreRelitSesFeuillesSeriesEtAxes)
{
    QJsonObject r = exporter("edition.xlsx", {"--type", "edition", "--station", "76402001", "--periodes", "M", "--debut",
                                              "01/01/2019", "--fin", "31/12/2023", "--affichage", "HISTO"});
    EXPECT_EQ(std::as_const(r)["feuilles"].toArray(), QJsonArray({QJsonArray{"Graph1", "Chartsheet"}, QJsonArray{"Feuil1", "Worksheet"}}));
    EXPECT_EQ(Traces(r), QStringList{"barChart"});
    EXPECT_EQ(Series(r, 0).size(), 1);
    EXPECT_EQ(Series(r, 0)[0]["valeurs"].toString(), "'Feuil1'!$B$2:$B$61");  // 60 mois
    EXPECT_EQ(Series(r, 0)[0]["x"].toString(), "'Feuil1'!$A$2:$A$61");
    const QJsonObject feuil1 = std::as_const(r)["cellules"]["Feuil1"].toObject();
    EXPECT_EQ(std::as_const(feuil1)["A2"][0].toString(), "2019-01-01T12:00:00");  // les totaux se datent à midi
    EXPECT_EQ(std::as_const(feuil1)["A2"][1].toString(), "DD/MM/YYYY hh:mm:ss");
    EXPECT_TRUE(std::as_const(feuil1)["B2"][0].isDouble());
    EXPECT_EQ(std::as_const(r)["graphiques"][0]["titre"].toString(), "Pluviomètre - Port-Aubin (76402001)");

    r = exporter("annee.xlsx", {"--type", "Annee", "--station", "76402001", "--annee", "2023"});
    EXPECT_EQ(Traces(r), QStringList{"lineChart"});
    const QJsonArray annee = Series(r, 0);
    ASSERT_GE(annee.size(), 9);
    EXPECT_EQ(annee[1]["valeurs"].toString(), "'Feuil1'!$D$2:$D$13");  // deux colonnes par courbe
    EXPECT_EQ(annee[1]["x"].toString(), "'Feuil1'!$A$2:$A$13");

    r = exporter("cumul.xlsx", {"--type", "Annee", "--station", "76402001", "--annee", "2023", "--variante",
                                "CUMUL_MENSUEL", "--periodes", "A"});
    EXPECT_EQ(std::as_const(r)["graphiques"][0]["traces"][0]["regroupement"].toString(), "stacked");

    r = exporter("piezo.xlsx", {"--type", "PluvioPiezo", "--station", "76402001", "--stations", "00754X0012,00755X0031",
                                "--debut", "01/01/2015", "--fin", "31/12/2024"});
    EXPECT_EQ(Traces(r), (QStringList{"barChart", "scatterChart"}));
    EXPECT_NE(std::as_const(r)["graphiques"][0]["traces"][0]["axes"], std::as_const(r)["graphiques"][0]["traces"][1]["axes"]);  // axe secondaire
    ASSERT_EQ(Series(r, 1).size(), 2);
    EXPECT_TRUE(Series(r, 1)[1]["valeurs"].toString().startsWith("'Feuil2'!$E$2:$E$"));
    EXPECT_EQ(std::as_const(r)["feuilles"][2][0].toString(), "Feuil2");
    // Les niveaux rangés négatifs, comme à l'écran (l'axe est essayé dans tests/output).
    EXPECT_LT(std::as_const(r)["cellules"]["Feuil2"]["B2"][0].toDouble(), 0);

    r = exporter("comparaison.xlsx", {"--type", "comparaisonNormale", "--station", "76402001", "--periodes", "M",
                                      "--debut", "01/01/2022", "--fin", "31/12/2023"});
    EXPECT_EQ(std::as_const(r)["graphiques"][0]["traces"][0]["chevauchement"].toDouble(), 100);
}

TEST_F(Exporter_, AnnuaireAnnuelEtChronique)
{
    const QStringList base = {"--type", "annuaire", "--station", "76402001", "--periodes", "S", "--debut", "01/01/2023",
                              "--fin", "31/12/2023"};
    QJsonObject r = exporter("annuel.xlsx", base + QStringList{"--annuel"}, "annuaire");
    EXPECT_EQ(std::as_const(r)["graphiques"][0]["titre"].toString(), "Courbe des maximums journaliers");
    EXPECT_EQ(Traces(r), (QStringList{"scatterChart", "scatterChart"}));  // la seconde porte l'axe de droite
    EXPECT_EQ(std::as_const(r)["graphiques"][0]["entrees_supprimees"].toArray(), QJsonArray{1});
    EXPECT_EQ(Series(r, 0)[0]["x"].toString(), "'Feuil1'!$A$2:$A$367");  // 365 jours + 2

    r = exporter("chronique.xlsx", base, "annuaire");
    EXPECT_EQ(std::as_const(r)["graphiques"][0]["titre"].toString(), "Chronique piézomètrique");
    EXPECT_FALSE(std::as_const(r)["graphiques"][0]["legende"].toBool());
    EXPECT_EQ(Series(r, 0)[0]["valeurs"].toString(), "'Feuil1'!$AG$2:$AG$368");
    EXPECT_EQ(std::as_const(r)["cellules"]["Feuil1"]["AF2"][1].toString(), "DD/MM/YYYY hh:mm:ss");

    // Sans --type, la page est celle du graphique d'annuaire ; un autre genre donne la page de ses courbes.
    EXPECT_EQ(exporter("sans-type.xlsx", base.mid(2), "annuaire"), r);
    const QJsonObject mensuel = exporter("edition.xlsx", QStringList{"--type", "edition"} + base.mid(2).replaceInStrings("S", "M"), "annuaire");
    EXPECT_NE(Series(mensuel, 0)[0]["valeurs"].toString(), Series(r, 0)[0]["valeurs"].toString());
}

// Le dernier tracé d'un journal, après la dernière remise à neuf du graphique (propriété 20) : par
// jeu de données, ses points (valeur 158, manquant 32) ; et les textes de légende (169) des jeux tracés.
using Points = std::map<int, std::pair<double, bool>>;
std::pair<std::map<int, Points>, QStringList> DernierTrace(const QString& journal)
{
    std::map<int, Points> jeux;
    std::map<int, QString> textes;
    int jeu = 0, point = 0;
    for (const QString& e : QString::fromUtf8(lireFichier(journal)).split('\n')) {
        const QStringList c = e.split('\t');
        if (c.size() != 5 || c[1] != "Graphique")
            continue;
        if (c[2] == "20")
            jeux.clear(), textes.clear();
        else if (c[2] == "102")
            std::tie(jeu, point) = std::pair(c[4].toInt(), 0);
        else if (c[2] == "158")
            jeux[jeu][point = c[3].toInt()].first = c[4].toDouble();
        else if (c[2] == "32" && point > 0)
            jeux[jeu][point].second = c[4] == "1";
        else if (c[2] == "169" && !c[4].isEmpty())
            textes[c[3].toInt()] = c[4];
    }
    QStringList legende;
    for (const auto& [j, texte] : textes)
        if (jeux.count(j))
            legende << texte;
    return {jeux, legende};
}

// Une statistique sans aucune valeur (douze points vides) est masquée par l'hôte : absente du classeur,
// et l'export dit pourquoi (le graphique et sa légende sont vus au bureau). Celle qui n'a de
// valeurs que pour certains mois est tracée, ses mois vides à 0.
TEST_F(Exporter_, StatistiquesSansValeurAbsentesDuGraphiqueDeLaLegendeEtDuClasseur)
{
    const QString base = copieDeLExemple();
    // 76999001 : trois jours de 2023 ; 76999002 : le premier semestre 2022 et toute l'année 2023.
    QByteArray partiel;
    for (QDate j(2022, 1, 1); j <= QDate(2023, 12, 31); j = j.addDays(1))
        if (j.year() == 2023 || j.month() <= 6)
            partiel += j.toString("dd/MM/yyyy").toLatin1() + ";2,5\n";
    for (const auto& [code, contenu] : {std::pair{"76999001", QByteArray("01/01/2023;5\n15/03/2023;12,5\n20/11/2023;3\n")},
                                        std::pair{"76999002", partiel}})
        ASSERT_EQ(lancer({"importer", "--base", base, "--station", code, "--genre", "pluvio", "--csv", ecrireCsv(contenu), "--nom", code}).code, 0);
    // Aucun choix retenu : les années des statistiques sont tirées des mesures.
    const QString reglages = dossierTemporaire();
    const auto demande = [&](const QString& code) {
        return QStringList{"--base", base, "--type", "Annee", "--station", code, "--annee", "2023", "--affichage", "COURBE"};
    };
    const QString avis = "graphique : attention : Statistiques et normales non tracées : il faut au moins une année de mesures "
                         "avant 2023 ; ce pluviomètre n'a pas de normales.\n";
    Resultat r = lancer(QStringList{"exporter", "--sortie", d + "/un.xlsx"} + demande("76999001"), reglages);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.erreurs, avis);
    ASSERT_EQ(Series(Relire(d + "/un.xlsx"), 0).size(), 1);
    // Sans normales, la comparaison aux normales officielles n'a aucun écart à tracer.
    r = lancer({"tracer", "--base", base, "--type", "comparaisonNormale", "--station", "76999001", "--normales", "officielles",
                "--sortie", d + "/ecarts.png", "--journal", d + "/ecarts.tsv"}, reglages);
    EXPECT_EQ(r.erreurs, "graphique : attention : Comparaison à la normale non tracée : ce pluviomètre n'a pas de normales.\n");
    EXPECT_TRUE(DernierTrace(d + "/ecarts.tsv").first.empty());

    // Les statistiques de 2022 : de janvier à juin ; les mois d'après, vides, se tracent à 0.
    r = lancer(QStringList{"tracer", "--sortie", d + "/partiel.png", "--journal", d + "/partiel.tsv"} + demande("76999002"), reglages);
    EXPECT_EQ(r.erreurs, "graphique : attention : Normales non tracées : ce pluviomètre n'a pas de normales.\n");
    const auto [jeuxPartiel, legendePartiel] = DernierTrace(d + "/partiel.tsv");
    ASSERT_EQ(jeuxPartiel.size(), 9u);  // l'année, l'enveloppe, les quintiles, la médiane
    EXPECT_EQ(legendePartiel.size(), 9);
    EXPECT_FALSE(legendePartiel.join('|').contains("Normales")) << legendePartiel.join('|').toStdString();
    for (const auto& [jeu, points] : jeuxPartiel) {
        ASSERT_EQ(points.size(), 12u) << jeu;
        // L'année a ses douze mois ; les statistiques, vides après juin, y sont à 0, sans point manquant.
        for (const auto& [point, p] : points) {
            EXPECT_FALSE(p.second) << jeu << ' ' << point;
            EXPECT_EQ(p.first == 0, jeu > 1 && point > 6) << jeu << ' ' << point;
        }
    }
}

} // namespace
