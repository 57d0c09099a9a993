#include "commun_tests/MagasinTemporaire.h"
#include "commun/parametres/Decouper.h"
#include "commun/parametres/Parametres.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

TEST(Parametres, EcritureEtLecture)
{
    MagasinTemporaire magasin;
    EXPECT_EQ(CleParametresParDefaut(), "SOFTWARE\\NORVANE\\KOR6");

    EXPECT_TRUE(EcrireParametre("TypeAxeX", QStringLiteral("auto")));
    EXPECT_EQ(LireParametre("TypeAxeX"), "AUTO");             // en majuscules sauf demande contraire
    EXPECT_EQ(LireParametre("TypeAxeX", {}, true), "auto");
    EXPECT_TRUE(EcrireParametre("LibelleAxeNGF", QStringLiteral("  Cote en NGF  ")));
    EXPECT_EQ(LireParametre("LibelleAxeNGF", {}, true), "Cote en NGF");
    EXPECT_TRUE(EcrireParametre("LibelleAxeProfondeur", QStringLiteral("Précipitations en mm, cumul")));
    EXPECT_EQ(LireParametre("LibelleAxeProfondeur", {}, true), "Précipitations en mm, cumul");

    // Une valeur vide est enregistrée comme un blanc, dans la variable de l'appelant aussi, et se relit vide.
    QString vide;
    EXPECT_TRUE(EcrireParametre("FormatAxeXAnnee", vide));
    EXPECT_EQ(vide, " ");
    EXPECT_EQ(LireParametre("FormatAxeXAnnee", {}, true), "");
    QSettings brut(QSettings::NativeFormat, QSettings::UserScope, "NORVANE", "KOR6");
    EXPECT_EQ(brut.value("FormatAxeXAnnee").toString(), " ");

    EXPECT_EQ(LireParametre("Absent"), "");
    EXPECT_EQ(LireParametre(""), "");

    // Les valeurs écrites par un autre programme dans un autre type reviennent en texte.
    brut.setValue("TaillePoliceAxes", 9);
    brut.sync();
    EXPECT_EQ(LireParametre("TaillePoliceAxes"), "9");
}

TEST(Parametres, CleParProjetEtCheminExplicite)
{
    MagasinTemporaire magasin(QStringLiteral("VANT"));
    EXPECT_TRUE(EcrireParametre("AfficherTitre", QStringLiteral("1")));
    EXPECT_TRUE(EcrireParametre("AfficherTitre", QStringLiteral("0"), "SOFTWARE\\NORVANE\\KOR6"));
    EXPECT_EQ(LireParametre("AfficherTitre"), "1");
    EXPECT_EQ(LireParametre("AfficherTitre", "SOFTWARE\\NORVANE\\KOR6"), "0");
    EXPECT_TRUE(QFile::exists(magasin.dossier() + "/NORVANE/VANT6.conf"));
    EXPECT_TRUE(QFile::exists(magasin.dossier() + "/NORVANE/KOR6.conf"));
}

TEST(Parametres, UnNomDeProjetQuiSortiraitDuMagasinNEcritRien)
{
    MagasinTemporaire magasin(QStringLiteral("../../x"));
    // Le magasin au fond d'un dossier temporaire : « ../.. » y resterait, mais à côté de lui.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, magasin.dossier() + "/a/b");
    EXPECT_FALSE(EcrireParametre("AfficherTitre", QStringLiteral("1")));
    EXPECT_FALSE(EcrireParametre("AfficherTitre", QStringLiteral("1"), "SOFTWARE\\NORVANE\\..\\..\\y"));
    EXPECT_FALSE(EcrireParametre("AfficherTitre", QStringLiteral("1"), "SOFTWARE\\NORVANE\\y/../../z"));
    EXPECT_EQ(LireParametre("AfficherTitre"), "");
    QStringList ecrits;
    for (QDirIterator i(magasin.dossier(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); i.hasNext();)
        ecrits << i.next();
    EXPECT_EQ(ecrits, QStringList());
}

TEST(Parametres, UnMagasinQuiNePeutEtreEcritNeChangeRien)
{
    MagasinTemporaire magasin;
    EXPECT_TRUE(EcrireParametre("AfficherLegende", QStringLiteral("1")));
    // Le dossier du magasin devient un simple fichier : rien ne peut s'écrire dessous, pas même par root.
    const QString dossier = magasin.dossier() + "/NORVANE";
    ASSERT_TRUE(QDir(dossier).removeRecursively());
    QFile bouchon(dossier);
    ASSERT_TRUE(bouchon.open(QIODevice::WriteOnly));
    bouchon.close();

    QString vide;
    EXPECT_FALSE(EcrireParametre("FormatAxeX", vide));
    EXPECT_EQ(vide, "");  // la variable de l'appelant n'est pas touchée
    EXPECT_FALSE(EcrireParametre("AfficherLegende", QStringLiteral("0")));
    EXPECT_EQ(LireParametre("AfficherLegende"), "");
    EXPECT_EQ(LireParametre("FormatAxeX"), "");
}

// Le découpage sur un séparateur d'un caractère ou plus ; la liste d'avant est remplacée.
TEST(Parametres, Decouper)
{
    const std::pair<QString, QStringList> cas[] = {
        {"a\\b", {"a", "b"}},
        {"a\\", {"a", ""}},
        {"", {}},
        {"sans", {"sans"}},
        {"\\a", {"", "a"}},
        {"SOFTWARE\\NORVANE\\KOR6", {"SOFTWARE", "NORVANE", "KOR6"}},
    };
    for (const auto& [texte, attendus] : cas) {
        QStringList morceaux{"reste d'avant"};
        EXPECT_EQ(Decouper(texte, morceaux, "\\"), attendus.size()) << texte.toStdString();
        EXPECT_EQ(morceaux, attendus) << texte.toStdString();
    }
    QStringList morceaux;
    EXPECT_EQ(Decouper("a\\\\b\\\\c", morceaux, "\\\\"), 3);  // un séparateur de deux caractères
    EXPECT_EQ(morceaux, (QStringList{"a", "b", "c"}));
}

} // namespace
