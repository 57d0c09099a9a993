#include "data/JeuEnregistrements.h"
#include "data/bases/BaseSqlite.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Un jeu d'enregistrements qui survit à sa base n'écrit plus rien.
TEST(JeuEnregistrements, SansSaBaseRienNEstEcrit)
{
    QTemporaryDir dossier;
    QString erreur;
    auto base = BaseSqlite::ouvrir(dossier.filePath(QStringLiteral("jeu.sqlite")), erreur);
    ASSERT_TRUE(base) << erreur.toStdString();
    ASSERT_TRUE(base->CreerTable(QStringLiteral("T"), {{QStringLiteral("Pluie"), TypeColonne::Reel}}));
    std::unique_ptr<JeuEnregistrements> jeu;
    qint32 n = -1;
    ASSERT_TRUE(base->AccesBase("SELECT * FROM T", jeu, n));
    EXPECT_EQ(n, 0);
    jeu->Fields(0) = 1.0;
    base.reset();
    EXPECT_EQ(jeu->Fields(0).toDouble(), 1.0);
    EXPECT_FALSE(jeu->Update());
}

} // namespace
