#include "commun/TexteAffichable.h"

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
