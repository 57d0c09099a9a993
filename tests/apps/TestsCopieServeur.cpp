// graphique copier et graphique exemple face à un serveur PostgreSQL : aller et
// retour fidèles, galerie identique, refus, copies interrompues.
#include "commun_tests/Fichiers.h"
#include "commun_tests/LignesTexte.h"
#include "Lancement.h"
#include "ServeurDeTest.h"
#include "commun_tests/OrdresNatifs.h"

#include "data/bases/BasePostgres.h"
#include "data/bases/BaseSqlite.h"
#include "data/bases/CatalogueBase.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Toutes les lignes de chaque table d'une base SQLite, avec ses colonnes, sa clé et ses index.
QStringList contenu(const QString& fichier)
{
    QString e;
    auto base = BaseSqlite::ouvrir(fichier, e, false);
    EXPECT_TRUE(base) << e.toStdString();
    if (!base)
        return {};
    CatalogueBase catalogue(*base);
    QStringList tout;
    for (const QString& t : catalogue.tables().value_or(QStringList())) {
        const auto d = catalogue.decrire(t);
        EXPECT_TRUE(d) << t.toStdString();
        QStringList colonnes;
        for (const ColonneTable& c : base->ColonnesTable(t))
            colonnes << c.nom + ":" + QString::number(int(c.type));
        tout << t + " (" + colonnes.join(',') + ") clé " + d->cle.join(',') + " index " + QString::number(d->index.size())
                    + (d->index.isEmpty() ? QString() : " " + d->index.first().join(','));
        TableauValeurs l;
        EXPECT_TRUE(base->ExecuterNatif("SELECT * FROM \"" + t + "\"", &l));
        QStringList lignes = lignesTexte(l, true);
        lignes.sort();
        tout << lignes;
    }
    return tout;
}

// Le journal tel que le serveur l'aurait écrit : les chargeurs changent trois
// formulations selon le moteur (#MM/DD/YYYY# ou 'MM/DD/YYYY', dateValue ou
// CVDate, cstr(month(…)) ou month(…)) ; tout le reste doit être au mot près.
QByteArray formulationServeur(const QByteArray& journal)
{
    QString t = QString::fromUtf8(journal);
    t.replace(QRegularExpression("#([0-9/: ]+)#"), "'\\1'").replace("dateValue(", "CVDate(");
    t.replace("cstr(month(DateCreation))", "month(DateCreation)").replace("cstr(year(dateCreation))", "year(dateCreation)");
    return t.toUtf8();
}

// Les lignes du bilan de copie : une par table, avec sa somme de contrôle.
QStringList bilan(const Resultat& r)
{
    QStringList l = r.sortie.split('\n', Qt::SkipEmptyParts);
    l.removeIf([](const QString& x) { return !x.contains("\tsomme "); });
    return l;
}

class CopieServeur : public ServeurDeTest
{
protected:
    // Un schéma neuf du serveur de test, et la connexion qui y mène.
    QString schema() { return connexion(nouveauSchema(QStringLiteral("copie"))); }
    QString nomSchema(const QString& connexion) const { return connexion.section("search_path=", 1).chopped(1); }

    // Les tables d'un schéma et leur nombre de lignes.
    QStringList etat(const QString& connexion)
    {
        QString e;
        auto base = BasePostgres::ouvrir(connexion, e);
        EXPECT_TRUE(base) << e.toStdString();
        QStringList l;
        CatalogueBase catalogue(*base);
        for (const QString& t : catalogue.tables().value_or(QStringList()))
            l << t + "=" + QString::number(catalogue.compter(t).value_or(-1));
        return l;
    }

    qint64 valeur(const QString& sql)
    {
        TableauValeurs t;
        EXPECT_TRUE(m_admin->ExecuterNatif(sql, &t)) << m_admin->DerniereErreur().toStdString();
        return t.points() ? t(0, 0).toLongLong() : -1;
    }

    // Une cible qui tient déjà une liste des stations d'une ligne.
    QString cibleOccupee()
    {
        const QString c = schema();
        EXPECT_TRUE(m_admin->ExecuterNatif("CREATE TABLE " + nomSchema(c) + ".stations (code text, nom text)"));
        EXPECT_TRUE(m_admin->ExecuterNatif("INSERT INTO " + nomSchema(c) + ".stations VALUES ('Z9', 'Déjà là')"));
        return c;
    }
};

TEST_F(CopieServeur, AllerEtRetourSQLitePostgreSQLSQLiteRedonneChaqueTableEtLExempleDuServeurAUxMemesLignes)
{
    const QString serveur = schema(), retour = dossierTemporaire() + "/retour.db";
    const Resultat aller = lancer({"copier", "--de", baseExemple(), "--vers", serveur});
    ASSERT_EQ(aller.code, 0) << aller.erreurs.toStdString();
    EXPECT_TRUE(aller.sortie.contains("Copie vérifiée : 12 tables")) << aller.sortie.toStdString();
    const Resultat venue = lancer({"copier", "--de", serveur, "--vers", retour});
    ASSERT_EQ(venue.code, 0) << venue.erreurs.toStdString();
    EXPECT_EQ(bilan(venue), bilan(aller));
    const QStringList depart = contenu(baseExemple());
    EXPECT_GT(depart.size(), 100000);
    EXPECT_EQ(contenu(retour), depart);

    // La base d'exemple faite sur le serveur a les mêmes lignes (mêmes sommes) que le fichier.
    const QString exemple = schema();
    const Resultat fait = lancer({"exemple", "--base", exemple});
    ASSERT_EQ(fait.code, 0) << fait.erreurs.toStdString();
    const Resultat relu = lancer({"copier", "--de", exemple, "--vers", dossierTemporaire() + "/exemple-serveur.db"});
    ASSERT_EQ(relu.code, 0) << relu.erreurs.toStdString();
    EXPECT_EQ(bilan(relu), bilan(aller));
    // Une seconde fois, elle ne remplace les données qu'avec --remplacer.
    const Resultat refus = lancer({"exemple", "--base", exemple});
    unRefus(refus, "--remplacer");
    EXPECT_EQ(lancer({"exemple", "--base", exemple, "--remplacer"}).code, 0);
}

TEST_F(CopieServeur, LaGalerieEtLeBulletinDuServeurSontCeuxDuFichier)
{
    const QString serveur = schema();
    ASSERT_EQ(lancer({"copier", "--de", baseExemple(), "--vers", serveur}).code, 0);
    const QList<QStringList> galerie = {
        {"--type", "edition", "--station", "76402001", "--periodes", "M", "--debut", "01/01/2019", "--fin", "31/12/2023"},
        {"--type", "Annee", "--station", "76402001", "--annee", "2023"},
        {"--type", "Annee", "--station", "76402001", "--annee", "2023", "--variante", "CUMUL_MENSUEL", "--periodes", "A"},
        {"--type", "annuaire", "--station", "76402001", "--periodes", "A"},
        {"--type", "Superposition", "--station", "76401001", "--stations", "76402001,27403001", "--periodes", "A", "--debut", "01/01/2000", "--fin", "31/12/2024"},
        {"--type", "PluvioPiezo", "--station", "76402001", "--stations", "00754X0012,00755X0031", "--debut", "01/01/2015", "--fin", "31/12/2024"},
        {"--type", "PluvioStation", "--station", "76402001", "--stations", "H8043310", "--periodes", "D", "--debut", "01/01/2023", "--fin", "31/12/2023"},
        {"--type", "reference", "--station", "76401001"},
        {"--type", "comparaisonNormale", "--station", "76402001", "--periodes", "M", "--debut", "01/01/2022", "--fin", "31/12/2023"},
    };
    const QString dossier = dossierTemporaire();
    for (const QStringList& demande : galerie) {
        QList<QByteArray> images, journaux;
        for (const QString& base : {baseExemple(), serveur}) {
            const QString image = dossier + "/g.png", journal = dossier + "/j.tsv";
            const Resultat r = lancer(QStringList{"tracer", "--base", base, "--sortie", image, "--journal", journal} + demande);
            ASSERT_EQ(r.code, 0) << demande.join(' ').toStdString() << r.erreurs.toStdString();
            images << lireFichier(image);
            journaux << formulationServeur(lireFichier(journal));
        }
        EXPECT_EQ(journaux[0], journaux[1]) << demande.join(' ').toStdString();
        EXPECT_GT(journaux[0].count("ecrit\t"), 50);
        EXPECT_GT(journaux[0].count("sql\t"), 0);
        EXPECT_TRUE(images[0] == images[1]) << demande.join(' ').toStdString();
    }
    // Le bulletin lu sur le serveur est celui que le script indépendant recalcule sur les lignes du fichier.
    QProcess script;
    script.start("/usr/bin/python3", {GRAPHIQUE_BULLETIN_ATTENDU, GRAPHIQUE_PROGRAMME, baseExemple(), "--base", serveur,
                                      "--mois", "03/2015", "10/2014"});
    ASSERT_TRUE(script.waitForFinished(300000));
    EXPECT_EQ(script.exitCode(), 0) << script.readAllStandardOutput().toStdString() << script.readAllStandardError().toStdString();
}

// L'historique des corrections passe au serveur et en revient avec sa casse ; deux
// tables du serveur que seule la casse distingue font refuser la copie.
TEST_F(CopieServeur, LHistoriqueFaitLAllerEtRetourEtDeuxTablesQueLaCasseDistingueFontRefuser)
{
    const QString source = dossierTemporaire() + "/historique.db", retour = dossierTemporaire() + "/retour.db";
    natif(source, {"CREATE TABLE STATIONS (Code TEXT, Nom TEXT, Genre TEXT)", "INSERT INTO STATIONS VALUES ('76402001', 'Rouen', 'pluvio')",
                   "CREATE TABLE PLUVIO_76402001 (DateCreation DATE, Pluie REAL)", "INSERT INTO PLUVIO_76402001 VALUES ('2024-01-02', 1.5)",
                   "CREATE TABLE HISTORIQUE_MESURES (Lot INTEGER, TableMesures TEXT, Qui TEXT)",
                   // Un numéro de lot au-delà de 32 bits revient tel quel.
                   "INSERT INTO HISTORIQUE_MESURES VALUES (1, 'PLUVIO_76402001', 'Zoé'), (3000000000, 'PLUVIO_76402001', NULL)",
                   // Ses colonnes à elle reviennent du serveur en minuscules, comme toute colonne inconnue.
                   "CREATE TABLE HISTORIQUE_PLUVIO_76402001 (DateCreation DATE, Pluie REAL, lot INTEGER, marque TEXT)",
                   "INSERT INTO HISTORIQUE_PLUVIO_76402001 VALUES ('2024-01-02', 1.0, 1, 'avant')"}, true);
    const QString serveur = schema();
    const Resultat aller = lancer({"copier", "--de", source, "--vers", serveur});
    ASSERT_EQ(aller.code, 0) << aller.erreurs.toStdString();
    ASSERT_EQ(lancer({"copier", "--de", serveur, "--vers", retour}).code, 0);
    EXPECT_EQ(contenu(retour), contenu(source));
    EXPECT_EQ(bilan(aller).filter("HISTORIQUE_").size(), 2) << aller.sortie.toStdString();

    const QString nomServeur = nomSchema(serveur);
    ASSERT_TRUE(m_admin->ExecuterNatif("CREATE TABLE " + nomServeur + ".\"PLUVIO_ABC\" AS SELECT DATE '2024-01-01' + i AS datecreation, "
                                       "1.0 AS pluie FROM generate_series(1, 10) i"));
    ASSERT_TRUE(m_admin->ExecuterNatif("CREATE TABLE " + nomServeur + ".pluvio_abc AS SELECT DATE '2024-01-01' + i AS datecreation, "
                                       "2.0 AS pluie FROM generate_series(1, 20) i"));
    const QString neuve = dossierTemporaire() + "/neuve.db";
    for (const QString& cible : {neuve, schema()}) {
        const Resultat r = lancer({"copier", "--de", serveur, "--vers", cible});
        unRefus(r, "« PLUVIO_ABC » et « pluvio_abc »", cible);
        EXPECT_TRUE(r.sortie.isEmpty()) << r.sortie.toStdString();
        if (cible != neuve) {
            EXPECT_TRUE(etat(cible).isEmpty());
        }
    }
    EXPECT_FALSE(QFile::exists(neuve));
}

TEST_F(CopieServeur, UneCibleInjoignableOuQuiRefuseOuUneSourceEtrangereDonnentUneLigneEtNeChangentRien)
{
    QTcpServer ferme;
    ASSERT_TRUE(ferme.listen(QHostAddress::LocalHost));
    const QString injoignable = QStringLiteral("host=127.0.0.1 port=%1 dbname=x user=x").arg(ferme.serverPort());
    ferme.close();
    const QString occupee = cibleOccupee(), vide = schema();
    const QString inconnu = m_connexion + " user=personne_de_connu";
    const QString fichierEtranger = dossierTemporaire() + "/etranger.db";
    natif(fichierEtranger, {"CREATE TABLE CLIENTS (nom TEXT)"}, true);
    const QList<std::pair<QStringList, const char*>> cas = {
        {{"--de", baseExemple(), "--vers", injoignable}, "connexion refusée"},
        {{"--de", baseExemple(), "--vers", inconnu}, "personne_de_connu"},
        {{"--de", vide, "--vers", dossierTemporaire() + "/neuf.db"}, "pas une base de graphiques"},
        {{"--de", fichierEtranger, "--vers", occupee}, "pas une base de graphiques"},
        {{"--de", baseExemple(), "--vers", occupee}, "--remplacer"},
        {{"--de", baseExemple(), "--vers", baseExemple(), "--remplacer"}, "même base"},
    };
    const QStringList avant = etat(occupee);
    for (const auto& [arguments, attendu] : cas) {
        const Resultat r = lancer(QStringList{"copier"} + arguments);
        unRefus(r, QString::fromUtf8(attendu), arguments.join(' '));
        EXPECT_TRUE(r.sortie.isEmpty());
    }
    EXPECT_EQ(etat(occupee), avant);
    EXPECT_EQ(avant, QStringList{"stations=1"});
    EXPECT_TRUE(etat(vide).isEmpty());
    EXPECT_FALSE(QFile::exists(dossierTemporaire() + "/neuf.db"));
}

TEST_F(CopieServeur, UneValeurRefuseeEnCoursDeCopieLaisseLaCibleTelleQuElleEtait)
{
    // Vers le serveur : un texte dans une colonne d'entiers d'une table de la fin.
    const QString source = dossierTemporaire() + "/source.db";
    ASSERT_TRUE(QFile::copy(baseExemple(), source));
    natif(source, {"UPDATE PZ_00755X0031 SET Validite = 'abc' WHERE rowid = 100"});
    const QString cible = cibleOccupee();
    Resultat r = lancer({"copier", "--de", source, "--vers", cible, "--remplacer"});
    unRefus(r, "PZ_00755X0031");
    EXPECT_EQ(etat(cible), QStringList{"stations=1"});

    // Depuis le serveur : une date que SQLite ne sait pas tenir, dans la dernière table des mesures.
    const QString serveur = schema();
    ASSERT_EQ(lancer({"copier", "--de", baseExemple(), "--vers", serveur}).code, 0);
    ASSERT_TRUE(m_admin->ExecuterNatif("INSERT INTO " + nomSchema(serveur) + ".pz_00755x0031 (datecreation) VALUES ('infinity')"));
    const QString existante = dossierTemporaire() + "/existante.db", neuve = dossierTemporaire() + "/neuve.db";
    ASSERT_TRUE(QFile::copy(source, existante));
    const QByteArray avant = lireFichier(existante);
    for (const QString& f : {existante, neuve}) {
        r = lancer({"copier", "--de", serveur, "--vers", f, "--remplacer"});
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.erreurs.contains("infinity")) << r.erreurs.toStdString();
    }
    EXPECT_TRUE(lireFichier(existante) == avant);
    EXPECT_FALSE(QFile::exists(neuve) || QFile::exists(neuve + ".partiel"));
}

// La copie attend le verrou que ce test tient sur la liste des stations de la
// cible, après avoir écrit les autres tables ; on la coupe alors.
class CopieCoupee : public CopieServeur
{
protected:
    qint64 lancerEtAttendreLeVerrou(QProcess& copie, const QString& cible)
    {
        // Une connexion à part tient le verrou (sans le verrou d'écriture du
        // système, que la copie prend en commençant) ; l'administrateur
        // observe, hors de toute transaction qui figerait pg_stat_activity.
        QString e;
        m_verrou = BasePostgres::ouvrir(m_connexion, e);
        TableauValeurs t;
        EXPECT_TRUE(m_verrou && m_verrou->ExecuterNatif("SELECT pg_backend_pid()", &t)) << e.toStdString();
        EXPECT_TRUE(m_verrou->ExecuterNatif("BEGIN"));
        EXPECT_TRUE(m_verrou->ExecuterNatif("LOCK TABLE " + nomSchema(cible) + ".stations IN SHARE MODE"));
        copie.start(QStringLiteral(GRAPHIQUE_PROGRAMME), {"copier", "--de", baseExemple(), "--vers", cible, "--remplacer"});
        QElapsedTimer chrono;
        chrono.start();
        while (chrono.elapsed() < 30000) {
            const qint64 pid = valeur(QStringLiteral("SELECT coalesce(max(pid), 0) FROM pg_stat_activity "
                                                     "WHERE pg_blocking_pids(pid) @> ARRAY[%1]").arg(t(0, 0).toLongLong()));
            if (pid > 0)
                return pid;
            QThread::msleep(50);
        }
        ADD_FAILURE() << "la copie n'a jamais attendu le verrou";
        return 0;
    }
    void attendreLaFin(qint64 pid)
    {
        QElapsedTimer chrono;
        chrono.start();
        while (chrono.elapsed() < 30000 && valeur(QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE pid = %1").arg(pid)) > 0)
            QThread::msleep(50);
    }

    std::unique_ptr<BasePostgres> m_verrou;
};

// La connexion de la copie coupée, comme par un serveur arrêté, ou le programme tué.
TEST_F(CopieCoupee, UneCopieCoupeeOuTueeNeLaisseRienSurLeServeur)
{
    for (const bool tuee : {false, true}) {
        SCOPED_TRACE(tuee ? "tuée" : "connexion perdue");
        const QString cible = cibleOccupee();
        QProcess copie;
        const qint64 pid = lancerEtAttendreLeVerrou(copie, cible);
        ASSERT_GT(pid, 0);
        if (tuee) {
            copie.kill();
            ASSERT_TRUE(copie.waitForFinished(10000));
        } else {
            EXPECT_EQ(valeur(QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE pg_terminate_backend(%1) AND pid = %1").arg(pid)), 1);
        }
        m_verrou->ExecuterNatif("ROLLBACK");
        if (!tuee) {
            ASSERT_TRUE(copie.waitForFinished(30000));
            unRefus({copie.exitCode(), QString(), QString::fromUtf8(copie.readAllStandardError())}, "copie impossible");
        }
        attendreLaFin(pid);
        EXPECT_EQ(etat(cible), QStringList{"stations=1"});
    }
}

} // namespace
