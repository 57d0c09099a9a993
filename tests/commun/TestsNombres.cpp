#include "commun/LocaleUtilisateur.h"
#include "commun/Nombres.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <random>
#include <tuple>

namespace {

class Nombres : public ::testing::Test
{
protected:
    void SetUp() override { LocaleUtilisateur::definir(QLocale(QLocale::French, QLocale::France)); }
    void TearDown() override { LocaleUtilisateur::definir(QLocale::system()); }
};

TEST_F(Nombres, IntVaVersMoinsLInfiniEtFixVersZero)
{
    EXPECT_EQ(Int(2.7), 2.0);
    EXPECT_EQ(Int(-2.1), -3.0);
    EXPECT_EQ(Int(-2.0), -2.0);
    EXPECT_EQ(Fix(-2.7), -2.0);
    // Borne d'un axe de nappe : Int(maximum + 1) reste toujours au-dessus du maximum.
    EXPECT_EQ(Int(12.3 + 1), 13.0);
    EXPECT_EQ(Int(-0.5 + 1), 0.0);
}

TEST_F(Nombres, CIntEtRoundArrondissentLesMoitiesAuPair)
{
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(-3.5), -4);
    EXPECT_EQ(CInt(2.51), 3);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_FALSE(CInt(32767.5).has_value());  // 32768 ne tient pas sur 16 bits
    EXPECT_FALSE(CInt(-40000).has_value());
    EXPECT_EQ(CLng(40000.5), 40000);

    EXPECT_DOUBLE_EQ(Round(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(Round(0.135, 2), 0.14);
    EXPECT_DOUBLE_EQ(Round(0.35, 1), 0.4);  // la valeur décimale 0.35, pas sa voisine binaire
    EXPECT_DOUBLE_EQ(Round(2.675, 2), 2.68);
    EXPECT_DOUBLE_EQ(Round(-0.125, 2), -0.12);
    EXPECT_DOUBLE_EQ(Round(0.42, 1), 0.4);
    EXPECT_DOUBLE_EQ(Round(999.96, 1), 1000.0);
    EXPECT_DOUBLE_EQ(Round(0.004, 2), 0.0);
    EXPECT_DOUBLE_EQ(Round(0.005, 2), 0.0);
    EXPECT_DOUBLE_EQ(Round(0.015, 2), 0.02);
    // Maximum d'axe des cumuls mensuels : Round((Int(v) + 5) / 100, 1) * 100.
    EXPECT_DOUBLE_EQ(Round((37 + 5) / 100.0, 1) * 100, 40.0);
    EXPECT_DOUBLE_EQ(Round(1234567.5), 1234568.0);
}

TEST_F(Nombres, FormatNombreSuitLesMotifsDuRuntime)
{
    EXPECT_EQ(FormatNombre(3.14159, "#0.00"), "3,14");
    EXPECT_EQ(FormatNombre(3, "#0.00"), "3,00");
    EXPECT_EQ(FormatNombre(0.5, "#0.00"), "0,50");
    EXPECT_EQ(FormatNombre(2.675, "0.00"), "2,68");  // moitiés arrondies loin de zéro
    EXPECT_EQ(FormatNombre(-2.675, "0.00"), "-2,68");
    EXPECT_EQ(FormatNombre(3, "00"), "03");
    EXPECT_EQ(FormatNombre(12, "00"), "12");
    EXPECT_EQ(FormatNombre(3, "#.##"), "3,");
    EXPECT_EQ(FormatNombre(0.5, "#.##"), ",5");
    EXPECT_EQ(FormatNombre(12.345, "#.##"), "12,35");
    EXPECT_EQ(FormatNombre(5, "#.0"), "5,0");
    EXPECT_EQ(FormatNombre(-0.001, "0.00"), "0,00");
    EXPECT_EQ(FormatNombre(1234567.891, "#,##0.00"), QStringLiteral("1") + QLocale(QLocale::French).groupSeparator()
                                                         + "234" + QLocale(QLocale::French).groupSeparator() + "567,89");
    EXPECT_EQ(FormatNombre(0.25, "0%"), "25%");

    LocaleUtilisateur::definir(QLocale::c());
    EXPECT_EQ(FormatNombre(3.14159, "#0.00"), "3.14");
}

TEST_F(Nombres, LireNombreAccepteLesDeuxSeparateursDansLesDeuxLocales)
{
    for (const QLocale& locale : {QLocale(QLocale::French, QLocale::France), QLocale::c()}) {
        LocaleUtilisateur::definir(locale);
        SCOPED_TRACE(locale.name().toStdString());
        EXPECT_EQ(LireNombre(QStringLiteral("12.5")), 12.5);
        EXPECT_EQ(LireNombre(QStringLiteral("12,5")), 12.5);
        EXPECT_EQ(LireNombre(QStringLiteral(" -3 ")), -3.0);
        EXPECT_EQ(LireNombre(12.5), 12.5);
        EXPECT_EQ(LireNombre(7), 7.0);
        EXPECT_FALSE(LireNombre(QStringLiteral("abc")).has_value());
        EXPECT_FALSE(LireNombre(QStringLiteral("1,2,3")).has_value());
        EXPECT_FALSE(LireNombre(QString()).has_value());
        EXPECT_FALSE(LireNombre(QVariant()).has_value());
        EXPECT_FALSE(LireNombre(QDate(2004, 3, 5)).has_value());
    }
}

TEST_F(Nombres, TexteNombreEcritCommeLeRuntime)
{
    EXPECT_EQ(TexteNombre(12.5), "12,5");
    EXPECT_EQ(TexteNombre(3), "3");
    EXPECT_EQ(TexteNombre(-0.25), "-0,25");
    EXPECT_EQ(TexteNombre(0.1 + 0.2), "0,3");  // 15 chiffres significatifs
    EXPECT_EQ(TexteNombre(1e16), "10000000000000000");
    LocaleUtilisateur::definir(QLocale::c());
    EXPECT_EQ(TexteNombre(12.5), "12.5");
}

TEST_F(Nombres, ValLitLeNombreDuDebutEnIgnorantLesBlancs)
{
    EXPECT_EQ(Val("3 2004"), 32004.0);
    EXPECT_EQ(Val("3 "), 3.0);
    EXPECT_EQ(Val("12/2004"), 12.0);
    EXPECT_EQ(Val("  -1.5e2xyz"), -150.0);
    EXPECT_EQ(Val("+.5"), 0.5);
    EXPECT_EQ(Val("1e"), 1.0);
    // Le séparateur est le point quelle que soit la langue ; une virgule termine le nombre.
    EXPECT_EQ(Val("12,5"), 12.0);
    for (const char* rien : {"", "abc", "-", ".", "+e5"})
        EXPECT_EQ(Val(QString::fromLatin1(rien)), 0.0) << rien;
}

} // namespace

namespace {

// Les bornes d'une vue zoomée : elles encadrent le rectangle, en pas ronds, sans l'élargir plus qu'il ne faut.
TEST(BornesRondes, EncadrentEnPasRondsSansTropElargir)
{
    const auto rond = [](double pas) {
        const double p = std::pow(10.0, std::floor(std::log10(pas) + 1e-9));
        for (const double r : {1.0, 2.0, 2.5, 5.0, 10.0})
            if (std::abs(pas / p - r) < 1e-6)
                return true;
        return false;
    };
    // Le cas vu à l'écran : 15,26 · 16,3 · 17,34… devient des pas de 2.
    auto [bas, haut] = BornesRondes(15.26, 20.46, 5);
    EXPECT_DOUBLE_EQ(bas, 14);
    EXPECT_DOUBLE_EQ(haut, 24);
    std::tie(bas, haut) = BornesRondes(-18.37, -14.02, 5);
    EXPECT_DOUBLE_EQ(bas, -19);
    EXPECT_DOUBLE_EQ(haut, -14);
    std::mt19937 hasard(7);
    std::uniform_real_distribution<double> centre(-1000, 1000), etendue(-4, 4);
    for (int i = 0; i < 2000; ++i) {
        const double b = centre(hasard), h = b + std::pow(10.0, etendue(hasard));
        const int n = 1 + int(hasard() % 10);
        const auto [rb, rh] = BornesRondes(b, h, n);
        ASSERT_LE(rb, b + 1e-9 * std::abs(b));
        ASSERT_GE(rh, h - 1e-9 * std::abs(h));
        // Une seule division à cheval sur zéro n'a pas de pas rond qui l'encadre : la vue reste telle quelle.
        if (rb == b && rh == h)
            continue;
        ASSERT_TRUE(rond((rh - rb) / n)) << b << " " << h << " " << n << " : " << rb << " " << rh;
        // Avec les cinq divisions d'un graphique, la vue s'élargit au plus de moitié plus deux pas.
        if (n >= 5) {
            ASSERT_LE(rh - rb, 2.5 * (h - b) + 2 * (rh - rb) / n + 1e-9) << b << " " << h << " " << n;
        }
    }
    // Des bornes qui ne se prêtent pas au calcul restent telles quelles.
    EXPECT_EQ(BornesRondes(3, 3, 5), std::make_pair(3.0, 3.0));
    EXPECT_EQ(BornesRondes(1, 2, 0), std::make_pair(1.0, 2.0));
}

} // namespace
