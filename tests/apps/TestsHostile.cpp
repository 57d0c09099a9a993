// Le programme essayé comme un utilisateur malveillant ou une machine en panne
// l'essaieraient : bases, fichiers et arguments hostiles, sorties piégées.
// Chaque échec doit donner une ligne en français, le code 2, et ne rien perdre.
#include "Lancement.h"
#include "commun_tests/OrdresNatifs.h"

#include "commun_tests/Fichiers.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>
#include <iostream>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Un échec propre : le code 2, une seule ligne, en français, sans caractère de commande.
void unEchecPropre(const Resultat& r, const char* attendu, const QString& contexte)
{
    unRefus(r, QString::fromUtf8(attendu), contexte);
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
    EXPECT_FALSE(lireFichier(png + ".tsv").contains("FROM PLUVIO_76402001, PERIODES, ANNEES"));
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
    const QByteArray avant = lireFichier(existante);
    for (const QStringList& arguments : {QStringList{"--vers", neuve}, QStringList{"--vers", existante, "--remplacer"}}) {
        const Resultat r = lancer(QStringList{"copier", "--de", source} + arguments);
        unEchecPropre(r, "2 tables de mesures", arguments.join(' '));
        EXPECT_TRUE(r.erreurs.contains("« PLUVIO_76402001\"; DROP TABLE STATIONS; -- »")) << r.erreurs.toStdString();
        EXPECT_TRUE(r.erreurs.contains("« pz_A B »")) << r.erreurs.toStdString();
        EXPECT_FALSE(r.erreurs.contains("CLIENTS")) << r.erreurs.toStdString();
        EXPECT_TRUE(r.sortie.isEmpty()) << r.sortie.toStdString();
    }
    EXPECT_EQ(fichiersDuDossier(d), QStringList());
    EXPECT_TRUE(lireFichier(existante) == avant);

    // Sans elles, la même source se copie entière, et le bilan le dit.
    natif(source, {"DROP TABLE \"PLUVIO_76402001\"\"; DROP TABLE STATIONS; --\"", "DROP TABLE \"pz_A B\""});
    const Resultat r = lancer({"copier", "--de", source, "--vers", neuve});
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_TRUE(r.sortie.contains("Copie vérifiée : 12 tables")) << r.sortie.toStdString();
    EXPECT_EQ(fichiersDuDossier(d), QStringList{"neuve.db"});
}

TEST(Hostile, BasesIllisiblesUneLigneEtLeCode2)
{
    const QString d = dossierTemporaire();
    const QString vide = d + "/vide.db", texte = d + "/texte.db", abimee = copieDeLExemple("abimee.db");
    ecrireFichier(vide, {});
    ecrireFichier(texte, QByteArray("Ceci n'est pas une base.\n").repeated(200));
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
    const QString base = copieDeLExemple();
    const QString csv = ecrireCsv("05/03/2004;1\n");
    const QStringList importer = {"importer", "--base", base, "--station", "A1", "--genre", "pluvio", "--csv", csv};
    QStringList devant;
    if (geteuid() != 0) {
        QFile::setPermissions(base, QFile::ReadOwner);
    } else {
        // root passe outre les droits des fichiers : l'import lancé sous nobody, qui ne peut que lire
        // la base et son dossier. Aucun privilège de plus (ni montage, ni espace de noms) : un
        // conteneur ou une racine neuve le permettent.
        const auto lisible = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
        for (const QString& f : {base, csv}) {
            QFile::setPermissions(f, lisible);
            QFile::setPermissions(QFileInfo(f).absolutePath(), lisible | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
        }
        devant = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    }
    unEchecPropre(lancer(importer, QString(), {"HOME=" + QDir::tempPath()}, devant), "lecture seule", "lecture seule");
}

TEST(Hostile, SortiesPiegeesRienNEstEcritAilleursNiAMoitie)
{
    const QString d = dossierTemporaire();
    const QString base = baseExemple();
    // Un lien symbolique : le lien est remplacé, sa cible reste intacte.
    const QString cible = ecrireFichier(d + "/cible.txt", "précieux"), lien = d + "/lien.png";
    ASSERT_TRUE(QFile::link(cible, lien));
    Resultat r = lancer(tracerEdition(base, lien));
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_FALSE(QFileInfo(lien).isSymLink());
    EXPECT_FALSE(QImage(lien).isNull());
    EXPECT_EQ(lireFichier(cible), "précieux");

    // Périphériques, tube, dossier : refusés, sans attendre ni rien remplacer.
    const QString tube = d + "/tube.png";
    ASSERT_EQ(mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    for (const QString& sortie : {QStringLiteral("/dev/full"), QStringLiteral("/dev/null"), tube, d})
        unEchecPropre(lancer(tracerEdition(base, sortie) + QStringList{"--journal", d + "/j.tsv"}),
                      sortie == d ? "" : "pas un fichier ordinaire", sortie);
    EXPECT_EQ(modeDe("/dev/full", S_IFMT), mode_t(S_IFCHR));
    EXPECT_EQ(modeDe(tube, S_IFMT), mode_t(S_IFIFO));
    unEchecPropre(lancer(tracerEdition(base, d + "/x.png") + QStringList{"--journal", "/dev/full"}), "pas un fichier ordinaire",
                  "journal sur un périphérique");

    // Une demande refusée ne laisse ni journal ni image.
    r = lancer({"tracer", "--base", base, "--type", "edition", "--station", "99999999", "--sortie", d + "/x.png", "--journal",
                d + "/j.tsv"});
    unEchecPropre(r, "station inconnue", "station inconnue");
    EXPECT_EQ(fichiersDuDossier(d), QStringList({"cible.txt", "lien.png", "tube.png"})) << fichiersDuDossier(d).join(' ').toStdString();
}

// Chaque demande fausse, quelle que soit la commande : le code 2, une ligne courte et propre qui
// dit pourquoi, rien sur la sortie, aucun fichier ni base ni réglage écrit.
class HostileDemandesFausses : public ::testing::Test
{
protected:
    using Cas = std::pair<QStringList, const char*>;

    void SetUp() override
    {
        // La base sous d'autres noms : un lien dur, un lien symbolique, une copie au nom d'image.
        ASSERT_EQ(::link(QFile::encodeName(base).constData(), QFile::encodeName(dur).constData()), 0);
        ASSERT_TRUE(QFile::link(base, lien));
        ASSERT_EQ(mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    }

    QStringList graphique(const char* commande, const QString& genre, const QString& sortie, QStringList suite = {}) const
    {
        if (!suite.contains("--station"))
            suite << "--station" << "76402001";
        return QStringList{commande, "--base", base, "--type", genre, "--sortie", d + sortie} + suite;
    }
    QStringList tracer(const QStringList& suite, const QString& genre = "edition") const
    {
        return graphique("tracer", genre, "/x.png", suite);
    }

    void essayer(std::initializer_list<Cas> cas) const
    {
        for (const auto& [arguments, attendu] : cas) {
            const QString quoi = arguments.join(' ').left(120);
            const Resultat r = lancer(arguments, reglages);
            unEchecPropre(r, attendu, quoi);
            EXPECT_LT(r.erreurs.size(), 600) << r.erreurs.left(200).toStdString();
            EXPECT_TRUE(r.sortie.isEmpty()) << quoi.toStdString() << " : " << r.sortie.toStdString();
            EXPECT_EQ(QDir(d).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System), QStringList())
                << quoi.toStdString();
        }
    }

    const QString d = dossierTemporaire(), reglages = d + "/reglages";
    const QString base = baseExemple(), csv = ecrireCsv("01/01/2023;5\n");
    // Un argument ne dépasse pas 128 Kio sous Linux.
    const QString enorme = QString(100000, u'A'), echappement = QStringLiteral("\x1b]0;piège\x07\x1b[2J");
    const QString ailleurs = dossierTemporaire(), dur = ailleurs + "/dur.png", lien = ailleurs + "/lien.svg", tube = ailleurs + "/tube.db";
    const QString basePng = copieDeLExemple("base.png");
};

TEST_F(HostileDemandesFausses, ChaqueOptionFausseTientEnUneLigneEtNEcritRien)
{
    essayer({
        {{}, ""},
        {{echappement}, ""},
        {{"litteraux", "--date", "1/1/24"}, ""},
        {{"litteraux"}, ""},
        {{"litteraux", "--date", "05/03/2004", "--heure", "8h30"}, ""},
        {{"options", "--inconnue"}, ""},
        {{"stations", "--base", base, echappement}, ""},
        {tracer({}, enorme), ""},
        {tracer({"--station", echappement}), ""},
        {tracer({"--mesures", "7"}), ""},
        {tracer({"--periodes", "X"}), ""},
        {tracer({"--fin", "2020-12-31"}), ""},
        {tracer({"--mois-hydro", "13"}, "Annee"), "graphique : premier mois de l'année hydrologique incorrect : « 13 » (de 1 à 12, ou son nom : octobre).\n"},
        {tracer({"--mois-hydro", "brumaire"}, "Annee"), "graphique : premier mois de l'année hydrologique incorrect : « brumaire » (de 1 à 12, ou son nom : octobre).\n"},
        {{"bulletin", "--base", base, "--mois", "03/2015", "--sortie", d + "/b.pdf", "--mois-hydro", "0"}, "premier mois de l'année hydrologique incorrect : « 0 »"},
        {tracer({"--annees-statistiques", "2021-2020"}, "Annee"), "graphique : la première année de statistiques (2021) est après la dernière (2020).\n"},
        {tracer({"--annees-statistiques", "91-20"}, "Annee"), "graphique : années de statistiques incorrectes : « 91-20 » (attendu AAAA-AAAA, par exemple 1991-2020).\n"},
        {tracer({"--annees-statistiques", "1700-2020"}, "Annee"), "graphique : les années de statistiques vont de 1800 à 2200.\n"},
        {tracer({"--normales", "locales"}, "Annee"), "graphique : normales inconnues : « locales » (officielles ou mediane).\n"},
        {tracer({"--affichage", "CAMEMBERT"}), ""},
        {tracer({"--stations", "76401001"}, "PluvioPiezo"), "la station « 76401001 » n'est pas du genre piezo attendu ici."},
        {tracer({"--stations", "00754X0012,PZ404"}, "PluvioPiezo"), "station inconnue : « PZ404 »."},
        {graphique("tracer", "edition", "/absent/x.png"), ""},
        {graphique("tracer", "edition", "/x.jpg"), ""},
        {{"tracer", "--base", "host=127.0.0.1 port=1 dbname=rien connect_timeout=2", "--type", "edition", "--station", "76402001",
          "--sortie", d + "/x.png"}, ""},
        {{"tracer", "--base", base, "--type", "edition", "--station", "76402001"}, ""},
        {graphique("exporter", "edition", "/x.png"), "l'extension doit être xlsx"},
        {graphique("exporter", "edition", "/absent/x.xlsx"), "n'existe pas"},
        {graphique("exporter", "inconnu", "/x.xlsx"), "genre de graphique inconnu"},
        {graphique("annuaire", "annuaire", "/a.pdf"), "l'extension doit être xlsx"},
        {{"importer", "--base", d + "/n.db", "--station", enorme, "--genre", "pluvio", "--csv", csv}, ""},
        // Une option donnée vide ou blanche ne vaut pas l'option absente.
        {tracer({"--debut", ""}), "attend une valeur"},
        {graphique("exporter", "edition", "/x.xlsx", {"--fin", " "}), "attend une valeur"},
        {{"stations", "--base", ""}, "attend une valeur"},
        {{"importer", "--base", d + "/n.db", "--station", "A1", "--genre", "pluvio", "--csv", csv, "--nom", ""}, "attend une valeur"},
        {{"importer", "--base", d + "/n.db", "--format", "", "--csv", csv}, "attend une valeur"},
        {{"corrections", "--base", base, "--station", "76402001", "--depuis", ""}, "attend une valeur"},
        {{"exemple", "--base", d + "/e.db", "--graine", ""}, "attend une valeur"},
        {{"copier", "--de", base, "--vers", ""}, "attend une valeur"},
        {{"litteraux", "--date", "05/03/2004", "--heure", ""}, "attend une valeur"},
        {{"options", "--projet", ""}, "attend une valeur"},
        {{"bulletin", "--base", base, "--mois", "03/2015", "--sortie", ""}, "attend une valeur"},
        // Une liste de stations sans aucun nom ne vaut pas la liste absente.
        {tracer({"--stations", " , "}, "PluvioPiezo"), "attend une valeur"},
        {{"bulletin", "--base", base, "--mois", "03/2015", "--sortie", d + "/b.pdf", "--stations", "76402001", "--genre", "lac"},
         "genre de station inconnu : « lac »"},
        {{"bulletin", "--base", base, "--mois", "03/2015", "--sortie", d + "/b.pdf", "--genre", "piezo"}, "--genre précise"},
        {{"corrections", "--base", base, "--station", "76401001", "--genre", "reference"}, "aucune station « 76401001 » du genre reference"},
        {tracer({"--genre", "PIEZO"}), "le graphique edition se fait d'une station du genre pluvio : --genre piezo n'y convient pas."},
        {tracer({"--stations", "76401001"}, "Annee"), "ne prend pas d'autres stations que --station"},
    });
}

TEST_F(HostileDemandesFausses, AucuneSortieNEstLaBaseEtLExempleNeRemplaceQuUnFichierOrdinaire)
{
    essayer({
        // Aucune sortie n'est la base ni un de ses fichiers, quel que soit son nom.
        {tracer({"--journal", base}), "est la base lue"},
        {graphique("exporter", "edition", "/x.xlsx", {"--journal", base + "-journal"}), "est la base lue"},
        {{"bulletin", "--base", base, "--mois", "03/2015", "--sortie", d + "/b.pdf", "--classeur", base + "-wal"}, "est la base lue"},
        {{"bulletin", "--base", base, "--mois", "03/2015", "--sortie", lien}, "est la base lue"},
        {tracerEdition(basePng, basePng), "est la base lue"},
        {tracerEdition(base, dur), "est la base lue"},
        {{"copier", "--de", base, "--vers", dur}, "même base"},
        {{"corrections", "--base", base, "--station", "76402001", "--depuis", "01/01/2020", "--annuler"}, "il ne se donne pas avec --depuis"},
        // Un argument vide est un argument inconnu.
        {{"corrections", "--base", base, "--station", "76402001", "--annuler", ""}, "argument inconnu : « »"},
        {tracer({""}), "argument inconnu : « »"},
        // La base d'exemple ne remplace qu'un fichier ordinaire, et seulement sur demande.
        {{"exemple", "--base", tube}, "pas un fichier ordinaire"},
        {{"exemple", "--base", base}, "existe déjà : --remplacer le remplace"},
        {{"exemple", "--base", ailleurs}, "est un dossier"},
    });
    EXPECT_EQ(modeDe(tube, S_IFMT), mode_t(S_IFIFO));
    EXPECT_EQ(QDir(ailleurs).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
              (QStringList{"dur.png", "lien.svg", "tube.db"}));
}

// Codes acceptés et refusés (un « - » qui commencerait un commentaire…) : la sonde hostile les essaie
// par centaines. Ici, ce que disent deux refus : deux codes qui ne diffèrent que par la casse (une
// seule table pour le moteur), X/F et X_F dans un même fichier.
TEST(Hostile, LesCodesRefusesDisentPourquoi)
{
    const QString base = copieDeLExemple();
    const QString csv = ecrireCsv("01/01/2023;5\n");
    // Le genre se donne en toute casse et s'inscrit en minuscules.
    ASSERT_EQ(lancer({"importer", "--base", base, "--station", "ABC", "--genre", "Pluvio", "--csv", csv}).code, 0);
    unEchecPropre(lancer({"importer", "--base", base, "--station", "abc", "--genre", "pluvio", "--csv", csv}),
                  "ne diffèrent que par la casse", "abc");
    const QString chroniques = ecrireCsv("code_bss;date_mesure;profondeur_nappe\n0754X0009/F;2023-01-01;8.5\n0754X0009_F;2023-01-02;8.7\n");
    unEchecPropre(lancer({"importer", "--base", base, "--format", "piezo-chroniques", "--csv", chroniques}), "donnerait la table PZ_0754X0009_F",
                  "X/F et X_F");
    const QString stations = lancer({"stations", "--base", base}).sortie;
    EXPECT_FALSE(stations.contains("0754X0009"));
    EXPECT_TRUE(stations.contains("pluvio\tABC\t")) << stations.toStdString();
}

TEST(Hostile, UnRefusApresUnMessageDuControleTientEnUneLigne)
{
    // L'ajustement en années hydrologiques est dit par le contrôle avant le chargement qui échoue.
    const QString base = copieDeLExemple();
    natif(base, {"DROP TABLE PERIODES"});
    const QString d = dossierTemporaire();
    const QStringList hydro = {"--station", "76402001", "--periodes", "H", "--debut", "15/03/2020", "--fin", "14/02/2021"};
    for (const auto& [commande, sortie] : {std::pair{"tracer", "/x.png"}, {"exporter", "/x.xlsx"}, {"annuaire", "/x.xlsx"}})
        unEchecPropre(lancer(QStringList{commande, "--base", base, "--type", "edition", "--sortie", d + sortie} + hydro),
                      "le chargement a échoué", commande);
    EXPECT_EQ(QDir(d).entryList(QDir::Files | QDir::Hidden), QStringList());

    // Réussi, le même message reste dit, sur une ligne du programme.
    const Resultat r = lancer(QStringList{"tracer", "--base", baseExemple(), "--type", "edition", "--sortie", d + "/x.png"} + hydro);
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_TRUE(r.erreurs.startsWith("graphique : attention : Pour calculer le graphique, les dates vont être ajustées"))
        << r.erreurs.toStdString();
    for (const QString& ligne : r.erreurs.split('\n', Qt::SkipEmptyParts))
        EXPECT_TRUE(ligne.startsWith("graphique : ")) << ligne.toStdString();
}

TEST(Hostile, UnNomDeProjetNeSortPasDuDossierDesReglages)
{
    // Les réglages au fond d'un dossier : rien ne doit apparaître ni à côté ni au-dessus.
    const QString racine = dossierTemporaire();
    const QString reglages = racine + "/a/b/reglages";
    ASSERT_TRUE(QDir().mkpath(reglages));
    const std::pair<QString, const char*> cas[] = {
        {"../../x", "séparateur de chemin"},
        {"..\\..\\x", "séparateur de chemin"},
        {"..", "« .. »"},
        {"x..", "« .. »"},
        {"x\ty", "caractère de commande"},
        {QStringLiteral("x\x1b]0;y"), "caractère de commande"},
        {QString(65, u'P'), "plus de 64 caractères"},
    };
    for (const auto& [projet, attendu] : cas) {
        const Resultat r = lancer({"options", "--projet", projet}, reglages);
        unEchecPropre(r, "nom de projet refusé", projet.left(20));
        EXPECT_TRUE(r.erreurs.contains(QString::fromUtf8(attendu))) << r.erreurs.toStdString();
        EXPECT_TRUE(r.sortie.isEmpty()) << r.sortie.toStdString();
    }
    QStringList ecrits;
    for (QDirIterator i(racine, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories); i.hasNext();)
        ecrits << i.next();
    EXPECT_EQ(ecrits, QStringList()) << ecrits.join(' ').toStdString();

    // Un nom ordinaire, avec blancs et accents, reste accepté et écrit à sa place.
    const Resultat r = lancer({"options", "--projet", "Étang 2"}, reglages);
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_TRUE(QFileInfo::exists(reglages + "/NORVANE/Étang 26.conf"));
}

TEST(Hostile, UnClasseurTropGrandPourUneFeuilleEstRefuseSansRienCouper)
{
    // Un puits mesuré d'heure en heure pendant 120 ans : 1 050 000 points, plus
    // que les 1 048 576 lignes d'une feuille.
    const QString base = copieDeLExemple();
    natif(base, {"CREATE TABLE PZ_HORAIRE (DateCreation DATE TEXT, Heure TIME TEXT, Valeur REAL, Validite INTEGER, Continuite INTEGER, "
                 "ModeObtention TEXT)",
                 "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 1049999) "
                 "INSERT INTO PZ_HORAIRE (DateCreation, Heure, Valeur) SELECT date('2000-01-01', '+' || (i / 24) || ' days'), "
                 "CASE WHEN i % 24 = 0 THEN '1899-12-30' ELSE printf('1899-12-30 %02d:00:00', i % 24) END, -10 - (i % 13) * 0.1 FROM n",
                 "CREATE INDEX ix_PZ_HORAIRE ON PZ_HORAIRE (DateCreation, Heure)",
                 "INSERT INTO STATIONS VALUES ('HORAIRE', 'Puits horaire', 'piezo', NULL)"});
    // Le classeur du graphique comme la page d'annuaire : la même règle, rien d'écrit.
    for (const char* commande : {"exporter", "annuaire"}) {
        const QString classeur = ecrireFichier(dossierTemporaire() + "/puits.xlsx", "ancien");
        const Resultat r = lancer({commande, "--base", base, "--type", "PluvioPiezo", "--station", "76402001", "--stations", "HORAIRE",
                                   "--periodes", "M", "--debut", "01/01/2000", "--fin", "31/12/2119", "--sortie", classeur});
        unEchecPropre(r, "ne peut pas tenir 1 050 000 points sur une feuille", commande);
        EXPECT_EQ(lireFichier(classeur), "ancien");
        EXPECT_EQ(QDir(QFileInfo(classeur).absolutePath()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

// Un piézomètre du code d'un pluviomètre : une commande qui prend ce code demande --genre,
// le refus nomme les genres possibles ; avec --genre, c'est la station de ce genre.
TEST(Hostile, UnCodeDeDeuxGenresDemandeSonGenre)
{
    const QString base = copieDeLExemple(), d = dossierTemporaire();
    natif(base, {"CREATE TABLE PZ_76402001 AS SELECT * FROM PZ_00754X0012",
                 "INSERT INTO STATIONS (Code, Nom, Genre) VALUES ('76402001', 'Puits du pluviomètre', 'piezo')"});
    const QStringList bulletin = {"bulletin", "--base", base, "--mois", "03/2015", "--sortie", d + "/b.pdf", "--stations", "76402001"};
    const QStringList corrections = {"corrections", "--base", base, "--station", "76402001"};
    for (const QStringList& demande : {bulletin, corrections}) {
        unEchecPropre(lancer(demande), "le code « 76402001 » désigne plusieurs stations (pluvio, piezo) : préciser --genre.",
                      demande.first());
        const Resultat r = lancer(demande + QStringList{"--genre", "piezo"});
        EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
        EXPECT_TRUE(demande == bulletin || r.sortie.contains("Aucune correction enregistrée pour la station 76402001"))
            << r.sortie.toStdString();
    }
    EXPECT_TRUE(QFileInfo(d + "/b.pdf").size() > 0);
}

// Le programme lancé, attendu jusqu'à ce que son fichier provisoire paraisse ; faux s'il a fini avant.
bool pendantLEcriture(QProcess& p, const QStringList& arguments, const QString& dossier)
{
    p.start(QStringLiteral(GRAPHIQUE_PROGRAMME), arguments);
    if (!p.waitForStarted())
        return false;
    QElapsedTimer chrono;
    chrono.start();
    while (QDir(dossier).entryList({".graphique-*"}, QDir::Files | QDir::Hidden).isEmpty() && chrono.elapsed() < 20000
           && p.state() == QProcess::Running)
        usleep(200);
    return p.state() == QProcess::Running;
}

TEST(Hostile, FichiersProvisoiresJamaisLaissesNiPrisAUnUtilisateur)
{
    const QString d = dossierTemporaire();
    // Les fichiers de l'utilisateur aux noms qu'un programme négligent prendrait.
    for (const QString nom : {"y.db.partiel", "nouvelle.db.partiel", ".a.png.1234-0.png", "GraphiqueTemp.xlsx"})
        ecrireFichier(d + u'/' + nom, "à l'utilisateur");
    const QStringList siens = fichiersDuDossier(d);
    const QStringList tracer = {"tracer", "--base", baseExemple(), "--type", "Annee", "--station", "76402001", "--sortie", d + "/a.png"};
    const QStringList copier = {"copier", "--de", baseExemple(), "--vers", d + "/nouvelle.db"};

    // Arrêté par un signal : rien ne reste, même pas jusqu'au suivant.
    // SIGQUIT le dit d'une ligne en français.
    for (const int signal : {SIGTERM, SIGINT, SIGQUIT}) {
        QProcess p;
        const bool vu = pendantLEcriture(p, copier, d);
        ::kill(pid_t(p.processId()), signal);
        p.waitForFinished(20000);
        ASSERT_TRUE(vu);
        EXPECT_EQ(fichiersDuDossier(d), siens) << signal;
        EXPECT_EQ(QString::fromUtf8(p.readAllStandardError()), signal == SIGQUIT ? "graphique : arrêt demandé (SIGQUIT) ; rien n'est laissé à moitié écrit.\n" : "");
    }
    // Une copie et un tracé menés à leur terme ne touchent à aucun fichier de l'utilisateur ; après un
    // arrêt brutal, le suivant efface le provisoire laissé (la sonde hostile l'essaie pour chaque commande).
    for (const QStringList& commande : {copier, tracer}) {
        const Resultat r = lancer(commande);
        ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    }
    EXPECT_EQ(fichiersDuDossier(d), QStringList({".a.png.1234-0.png", "GraphiqueTemp.xlsx", "a.png", "nouvelle.db", "nouvelle.db.partiel", "y.db.partiel"}))
        << fichiersDuDossier(d).join(' ').toStdString();
    for (const QString nom : {"y.db.partiel", "nouvelle.db.partiel", ".a.png.1234-0.png"})
        EXPECT_EQ(lireFichier(d + u'/' + nom), "à l'utilisateur") << nom.toStdString();
}

// Les sorties de chaque commande qui écrit : la cible, et le journal à côté.
struct Sortie
{
    const char* nom;
    QStringList (*arguments)(const QString& base, const QString& dossier, const QString& nom);
};

const Sortie sorties[] = {
    {"image.png", [](const QString& b, const QString& d, const QString& n) {
         return QStringList{"tracer", "--base", b, "--type", "Annee", "--station", "76402001", "--annee", "2023", "--sortie", d + u'/' + n};
     }},
    {"image.pdf", [](const QString& b, const QString& d, const QString& n) {
         return QStringList{"tracer", "--base", b, "--type", "Annee", "--station", "76402001", "--annee", "2023", "--sortie", d + u'/' + n,
                            "--journal", d + "/journal.tsv"};
     }},
    {"classeur.xlsx", [](const QString& b, const QString& d, const QString& n) {
         return QStringList{"exporter", "--base", b, "--type", "Annee", "--station", "76402001", "--annee", "2023", "--sortie", d + u'/' + n};
     }},
    {"bulletin.pdf", [](const QString& b, const QString& d, const QString& n) {
         return QStringList{"bulletin", "--base", b, "--mois", "03/2023", "--sortie", d + u'/' + n};
     }},
};

// Un fichier privé récrit reste privé, le journal aussi.
TEST(Hostile, UnFichierRecritGardeSesDroits)
{
    const QString d = dossierTemporaire();
    for (const Sortie& s : sorties) {
        for (const QString& f : {d + u'/' + s.nom, d + "/journal.tsv"})
            ASSERT_EQ(::chmod(QFile::encodeName(ecrireFichier(f, "ancien")).constData(), 0600), 0);
        const Resultat r = lancer(s.arguments(baseExemple(), d, s.nom));
        ASSERT_EQ(r.code, 0) << s.nom << r.erreurs.toStdString();
        EXPECT_NE(lireFichier(d + u'/' + s.nom), "ancien") << s.nom;
        EXPECT_EQ(modeDe(d + u'/' + s.nom, 07777), mode_t(0600)) << s.nom;
        EXPECT_EQ(modeDe(d + "/journal.tsv", 07777), mode_t(0600)) << s.nom;
    }
}

// Disque plein, taille de fichier limitée, dossier fermé, nom trop long : pour
// chaque sortie, une ligne en français et rien de laissé. Le disque plein est
// un petit tmpfs, monté là où root peut avoir son propre espace de montages.
TEST(Hostile, LesEchecsDuSystemeSeDisentEnFrancaisEtNeLaissentRien)
{
    const bool root = ::geteuid() == 0;
    const bool montage = root && QProcess::execute("unshare", {"-m", "true"}) == 0;
    const QString d = dossierTemporaire(), base = d + "/base.db";
    ASSERT_TRUE(QFile::copy(baseExemple(), base));
    // Lisibles de l'utilisateur sans droits qui écrit dans le dossier fermé.
    QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(base, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    struct Cause
    {
        const char* sous;
        const char* raison;
        QStringList devant;
        QString nom;
    };
    std::vector<Cause> causes = {
        {"ecrire", "le fichier dépasse la taille permise", {"bash", "-c", "ulimit -f 4; exec \"$0\" \"$@\""}, {}},
        {"ferme", "accès refusé", root ? QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"} : QStringList{}, {}},
        {"ecrire", "le nom du fichier est trop long", {}, QString(300, u'n')},
    };
    if (montage)
        causes.push_back({"plein", "le disque est plein", {"unshare", "-m", "sh", "-c", QStringLiteral("mount -t tmpfs -o size=4k plein '%1/plein' && exec \"$0\" \"$@\"").arg(d)}, {}});
    else
        std::cout << "(disque plein non essayé : il faut root et unshare -m)\n";
    for (const char* sous : {"ecrire", "ferme", "plein"})
        ASSERT_TRUE(QDir(d).mkdir(sous));
    QFile::setPermissions(d + "/ferme", QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    for (const Cause& c : causes)
        for (const Sortie& s : sorties) {
            const QString sous = d + u'/' + c.sous;
            const Resultat r = lancer(s.arguments(base, sous, c.nom.isEmpty() ? s.nom : c.nom + s.nom), QString(), {"HOME=" + d}, c.devant);
            const QString contexte = QStringLiteral("%1 %2").arg(c.raison, s.nom);
            unEchecPropre(r, c.raison, contexte);
            for (const char* anglais : {"No space", "Permission", "File name", "too large", "Unknown", "peut-être"})
                EXPECT_FALSE(r.erreurs.contains(QLatin1String(anglais))) << contexte.toStdString() << r.erreurs.toStdString();
            EXPECT_TRUE(QDir(sous).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) << contexte.toStdString();
        }
}

// Le mot de passe d'une connexion mal écrite ne paraît sur aucune sortie, ni
// dans le journal des ordres demandé par les catégories de trace.
TEST(Hostile, UnMotDePasseNeParaitJamaisSurLesSorties)
{
    const QString d = dossierTemporaire();
    const char* const connexions[] = {
        "postgresql://u:Zq9secret@[::1/b",
        "postgresql://u:Zq9%zz@h/b",
        "postgresql://h/b?password=Zq9secret&inconnu=1",
        R"(host=h password='Zq9\'secret' inconnu=1)",
        "host=h password='Zq9 jamais fermé",
        "postgresql:host=h password=Zq9secret",
    };
    for (const char* connexion : connexions) {
        const QString c = QString::fromUtf8(connexion);
        for (const QStringList& arguments :
             {QStringList{"stations", "--base", c}, QStringList{"tracer", "--base", c, "--type", "Annee", "--station", "76402001", "--annee", "2023",
                                                               "--sortie", d + "/x.png", "--journal", d + "/j.tsv"},
              QStringList{"stations", "--base", d + "/b.db", c}, QStringList{"copier", "--de", baseExemple(), "--vers", c}}) {
            const Resultat r = lancer(arguments, QString(), {"QT_LOGGING_RULES=graphique.*=true"});
            EXPECT_EQ(r.code, 2) << connexion;
            EXPECT_FALSE((r.sortie + r.erreurs).contains("Zq9")) << r.erreurs.toStdString();
        }
        // Une adresse mal écrite n'est jamais une base SQLite créée sous ce nom.
        EXPECT_FALSE(QFileInfo::exists(c)) << connexion;
    }
    EXPECT_TRUE(QDir(d).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

// Un fichier apparu à la place de la cible pendant la copie reste tel quel ; --remplacer le remplace.
TEST(Hostile, UneCopieNeRemplacePasCeQuiEstApparuASaPlace)
{
    const QString d = dossierTemporaire(), cible = d + "/nouvelle.db";
    for (const bool remplacer : {false, true}) {
        QFile::remove(cible);
        QProcess p;
        const QStringList copier = {"copier", "--de", baseExemple(), "--vers", cible};
        ASSERT_TRUE(pendantLEcriture(p, remplacer ? copier + QStringList{"--remplacer"} : copier, d));
        ecrireFichier(cible, "apparu");
        ASSERT_TRUE(p.waitForFinished(60000));
        const Resultat r{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
        if (remplacer) {
            EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
            EXPECT_NE(lireFichier(cible), "apparu");
        } else {
            const std::string attendu = "« " + cible.toStdString() + " » est apparu pendant l'écriture";
            unEchecPropre(r, attendu.c_str(), "copie");
            EXPECT_EQ(lireFichier(cible), "apparu");
        }
        EXPECT_EQ(fichiersDuDossier(d), QStringList{"nouvelle.db"});
    }
}

} // namespace
