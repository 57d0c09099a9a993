#include "output/ArchiveZipTests.h"
#include "output/classeur/ChainesPartagees.h"
#include "output/classeur/ClasseurXlsx.h"
#include "output/classeur/FeuilleXlsx.h"
#include "output/classeur/StylesXlsx.h"

#include <QDir>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

ClasseurXlsx ClasseurSimple(double valeur)
{
    ClasseurXlsx c;
    const int f = c.ajouterFeuille();
    c.definirNombre(f, 1, 1, valeur);
    return c;
}

QStringList Contenu(const QString& dossier)
{
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Ce qu'un enregistrement de « sortie.xlsx » pourrait laisser : le fichier ou son temporaire.
// (/proc, pris quand l'essai tourne en administrateur, change sans cesse par ailleurs.)
QStringList Restes(const QString& dossier)
{
    return Contenu(dossier).filter(QStringLiteral("sortie.xlsx"));
}

TEST(EnregistrementClasseur, DossierAbsentOuClasseurSansFeuilleRefuses)
{
    QTemporaryDir racine;
    const QString dossier = racine.filePath(QStringLiteral("absent"));
    const std::tuple<ClasseurXlsx, QString, QString> cas[] = {
        {ClasseurSimple(1), dossier + QStringLiteral("/sortie.xlsx"),
         QStringLiteral("Le dossier « %1 » n'existe pas.").arg(QDir::toNativeSeparators(dossier))},
        {ClasseurXlsx(), racine.filePath(QStringLiteral("vide.xlsx")), QStringLiteral("Le classeur n'a aucune feuille.")}};
    for (const auto& [classeur, chemin, message] : cas) {
        QString erreur;
        EXPECT_FALSE(classeur.enregistrer(chemin, erreur)) << chemin.toStdString();
        EXPECT_EQ(erreur, message);
        EXPECT_TRUE(Contenu(racine.path()).isEmpty());
    }
}

TEST(EnregistrementClasseur, DossierEnLectureSeule)
{
    QTemporaryDir racine;
    QString dossier = racine.filePath(QStringLiteral("protege"));
    ASSERT_TRUE(QDir().mkdir(dossier));
    QFile::setPermissions(dossier, QFile::ReadOwner | QFile::ExeOwner);
    // L'administrateur passe outre les droits : /proc refuse tout fichier, même à lui.
    QFile sonde(dossier + QStringLiteral("/sonde"));
    if (sonde.open(QIODevice::WriteOnly)) {
        sonde.remove();
        dossier = QStringLiteral("/proc");
    }
    const QStringList avant = Restes(dossier);
    const QString chemin = dossier + QStringLiteral("/sortie.xlsx");
    QString erreur;
    EXPECT_FALSE(ClasseurSimple(1).enregistrer(chemin, erreur));
    EXPECT_TRUE(erreur.startsWith(
        QStringLiteral("Impossible d'écrire « %1 » : ").arg(QDir::toNativeSeparators(chemin))))
        << erreur.toStdString();
    EXPECT_GT(erreur.size(), QStringLiteral("Impossible d'écrire « %1 » : ").arg(chemin).size());
    // Ni le fichier ni son temporaire.
    EXPECT_TRUE(avant.isEmpty());
    EXPECT_EQ(Restes(dossier), avant);
    QFile::setPermissions(racine.filePath(QStringLiteral("protege")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(EnregistrementClasseur, RemplaceLeFichierSansResteTemporaire)
{
    QTemporaryDir racine;
    const QString chemin = racine.filePath(QStringLiteral("sortie.xlsx"));
    QString erreur;
    ASSERT_TRUE(ClasseurSimple(1).enregistrer(chemin, erreur)) << erreur.toStdString();
    ASSERT_TRUE(ClasseurSimple(2.75).enregistrer(chemin, erreur)) << erreur.toStdString();
    EXPECT_EQ(Contenu(racine.path()), QStringList{QStringLiteral("sortie.xlsx")});
    ArchiveZipTests archive(chemin);
    ASSERT_TRUE(archive.ouverte());
    EXPECT_EQ(archive.noms().value(0), u"[Content_Types].xml");
    EXPECT_TRUE(archive.lire(QStringLiteral("xl/worksheets/sheet1.xml"))->contains("<v>2.75</v>"));
    EXPECT_TRUE(QFile::permissions(chemin).testFlag(QFile::ReadOther));
}

// Une feuille bien plus grosse qu'un morceau : écrite par morceaux et compressée
// au fil de l'eau, elle se relit (CRC compris, par libzip) telle que la feuille
// l'écrit d'un seul tenant, et ses textes partagés viennent après elle.
TEST(EnregistrementClasseur, UneGrandeFeuilleSEcritParMorceauxEtSeRelitALIdentique)
{
    ClasseurXlsx c;
    const int f = c.ajouterFeuille();
    constexpr int lignes = 60000;
    for (int l = 1; l <= lignes; ++l) {
        c.definirDate(f, l, 1, QDate(1925, 1, 1).addDays(l));
        c.definirNombre(f, l, 2, l % 7 == 0 ? 0.0 : l / 10.0);
    }
    c.definirTexte(f, lignes + 1, 1, QStringLiteral("Fin « é »"));
    QTemporaryDir racine;
    const QString chemin = racine.filePath(QStringLiteral("sortie.xlsx"));
    QString erreur;
    ASSERT_TRUE(c.enregistrer(chemin, erreur)) << erreur.toStdString();

    ChainesPartagees chaines;
    StylesXlsx styles;
    QByteArray attendu;
    int morceaux = 0;
    ASSERT_TRUE(c.feuille(f)->ecrire([&](QByteArray& m) { return attendu += m, m.clear(), ++morceaux, true; }, chaines, styles, true));
    EXPECT_GT(morceaux, 20);
    ArchiveZipTests archive(chemin);
    ASSERT_TRUE(archive.ouverte());
    const auto feuille = archive.lire(QStringLiteral("xl/worksheets/sheet1.xml"));
    ASSERT_TRUE(feuille);
    EXPECT_EQ(feuille->size(), attendu.size());
    EXPECT_TRUE(*feuille == attendu);
    EXPECT_TRUE(feuille->contains("<c r=\"B60000\"><v>6000</v></c>"));
    EXPECT_TRUE(archive.lire(QStringLiteral("xl/sharedStrings.xml"))->contains("Fin « é »"));
    const QStringList noms = archive.noms();
    EXPECT_LT(noms.indexOf(QStringLiteral("xl/worksheets/sheet1.xml")), noms.indexOf(QStringLiteral("xl/sharedStrings.xml")));
    EXPECT_LT(QFileInfo(chemin).size(), attendu.size() / 4);
}

} // namespace
