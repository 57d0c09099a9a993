// Le contrat de l'objet base de données, sur le moteur de l'exécutable
// (SQLite dans tests_data, PostgreSQL dans tests_postgresql).
#include "commun/Cellule.h"
#include "commun/ColonnesTypees.h"
#include "commun/Dates.h"
#include "data/BaseDeTest.h"
#include "data/JeuEnregistrements.h"
#include "data/JournalSql.h"
#include "data/Litteraux.h"
#include "data/NomVerifie.h"

#include <QDate>
#include <QTime>

namespace {

const QList<ColonneTable> colonnesPluvio = {
    {QStringLiteral("DateCreation"), TypeColonne::Date}, {QStringLiteral("Heure"), TypeColonne::Heure},
    {QStringLiteral("Pluie"), TypeColonne::Reel},        {QStringLiteral("Continuite"), TypeColonne::Entier},
    {QStringLiteral("ModeObtention"), TypeColonne::Texte}, {QStringLiteral("Validite"), TypeColonne::Entier},
    {QStringLiteral("Commentaire"), TypeColonne::Texte}};

class Contrat : public AvecBase
{
protected:
    void preparer() override
    {
        ASSERT_TRUE(base().CreerTable(QStringLiteral("PLUVIO_A1"), colonnesPluvio)) << base().DerniereErreur().toStdString();
        ASSERT_TRUE(base().InsererLignes(
            QStringLiteral("PLUVIO_A1"),
            {{QDate(2004, 3, 5), QTime(12, 0), 1.5, 0, QVariant(), 0, QVariant()},
             {QStringLiteral("06/03/2004"), QStringLiteral("12:00:00"), QStringLiteral("2,5"), 0, QStringLiteral("I"), 0,
              QVariant()},
             {QDate(2004, 3, 31), QTime(8, 30), 3.0, 1, QStringLiteral("M"), 0, QStringLiteral("relevé tardif")}}))
            << base().DerniereErreur().toStdString();
    }

    qint32 compter(const QString& table)
    {
        return qint32(valeur("SELECT count(*) FROM " + table).toLongLong());
    }
};

TEST_F(Contrat, ExtraireRecordsRendLesChampsParEnregistrement)
{
    TableauValeurs t;
    qint32 n = -1;
    ASSERT_TRUE(base().ExtraireRecords(
        "SELECT Pluie, DateCreation, Heure, ModeObtention, Continuite FROM PLUVIO_A1 ORDER BY DateCreation DESC", t, n));
    ASSERT_EQ(n, 3);
    // (champ, enregistrement), champs dans l'ordre de la liste.
    EXPECT_EQ(t.lignes(), 5);
    EXPECT_EQ(t.points(), 3);
    EXPECT_EQ(TexteCellule(t(1, 0)), "31/03/2004");
    EXPECT_EQ(TexteCellule(t(2, 0)), "08:30:00");
    EXPECT_EQ(TexteCellule(t(1, 2)), "05/03/2004");
    EXPECT_EQ(TexteCellule(t(2, 2)), "12:00:00");
    // Les nombres restent des nombres, NULL une cellule invalide.
    EXPECT_EQ(t(0, 1).metaType().id(), QMetaType::Double);
    EXPECT_DOUBLE_EQ(t(0, 1).toDouble(), 2.5);
    EXPECT_EQ(t(4, 0).toLongLong(), 1);
    EXPECT_FALSE(t(3, 2).isValid());
    EXPECT_EQ(TexteCellule(t(3, 1)), "I");

    // L'ordre est celui des dates, pas celui de leur texte jour d'abord (10/02 avant 05/03, 01/04 après 31/03).
    ASSERT_TRUE(base().InsererLignes(QStringLiteral("PLUVIO_A1"), {{QDate(2004, 2, 10), QTime(0, 0), 0.5, 0, QVariant(), 0, QVariant()},
                                                                   {QDate(2004, 4, 1), QTime(0, 0), 0.7, 0, QVariant(), 0, QVariant()}}));
    ASSERT_TRUE(base().ExtraireRecords("SELECT DateCreation, Pluie FROM PLUVIO_A1 ORDER BY DateCreation", t, n));
    ASSERT_EQ(n, 5);
    QStringList ordre;
    for (int i = 0; i < n; ++i)
        ordre << TexteCellule(t(0, i));
    EXPECT_EQ(ordre, (QStringList{"10/02/2004", "05/03/2004", "06/03/2004", "31/03/2004", "01/04/2004"}));

    // Rien de trouvé : 0 et un tableau vide.
    ASSERT_TRUE(base().ExtraireRecords("SELECT Pluie FROM PLUVIO_A1 WHERE Pluie > 100", t, n));
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(t.estVide());
    // Un agrégat sur rien : une ligne dont la cellule est vide.
    EXPECT_FALSE(valeur("SELECT Max(Pluie) FROM PLUVIO_A1 WHERE Pluie > 100").isValid());

    // Rangées en colonnes : les mêmes cellules, de la même forme.
    const OrdreSql ordres[] = {"SELECT * FROM PLUVIO_A1 ORDER BY DateCreation",
                               "SELECT Pluie + 1, DateCreation & ' ' & Heure, Validite, Continuite * 2.5 FROM PLUVIO_A1 ORDER BY Pluie",
                               "SELECT Pluie FROM PLUVIO_A1 WHERE Pluie > 100"};
    for (const OrdreSql& sql : ordres) {
        ColonnesTypees c;
        qint32 m = -1;
        ASSERT_TRUE(base().ExtraireRecords(sql, t, n));
        ASSERT_TRUE(base().ExtraireColonnes(sql, c, m)) << base().DerniereErreur().toStdString();
        EXPECT_EQ(m, n);
        EXPECT_EQ(c.tableau(), t) << sql.texte().toStdString();
        for (int i = 0; i < n; ++i)
            for (int l = 0; l < t.lignes(); ++l)
                EXPECT_EQ(c.valeur(l, i).metaType(), t(l, i).metaType()) << sql.texte().toStdString();
    }
}

TEST_F(Contrat, UnEchecRendZeroLigneEtGardeSonTexte)
{
    const QStringList fautifs = {
        QStringLiteral("SELECT Pluie FROM PLUVIO_INCONNU"),
        QStringLiteral("SELECT Neige FROM PLUVIO_A1"),
        QStringLiteral("SELECT Pluie FROM PLUVIO_A1 WHERE"),
        QStringLiteral("SELECT Pluie FROM PLUVIO_A1; SELECT 1"),
        QStringLiteral("SELECT Pluie FROM PLUVIO_A1 -- commentaire"),
        QStringLiteral("SELECT CVDate('pas une date') FROM PLUVIO_A1"),
        QStringLiteral("SELECT Pluie FROM PLUVIO_A1 WHERE DateCreation >= '31/31/2004'"),
        QStringLiteral("SELECT Inconnue(Pluie) FROM PLUVIO_A1"),
        // Trop profond pour la pile d'une lecture sans borne (les autres formes : Analyseur).
        QStringLiteral("SELECT ") + QStringLiteral("(").repeated(5000) + QStringLiteral("Pluie") + QStringLiteral(")").repeated(5000)
            + QStringLiteral(" FROM PLUVIO_A1"),
        QString(),
    };
    for (const QString& sql : fautifs) {
        TableauValeurs t(2, 2);
        qint32 n = 7;
        EXPECT_FALSE(base().ExtraireRecords(OrdreSql::sansVerification(sql), t, n)) << sql.toStdString();
        EXPECT_EQ(n, 0) << sql.toStdString();
        EXPECT_TRUE(t.estVide()) << sql.toStdString();
        EXPECT_FALSE(base().DerniereErreur().isEmpty()) << sql.toStdString();
    }
    EXPECT_TRUE(base().DerniereErreur().contains(QStringLiteral("refusé"))) << base().DerniereErreur().toStdString();
    // Les textes du moteur arrivent en français, le sien après un deux-points.
    TableauValeurs lignes;
    qint32 nombre = 0;
    base().ExtraireRecords("SELECT Pluie FROM PLUVIO_INCONNU", lignes, nombre);
    EXPECT_TRUE(base().DerniereErreur().contains(QStringLiteral("introuvable")) || base().DerniereErreur().contains(QStringLiteral("inconnue")))
        << base().DerniereErreur().toStdString();
    // Le succès suivant efface l'erreur ; Execute d'un SELECT est refusé.
    EXPECT_EQ(compter(QStringLiteral("PLUVIO_A1")), 3);
    EXPECT_TRUE(base().DerniereErreur().isEmpty());
    EXPECT_FALSE(base().Execute("SELECT Pluie FROM PLUVIO_A1"));
    EXPECT_TRUE(base().DerniereErreur().contains(QStringLiteral("ExtraireRecords")));
    // Un ordre d'action passé par ExtraireRecords s'exécute et ne rend rien.
    TableauValeurs t;
    qint32 n = 5;
    EXPECT_TRUE(base().ExtraireRecords("DELETE FROM PLUVIO_A1 WHERE ModeObtention='I'", t, n));
    EXPECT_EQ(n, 0);
    EXPECT_EQ(compter(QStringLiteral("PLUVIO_A1")), 2);
}

TEST_F(Contrat, LesDatesEtLesHeuresFontLAllerRetour)
{
    // Écrites par un INSERT d'un texte de cellule (jour d'abord), par un jeu
    // d'enregistrements et par les outils, relues sous les mêmes textes, et
    // retrouvées par les littéraux de la base.
    const QList<std::pair<QString, QString>> instants = {
        {QStringLiteral("29/02/2000"), QStringLiteral("00:00:00")}, {QStringLiteral("01/01/1900"), QStringLiteral("23:59:59")},
        {QStringLiteral("31/12/2099"), QStringLiteral("12:00:00")}, {QStringLiteral("05/03/2004"), QStringLiteral("07:05:09")},
        {QStringLiteral("12/10/2005"), QStringLiteral("18:30:00")}};
    ASSERT_TRUE(base().Execute("DELETE FROM PLUVIO_A1"));
    for (int i = 0; i < instants.size(); ++i) {
        const auto& [date, heure] = instants[i];
        if (i % 2 == 0) {
            ASSERT_TRUE(base().Execute(OrdreSql::sansVerification("INSERT INTO PLUVIO_A1 (DateCreation, Heure, Pluie) VALUES ('" + date + "', '" + heure
                                       + "', " + QString::number(i) + ")")))
                << base().DerniereErreur().toStdString();
        } else {
            std::unique_ptr<JeuEnregistrements> jeu;
            qint32 n = -1;
            ASSERT_TRUE(base().AccesBase(OrdreSql::sansVerification("SELECT * FROM PLUVIO_A1 WHERE Date=" + FormatDateBase(date).texte()
                                             + " AND Heure=" + FormatHeureBase(heure).texte()),
                                         jeu, n))
                << base().DerniereErreur().toStdString();
            ASSERT_EQ(n, 0);
            jeu->Fields(0) = date;
            jeu->Fields(1) = heure;
            jeu->Fields(2) = i;
            ASSERT_TRUE(jeu->Update()) << base().DerniereErreur().toStdString();
            jeu->Close();
        }
    }
    const TableauValeurs t = lire(QStringLiteral("SELECT DateCreation, Heure, Pluie FROM PLUVIO_A1 ORDER BY Pluie"));
    ASSERT_EQ(t.points(), instants.size());
    for (int i = 0; i < instants.size(); ++i) {
        EXPECT_EQ(TexteCellule(t(0, i)), instants[i].first);
        EXPECT_EQ(TexteCellule(t(1, i)), instants[i].second);
        const QString ou = " WHERE DateCreation=" + FormatDateBase(instants[i].first).texte() + " AND Heure="
            + FormatHeureBase(instants[i].second).texte();
        EXPECT_EQ(valeur("SELECT Pluie FROM PLUVIO_A1" + ou).toDouble(), i) << instants[i].first.toStdString();
        // La date et l'heure jointes se relisent en un instant.
        EXPECT_EQ(TexteCellule(valeur("SELECT CVDATE(DateCreation & ' ' & Heure) FROM PLUVIO_A1" + ou)),
                  instants[i].second == QStringLiteral("00:00:00") ? instants[i].first
                                                                   : instants[i].first + u' ' + instants[i].second);
    }
}

TEST_F(Contrat, LInstantJointSeCompareAuxBornesCommeUneDate)
{
    // Autour de chaque borne : la veille, le jour même à plusieurs heures, le
    // lendemain, et une ligne sans heure qui ne se compare jamais.
    ASSERT_TRUE(base().Execute("DELETE FROM PLUVIO_A1"));
    QList<QVariantList> lignes;
    QList<QDateTime> instants;
    int n = 0;
    for (const QDate jour : {QDate(2015, 1, 1), QDate(2024, 12, 31)})
        for (int decalage : {-1, 0, 1})
            for (const QTime heure : {QTime(0, 0), QTime(6, 30), QTime(23, 59, 59)}) {
                const QDate d = jour.addDays(decalage);
                lignes.append({d, heure, double(n++), 0, QVariant(), 0, QVariant()});
                instants.append(QDateTime(d, heure));
            }
    lignes.append({QDate(2020, 6, 1), QVariant(), 999.0, 0, QVariant(), 0, QVariant()});
    ASSERT_TRUE(base().InsererLignes(QStringLiteral("PLUVIO_A1"), lignes)) << base().DerniereErreur().toStdString();

    const QList<QDateTime> bornes = {QDateTime(QDate(2015, 1, 1), QTime(0, 0)), QDateTime(QDate(2015, 1, 1), QTime(6, 30)),
                                     QDateTime(QDate(2024, 12, 31), QTime(0, 0)),
                                     QDateTime(QDate(2024, 12, 31), QTime(12, 0))};
    for (const QDateTime& borne : bornes)
        for (const QString op : {">=", ">", "<=", "<", "="}) {
            QStringList attendu;
            for (int i = 0; i < instants.size(); ++i) {
                const QDateTime& t = instants[i];
                const bool garde = op == ">=" ? t >= borne : op == ">" ? t > borne : op == "<=" ? t <= borne
                                                          : op == "<"  ? t < borne
                                                                       : t == borne;
                if (garde)
                    attendu << QString::number(i);
            }
            // Écrit dans les deux sens, la borne à droite puis à gauche.
            const QString litteral = FormatDateBase(TexteDateHeure(borne), true).texte();
            const QString inverse = op == ">=" ? "<=" : op == ">" ? "<" : op == "<=" ? ">=" : op == "<" ? ">" : "=";
            for (const QString& condition : {"CVDATE(DateCreation & ' ' & Heure) " + op + litteral,
                                             litteral + u' ' + inverse + " CVDATE(DateCreation & ' ' & Heure)"}) {
                QStringList obtenu;
                const TableauValeurs t = lire("SELECT Pluie FROM PLUVIO_A1 WHERE " + condition + " ORDER BY Pluie");
                for (int i = 0; i < t.points(); ++i)
                    obtenu << QString::number(t(0, i).toDouble());
                EXPECT_EQ(obtenu, attendu) << condition.toStdString();
            }
        }
}

TEST_F(Contrat, UneTransactionEnEchecLaisseLaTableIntacte)
{
    const QString avant = QStringLiteral("SELECT DateCreation, Heure, Pluie, ModeObtention FROM PLUVIO_A1 ORDER BY DateCreation");
    const TableauValeurs origine = lire(avant);

    // Une sauvegarde : la période effacée puis réécrite ; une ligne fautive fait tout annuler.
    ASSERT_TRUE(base().Commencer());
    EXPECT_TRUE(base().EnTransaction());
    EXPECT_TRUE(base().Execute(OrdreSql::sansVerification("DELETE FROM PLUVIO_A1 WHERE DateCreation>=" + FormatDateBase("01/03/2004").texte()
                               + " AND DateCreation<=" + FormatDateBase("31/03/2004").texte())));
    EXPECT_EQ(compter(QStringLiteral("PLUVIO_A1")), 0);
    EXPECT_TRUE(base().Execute("INSERT INTO PLUVIO_A1 VALUES ('05/03/2004' , '12:00:00' , '7,5' , 0 , 'C' , 0 , '')"));
    EXPECT_FALSE(base().Execute("INSERT INTO PLUVIO_A1 VALUES ('31/02/2004' , '12:00:00' , '1' , 0 , 'C' , 0 , '')"));
    const QString motif = base().DerniereErreur();
    ASSERT_TRUE(base().Annuler());
    EXPECT_EQ(base().DerniereErreur(), motif);
    EXPECT_FALSE(base().EnTransaction());
    EXPECT_EQ(lire(avant), origine);

    // Valider après un échec n'enregistre rien non plus.
    ASSERT_TRUE(base().Commencer());
    EXPECT_TRUE(base().Execute("DELETE FROM PLUVIO_A1"));
    EXPECT_FALSE(base().Execute("UPDATE PLUVIO_A1 SET Pluie='beaucoup'"));
    EXPECT_FALSE(base().Valider());
    EXPECT_TRUE(base().DerniereErreur().contains(QStringLiteral("rien n'est enregistré")));
    EXPECT_FALSE(base().EnTransaction());
    EXPECT_EQ(lire(avant), origine);

    // Sans échec, tout est gardé.
    ASSERT_TRUE(base().Commencer());
    EXPECT_FALSE(base().Commencer());
    EXPECT_TRUE(base().Execute("DELETE FROM PLUVIO_A1 WHERE ModeObtention='I'"));
    EXPECT_TRUE(base().Execute("INSERT INTO PLUVIO_A1 VALUES ('07/03/2004' , '12:00:00' , '4,25' , 0 , 'C' , 0 , '')"));
    ASSERT_TRUE(base().Valider());
    EXPECT_EQ(compter(QStringLiteral("PLUVIO_A1")), 3);
    EXPECT_DOUBLE_EQ(valeur("SELECT Pluie FROM PLUVIO_A1 WHERE ModeObtention='C'").toDouble(), 4.25);
    EXPECT_FALSE(base().Valider());
    EXPECT_FALSE(base().Annuler());
}

TEST_F(Contrat, UnCodeDeStationFautifNeChargeRienEtNeSupprimeRien)
{
    ASSERT_TRUE(base().CreerTable(QStringLiteral("ANNEES"), {{QStringLiteral("Num_Annee"), TypeColonne::Entier}}));
    ASSERT_TRUE(base().InsererLignes(QStringLiteral("ANNEES"), {{2004}, {2005}}));
    const QStringList codes = {QStringLiteral("X; DROP TABLE ANNEES"), QStringLiteral("A1 WHERE 1=1; DROP TABLE ANNEES"),
                               QStringLiteral("A1' OR '1'='1"), QStringLiteral("A1/*"), QString()};
    for (const QString& code : codes) {
        EXPECT_FALSE(EstNomVerifie(code)) << code.toStdString();
        EXPECT_FALSE(NomVerifie::table(QStringLiteral("PLUVIO_"), code));
        // Même collé sans vérification, le code ne fait pas passer un second ordre.
        const QString nom = QStringLiteral("PLUVIO_") + code;
        TableauValeurs t;
        qint32 n = 9;
        EXPECT_FALSE(base().ExtraireRecords(OrdreSql::sansVerification("SELECT Min(DateCreation), Max(DateCreation) FROM " + nom), t, n))
            << nom.toStdString();
        EXPECT_EQ(n, 0);
        EXPECT_FALSE(base().Execute(OrdreSql::sansVerification("DELETE FROM " + nom + " WHERE DateCreation>=")
                                    + FormatDateBase("01/01/2004")))
            << nom.toStdString();
    }
    EXPECT_FALSE(base().Execute("DELETE FROM PLUVIO_A1; DROP TABLE ANNEES"));
    EXPECT_FALSE(base().Execute("DROP TABLE ANNEES"));
    EXPECT_EQ(compter(QStringLiteral("ANNEES")), 2);
    EXPECT_EQ(compter(QStringLiteral("PLUVIO_A1")), 3);
    // Les noms des outils sont vérifiés de même.
    EXPECT_FALSE(base().SupprimerTable(QStringLiteral("ANNEES; DROP TABLE PLUVIO_A1")));
    EXPECT_FALSE(base().CreerTable(QStringLiteral("T"), {{QStringLiteral("a b"), TypeColonne::Texte}}));
    EXPECT_EQ(compter(QStringLiteral("PLUVIO_A1")), 3);
    // Un code avec un tiret reste un nom de table.
    ASSERT_TRUE(base().CreerTable(NomVerifie::table(QStringLiteral("PLUVIO_"), QStringLiteral("B-2"))->texte(), colonnesPluvio));
    EXPECT_EQ(compter(QStringLiteral("PLUVIO_B-2")), 0);
    EXPECT_FALSE(lire(QStringLiteral("SELECT Min(PLUVIO_B-2.Pluie) FROM PLUVIO_B-2")).estVide());
}

TEST_F(Contrat, LeJeuDEnregistrementsEcraseOuAjoute)
{
    std::unique_ptr<JeuEnregistrements> jeu;
    qint32 n = -1;
    // La recherche de la grille nomme la colonne "Date".
    ASSERT_TRUE(base().AccesBase(OrdreSql::sansVerification(
        "SELECT * FROM PLUVIO_A1 WHERE Date=" + FormatDateBase("05/03/2004").texte() + " AND Heure=" + FormatHeureBase("12:00:00").texte()), jeu,
        n))
        << base().DerniereErreur().toStdString();
    ASSERT_EQ(n, 1);
    EXPECT_EQ(TexteCellule(jeu->Fields(0)), "05/03/2004");
    jeu->Fields(2) = QStringLiteral("9,75");
    jeu->Fields(3) = 1;
    jeu->Fields(4) = QStringLiteral("M");
    ASSERT_TRUE(jeu->Update()) << base().DerniereErreur().toStdString();
    jeu->Fields(2) = 9.5;  // une seconde écriture du même enregistrement
    ASSERT_TRUE(jeu->Update()) << base().DerniereErreur().toStdString();
    jeu->Close();
    EXPECT_FALSE(jeu->Update());
    EXPECT_EQ(compter(QStringLiteral("PLUVIO_A1")), 3);
    EXPECT_DOUBLE_EQ(valeur("SELECT Pluie FROM PLUVIO_A1 WHERE ModeObtention='M' AND Continuite=1 AND DateCreation="
                            + FormatDateBase("05/03/2004").texte())
                         .toDouble(),
                     9.5);

    // Pas de ligne : AddNew, et une valeur vide s'écrit 0 ou NULL selon la colonne.
    ASSERT_TRUE(base().AccesBase(OrdreSql::sansVerification(
        "SELECT * FROM PLUVIO_A1 WHERE Date=" + FormatDateBase("10/03/2004").texte() + " AND Heure=" + FormatHeureBase("12:00:00").texte()), jeu,
        n));
    ASSERT_EQ(n, 0);
    jeu->AddNew();
    jeu->Fields(0) = QStringLiteral("10/03/2004");
    jeu->Fields(1) = QStringLiteral("12:00:00");
    jeu->Fields(2) = 0;
    jeu->Fields(4) = QStringLiteral("M");
    ASSERT_TRUE(jeu->Update()) << base().DerniereErreur().toStdString();
    EXPECT_EQ(compter(QStringLiteral("PLUVIO_A1")), 4);

    // Un champ hors des colonnes, une date impossible : rien n'est écrit.
    ASSERT_TRUE(base().AccesBase(OrdreSql::sansVerification("SELECT * FROM PLUVIO_A1 WHERE Date=" + FormatDateBase("11/03/2004").texte()), jeu, n));
    jeu->Fields(0) = QStringLiteral("11/03/2004");
    jeu->Fields(12) = 1;
    EXPECT_FALSE(jeu->Update());
    EXPECT_FALSE(jeu->Fields(12).isValid());
    jeu->AddNew();
    jeu->Fields(0) = QStringLiteral("31/02/2004");
    EXPECT_FALSE(jeu->Update());
    EXPECT_TRUE(base().DerniereErreur().contains(QStringLiteral("Date impossible")));
    EXPECT_EQ(compter(QStringLiteral("PLUVIO_A1")), 4);

    // Seul un SELECT simple sur une table s'ouvre en modification.
    EXPECT_FALSE(base().AccesBase("SELECT Max(Pluie) FROM PLUVIO_A1 GROUP BY Heure", jeu, n));
    EXPECT_FALSE(jeu);
    EXPECT_FALSE(base().AccesBase("DELETE FROM PLUVIO_A1", jeu, n));
    EXPECT_EQ(compter(QStringLiteral("PLUVIO_A1")), 4);

    // Un jeu d'enregistrements qui survit à sa base n'écrit plus rien.
    auto autre = autreConnexion();
    ASSERT_TRUE(autre && autre->AccesBase("SELECT * FROM PLUVIO_A1 WHERE Pluie > 100", jeu, n));
    jeu->AddNew();
    jeu->Fields(0) = QStringLiteral("12/03/2004");
    jeu->Fields(2) = 1.0;
    autre.reset();
    EXPECT_EQ(jeu->Fields(2).toDouble(), 1.0);
    EXPECT_FALSE(jeu->Update());
    EXPECT_EQ(compter(QStringLiteral("PLUVIO_A1")), 4);
}

TEST_F(Contrat, LObservateurVoitChaqueOrdreTelQuEnvoye)
{
    QStringList vus;
    base().setObservateur([&](const QString& sql) { vus << sql; });
    const QStringList envoyes = {QStringLiteral("SELECT   Pluie FROM PLUVIO_A1 WHERE DateCreation >= #03/05/2004#"),
                                 QStringLiteral("SELECT Faux FROM PLUVIO_A1"),
                                 QStringLiteral("UPDATE PLUVIO_A1 SET Continuite=0")};
    TableauValeurs t;
    qint32 n;
    base().ExtraireRecords(OrdreSql::sansVerification(envoyes[0]), t, n);
    base().ExtraireRecords(OrdreSql::sansVerification(envoyes[1]), t, n);
    base().Execute(OrdreSql::sansVerification(envoyes[2]));
    EXPECT_EQ(vus, envoyes);
    base().setObservateur({});
    base().Execute(OrdreSql::sansVerification(envoyes[2]));
    EXPECT_EQ(vus.size(), 3);
    // La trace des ordres existe et se tait tant qu'on ne la demande pas.
    EXPECT_STREQ(journalSql().categoryName(), "graphique.sql");
    EXPECT_FALSE(journalSql().isDebugEnabled());
}

} // namespace
