#include "data/bases/BaseSqlite.h"
#include "data/bases/ValeurColonne.h"

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

TEST(LiaisonSqlite, LesDatesIsoLuesSansCelluleSontCellesDesCellules)
{
    // Chaque jour de 1582 à 2400 et quelques textes limites : un jour ou une heure
    // exactement quand la cellule en serait un, le même.
    QStringList textes = {"0000-01-01", "0001-01-01", "9999-12-31", "1900-02-29", "2000-02-29", "2023-13-01", "2023-04-31",
                          "1899-12-30", "1899-12-30 23:59:59", "1899-12-30 24:00:00", "1899-12-30T07:05:09", "2004-03-05 12:00:00",
                          "2004-3-05", "12:00:00", "abcdefghij"};
    for (QDate d(1582, 1, 1); d <= QDate(2400, 12, 31); d = d.addDays(1))
        textes << d.toString(Qt::ISODate);
    for (const QString& texte : textes) {
        const QByteArray t = texte.toLatin1();
        const QVariant cellule = ValeurColonne::valeurDepuisIso(t.constData(), t.size());
        const auto jour = ValeurColonne::jourDepuisIso(t.constData(), t.size());
        const auto heure = ValeurColonne::heureDepuisIso(t.constData(), t.size());
        EXPECT_EQ(jour.has_value(), cellule.typeId() == QMetaType::QDate) << t.constData();
        EXPECT_EQ(heure.has_value(), cellule.typeId() == QMetaType::QTime) << t.constData();
        EXPECT_EQ(jour.value_or(-1), jour ? cellule.toDate().toJulianDay() : -1) << t.constData();
        EXPECT_EQ(heure.value_or(-1), heure ? cellule.toTime().msecsSinceStartOfDay() : -1) << t.constData();
    }
}
