// Le manuel livré avec l'application de bureau tient debout (titres, liens, commandes) et se
// trouve là où il est installé ; le menu et les boutons Aide qui l'ouvrent sont essayés avec les actions.
#include "EmplacementAide.h"

#include "commun_tests/Fichiers.h"
#include "commun_tests/ImpressionQt.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString manuel()
{
    return QDir::cleanPath(QStringLiteral(GRAPHIQUE_MANUEL));
}

QString lire(const QString& chemin)
{
    return QString::fromUtf8(lireFichier(chemin));
}

QStringList pagesDuManuel()
{
    QStringList pages;
    QDirIterator it(manuel(), {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        pages << QDir::cleanPath(it.next());
    pages.sort();
    return pages;
}

QStringList captures(const QString& texte, const QString& motif)
{
    QStringList trouves;
    for (const QRegularExpressionMatch& m : QRegularExpression(motif).globalMatch(texte))
        trouves << m.captured(1);
    return trouves;
}

// Chaque page a son titre français et aucun lien mort ; l'ancre d'un lien nomme
// un id de la page visée ; chaque page se rejoint depuis l'accueil.
TEST(ManuelAide, PagesTitreesLiensEtAncresTousAtteintsDepuisLAccueil)
{
    const QStringList pages = pagesDuManuel();
    ASSERT_GE(pages.size(), 10);
    for (const QString& page : pages) {
        const QString texte = lire(page);
        const std::string nom = page.toStdString();
        EXPECT_TRUE(texte.contains(QStringLiteral("<html lang=\"fr\">"))) << nom;
        EXPECT_TRUE(texte.contains(QStringLiteral("<meta charset=\"utf-8\">"))) << nom;
        const QStringList titres = captures(texte, QStringLiteral("<title>([^<]+)</title>"));
        ASSERT_EQ(titres.size(), 1) << nom;
        EXPECT_TRUE(titres[0].contains(QStringLiteral("Graphique"))) << nom;
        EXPECT_FALSE(texte.contains(QStringLiteral("<script"), Qt::CaseInsensitive)) << nom;
        EXPECT_EQ(texte.count(QStringLiteral("<body")), 1) << nom;
        EXPECT_TRUE(texte.trimmed().endsWith(QStringLiteral("</html>"))) << nom;
    }
    QSet<QString> vues{manuel() + QStringLiteral("/KOR_help.htm")};
    QStringList aVisiter(vues.begin(), vues.end());
    while (!aVisiter.isEmpty()) {
        const QString page = aVisiter.takeFirst();
        for (const QString& href : captures(lire(page), QStringLiteral("href=\"([^\"]*)\""))) {
            const QString cible = href.section(u'#', 0, 0);
            // Seuls les liens vers une autre page du manuel : ni adresse web, ni courriel.
            if (href.contains(u':') || cible.isEmpty())
                continue;
            const QString chemin = QDir::cleanPath(QFileInfo(page).dir().filePath(cible));
            ASSERT_TRUE(QFileInfo::exists(chemin)) << page.toStdString() << " → " << href.toStdString();
            if (const QString ancre = href.section(u'#', 1); !ancre.isEmpty()) {
                EXPECT_TRUE(lire(chemin).contains(QStringLiteral("id=\"%1\"").arg(ancre))) << href.toStdString();
            }
            if (QRegularExpression(QStringLiteral("\\.html?$")).match(chemin).hasMatch() && !vues.contains(chemin)) {
                vues.insert(chemin);
                aVisiter << chemin;
            }
        }
    }
    for (const QString& page : pages)
        EXPECT_TRUE(vues.contains(page)) << "page que rien n'atteint : " << page.toStdString();
}

// Chaque commande et chaque option que « graphique --aide » présente est dans la page du programme.
TEST(ManuelAide, LaPageDuProgrammeTientChaqueCommandeEtChaqueOption)
{
    QProcess programme;
    programme.start(QStringLiteral(GRAPHIQUE_PROGRAMME), {QStringLiteral("--aide")});
    ASSERT_TRUE(programme.waitForFinished(30000));
    const QString aide = QString::fromUtf8(programme.readAllStandardOutput());
    const QStringList commandes = captures(aide, QStringLiteral("(?m)^  ([a-z]+)\\b"));
    ASSERT_GE(commandes.size(), 10) << aide.toStdString();
    const QString page = lire(manuel() + QStringLiteral("/docs_kor/ligne-de-commande.htm"));
    for (const QString& commande : commandes) {
        EXPECT_TRUE(page.contains(QStringLiteral("<h2 id=\"%1\">").arg(commande))) << commande.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("<pre>graphique %1").arg(commande))) << commande.toStdString();
    }
    const QStringList options = captures(aide, QStringLiteral("(--[a-z][a-z-]*)"));
    for (const QString& option : options)
        EXPECT_TRUE(page.contains(option)) << option.toStdString();
}

TEST(ManuelAide, LeManuelInstalleAcoteDuProgrammePasseAvantCeluiDesSources)
{
    QTemporaryDir dossier;
    const QString prefixe = dossier.filePath(QStringLiteral("prefixe"));
    const EmplacementAide sansManuel(prefixe + QStringLiteral("/bin"));
    EXPECT_EQ(sansManuel.pageAccueil(), manuel() + QStringLiteral("/KOR_help.htm"));

    const QString installee = prefixe + QStringLiteral("/share/graphique/aide/KOR_help.htm");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(installee).path()));
    ASSERT_TRUE(QFile::copy(manuel() + QStringLiteral("/KOR_help.htm"), installee));
    EXPECT_EQ(EmplacementAide(prefixe + QStringLiteral("/bin")).pageAccueil(), installee);

    // Le message d'une aide introuvable nomme chaque dossier essayé.
    const QString message = sansManuel.messageIntrouvable();
    EXPECT_EQ(sansManuel.dossiers().size(), 2);
    for (const QString& d : sansManuel.dossiers())
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(d))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("KOR_help.htm")));
}

} // namespace
