#include "data/NomsVerifies.h"

#include <gtest/gtest.h>

namespace {

TEST(NomsVerifies, LettresChiffresSouligneEtTiretSeulement)
{
    for (const char* bon : {"76401001", "00754X0012", "H8043310", "B-2", "Pluie", "Valeur_1", "a"})
        EXPECT_TRUE(EstNomVerifie(QString::fromLatin1(bon))) << bon;
    for (const char* mauvais : {"", "X; DROP TABLE ANNEES", "A1'", "A B", "a.b", "é1", "A1--x\n", "a\"b", "[a]", "a/b"})
        EXPECT_FALSE(EstNomVerifie(QString::fromUtf8(mauvais))) << mauvais;
    EXPECT_TRUE(EstNomVerifie(QString(40, u'x')));
    EXPECT_FALSE(EstNomVerifie(QString(41, u'x')));

    EXPECT_EQ(NomTableStation(QStringLiteral("PZ_"), QStringLiteral("00754X0012")), "PZ_00754X0012");
    EXPECT_EQ(NomTableStation(QStringLiteral("PLUVIO_"), QStringLiteral("X; DROP TABLE ANNEES")), "");
    // Le préfixe compte dans la longueur.
    EXPECT_EQ(NomTableStation(QStringLiteral("COURBE_REF_PLUVIO_"), QString(30, u'1')), "");
    EXPECT_TRUE(MessageNomRefuse(QStringLiteral("a b")).contains(QStringLiteral("« a b »")));
}

} // namespace
