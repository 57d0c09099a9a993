#include "data/NomVerifie.h"
#include "data/OrdreSql.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <type_traits>

namespace {

// Un texte venu d'ailleurs ne devient ni un nom ni un morceau d'ordre sans vérification.
static_assert(!std::is_constructible_v<NomVerifie, QString>);
static_assert(!std::is_convertible_v<QString, OrdreSql>);
static_assert(!std::is_constructible_v<OrdreSql, QString>);
static_assert(!std::is_constructible_v<OrdreSql, const char*>);

TEST(NomVerifie, LettresChiffresSouligneEtTiretSeulement)
{
    for (const char* bon : {"76401001", "00754X0012", "H8043310", "B-2", "Pluie", "Valeur_1", "a"})
        EXPECT_TRUE(NomVerifie::depuis(QString::fromLatin1(bon))) << bon;
    for (const char* mauvais : {"", "X; DROP TABLE ANNEES", "76402001, PERIODES, ANNEES", "A1'", "A B", "a.b", "é1", "A1--x\n",
                                "a\"b", "[a]", "a/b", "a\tb"})
        EXPECT_FALSE(NomVerifie::depuis(QString::fromUtf8(mauvais))) << mauvais;
    EXPECT_TRUE(NomVerifie::depuis(QString(40, u'x')));
    EXPECT_FALSE(NomVerifie::depuis(QString(41, u'x')));
    EXPECT_FALSE(NomVerifie::depuis(QStringLiteral("A") + QChar(0) + QStringLiteral("B")));

    EXPECT_EQ(NomVerifie::table(QStringLiteral("PZ_"), QStringLiteral("00754X0012"))->texte(), "PZ_00754X0012");
    // Le préfixe compte dans la longueur (les codes refusés en table : Contrat).
    EXPECT_FALSE(NomVerifie::table(QStringLiteral("COURBE_REF_PLUVIO_"), QString(30, u'1')));
    // Le message cite le nom refusé, nettoyé et coupé.
    EXPECT_TRUE(MessageNomRefuse(QStringLiteral("a b")).contains(QStringLiteral("« a b »")));
    const QString refus = MessageNomRefuse(QStringLiteral("\x1b[31m") + QString(500, u'x'));
    EXPECT_FALSE(refus.contains(QChar(0x1b)));
    EXPECT_LT(refus.size(), 250);
}

TEST(OrdreSql, ComposeDeMorceauxSurs)
{
    const NomVerifie table = *NomVerifie::table(QStringLiteral("PLUVIO_"), QStringLiteral("76402001"));
    const OrdreSql o = "SELECT SUM(" + NomVerifie("Pluie") + ") FROM " + table + " WHERE year(DateCreation) = "
        + OrdreSql::entier(2004) + " AND Pluie > " + OrdreSql::reel(-12.5);
    EXPECT_EQ(o.texte(), "SELECT SUM(Pluie) FROM PLUVIO_76402001 WHERE year(DateCreation) = 2004 AND Pluie > -12.5");
    // Le point décimal, quelle que soit la langue de l'utilisateur.
    const QLocale avant;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(OrdreSql::reel(1234.25).texte(), "1234.25");
    QLocale::setDefault(avant);
    EXPECT_TRUE(OrdreSql().estVide());
}

} // namespace
