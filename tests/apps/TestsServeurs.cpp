// Le programme face à un serveur PostgreSQL qui ne répond pas, qui fait
// attendre, ou que deux imports se disputent.
#include "Lancement.h"
#include "ServeurDeTest.h"

#include "commun/TableauValeurs.h"
#include "data/bases/BasePostgres.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <gtest/gtest.h>

namespace {

QByteArray jours(int nombre, const QByteArray& valeur)
{
    QByteArray csv;
    for (int i = 0; i < nombre; ++i)
        csv += QDate(1990, 1, 1).addDays(i).toString("dd/MM/yyyy").toLatin1() + ";" + valeur + "\n";
    return csv;
}

TEST(Serveurs, UnServeurQuiAccepteSansJamaisRepondreNeFaitPasAttendreSansFin)
{
    // Le noyau accepte la connexion ; personne ne répond jamais.
    QTcpServer muet;
    ASSERT_TRUE(muet.listen(QHostAddress::LocalHost));
    const QString base = QStringLiteral("host=127.0.0.1 port=%1 dbname=x user=x").arg(muet.serverPort());
    QElapsedTimer chrono;
    chrono.start();
    const Resultat r = lancer({"stations", "--base", base});
    EXPECT_LT(chrono.elapsed(), 30000);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.erreurs.count('\n'), 1) << r.erreurs.toStdString();
    EXPECT_TRUE(r.erreurs.contains("n'a pas répondu à temps")) << r.erreurs.toStdString();
    // Un port fermé répond tout de suite, en français aussi.
    muet.close();
    const Resultat ferme = lancer({"stations", "--base", base});
    EXPECT_EQ(ferme.code, 2);
    EXPECT_TRUE(ferme.erreurs.contains("connexion refusée")) << ferme.erreurs.toStdString();
}

// Un schéma du serveur de test pour ce test seul, et la connexion qui y mène.
class SurLeServeur : public ServeurDeTest
{
protected:
    void SetUp() override
    {
        ServeurDeTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_schema = nouveauSchema(QStringLiteral("apps"));
        ASSERT_TRUE(m_admin->ExecuterNatif("SET search_path TO " + m_schema));
    }

    QString base(const QString& reglages = QString()) const { return connexion(m_schema, reglages); }

    QString m_schema;
};

TEST_F(SurLeServeur, ImportPuisRemplacementEtDoublonsCommeSurSQLite)
{
    Resultat r = lancer({"importer", "--base", base(), "--station", "76999001", "--genre", "pluvio", "--csv",
                         ecrireCsv("Date;Pluie\n05/03/2004;1\n06/03/2004 08:30;2,5\n05/03/2004;3\n")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_TRUE(r.sortie.startsWith("3 mesure(s) importée(s) dans PLUVIO_76999001 : 2 ajoutée(s), 0 remplacée(s) dans la base. 1 "))
        << r.sortie.toStdString();
    r = lancer({"importer", "--base", base(), "--station", "76999001", "--genre", "pluvio", "--csv", ecrireCsv("06/03/2004;08:30;4\n")});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie, "1 mesure(s) importée(s) dans PLUVIO_76999001 : 0 ajoutée(s), 1 remplacée(s) dans la base.\n");
    TableauValeurs t;
    ASSERT_TRUE(m_admin->ExecuterNatif("SELECT pluie FROM pluvio_76999001 ORDER BY datecreation, heure", &t));
    ASSERT_EQ(t.points(), 2);
    EXPECT_DOUBLE_EQ(t(0, 0).toDouble(), 3);
    EXPECT_DOUBLE_EQ(t(0, 1).toDouble(), 4);
    r = lancer({"stations", "--base", base()});
    EXPECT_EQ(r.sortie, "pluvio\t76999001\t76999001\t05/03/2004\t06/03/2004\n") << r.erreurs.toStdString();
}

TEST_F(SurLeServeur, UneTableVerrouilleeParUneAutreSessionDonneUneLigneApresLAttente)
{
    ASSERT_EQ(lancer({"importer", "--base", base(), "--station", "A1", "--genre", "pluvio", "--csv", ecrireCsv(jours(10, "1"))}).code, 0);
    ASSERT_TRUE(m_admin->Commencer());
    ASSERT_TRUE(m_admin->ExecuterNatif("LOCK TABLE stations IN ACCESS EXCLUSIVE MODE"));
    QElapsedTimer chrono;
    chrono.start();
    const Resultat r = lancer({"stations", "--base", base(" -c lock_timeout=2s")});
    EXPECT_LT(chrono.elapsed(), 20000);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.erreurs.count('\n'), 1) << r.erreurs.toStdString();
    EXPECT_TRUE(r.erreurs.contains("verrouillée par une autre session")) << r.erreurs.toStdString();
    m_admin->Annuler();
    EXPECT_EQ(lancer({"stations", "--base", base()}).code, 0);
}

TEST_F(SurLeServeur, DeuxImportsQuiCreentLaMemeStationSAttendent)
{
    const QString a = ecrireCsv(jours(5000, "1")), b = dossierTemporaire() + "/b.csv";
    QFile f(b);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(jours(6000, "2"));
    f.close();
    QProcess p1, p2;
    p1.start(QStringLiteral(GRAPHIQUE_PROGRAMME), {"importer", "--base", base(), "--station", "B2", "--genre", "pluvio", "--csv", a});
    p2.start(QStringLiteral(GRAPHIQUE_PROGRAMME), {"importer", "--base", base(), "--station", "B2", "--genre", "pluvio", "--csv", b});
    ASSERT_TRUE(p1.waitForFinished(60000) && p2.waitForFinished(60000));
    EXPECT_EQ(p1.exitCode(), 0) << p1.readAllStandardError().toStdString();
    EXPECT_EQ(p2.exitCode(), 0) << p2.readAllStandardError().toStdString();
    TableauValeurs t;
    ASSERT_TRUE(m_admin->ExecuterNatif("SELECT count(*) FROM pluvio_b2", &t));
    EXPECT_EQ(t(0, 0).toLongLong(), 6000);
    ASSERT_TRUE(m_admin->ExecuterNatif("SELECT count(*) FROM stations", &t));
    EXPECT_EQ(t(0, 0).toLongLong(), 1);
}

} // namespace
