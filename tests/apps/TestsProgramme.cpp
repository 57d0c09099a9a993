// Le programme en ligne de commande, lancé comme un utilisateur le lance.
#include "Lancement.h"
#include "commun_tests/Fichiers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(Programme, ChaqueCommandeASonAideSansRienVerifier)
{
    const QStringList commandes = {"exemple", "copier", "importer", "corrections", "stations", "tracer",
                                   "exporter", "annuaire", "options", "litteraux", "version"};
    for (const QString& commande : commandes) {
        // Aucune option obligatoire, ni même une base absente, ne passe avant l'aide.
        for (const QStringList& suite : {QStringList{"--aide"}, QStringList{"--base", "/absente/base.db", "-h"}}) {
            const Resultat r = lancer(QStringList{commande} + suite);
            EXPECT_EQ(r.code, 0) << commande.toStdString() << ' ' << r.erreurs.toStdString();
            EXPECT_TRUE(r.erreurs.isEmpty()) << r.erreurs.toStdString();
            EXPECT_TRUE(r.sortie.startsWith("Usage :\n  " + commande)) << r.sortie.left(200).toStdString();
            // Seule sa part : aucune autre commande n'ouvre une ligne de l'aide.
            for (const QString& autre : commandes) {
                if (autre == commande)
                    continue;
                EXPECT_FALSE(r.sortie.contains("\n  " + autre + ' ') || r.sortie.contains("\n  " + autre + '\n'))
                    << commande.toStdString() << " montre " << autre.toStdString();
            }
        }
    }
    EXPECT_TRUE(lancer({"annuaire", "--aide"}).sortie.contains("--type GENRE          le graphique dont les courbes font la page"));
    EXPECT_TRUE(lancer({"exporter", "--aide"}).sortie.contains("--periodes LETTRE"));
    // La page entière reste celle de --aide ou -h seul, avec toutes les commandes.
    for (const char* option : {"--aide", "-h"}) {
        const Resultat r = lancer({option});
        EXPECT_EQ(r.code, 0);
        EXPECT_TRUE(r.erreurs.isEmpty());
        EXPECT_TRUE(r.sortie.startsWith("Usage : graphique COMMANDE")) << r.sortie.toStdString();
        EXPECT_TRUE(r.sortie.contains("litteraux --date JJ/MM/AAAA"));
        for (const QString& commande : commandes)
            EXPECT_TRUE(r.sortie.contains("\n  " + commande)) << commande.toStdString();
    }
    EXPECT_EQ(lancer({"dessiner", "--aide"}).code, 2);
}

TEST(Programme, OptionsDUnNouveauGraphiqueEcritesLaPremiereFois)
{
    QTemporaryDir config;
    const Resultat r = lancer({"options"}, config.path());
    EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_TRUE(r.sortie.contains("Libellé de l'axe des profondeurs : Précipitations en mm"));
    EXPECT_TRUE(r.sortie.contains("Taille des polices des axes : 7"));
    EXPECT_TRUE(r.sortie.contains("Axe NGF : non"));
    EXPECT_TRUE(r.sortie.contains("Années des statistiques : d'après les mesures"));
    EXPECT_TRUE(lireFichier(config.path() + "/NORVANE/KOR6.conf").contains("InitOptionExcel=1"));
}

TEST(Programme, LitterauxDesTroisBases)
{
    const Resultat r = lancer({"litteraux", "--date", "05/03/2004", "--heure", "08:30:00"});
    EXPECT_EQ(r.code, 0);
    const QStringList lignes = r.sortie.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), 3);
    EXPECT_EQ(lignes[0], "ACCESS\tdate : #03/05/2004#\tdate et heure : #03/05/2004 08:30:00#\theure : #08:30:00#");
    EXPECT_TRUE(lignes[1].startsWith("POSTGRESQL\tdate : '03/05/2004'"));
    EXPECT_TRUE(lignes[1].endsWith("heure : '12/30/1899 08:30:00'"));
    EXPECT_TRUE(lignes[2].startsWith("ORACLE\tdate :  to_date('05/03/2004', 'DD/MM/YYYY') "));
}

} // namespace
