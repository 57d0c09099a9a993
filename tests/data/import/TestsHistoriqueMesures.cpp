// L'historique des mesures sur une vraie base (SQLite, ou PostgreSQL dans
// tests_import_postgresql) : chaque valeur qu'un import remplace revient telle
// quelle, avec sa classe ; un lot abîmé est refusé sans rien écrire ; une
// annulation ne passe jamais par-dessus ce qu'un autre client a validé pendant
// qu'elle attendait.
#include "commun/Cellule.h"
#include "commun_tests/LignesTexte.h"
#include "data/BaseDeTest.h"
#include "data/TableMesures.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/HistoriqueMesures.h"
#include "data/import/ImportArchive.h"
#include "data/import/ImportMesures.h"

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

namespace {

class Historique : public AvecBase
{
protected:
    void preparer() override
    {
        for (const char* t : {"HISTORIQUE_MESURES", "HISTORIQUE_PLUVIO_H1", "PLUVIO_H1"})
            base().SupprimerTable(QString::fromLatin1(t));
        ASSERT_TRUE(base().CreerTable(QStringLiteral("PLUVIO_H1"),
                                      {{"DateCreation", TypeColonne::Date}, {"Heure", TypeColonne::Heure}, {"Pluie", TypeColonne::Reel},
                                       {"Continuite", TypeColonne::Entier}, {"ModeObtention", TypeColonne::Texte},
                                       {"Validite", TypeColonne::Entier}, {"Commentaire", TypeColonne::Texte}},
                                      {"DateCreation", "Heure"}));
        QList<QVariantList> lignes;
        for (int j = 1; j <= 9; ++j)
            lignes.append({QDate(2024, 3, j), QStringLiteral("08:00:00"), double(j), 0, QStringLiteral("A"), 0, QVariant()});
        ASSERT_TRUE(base().InsererLignes(QStringLiteral("PLUVIO_H1"), lignes));
    }

    BaseAcces& moteur() { return dynamic_cast<BaseAcces&>(base()); }
    bool pg() const { return base().typeBase() == QStringLiteral("POSTGRESQL"); }
    void natif(const QString& sql) { ASSERT_TRUE(moteur().ExecuterNatif(sql)) << sql.toStdString() << moteur().DerniereErreur().toStdString(); }

    // Toute la table telle que le moteur la tient : chaque valeur avec sa classe (SQLite) ou son type (PostgreSQL).
    QStringList brut()
    {
        QStringList champs;
        for (const char* c : {"DateCreation", "Heure", "Pluie", "Continuite", "ModeObtention", "Validite", "Commentaire"})
            champs << (pg() ? QStringLiteral("pg_typeof(%1)::text || ':' || quote_nullable(%1)") : QStringLiteral("typeof(%1) || ':' || quote(%1)"))
                              .arg(QString::fromLatin1(c));
        TableauValeurs t;
        EXPECT_TRUE(moteur().ExecuterNatif("SELECT " + champs.join(" || ' | ' || ") + " FROM PLUVIO_H1 ORDER BY DateCreation, Heure", &t));
        QStringList lignes;
        for (int r = 0; r < t.points(); ++r)
            lignes << TexteCellule(t.valeur(0, r));
        return lignes;
    }
    qint64 compte(const QString& table) { return valeur("SELECT count(*) FROM " + table).toLongLong(); }

    // La pluie de chacun des jours donnés remplacée par `valeur`, par un import.
    void importer(const QList<int>& jours, const QByteArray& valeur)
    {
        QTemporaryDir dossier;
        QFile f(dossier.filePath("mesures.csv"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Date;Heure;Valeur\n");
        for (int j : jours)
            f.write(QDate(2024, 3, j).toString("dd/MM/yyyy").toLatin1() + ";08:00:00;" + valeur + '\n');
        f.close();
        ImportMesures::Demande d;
        d.code = "H1";
        d.genre = "pluvio";
        ImportMesures::Bilan bilan;
        QString erreur;
        ASSERT_TRUE(ImportMesures::importerFichier(moteur(), f.fileName(), d, bilan, erreur)) << erreur.toStdString();
        EXPECT_EQ(bilan.remplacees, jours.size());
    }
};

// Une valeur du jour, d'un fichier public ou d'une ligne sans heure, remplace la mesure de la station ce
// jour-là en gardant son heure, et l'annulation la rend telle qu'avant ; un jour sans mesure est ajouté
// à minuit ; un jour où la station a deux mesures, ou que le fichier donne avec et sans heure, fait tout
// refuser, sans rien écrire.
TEST_F(Historique, UneValeurDuJourRemplaceLaMesureDeCeJourASonHeure)
{
    struct Cas
    {
        const char* format;   // vide : un CSV de la station H1, sans heure
        const char* fichier;  // ses lignes, le 2 et le 12 mars
        bool deuxMesures;     // la station a aussi une mesure le 2 mars à 14:00
        const char* refus;    // nullptr : importé
    };
    const char* plusieurs = "PLUVIO_H1 a plusieurs mesures le 02/03/2024 : une valeur du jour ne dit pas laquelle remplacer, "
                            "rien n'a été importé.";
    const QByteArray meteo = "NUM_POSTE;NOM_USUEL;LAT;LON;ALTI;AAAAMMJJ;RR;QRR\nH1;H;0;0;10;20240302;7.5;1\nH1;H;0;0;10;20240312;4;1\n";
    const QList<Cas> cas = {
        {"meteo-quotidien", meteo.constData(), false, nullptr},
        {"", "02/03/2024;7,5\n12/03/2024;4\n", false, nullptr},
        {"", "02/03/2024;;7,5\n2024-03-12;4\n", false, nullptr},
        {"meteo-quotidien", meteo.constData(), true, plusieurs},
        {"", "02/03/2024;7,5\n12/03/2024;4\n", true, plusieurs},
        {"", "02/03/2024;7,5\n02/03/2024;08:00;6\n12/03/2024;4\n", false,
         "le fichier donne le 02/03/2024 avec et sans heure, pour la même mesure de PLUVIO_H1 : rien n'a été importé."},
    };
    const QString jours = "SELECT DateCreation, Heure, Pluie FROM PLUVIO_H1 WHERE DateCreation IN (#03/02/2024#, #03/12/2024#) ORDER BY 1, 2";
    for (const Cas& c : cas) {
        SetUp();
        if (c.deuxMesures) {
            ASSERT_TRUE(base().InsererLignes("PLUVIO_H1", {{QDate(2024, 3, 2), "14:00:00", 3.0, 0, "A", 0, QVariant()}}));
        }
        const QStringList avant = brut();
        QTemporaryDir dossier;
        QFile f(dossier.filePath("jours.csv"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(c.fichier) > 0);
        f.close();
        QString erreur;
        bool fait = false;
        if (*c.format) {
            ImportArchive::Bilan bilan;
            fait = ImportArchive::importer(moteur(), f.fileName(), {c.format, {}, 10}, bilan, erreur);
        } else {
            ImportMesures::Demande d;
            d.code = "H1";
            d.genre = "pluvio";
            ImportMesures::Bilan bilan;
            fait = ImportMesures::importerFichier(moteur(), f.fileName(), d, bilan, erreur);
        }
        if (c.refus) {
            EXPECT_FALSE(fait) << c.fichier;
            EXPECT_EQ(erreur, c.refus);
            EXPECT_EQ(brut(), avant) << c.fichier;
            continue;
        }
        ASSERT_TRUE(fait) << erreur.toStdString();
        EXPECT_EQ(lignesTexte(lire(jours)), QStringList({"02/03/2024|08:00:00|7.5", "12/03/2024|00:00:00|4"})) << c.fichier;
        HistoriqueMesures::Lot lot;
        ASSERT_TRUE(HistoriqueMesures::annulerDernier(base(), "PLUVIO_H1", lot, erreur)) << erreur.toStdString();
        EXPECT_EQ(lot.mesures, 1);
        natif(QStringLiteral("DELETE FROM PLUVIO_H1 WHERE DateCreation = '2024-03-12'"));
        EXPECT_EQ(brut(), avant) << c.fichier;
    }
}

// Des valeurs que ni une lecture en nombre ni un aller-retour en texte ne rendent : chacune
// remplacée par un import puis rendue par l'annulation, à l'identique, classe comprise.
TEST_F(Historique, ChaqueValeurRemplaceeRevientAvecSaClasse)
{
    struct Cas
    {
        int jour;
        const char* sqlite;
        const char* postgres;  // nullptr : le type de la colonne ne la permet pas
    };
    const QList<Cas> cas = {
        {1, "Commentaire = ''", "Commentaire = ''"},
        {2, "Pluie = NULL", "Pluie = NULL"},
        {3, "Validite = 2.5", nullptr},
        {4, "Validite = 9007199254740993", "Validite = 2147483647"},
        {5, "Pluie = X'00FF'", nullptr},
        {6, "Pluie = 1e999", "Pluie = 'Infinity'"},
        {7, "Pluie = -1e999", "Pluie = '-Infinity'"},
        {8, "Pluie = '3,5'", nullptr},
        {9, "Pluie = 0.1, ModeObtention = ''", "Pluie = 0.1, ModeObtention = ''"},
    };
    for (const Cas& c : cas)
        if (const char* ordre = pg() ? c.postgres : c.sqlite)
            natif(QStringLiteral("UPDATE PLUVIO_H1 SET %1 WHERE DateCreation = '2024-03-0%2'").arg(QString::fromLatin1(ordre)).arg(c.jour));
    const QStringList avant = brut();
    importer({1, 2, 3, 4, 5, 6, 7, 8, 9}, "50");
    ASSERT_NE(brut(), avant);
    int lignes = 0;
    EXPECT_TRUE(HistoriqueMesures::parcourir(base(), "PLUVIO_H1", QDate(), [&](const HistoriqueMesures::Ligne& l) {
        ++lignes;
        EXPECT_EQ(l.changement, "modifiée");
        EXPECT_EQ(l.nouvelle.toDouble(), 50.0);
    }));
    EXPECT_EQ(lignes, 9);
    HistoriqueMesures::Lot lot;
    QString erreur;
    ASSERT_TRUE(HistoriqueMesures::annulerDernier(base(), "PLUVIO_H1", lot, erreur)) << erreur.toStdString();
    EXPECT_EQ(lot.mesures, 9);
    EXPECT_EQ(brut(), avant);

    // NULL devenu texte vide est un changement : écrit tel quel, gardé, puis défait.
    const auto lues = TableMesures::lire(base(), *NomVerifie::depuis("PLUVIO_H1"), QDate(2024, 3, 2), QDate(2024, 3, 2));
    ASSERT_TRUE(lues && lues->size() == 1);
    LigneMesure vide = lues->first();
    vide.colonnes.insert("commentaire", QString(""));
    ASSERT_TRUE(HistoriqueMesures::corriger(base(), "PLUVIO_H1", "essai", {{vide.date, vide.heure, lues->first(), vide}}, erreur))
        << erreur.toStdString();
    EXPECT_TRUE(brut()[1].endsWith("text:''")) << brut()[1].toStdString();
    ASSERT_TRUE(HistoriqueMesures::annulerDernier(base(), "PLUVIO_H1", lot, erreur)) << erreur.toStdString();
    EXPECT_EQ(lot.mesures, 1);
    EXPECT_EQ(brut(), avant);
}

// Un lot illisible ou qui ne se tient pas est refusé en une ligne, et rien n'est écrit : ni la
// table, ni l'historique. Les lots des versions précédentes (lignes en JSON) se listent sans s'annuler.
TEST_F(Historique, UnLotAbimeEstRefuseSansRienEcrire)
{
    const QString ancien = QStringLiteral(
        "INSERT INTO HISTORIQUE_MESURES (Lot, TableMesures, DateMesure, HeureMesure, Changement, LigneAvant, LigneApres, Quand, Qui, "
        "Origine) SELECT 2, TableMesures, DateMesure, HeureMesure, Changement, %1, '{\"pluie\": 5}', Quand, Qui, 'ancien' "
        "FROM HISTORIQUE_MESURES%2 WHERE Lot = 1");
    const QStringList abimes = {
        ancien.arg("'garbage{'", ""),
        ancien.arg("'[]'", ""),
        ancien.arg("'123'", ""),
        ancien.arg("NULL", ""),
        ancien.arg("''", ""),
        ancien.arg("'{\"pluie\": 1}'", ", (SELECT 1 AS x UNION ALL SELECT 2 AS x) d"),
        "INSERT INTO HISTORIQUE_PLUVIO_H1 SELECT * FROM HISTORIQUE_PLUVIO_H1 WHERE Lot = 1 AND Sens = 'avant'",
        "DELETE FROM HISTORIQUE_PLUVIO_H1 WHERE Lot = 1 AND Sens = 'avant' AND DateCreation = '2024-03-02'",
        "DELETE FROM HISTORIQUE_PLUVIO_H1 WHERE Lot = 1",
        "UPDATE HISTORIQUE_PLUVIO_H1 SET Sens = 'autre' WHERE Lot = 1 AND DateCreation = '2024-03-03' AND Sens = 'après'",
        "INSERT INTO HISTORIQUE_MESURES SELECT * FROM HISTORIQUE_MESURES WHERE Lot = 1",
    };
    for (const QString& abime : abimes) {
        SetUp();
        importer({1, 2, 3}, "5");
        natif(abime);
        const QStringList avant = brut();
        const qint64 resume = compte("HISTORIQUE_MESURES"), gardees = compte("HISTORIQUE_PLUVIO_H1");
        HistoriqueMesures::Lot lot;
        QString erreur;
        EXPECT_FALSE(HistoriqueMesures::annulerDernier(base(), "PLUVIO_H1", lot, erreur)) << abime.toStdString();
        EXPECT_TRUE(!erreur.isEmpty() && !erreur.contains('\n')) << erreur.toStdString();
        EXPECT_EQ(brut(), avant) << abime.toStdString();
        EXPECT_EQ(compte("HISTORIQUE_MESURES"), resume) << abime.toStdString();
        EXPECT_EQ(compte("HISTORIQUE_PLUVIO_H1"), gardees) << abime.toStdString();
        EXPECT_FALSE(base().EnTransaction());
    }
}

// Un autre client change une mesure du lot et valide pendant que l'annulation attend son tour :
// elle la voit, refuse, et la valeur de l'autre reste.
TEST_F(Historique, UneAnnulationNePassePasParDessusUnAutreClient)
{
    importer({1, 2, 3}, "5");
    auto autre = autreConnexion();
    ASSERT_TRUE(autre && autre->Commencer());
    ASSERT_TRUE(autre->Execute("UPDATE PLUVIO_H1 SET Pluie = 42 WHERE DateCreation = #03/02/2024#"));
    bool annule = true;
    QString erreur;
    std::thread annulation([&] {
        HistoriqueMesures::Lot lot;
        annule = HistoriqueMesures::annulerDernier(base(), "PLUVIO_H1", lot, erreur);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(autre->Valider()) << autre->DerniereErreur().toStdString();
    annulation.join();
    EXPECT_FALSE(annule);
    EXPECT_EQ(erreur, "La mesure du 02/03/2024 à 08:00:00 a changé depuis le lot 1 : rien n'a été annulé.");
    EXPECT_EQ(brut()[1].section(" | ", 2, 2), pg() ? "double precision:'42'" : "real:42.0");
    EXPECT_EQ(compte("HISTORIQUE_MESURES"), 3);
}

} // namespace
