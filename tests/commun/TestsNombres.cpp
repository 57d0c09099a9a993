#include "commun/LocaleUtilisateur.h"
#include "commun/Nombres.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(Int(-0.5 + 1), 0.0);
}

TEST_F(Nombres, CIntEtRoundArrondissentLesMoitiesAuPair)
{
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
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
    EXPECT_DOUBLE_EQ(Round(999.96, 1), 1000.0);
    EXPECT_DOUBLE_EQ(Round(0.004, 2), 0.0);
    EXPECT_DOUBLE_EQ(Round(0.005, 2), 0.0);
    EXPECT_DOUBLE_EQ(Round(1234567.5), 1234568.0);
}

TEST_F(Nombres, FormatNombreSuitLesMotifsDuRuntime)
{
    EXPECT_EQ(FormatNombre(3.14159, "#0.00"), "3,14");
    EXPECT_EQ(FormatNombre(0.5, "#0.00"), "0,50");
    EXPECT_EQ(FormatNombre(2.675, "0.00"), "2,68");  // moitiés arrondies loin de zéro
    EXPECT_EQ(FormatNombre(-2.675, "0.00"), "-2,68");
    EXPECT_EQ(FormatNombre(3, "00"), "03");
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
