// Le programme essayé comme un utilisateur malveillant ou une machine en panne
// l'essaieraient : bases, fichiers et arguments hostiles, sorties piégées.
// Chaque échec doit donner une ligne en français, le code 2, et ne rien perdre.
#include "Lancement.h"

#include "commun/TableauValeurs.h"
#include "data/bases/BaseSqlite.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString copieDeLExemple(const QString& nom = QStringLiteral("base.db"))
{
    const QString copie = dossierTemporaire() + u'/' + nom;
    QDir().mkpath(QFileInfo(copie).absolutePath());
    EXPECT_TRUE(QFile::copy(baseExemple(), copie));
    QFile::setPermissions(copie, QFile::ReadOwner | QFile::WriteOwner);
    return copie;
}

void natif(const QString& base, const QStringList& ordres)
{
    QString erreur;
    auto b = BaseSqlite::ouvrir(base, erreur, false);
    ASSERT_TRUE(b) << erreur.toStdString();
    for (const QString& o : ordres)
        ASSERT_TRUE(b->ExecuterNatif(o)) << o.toStdString() << " : " << b->DerniereErreur().toStdString();
}

// Un échec propre : le code 2, une seule ligne, en français, sans caractère de commande.
void unEchecPropre(const Resultat& r, const char* attendu, const QString& contexte)
{
    const std::string texte = contexte.toStdString() + " : " + r.erreurs.left(300).toStdString();
    EXPECT_EQ(r.code, 2) << texte;
    EXPECT_EQ(r.erreurs.count('\n'), 1) << texte;
    EXPECT_TRUE(r.erreurs.contains(QString::fromUtf8(attendu))) << texte;
    for (const QChar c : r.erreurs.chopped(std::min<qsizetype>(1, r.erreurs.size())))
        EXPECT_GE(c.unicode(), 0x20) << contexte.toStdString();
    for (const char* anglais : {"database", "file is", "unable", "readonly", "Connection", "No such"})
        EXPECT_FALSE(r.erreurs.section(':', 0, 1).contains(QLatin1String(anglais))) << r.erreurs.toStdString();
}

QStringList tracerEdition(const QString& base, const QString& sortie)
{
    return {"tracer", "--base", base, "--type", "edition", "--station", "76402001", "--periodes", "A", "--sortie", sortie};
}

TEST(Hostile, CodesEtNomsDeLaBaseNEntrentPasDansLesOrdres)
{
    // La première station de la liste sert à remplir les dates : un code qui
    // ferait un produit croisé des tables du calendrier ne doit rien lancer.
    const QString base = copieDeLExemple();
    natif(base, {"CREATE TABLE S2 AS SELECT * FROM STATIONS WHERE 0",
                 "INSERT INTO S2 VALUES ('76402001, PERIODES, ANNEES', 'Piège', 'pluvio', 0)",
                 "INSERT INTO S2 VALUES ('A1', char(27) || ']0;titre' || char(7) || char(27) || '[31mRouge' || char(9) || 'x', 'pluvio', 0)",
                 "INSERT INTO S2 SELECT * FROM STATIONS", "DROP TABLE STATIONS", "ALTER TABLE S2 RENAME TO STATIONS"});
    const QString png = dossierTemporaire() + "/a.png";
    QElapsedTimer chrono;
    chrono.start();
    Resultat r = lancer(tracerEdition(base, png) + QStringList{"--journal", png + ".tsv"});
    EXPECT_LT(chrono.elapsed(), 20000);
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    QFile journal(png + ".tsv");
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    EXPECT_FALSE(journal.readAll().contains("FROM PLUVIO_76402001, PERIODES, ANNEES"));
    // Le code hostile demandé lui-même est refusé avant toute lecture.
    r = lancer({"tracer", "--base", base, "--type", "edition", "--station", "76402001, PERIODES, ANNEES", "--sortie", png});
    unEchecPropre(r, "code de station refusé", "code hostile");
    // La liste montre les noms nettoyés, sans échappement ni tabulation de trop.
    r = lancer({"stations", "--base", base});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_FALSE(r.sortie.contains(QChar(0x1b)));
    EXPECT_TRUE(r.sortie.contains("pluvio\tA1\t?]0;titre??[31mRouge?x\t\t\n")) << r.sortie.toStdString();
}

TEST(Hostile, DesTablesDeMesuresAuNomRefuseFontRefuserLaCopieEntiere)
{
    // Deux tables de mesures que les chargeurs ne liraient jamais : un copier
    // qui les passerait sous silence annoncerait une copie complète.
    const QString source = copieDeLExemple();
    natif(source, {"CREATE TABLE \"PLUVIO_76402001\"\"; DROP TABLE STATIONS; --\" AS SELECT * FROM PLUVIO_76402001 LIMIT 7",
                   "CREATE TABLE \"pz_A B\" AS SELECT * FROM PZ_00754X0012 LIMIT 5",
                   "CREATE TABLE \"CLIENTS de l'hôte\" (nom TEXT)"});
    const QString d = dossierTemporaire();
    const QString neuve = d + "/neuve.db", existante = copieDeLExemple("existante.db");
    QFile f(existante);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray avant = f.readAll();
    f.close();
    for (const QStringList& arguments : {QStringList{"--vers", neuve}, QStringList{"--vers", existante, "--remplacer"}}) {
        const Resultat r = lancer(QStringList{"copier", "--de", source} + arguments);
        unEchecPropre(r, "2 tables de mesures", arguments.join(' '));
        EXPECT_TRUE(r.erreurs.contains("« PLUVIO_76402001\"; DROP TABLE STATIONS; -- »")) << r.erreurs.toStdString();
        EXPECT_TRUE(r.erreurs.contains("« pz_A B »")) << r.erreurs.toStdString();
        EXPECT_FALSE(r.erreurs.contains("CLIENTS")) << r.erreurs.toStdString();
        EXPECT_TRUE(r.sortie.isEmpty()) << r.sortie.toStdString();
    }
    EXPECT_EQ(QDir(d).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll() == avant);

    // Sans elles, la même source se copie entière, et le bilan le dit.
    natif(source, {"DROP TABLE \"PLUVIO_76402001\"\"; DROP TABLE STATIONS; --\"", "DROP TABLE \"pz_A B\""});
    const Resultat r = lancer({"copier", "--de", source, "--vers", neuve});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_TRUE(r.sortie.contains("Copie vérifiée : 12 tables")) << r.sortie.toStdString();
    EXPECT_EQ(QDir(d).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"neuve.db"});
}

TEST(Hostile, BasesIllisiblesUneLigneEtLeCode2)
{
    const QString d = dossierTemporaire();
    const QString vide = d + "/vide.db", texte = d + "/texte.db", abimee = copieDeLExemple("abimee.db");
    QFile(vide).open(QIODevice::WriteOnly);
    QFile t(texte);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write(QByteArray("Ceci n'est pas une base.\n").repeated(200));
    t.close();
    // Des pages du milieu écrasées : l'en-tête se lit, les tables non.
    QFile a(abimee);
    ASSERT_TRUE(a.open(QIODevice::ReadWrite));
    for (qint64 position = 8192; position < a.size(); position += 4096 * 7) {
        a.seek(position);
        a.write(QByteArray(2048, '\xA5'));
    }
    a.close();
    const std::pair<QString, const char*> cas[] = {
        {vide, "le fichier est vide"},
        {texte, "n'est pas une base SQLite"},
        {abimee, "endommagée"},
        {d + "/absente.db", "n'existe pas"},
        {d, "dossier"},
        {"/dev/null", "pas un fichier ordinaire"},
    };
    for (const auto& [base, attendu] : cas) {
        unEchecPropre(lancer({"stations", "--base", base}), attendu, base);
        unEchecPropre(lancer(tracerEdition(base, d + "/x.png")), attendu, base);
        EXPECT_FALSE(QFileInfo::exists(d + "/x.png"));
    }
    // Un fichier vide ne devient pas une base en passant.
    EXPECT_EQ(QFileInfo(vide).size(), 0);

    // Un chemin qui porte « host= » reste un fichier.
    const QString hote = copieDeLExemple("host=localhost dbname=x/base.db");
    const Resultat r = lancer({"stations", "--base", hote});
    EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie.count('\n'), 7);
}

TEST(Hostile, BaseEnLectureSeuleOuOccupee)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root passe outre les droits des fichiers";
    const QString base = copieDeLExemple();
    QFile::setPermissions(base, QFile::ReadOwner);
    const QString csv = dossierTemporaire() + "/m.csv";
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("05/03/2004;1\n");
    f.close();
    unEchecPropre(lancer({"importer", "--base", base, "--station", "A1", "--genre", "pluvio", "--csv", csv}), "lecture seule",
                  "lecture seule");
}

TEST(Hostile, SortiesPiegeesRienNEstEcritAilleursNiAMoitie)
{
    const QString d = dossierTemporaire();
    const QString base = baseExemple();
    // Un lien symbolique : le lien est remplacé, sa cible reste intacte.
    const QString cible = d + "/cible.txt", lien = d + "/lien.png";
    QFile c(cible);
    ASSERT_TRUE(c.open(QIODevice::WriteOnly));
    c.write("précieux");
    c.close();
    ASSERT_TRUE(QFile::link(cible, lien));
    Resultat r = lancer(tracerEdition(base, lien));
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_FALSE(QFileInfo(lien).isSymLink());
    EXPECT_FALSE(QImage(lien).isNull());
    QFile relue(cible);
    ASSERT_TRUE(relue.open(QIODevice::ReadOnly));
    EXPECT_EQ(relue.readAll(), "précieux");

    // Périphériques, tube, dossier : refusés, sans attendre ni rien remplacer.
    const QString tube = d + "/tube.png";
    ASSERT_EQ(mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    for (const QString& sortie : {QStringLiteral("/dev/full"), QStringLiteral("/dev/null"), tube, d + "/"}) {
        const QString chemin = sortie.endsWith('/') ? sortie + "." : sortie;
        unEchecPropre(lancer(tracerEdition(base, sortie == d + "/" ? d : sortie) + QStringList{"--journal", d + "/j.tsv"}),
                      sortie == d + "/" ? "" : "pas un fichier ordinaire", sortie);
        Q_UNUSED(chemin);
    }
    struct stat etat{};
    ASSERT_EQ(stat("/dev/full", &etat), 0);
    EXPECT_TRUE(S_ISCHR(etat.st_mode));
    EXPECT_EQ(stat(QFile::encodeName(tube).constData(), &etat), 0);
    EXPECT_TRUE(S_ISFIFO(etat.st_mode));
    unEchecPropre(lancer(tracerEdition(base, d + "/x.png") + QStringList{"--journal", "/dev/full"}), "pas un fichier ordinaire",
                  "journal sur un périphérique");

    // Une demande refusée ne laisse ni journal ni image ; une date de début
    // après la date de fin est une demande refusée.
    r = lancer({"tracer", "--base", base, "--type", "edition", "--station", "76402001", "--debut", "31/12/2020", "--fin",
                "01/01/2020", "--sortie", d + "/x.png", "--journal", d + "/j.tsv"});
    unEchecPropre(r, "après la date de fin", "dates inversées");
    r = lancer({"tracer", "--base", base, "--type", "edition", "--station", "99999999", "--sortie", d + "/x.png", "--journal",
                d + "/j.tsv"});
    unEchecPropre(r, "station inconnue", "station inconnue");
    // Un disque plein (taille de fichier limitée) pendant l'écriture du journal : rien ne reste.
    QProcess p;
    p.start("bash", {"-c", "ulimit -f 64; trap '' XFSZ; exec \"$0\" \"$@\"", QStringLiteral(GRAPHIQUE_PROGRAMME), "tracer", "--base",
                     base, "--type", "Annee", "--station", "76402001", "--annee", "2023", "--sortie", d + "/x.png", "--journal",
                     d + "/j.tsv"});
    ASSERT_TRUE(p.waitForFinished(60000));
    unEchecPropre({p.exitCode(), QString(), QString::fromUtf8(p.readAllStandardError())}, "impossible d'écrire", "disque plein");
    const QStringList restes = QDir(d).entryList(QDir::Files | QDir::Hidden | QDir::System);
    EXPECT_EQ(restes, QStringList({"cible.txt", "lien.png", "tube.png"})) << restes.join(' ').toStdString();
}

TEST(Hostile, ArgumentsHostilesUneLigneCourteEtPropre)
{
    const QString d = dossierTemporaire();
    // Un argument ne dépasse pas 128 Kio sous Linux.
    const QString enorme = QString(100000, u'A');
    const QString echappement = QStringLiteral("\x1b]0;piège\x07\x1b[2J");
    const QList<QStringList> demandes = {
        {"tracer", "--base", baseExemple(), "--type", enorme, "--station", "1", "--sortie", d + "/x.png"},
        {"tracer", "--base", baseExemple(), "--type", "edition", "--station", echappement, "--sortie", d + "/x.png"},
        {"tracer", "--base", baseExemple(), "--type", "edition", "--station", "76402001", "--debut", echappement, "--sortie", d + "/x.png"},
        {"tracer", "--base", baseExemple() + echappement, "--type", "edition", "--station", "1", "--sortie", d + "/x.png"},
        {"importer", "--base", d + "/n.db", "--station", enorme, "--genre", "pluvio", "--csv", "x.csv"},
        {echappement},
        {"stations", "--base", baseExemple(), echappement},
    };
    for (const QStringList& demande : demandes) {
        const Resultat r = lancer(demande);
        unEchecPropre(r, "graphique : ", demande.join(' ').left(80));
        EXPECT_LT(r.erreurs.size(), 600) << r.erreurs.left(200).toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(d + "/n.db"));
}

} // namespace
