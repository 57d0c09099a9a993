// Les lectures traduites reviennent du serveur en binaire, les ordres natifs
// en texte : chaque valeur doit donner la même cellule des deux façons.
#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "data/BaseDeTest.h"
#include "data/bases/BaseAcces.h"

#include <QDate>
#include <QLoggingCategory>
#include <QTime>
#include <cmath>
#include <limits>

namespace {

class LecturePostgres : public AvecBase
{
protected:
    void preparer() override
    {
        ASSERT_TRUE(acces().ExecuterNatif(QStringLiteral(
            "CREATE TABLE types_varies (rang integer, n2 smallint, n4 integer, n8 bigint, r4 real, r8 double precision, "
            "num numeric(30,10), num2 numeric, b boolean, d date, h timestamp(0), dh timestamp, t text, v varchar(20), "
            "c char(5), tz timestamptz, ti time)")))
            << base().DerniereErreur().toStdString();
        const char* const lignes[] = {
            "1, 1, -2, 9007199254740993, 0.1, 0.1, 123.45, 'NaN', true, '1899-12-30', '1899-12-30 07:05:09', "
            "'2004-03-05 07:05:09.25', 'l''eau', 'Ωμέγα 雨', 'ab', '2004-03-05 07:05:09+01', '07:05:09'",
            "2, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL",
            "3, -32768, 2147483647, -9223372036854775808, 'Infinity', '-Infinity', -0.0001, 'Infinity', false, 'infinity', "
            "'2024-12-31 00:00:00', '0044-03-15 12:00:00 BC', '', '', '', '-infinity', '23:59:59.5'",
            "4, 0, 0, 0, 3.4e38, 1e-300, 99999999999999999999.9999999999, 0.00000000000000000001, false, '0044-03-15 BC', "
            "'1899-12-30 00:00:00', '10000-01-01 00:00:00', ' x ', 'y', 'z', '1999-12-31 23:59:59.5+00', '00:00:00'",
            "5, 7, 7, 7, -1.5, 2.5e-5, 1e19, -1234567.891, true, '2000-01-01', '1999-12-31 23:59:59', "
            "'1999-12-31 23:59:59.000001', 'a', 'b', 'c', NULL, '12:00:00.000001'",
        };
        for (const char* l : lignes)
            ASSERT_TRUE(acces().ExecuterNatif(QStringLiteral("INSERT INTO types_varies VALUES (") + QString::fromUtf8(l) + u')'))
                << l << "\n" << base().DerniereErreur().toStdString();
    }

    BaseAcces& acces() { return dynamic_cast<BaseAcces&>(base()); }

    static bool memeCellule(const QVariant& a, const QVariant& b)
    {
        if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double && std::isnan(a.toDouble()))
            return std::isnan(b.toDouble());
        return a.typeId() == b.typeId() && a == b;
    }

    // La lecture traduite (binaire) et la lecture native (texte) des mêmes colonnes.
    void comparer(const QString& colonnes, TableauValeurs& binaire)
    {
        binaire = lire(QStringLiteral("SELECT ") + colonnes + QStringLiteral(" FROM types_varies ORDER BY rang"));
        TableauValeurs texte;
        ASSERT_TRUE(acces().ExecuterNatif(QStringLiteral("SELECT ") + colonnes + QStringLiteral(" FROM types_varies ORDER BY rang"), &texte));
        ASSERT_EQ(binaire.points(), 5);
        ASSERT_EQ(binaire.points(), texte.points());
        ASSERT_EQ(binaire.lignes(), texte.lignes());
        for (int i = 0; i < texte.points(); ++i)
            for (int c = 0; c < texte.lignes(); ++c)
                EXPECT_TRUE(memeCellule(binaire(c, i), texte(c, i)))
                    << "ligne " << i + 1 << ", colonne " << c << " : " << binaire(c, i).typeName() << " '"
                    << TexteCellule(binaire(c, i)).toStdString() << "' au lieu de " << texte(c, i).typeName() << " '"
                    << TexteCellule(texte(c, i)).toStdString() << "'";
    }
};

TEST_F(LecturePostgres, ChaqueGenreDonneLaMemeCelluleEnBinaireEtEnTexte)
{
    TableauValeurs t;
    // Le booléen n'y est pas : la traduction l'écrit -1 ou 0, valeurs d'un booléen en nombre.
    comparer(QStringLiteral("n2, n4, n8, r4, r8, num, num2, d, h, dh, t, v, c, ti"), t);
    if (HasFatalFailure())
        return;
    // Les mêmes des deux côtés, et justes : pas la même erreur deux fois.
    EXPECT_EQ(t(2, 0).toLongLong(), 9007199254740993LL);
    EXPECT_EQ(t(3, 0).toDouble(), 0.1);  // le réel écrit par le serveur, pas le float élargi
    EXPECT_EQ(t(5, 0).toDouble(), 123.45);
    EXPECT_TRUE(std::isnan(t(6, 0).toDouble()));
    EXPECT_EQ(t(7, 0), QVariant(QTime(0, 0)));
    EXPECT_EQ(t(8, 0), QVariant(QTime(7, 5, 9)));
    EXPECT_EQ(t(9, 0), QVariant(QStringLiteral("2004-03-05 07:05:09.25")));
    EXPECT_EQ(t(11, 0), QVariant(QStringLiteral("Ωμέγα 雨")));
    EXPECT_FALSE(t(0, 1).isValid());
    EXPECT_EQ(t(2, 2).toLongLong(), std::numeric_limits<qint64>::min());
    EXPECT_EQ(t(3, 2).toDouble(), HUGE_VAL);
    EXPECT_EQ(t(5, 2).toDouble(), -0.0001);
    EXPECT_EQ(t(7, 2), QVariant(QStringLiteral("infinity")));
    EXPECT_EQ(t(9, 2), QVariant(QStringLiteral("0044-03-15 12:00:00 BC")));
    EXPECT_EQ(t(6, 3).toDouble(), 1e-20);
    EXPECT_EQ(t(7, 3), QVariant(QStringLiteral("0044-03-15 BC")));
    EXPECT_EQ(t(9, 3), QVariant(QStringLiteral("10000-01-01 00:00:00")));
    EXPECT_EQ(t(12, 3), QVariant(QStringLiteral("z    ")));
    EXPECT_EQ(t(7, 4), QVariant(QDate(2000, 1, 1)));
    EXPECT_EQ(t(8, 4), QVariant(DateHeure(QDate(1999, 12, 31), QTime(23, 59, 59))));
    EXPECT_EQ(t(9, 4), QVariant(QStringLiteral("1999-12-31 23:59:59.000001")));
    EXPECT_EQ(t(13, 2), QVariant(QStringLiteral("23:59:59.5")));

    // Un instant avec fuseau ne se lit qu'en texte : la lecture passe quand même, tout entière.
    comparer(QStringLiteral("n8, tz, d"), t);
    EXPECT_TRUE(t(1, 0).isValid());
}

TEST_F(LecturePostgres, UnGrandResultatLuADeuxFilsGardeChaqueCelluleASaPlace)
{
    // Assez de cellules pour que la seconde moitié des lignes soit lue sur un autre fil.
    constexpr int lignes = 40000;
    ASSERT_TRUE(acces().ExecuterNatif(QStringLiteral(
        "CREATE TABLE grande AS SELECT r AS rang, DATE '2000-01-01' + r / 24 AS jour, "
        "TIMESTAMP '1899-12-30' + (r % 24) * INTERVAL '1 hour' AS heure, r * 0.5::float8 AS valeur, "
        "CASE WHEN r % 7 = 0 THEN NULL ELSE 'r' || r END AS note FROM generate_series(1, %1) r").arg(lignes)));
    const TableauValeurs t = lire(QStringLiteral("SELECT rang, jour, heure, valeur, note FROM grande ORDER BY rang"));
    ASSERT_EQ(t.points(), lignes);
    int fautes = 0;
    for (int i = 0; i < lignes && fautes < 5; ++i) {
        const int r = i + 1;
        const bool juste = t(0, i).toLongLong() == r && t(1, i) == QVariant(QDate(2000, 1, 1).addDays(r / 24))
            && t(2, i) == QVariant(QTime(r % 24, 0)) && t(3, i).toDouble() == r * 0.5
            && (r % 7 == 0 ? !t(4, i).isValid() : t(4, i) == QVariant(QStringLiteral("r%1").arg(r)));
        if (!juste)
            ADD_FAILURE() << "ligne " << r << " : " << TexteCellule(t(0, i)).toStdString() << " " << TexteCellule(t(1, i)).toStdString()
                          << " " << TexteCellule(t(4, i)).toStdString() << (++fautes, "");
    }
}

// Le texte traduit d'un SELECT, tel que la trace des ordres le montre.
QString traduction(BaseDonnees& base, const QString& sql)
{
    static QStringList vus;
    vus.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("graphique.sql.debug=true"));
    const QtMessageHandler avant = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) {
        if (m.startsWith(QStringLiteral("traduit :")))
            vus << m.mid(10);
    });
    TableauValeurs t;
    qint32 n = 0;
    const bool ok = base.ExtraireRecords(OrdreSql::sansVerification(sql), t, n);
    qInstallMessageHandler(avant);
    QLoggingCategory::setFilterRules(QString());
    return ok && vus.size() == 1 ? vus.first() : QString();
}

TEST_F(LecturePostgres, UnTriSurLesDatesSuitLIndexAuLieuDeTrier)
{
    // Une table de l'import (clé, donc jamais nulle) et une de l'exemple (index sur des colonnes qui peuvent l'être).
    for (const char* ordre :
         {"CREATE TABLE cle (DateCreation date, Heure timestamp(0), Valeur float8, PRIMARY KEY (DateCreation, Heure))",
          "CREATE TABLE sans_cle (DateCreation date, Heure timestamp(0), Valeur float8)",
          "INSERT INTO cle SELECT j::date, '1899-12-30'::timestamp + (h || ' hours')::interval, h FROM "
          "generate_series('2001-01-01'::date, '2001-12-31', '1 day') j, generate_series(0, 23) h",
          "INSERT INTO sans_cle SELECT * FROM cle", "INSERT INTO sans_cle VALUES (NULL, NULL, -1)", "ANALYZE cle",
          "ANALYZE sans_cle", "SET enable_sort = off"})
        ASSERT_TRUE(acces().ExecuterNatif(QString::fromLatin1(ordre))) << ordre << "\n" << base().DerniereErreur().toStdString();
    ASSERT_TRUE(base().CreerIndex(QStringLiteral("sans_cle"), {QStringLiteral("DateCreation"), QStringLiteral("Heure")}));
    for (const QString& table : {QStringLiteral("cle"), QStringLiteral("sans_cle")}) {
        const QString sql = traduction(base(), QStringLiteral("SELECT DateCreation, Heure, Valeur FROM ") + table
                                                   + QStringLiteral(" WHERE DateCreation >= #06/01/2001# ORDER BY DateCreation, Heure"));
        ASSERT_FALSE(sql.isEmpty()) << base().DerniereErreur().toStdString();
        // Sans tri possible, le moteur doit lire l'index dans l'ordre demandé (NULL en tête compris).
        TableauValeurs plan;
        ASSERT_TRUE(acces().ExecuterNatif(QStringLiteral("EXPLAIN ") + sql, &plan));
        QString texte;
        for (int i = 0; i < plan.points(); ++i)
            texte += plan(0, i).toString() + u'\n';
        EXPECT_FALSE(texte.contains(QStringLiteral("Sort"))) << table.toStdString() << "\n" << sql.toStdString() << "\n" << texte.toStdString();
        EXPECT_EQ(sql.contains(QStringLiteral("NULLS FIRST")), table == QStringLiteral("sans_cle")) << sql.toStdString();
    }
    // La ligne sans date vient toujours en tête d'un tri croissant.
    const TableauValeurs t = lire(QStringLiteral("SELECT Valeur FROM sans_cle ORDER BY DateCreation, Heure"));
    ASSERT_EQ(t.points(), 365 * 24 + 1);
    EXPECT_EQ(t(0, 0).toDouble(), -1.0);
    EXPECT_EQ(t(0, 1).toDouble(), 0.0);
}

} // namespace
