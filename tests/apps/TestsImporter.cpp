// graphique importer : les mesures d'un fichier CSV dans la table d'une station.
#include "Lancement.h"
#include "commun_tests/LignesTexte.h"

#include "commun/TableauValeurs.h"
#include "data/bases/BaseSqlite.h"

#include <QDate>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

TableauValeurs lire(const QString& base, const QString& sql)
{
    QString erreur;
    auto b = BaseSqlite::ouvrir(base, erreur);
    TableauValeurs t;
    qint32 n = 0;
    EXPECT_TRUE(b && b->ExtraireRecords(OrdreSql::sansVerification(sql), t, n)) << erreur.toStdString();
    return t;
}

QString stationsDe(const QString& base)
{
    return lancer({"stations", "--base", base}).sortie;
}

// Les mesures d'un pluviomètre importées d'un fichier au contenu donné.
Resultat importerPluie(const QString& base, const QString& station, const QByteArray& contenu, const QStringList& autres = {})
{
    return lancer(QStringList{"importer", "--base", base, "--station", station, "--genre", "pluvio", "--csv", ecrireCsv(contenu)} + autres);
}

TEST(Importer, MesuresAjouteesPuisRemplaceesALaMemeDateEtHeure)
{
    const QString base = copieDeLExemple();
    // En-tête, points-virgules, virgules décimales, heure facultative, heure jointe à la date.
    Resultat r = importerPluie(base, "76999001", "Date;Heure;Pluie\n05/03/2004;;12,5\n06/03/2004;08:30;0,2\n\n07/03/2004 18:00:00;3\n",
                               {"--nom", "Essai"});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie, "3 mesure(s) importée(s) dans PLUVIO_76999001 : 3 ajoutée(s), 0 remplacée(s) dans la base.\n");
    EXPECT_TRUE(stationsDe(base).contains("pluvio\t76999001\tEssai\t05/03/2004\t07/03/2004\n")) << stationsDe(base).toStdString();
    TableauValeurs t = lire(base, "SELECT DateCreation, Heure, Pluie FROM PLUVIO_76999001 ORDER BY DateCreation, Heure");
    EXPECT_EQ(lignesTexte(t), (QStringList{"05/03/2004|00:00:00|12.5", "06/03/2004|08:30:00|0.2", "07/03/2004|18:00:00|3"}));

    // Tabulations et dates ISO, sans en-tête : une mesure remplacée (ses autres
    // colonnes gardées), une ajoutée, l'entrée de la station gardée.
    ASSERT_EQ(importerPluie(base, "76999001", "06/03/2004;08:30;0,6\n", {"--colonne", "Etp"}).code, 0);
    r = importerPluie(base, "76999001", "2004-03-06\t08:30\t4.75\n2004-03-08\t1\n");
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie, "2 mesure(s) importée(s) dans PLUVIO_76999001 : 1 ajoutée(s), 1 remplacée(s) dans la base.\n");
    t = lire(base, "SELECT Pluie, Etp, Validite FROM PLUVIO_76999001 ORDER BY DateCreation, Heure");
    // Pluie, Etp, Validite de chaque mesure.
    EXPECT_EQ(lignesTexte(t), (QStringList{"12.5||0", "4.75|0.6|0", "3||0", "1||0"}));
    EXPECT_EQ(stationsDe(base).count("76999001"), 1);

    // Virgules entre les champs et points décimaux, dans la colonne choisie d'un piézomètre.
    r = lancer({"importer", "--base", base, "--station", "00754X0012", "--genre", "piezo", "--csv",
                ecrireCsv("date,heure,niveau\n01/01/2025,06:00,-7.25\n")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(lignesTexte(lire(base, "SELECT Valeur FROM PZ_00754X0012 WHERE DateCreation='2025-01-01'")), QStringList{"-7.25"});
}

TEST(Importer, DoublonsDuFichierLaDerniereLigneLEmporteEtLeBilanLeDit)
{
    const QString base = copieDeLExemple();
    const Resultat r = importerPluie(base, "76999004", "05/03/2004;1\n06/03/2004;2\n05/03/2004;3\n05/03/2004 00:00;4\n"
                                                       "06/03/2004;5\n07/03/2004;6\n");
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie, "6 mesure(s) importée(s) dans PLUVIO_76999004 : 3 ajoutée(s), 0 remplacée(s) dans la base. 3 ligne(s) du "
                        "fichier répétaient une date et une heure : la dernière l'emporte (ligne 1 remplacée par la ligne 3, "
                        "ligne 3 remplacée par la ligne 4, ligne 2 remplacée par la ligne 5).\n");
    EXPECT_EQ(lignesTexte(lire(base, "SELECT Pluie FROM PLUVIO_76999004 ORDER BY DateCreation")), (QStringList{"4", "5", "6"}));
}

TEST(Importer, LaPremiereLigneNEstUnEnTeteQueSansDateNiNombre)
{
    const QString base = copieDeLExemple();
    // Une première ligne de données mal écrite est une erreur, jamais un en-tête passé sous silence.
    for (const char* premiere : {"12/31/2030;5", "31/02/2030;5", ";5", "2030-13-01;5", "05/03/2004;5 mm"}) {
        const Resultat r = importerPluie(base, "76999005", QByteArray(premiere) + "\n06/03/2004;1\n");
        EXPECT_EQ(r.code, 2) << premiere;
        EXPECT_TRUE(r.erreurs.startsWith("graphique : 1 ligne(s) incorrecte(s), rien n'a été importé : ligne 1 : "))
            << r.erreurs.toStdString();
    }
    EXPECT_EQ(lire(base, "SELECT name FROM sqlite_master WHERE name='PLUVIO_76999005'").points(), 0);
    // Un en-tête de lettres, même précédé de la marque UTF-8 ou entre guillemets.
    for (const char* entete : {"\xEF\xBB\xBF" "Date;Pluie", "\"Date\";\"Pluie (mm)\"", "Jour;Précipitations"}) {
        const Resultat r = importerPluie(base, "76999005", QByteArray(entete) + "\n06/03/2004;1\n");
        EXPECT_EQ(r.code, 0) << entete << r.erreurs.toStdString();
    }
}

TEST(Importer, LignesFaussesUneSeuleLigneDeMessageEtRienNEstEcrit)
{
    const QString base = copieDeLExemple();
    const QString avant = stationsDe(base);
    Resultat r = importerPluie(base, "76999002", "Date;Pluie\n05/03/2004;1\n31/02/2004;2\n06/03/2004;1\n07/03/2004;beaucoup\n"
                                                 "08/03/2004;25:00;1\n09/03/2004;1;2;3\n10/03/2004;inf\n11/03/2004;nan\n");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.erreurs,
              "graphique : 6 ligne(s) incorrecte(s), rien n'a été importé : ligne 3 : date incorrecte « 31/02/2004 » "
              "(JJ/MM/AAAA ou AAAA-MM-JJ) ; ligne 5 : valeur incorrecte « beaucoup » ; ligne 6 : heure incorrecte « 25:00 » "
              "(hh:nn ou hh:nn:ss) ; ligne 7 : une date, une heure facultative puis une valeur sont attendues ; ligne 8 : "
              "valeur incorrecte « inf » ; et 1 autre(s).\n");
    EXPECT_EQ(stationsDe(base), avant);
    EXPECT_EQ(lire(base, "SELECT name FROM sqlite_master WHERE name='PLUVIO_76999002'").points(), 0);

    // Cent mille lignes fausses, un champ de 20 Mo, des échappements du
    // terminal et des octets nuls : une ligne courte, propre, et rien d'écrit.
    static const char echappements[] = "05/03/2004;\x1b]0;titre\x07\x1b[31mrouge\x00;1\n";
    QByteArray fichier(echappements, sizeof echappements - 1);
    fichier += "06/03/2004;" + QByteArray(20 << 20, 'x') + "\n";
    fichier += QByteArray("pas une date;1\n").repeated(100000);
    r = importerPluie(base, "76999002", fichier);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.erreurs.count('\n'), 1);
    EXPECT_LT(r.erreurs.size(), 1000) << r.erreurs.left(2000).toStdString();
    EXPECT_TRUE(r.erreurs.startsWith("graphique : 100002 ligne(s) incorrecte(s)")) << r.erreurs.toStdString();
    for (const QChar c : r.erreurs.chopped(1))
        EXPECT_GE(c.unicode(), 0x20) << r.erreurs.toStdString();
    EXPECT_EQ(stationsDe(base), avant);

    for (const QStringList& mauvais : QList<QStringList>{
             {"--station", "76999003", "--genre", "meteo"},
             {"--station", "76999003", "--genre", "pluvio", "--colonne", "Pluie; DROP TABLE STATIONS"},
             {"--station", "76402001", "--genre", "pluvio", "--colonne", "Inconnue"},
         })
        unRefus(lancer(QStringList{"importer", "--base", base, "--csv", ecrireCsv("05/03/2004;1\n")} + mauvais), "graphique : ",
                mauvais.join(' '));
    EXPECT_EQ(stationsDe(base), avant);
    // Un fichier vide, un dossier, un fichier absent.
    for (const QString& csv : {ecrireCsv(""), ecrireCsv("Date;Pluie\n\n"), dossierTemporaire(), QStringLiteral("/absent.csv")})
        unRefus(lancer({"importer", "--base", base, "--station", "76999003", "--genre", "pluvio", "--csv", csv}), "graphique : ", csv);
}

TEST(Importer, DeuxImportsEnsembleSAttendentEtToutEstGarde)
{
    const QString base = dossierTemporaire() + "/partagee.db";
    const QString fa = ecrireCsv(jours(20000, "1", QDate(1950, 1, 1)));
    const QString fb = ecrireCsv(jours(20000, "2", QDate(1950, 1, 1)), "b.csv");
    QProcess p1, p2;
    p1.start(QStringLiteral(GRAPHIQUE_PROGRAMME), {"importer", "--base", base, "--station", "A1", "--genre", "pluvio", "--csv", fa});
    p2.start(QStringLiteral(GRAPHIQUE_PROGRAMME), {"importer", "--base", base, "--station", "B2", "--genre", "pluvio", "--csv", fb});
    ASSERT_TRUE(p1.waitForFinished(60000) && p2.waitForFinished(60000));
    EXPECT_EQ(p1.exitCode(), 0) << p1.readAllStandardError().toStdString();
    EXPECT_EQ(p2.exitCode(), 0) << p2.readAllStandardError().toStdString();
    EXPECT_EQ(lire(base, "SELECT DateCreation FROM PLUVIO_A1").points(), 20000);
    EXPECT_EQ(lire(base, "SELECT DateCreation FROM PLUVIO_B2").points(), 20000);
    EXPECT_EQ(stationsDe(base).count('\n'), 2);
}

// Un import qui remplace des valeurs : le lot de l'historique, listé puis annulé à la ligne de commande.
TEST(Corrections, UnImportQuiRemplaceSeListeEtSAnnule)
{
    const QString base = copieDeLExemple();
    const auto valeurDu6 = [&] {
        return lire(base, "SELECT Pluie FROM PLUVIO_76402001 WHERE DateCreation=#03/06/2023#").valeur(0, 0).toDouble();
    };
    const double avant = valeurDu6();
    Resultat r = lancer({"corrections", "--base", base, "--station", "76402001"});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie, "Aucune correction enregistrée pour la station 76402001.\n");
    r = importerPluie(base, "76402001", "06/03/2023;12:00:00;77,5\n07/03/2023;08:00:00;1\n");
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_DOUBLE_EQ(valeurDu6(), 77.5);

    // Une ligne par mesure remplacée (l'ajoutée n'en a pas : elle n'avait pas de valeur d'avant).
    r = lancer({"corrections", "--base", base, "--station", "76402001"});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    const QStringList lignes = r.sortie.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), 1) << r.sortie.toStdString();
    EXPECT_TRUE(lignes[0].contains(QStringLiteral("lot 1, import de mesures.csv  06/03/2023 12:00:00 : %1 → 77.5").arg(avant)))
        << lignes[0].toStdString();
    EXPECT_EQ(lancer({"corrections", "--base", base, "--station", "76402001", "--depuis", "01/01/2200"}).sortie,
              "Aucune correction enregistrée pour la station 76402001 depuis le 01/01/2200.\n");

    // Annulée : la valeur d'avant revient, l'annulation est un lot, et il n'y a plus rien à annuler.
    r = lancer({"corrections", "--base", base, "--station", "76402001", "--annuler"});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_TRUE(r.sortie.startsWith("Lot 1 annulé (import de mesures.csv, le ")) << r.sortie.toStdString();
    EXPECT_TRUE(r.sortie.endsWith(") : 1 mesure(s) rendue(s) telles qu'avant.\n")) << r.sortie.toStdString();
    EXPECT_DOUBLE_EQ(valeurDu6(), avant);
    EXPECT_EQ(lancer({"corrections", "--base", base, "--station", "76402001"}).sortie.count(u'\n'), 2);
    r = lancer({"corrections", "--base", base, "--station", "76402001", "--annuler"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.erreurs, "graphique : aucune correction à annuler pour PLUVIO_76402001.\n");

    // Une demande fausse : une ligne en français, le code 2.
    for (const QStringList& faux : {QStringList{"--station", "XYZ"}, QStringList{"--station", "76402001", "--depuis", "31/02/2023"}}) {
        unRefus(lancer(QStringList{"corrections", "--base", base} + faux), "graphique : ", faux.join(' '));
    }
}


// Toute une table, une ligne de texte par mesure.
QStringList tableEntiere(const QString& base, const QString& table)
{
    return lignesTexte(lire(base, "SELECT * FROM " + table + " ORDER BY DateCreation, Heure"));
}

// Un format public : une station, l'en-tête de ses fichiers et la ligne d'un jour.
struct FormatPublic
{
    const char* format;
    const char* prefixe;
    const char* station;
    QByteArray entete;
    std::function<QByteArray(int jour, int valeur)> ligne;
};

const QList<FormatPublic> formatsPublics = {
    {"meteo-quotidien", "PLUVIO_", "76116001", "NUM_POSTE;NOM_USUEL;LAT;LON;ALTI;AAAAMMJJ;RR;QRR",
     [](int j, int v) {
         return "76116001;ROUEN-BOOS;49.38;1.18;151;202301" + QByteArray::number(10 + j) + ';' + QByteArray::number(v) + ";1";
     }},
    {"piezo-chroniques", "PZ_", "07548X0009_F", "code_bss;date_mesure;niveau_nappe_eau;profondeur_nappe",
     [](int j, int v) {
         return "07548X0009/F;2023-01-" + QByteArray::number(10 + j) + ";" + QByteArray::number(100 - v) + ";" + QByteArray::number(v);
     }},
    {"hydro-elab", "HYDRO_", "H5071010", "code_station,date_obs_elab,resultat_obs_elab,grandeur_hydro_elab",
     [](int j, int v) { return "H5071010,2023-01-" + QByteArray::number(10 + j) + "," + QByteArray::number(v * 1000) + ",QmnJ"; }},
};

// Un fichier public qui remplace des valeurs déjà en base : ses remplacements forment un lot, que
// « corrections --annuler » défait ; la table redevient ce qu'elle était.
TEST(Corrections, UnFichierPublicQuiRemplaceSAnnule)
{
    for (const FormatPublic& c : formatsPublics) {
        const QString base = dossierTemporaire() + "/annulation-" + c.format + ".db", table = c.prefixe + QString(c.station);
        QByteArray premier = c.entete + '\n', second = c.entete + '\n';
        for (int j = 0; j < 5; ++j) {
            premier += c.ligne(j, j + 1) + '\n';
            second += c.ligne(j, j % 2 == 0 ? j + 1 : 40 + j) + '\n';  // les jours impairs changent
        }
        ASSERT_EQ(lancer({"importer", "--base", base, "--format", c.format, "--csv", ecrireCsv(premier, "premier.csv")}).code, 0);
        const QStringList avant = tableEntiere(base, table);
        Resultat r = lancer({"importer", "--base", base, "--format", c.format, "--csv", ecrireCsv(second, "second.csv")});
        ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
        EXPECT_TRUE(r.sortie.contains("5 remplacée(s)")) << c.format << r.sortie.toStdString();
        EXPECT_NE(tableEntiere(base, table), avant) << c.format;
        // Seules les deux mesures vraiment changées sont dans le lot.
        const QString lots = lancer({"corrections", "--base", base, "--station", c.station}).sortie;
        EXPECT_EQ(lots.count("lot 1, import de second.csv"), 2) << c.format;
        r = lancer({"corrections", "--base", base, "--station", c.station, "--annuler"});
        ASSERT_EQ(r.code, 0) << c.format << r.erreurs.toStdString();
        EXPECT_TRUE(r.sortie.endsWith(": 2 mesure(s) rendue(s) telles qu'avant.\n")) << r.sortie.toStdString();
        EXPECT_EQ(tableEntiere(base, table), avant) << c.format;
    }
}

} // namespace
