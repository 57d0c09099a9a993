#include "data/bases/BaseSqlite.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// Chaque connexion ouverte pendant l'essai refuse les textes de plus de 200
// octets : la liaison d'une valeur plus longue échoue (SQLITE_TOOBIG).
int limiterLongueur(sqlite3* base, char**, const sqlite3_api_routines*)
{
    sqlite3_limit(base, SQLITE_LIMIT_LENGTH, 200);
    return SQLITE_OK;
}

struct LimiteLongueur
{
    using Entree = void (*)();
    LimiteLongueur() { sqlite3_auto_extension(reinterpret_cast<Entree>(&limiterLongueur)); }
    ~LimiteLongueur() { sqlite3_cancel_auto_extension(reinterpret_cast<Entree>(&limiterLongueur)); }
};

qint32 lignes(BaseDonnees& base)
{
    TableauValeurs t;
    qint32 n = 0;
    base.ExtraireRecords("SELECT * FROM T", t, n);
    return n;
}

TEST(LiaisonSqlite, UneValeurRefuseeALaLiaisonEstUneErreurEtRienNEstEcrit)
{
    const LimiteLongueur limite;
    QTemporaryDir dossier;
    QString raison;
    const auto base = BaseSqlite::ouvrir(dossier.filePath(QStringLiteral("liaison.sqlite")), raison);
    ASSERT_TRUE(base) << raison.toStdString();
    const QList<ColonneTable> colonnes{{QStringLiteral("a"), TypeColonne::Texte}};
    ASSERT_TRUE(base->CreerTable(QStringLiteral("T"), colonnes));
    const QString long_(1000, u'x');

    EXPECT_FALSE(base->InsererLignes(QStringLiteral("T"), {{QStringLiteral("court")}, {long_}}));
    EXPECT_EQ(base->DerniereErreur(), QStringLiteral("T : valeur trop grande pour la base"));
    EXPECT_EQ(lignes(*base), 0);

    EXPECT_FALSE(base->EcrireLot(QStringLiteral("T"), colonnes, TableauValeurs(1, 1, {long_})));
    EXPECT_EQ(base->DerniereErreur(), QStringLiteral("T : valeur trop grande pour la base"));
    EXPECT_EQ(lignes(*base), 0);

    EXPECT_TRUE(base->InsererLignes(QStringLiteral("T"), {{QStringLiteral("court")}}));
    EXPECT_EQ(lignes(*base), 1);
}

} // namespace
