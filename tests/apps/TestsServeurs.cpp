// Le programme face à un serveur PostgreSQL qui ne répond pas, qui fait
// attendre, ou que deux imports se disputent.
#include "Lancement.h"
#include "ServeurDeTest.h"
#include "commun_tests/LignesTexte.h"

#include "commun/TableauValeurs.h"
#include "data/bases/BasePostgres.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTcpServer>
#include <QThread>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/types.h>

namespace {

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
    unRefus(r, "n'a pas répondu à temps");
}

// Un schéma du serveur de test pour ce test seul, et la connexion qui y mène.
class SurLeServeur : public ServeurDeTest
{
protected:
    void preparer() override
    {
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
    EXPECT_EQ(lignesTexte(t), (QStringList{"3", "4"}));
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
    unRefus(r, "verrouillée par une autre session");
    m_admin->Annuler();
    EXPECT_EQ(lancer({"stations", "--base", base()}).code, 0);
}

TEST_F(SurLeServeur, UnServeurFigeAuMilieuDUnOrdreEstAbandonneApresLeDelaiDesOrdresEtUneMarge)
{
    ASSERT_EQ(lancer({"importer", "--base", base(), "--station", "A1", "--genre", "pluvio", "--csv", ecrireCsv(jours(10, "1"))}).code, 0);
    // Les ordres attendent le verrou qu'une autre connexion tient ; le serveur
    // les interromprait au bout de 3 s s'il vivait. L'administrateur observe,
    // hors de toute transaction qui figerait pg_stat_activity.
    QString e;
    auto verrou = BasePostgres::ouvrir(base(), e);
    ASSERT_TRUE(verrou) << e.toStdString();
    TableauValeurs pid;
    ASSERT_TRUE(verrou->ExecuterNatif("SELECT pg_backend_pid()", &pid));
    ASSERT_TRUE(verrou->Commencer());
    ASSERT_TRUE(verrou->ExecuterNatif("LOCK TABLE stations, pluvio_a1 IN ACCESS EXCLUSIVE MODE"));
    const QString limitee = base(" -c statement_timeout=3000");
    const QString png = dossierTemporaire() + "/a.png";
    // Des processus du serveur arrêtés net (SIGSTOP) : ils ne répondent plus, et le noyau répond
    // toujours aux sondes TCP. Ils repartent à la fin, quoi qu'il arrive.
    QList<pid_t> figes;
    const auto relancer = qScopeGuard([&] {
        for (const pid_t pid : figes)
            ::kill(pid, SIGCONT);
    });
    QProcess stations, tracer;
    QElapsedTimer chrono;
    chrono.start();
    stations.start(QStringLiteral(GRAPHIQUE_PROGRAMME), {"stations", "--base", limitee});
    tracer.start(QStringLiteral(GRAPHIQUE_PROGRAMME),
                 {"tracer", "--base", limitee, "--type", "edition", "--station", "A1", "--periodes", "A", "--sortie", png});
    TableauValeurs attente;
    while (chrono.elapsed() < 2500 && attente.points() < 2) {
        QThread::msleep(20);
        ASSERT_TRUE(m_admin->ExecuterNatif(
            QStringLiteral("SELECT pid FROM pg_stat_activity WHERE backend_type = 'client backend' "
                           "AND pg_blocking_pids(pid) @> ARRAY[%1]").arg(pid(0, 0).toLongLong()),
            &attente));
    }
    // Sous la charge de toute la suite, un troisième processus peut attendre le même verrou : il est figé aussi.
    ASSERT_GE(attente.points(), 2) << "les deux programmes n'ont pas attendu le verrou";
    for (int i = 0; i < attente.points(); ++i)
        ASSERT_EQ(::kill(figes.emplaceBack(pid_t(attente(0, i).toLongLong())), SIGSTOP), 0) << "SIGSTOP refusé";
    // Ni le verrou rendu ni le délai du serveur n'y changent rien : ils sont figés.
    verrou->Annuler();
    const bool finis = stations.waitForFinished(20000) && tracer.waitForFinished(20000);
    const qint64 duree = chrono.elapsed();
    ASSERT_TRUE(finis) << "toujours en attente après 20 s";
    EXPECT_GE(duree, 5000);
    EXPECT_LT(duree, 12000);
    for (QProcess* p : {&stations, &tracer}) {
        const Resultat r{p->exitCode(), QString(), QString::fromUtf8(p->readAllStandardError())};
        unRefus(r, "le serveur PostgreSQL ne répond plus depuis 5 s");
        EXPECT_TRUE(r.erreurs.contains("statement_timeout de la session : 3 s")) << r.erreurs.toStdString();
    }
    EXPECT_FALSE(QFile::exists(png));
}

TEST_F(SurLeServeur, DeuxImportsQuiCreentLaMemeStationSAttendent)
{
    const QString a = ecrireCsv(jours(5000, "1")), b = ecrireCsv(jours(6000, "2"), "b.csv");
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
