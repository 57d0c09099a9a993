#include "commun/Palette.h"

#include <gtest/gtest.h>

TEST(Palette, SeizeCouleursDeLaConsole)
{
    EXPECT_EQ(Palette::rgb(0), 0x000000u);
    EXPECT_EQ(Palette::rgb(1), 0x000080u);
    EXPECT_EQ(Palette::rgb(6), 0x808000u);
    EXPECT_EQ(Palette::rgb(7), 0xC0C0C0u);
    EXPECT_EQ(Palette::rgb(8), 0x808080u);
    EXPECT_EQ(Palette::rgb(9), 0x0000FFu);
    EXPECT_EQ(Palette::rgb(12), 0xFF0000u);
    EXPECT_EQ(Palette::rgb(15), 0xFFFFFFu);
    EXPECT_EQ(Palette::hexa(12), "FF0000");
    EXPECT_EQ(Palette::hexa(1), "000080");
    EXPECT_EQ(Palette::rouge(14), 255);
    EXPECT_EQ(Palette::bleu(14), 0);

    // Les seize couleurs sont distinctes ; les numéros hors de 0..15 bouclent.
    for (int i = 0; i < Palette::taille; ++i)
        for (int j = i + 1; j < Palette::taille; ++j)
            EXPECT_NE(Palette::rgb(i), Palette::rgb(j)) << i << " " << j;
    EXPECT_EQ(Palette::rgb(16), Palette::rgb(0));
    EXPECT_EQ(Palette::rgb(27), Palette::rgb(11));
    EXPECT_EQ(Palette::rgb(-1), Palette::rgb(15));
}
