#include "commun/Palette.h"

#include <gtest/gtest.h>

TEST(Palette, SeizeCouleursDistinctesEtNumerosQuiBouclent)
{
    for (int i = 0; i < Palette::taille; ++i)
        for (int j = i + 1; j < Palette::taille; ++j)
            EXPECT_NE(Palette::rgb(i), Palette::rgb(j)) << i << " " << j;
    EXPECT_EQ(Palette::rgb(16), Palette::rgb(0));
    EXPECT_EQ(Palette::rgb(-1), Palette::rgb(15));
    // Le texte hexadécimal, sur six chiffres, se relit dans la même couleur.
    for (int i = 0; i < Palette::taille; ++i) {
        EXPECT_EQ(Palette::hexa(i).size(), 6);
        EXPECT_EQ(Palette::hexa(i).toUInt(nullptr, 16), Palette::rgb(i));
    }
}
