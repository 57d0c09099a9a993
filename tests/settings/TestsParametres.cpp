#include "commun_tests/MagasinTemporaire.h"
#include "settings/parametres/Decouper.h"
#include "settings/parametres/Parametres.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

TEST(Parametres, EcritureEtLecture)
{
    MagasinTemporaire magasin;
    EXPECT_EQ(CleParametresParDefaut(), "SOFTWARE\\NORVANE\\KOR6");

    EXPECT_TRUE(EcrireParametre("TypeAxeX", QStringLiteral("auto")));
    EXPECT_EQ(LireParametre("TypeAxeX"), "AUTO");             // upper case unless asked
    EXPECT_EQ(LireParametre("TypeAxeX", {}, true), "auto");
    EXPECT_TRUE(EcrireParametre("FormatAxeX", QStringLiteral("mmm")));
    EXPECT_EQ(LireParametre("FormatAxeX", {}, true), "mmm");
    EXPECT_TRUE(EcrireParametre("LibelleAxeNGF", QStringLiteral("  Cote en NGF  ")));
    EXPECT_EQ(LireParametre("LibelleAxeNGF", {}, true), "Cote en NGF");
    EXPECT_TRUE(EcrireParametre("LibelleAxeProfondeur", QStringLiteral("Précipitations en mm, cumul")));
    EXPECT_EQ(LireParametre("LibelleAxeProfondeur", {}, true), "Précipitations en mm, cumul");

    // An empty value is stored as one blank, in the caller's variable too, and reads back empty.
    QString vide;
    EXPECT_TRUE(EcrireParametre("FormatAxeXAnnee", vide));
    EXPECT_EQ(vide, " ");
    EXPECT_EQ(LireParametre("FormatAxeXAnnee", {}, true), "");
    QSettings brut(QSettings::NativeFormat, QSettings::UserScope, "NORVANE", "KOR6");
    EXPECT_EQ(brut.value("FormatAxeXAnnee").toString(), " ");

    EXPECT_EQ(LireParametre("Absent"), "");
    EXPECT_EQ(LireParametre(""), "");

    // Values written by another program in another type come back as text.
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

TEST(Parametres, UnMagasinQuiNePeutEtreEcritNeChangeRien)
{
    MagasinTemporaire magasin;
    EXPECT_TRUE(EcrireParametre("AfficherLegende", QStringLiteral("1")));
    // The store's folder becomes a plain file: nothing can be written under it, not even by root.
    const QString dossier = magasin.dossier() + "/NORVANE";
    ASSERT_TRUE(QDir(dossier).removeRecursively());
    QFile bouchon(dossier);
    ASSERT_TRUE(bouchon.open(QIODevice::WriteOnly));
    bouchon.close();

    QString vide;
    EXPECT_FALSE(EcrireParametre("FormatAxeX", vide));
    EXPECT_EQ(vide, "");  // the caller's variable is left alone
    EXPECT_FALSE(EcrireParametre("AfficherLegende", QStringLiteral("0")));
    EXPECT_EQ(LireParametre("AfficherLegende"), "");
    EXPECT_EQ(LireParametre("FormatAxeX"), "");
}

TEST(Parametres, Decouper)
{
    QStringList morceaux{"reste d'avant"};
    EXPECT_EQ(Decouper("a\\b", morceaux, "\\"), 2);
    EXPECT_EQ(morceaux, (QStringList{"a", "b"}));
    EXPECT_EQ(Decouper("a\\", morceaux, "\\"), 2);
    EXPECT_EQ(morceaux, (QStringList{"a", ""}));
    EXPECT_EQ(Decouper("", morceaux, "\\"), 0);
    EXPECT_TRUE(morceaux.isEmpty());
    EXPECT_EQ(Decouper("sans", morceaux, "\\"), 1);
    EXPECT_EQ(Decouper("SOFTWARE\\NORVANE\\KOR6", morceaux, "\\"), 3);
    EXPECT_EQ(morceaux.last(), "KOR6");
    EXPECT_EQ(Decouper("a\\\\b\\\\c", morceaux, "\\\\"), 3);  // a separator of two characters
    EXPECT_EQ(morceaux, (QStringList{"a", "b", "c"}));
    EXPECT_EQ(Decouper("\\a", morceaux, "\\"), 2);
    EXPECT_EQ(morceaux, (QStringList{"", "a"}));
}

} // namespace
