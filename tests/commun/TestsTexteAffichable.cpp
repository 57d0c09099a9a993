#include "commun/TexteAffichable.h"
#include "commun/RaisonSysteme.h"

#include <cerrno>

#include <gtest/gtest.h>

namespace {

TEST(TexteAffichable, NettoieEtCoupeCeQuiVientDAilleurs)
{
    EXPECT_EQ(TexteAffichable(QStringLiteral("Port-Aubin (Pluviomètre)")), QStringLiteral("Port-Aubin (Pluviomètre)"));
    // Échappements du terminal, NUL, fin de ligne, tabulation, inversion du sens d'écriture.
    EXPECT_EQ(TexteAffichable(QStringLiteral("\x1b[2Ja") + QChar(0) + QStringLiteral("b\nc\td") + QChar(0x202e) + QStringLiteral("e")),
              QStringLiteral("?[2Ja?b?c?d?e"));
    EXPECT_EQ(TexteAffichable(QString(QChar(0x9b))), QStringLiteral("?"));
    // Trop long : coupé, la longueur dite.
    EXPECT_EQ(TexteAffichable(QString(100, u'x'), 10), QStringLiteral("xxxxxxxxxx… (100 caractères)"));
    // Une paire UTF-16 n'est pas coupée en deux.
    const QString emoji = QStringLiteral("abc") + QString::fromUcs4(U"\U0001F327");
    EXPECT_EQ(TexteAffichable(emoji + emoji, 4), QStringLiteral("abc… (10 caractères)"));
    EXPECT_EQ(TexteAffichable(QString()), QString());
}

} // namespace

// Ce que le système dit en anglais d'un fichier se lit en français ; une raison inconnue reste entière.
TEST(RaisonSysteme, LesRaisonsDuSystemeDitesEnFrancais)
{
    const std::pair<const char*, const char*> cas[] = {
        {"No space left on device", "le disque est plein"},
        {"Read-only file system", "le disque est en lecture seule"},
        {"Permission denied", "accès refusé"},
        {"No file name specified", "aucun nom de fichier n'est donné"},
        {"Une raison déjà française", "Une raison déjà française"},
    };
    for (const auto& [anglais, francais] : cas)
        EXPECT_EQ(RaisonSysteme(QString::fromUtf8(anglais)), QString::fromUtf8(francais));
    EXPECT_EQ(RaisonErrno(ENOSPC), "le disque est plein");
    EXPECT_EQ(RaisonErrno(ENAMETOOLONG), "le nom du fichier est trop long");
}
