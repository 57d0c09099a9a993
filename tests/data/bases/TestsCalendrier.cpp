#include "data/BaseDeTest.h"
#include "data/bases/TablesCalendrier.h"

#include <QDate>
#include <QHash>

namespace {

const QStringList periodes = {"Jour", "Decade", "Mois", "Trimestre", "Annee", "Hydro"};

class Calendrier : public AvecBase
{
protected:
    // Les colonnes de PERIODES par jour "DD/MM/".
    QHash<QString, QHash<QString, QString>> periodesParJour()
    {
        const TableauValeurs t = lire(QStringLiteral(
            "SELECT jour, Jour_inverse, Decade, Decade_inverse, Mois, Mois_inverse, Trimestre, Trimestre_inverse, Annee, "
            "Annee_inverse, Hydro, Hydro_inverse FROM PERIODES"));
        QHash<QString, QHash<QString, QString>> p;
        for (int i = 0; i < t.points(); ++i)
            for (int k = 0; k < periodes.size(); ++k) {
                p[t(0, i).toString()][periodes[k]] = t(2 * k, i).toString();
                p[t(0, i).toString()][periodes[k] + "_inverse"] = t(2 * k + 1, i).toString();
            }
        return p;
    }
};

TEST_F(Calendrier, ChaqueJourPorteLePremierJourDeSesPeriodes)
{
    QString erreur;
    ASSERT_TRUE(TablesCalendrier::creer(base(), 10, erreur)) << erreur.toStdString();
    const auto p = periodesParJour();
    ASSERT_EQ(p.size(), 366);
    for (QDate d(2000, 1, 1); d.year() == 2000; d = d.addDays(1)) {
        const QString jour = d.toString(QStringLiteral("dd/MM/"));
        ASSERT_TRUE(p.contains(jour)) << jour.toStdString();
        const QDate debuts[] = {d,
                                QDate(2000, d.month(), d.day() <= 10 ? 1 : d.day() <= 20 ? 11 : 21),
                                QDate(2000, d.month(), 1),
                                QDate(2000, (d.month() - 1) / 3 * 3 + 1, 1),
                                QDate(2000, 1, 1),
                                QDate(2000, d.month() >= 10 ? 2 : 1, 1)};
        for (int k = 0; k < periodes.size(); ++k) {
            EXPECT_EQ(p[jour][periodes[k]], debuts[k].toString(QStringLiteral("dd/MM/"))) << jour.toStdString();
            EXPECT_EQ(p[jour][periodes[k] + "_inverse"], debuts[k].toString(QStringLiteral("/MM/dd"))) << jour.toStdString();
        }
    }
    const TableauValeurs annees = lire(QStringLiteral("SELECT Min(Num_Annee), Max(Num_Annee), count(*) FROM ANNEES"));
    EXPECT_EQ(annees(0, 0).toLongLong(), 1900);
    EXPECT_EQ(annees(1, 0).toLongLong(), 2100);
    EXPECT_EQ(annees(2, 0).toLongLong(), 201);
}

TEST_F(Calendrier, LAnneeHydrologiqueSuitSonMoisDeDebut)
{
    QString erreur;
    for (int mois : {1, 10, 12}) {
        ASSERT_TRUE(TablesCalendrier::creer(base(), mois, erreur, 1990, 2010)) << erreur.toStdString();
        const auto p = periodesParJour();
        for (const QString jour : {"01/01/", "30/09/", "01/10/", "31/12/"}) {
            const int m = jour.mid(3, 2).toInt();
            EXPECT_EQ(p[jour]["Hydro"], m >= mois ? "01/02/" : "01/01/") << mois << " " << jour.toStdString();
            EXPECT_EQ(p[jour]["Hydro_inverse"], m >= mois ? "/02/01" : "/01/01");
        }
    }
    EXPECT_EQ(lire(QStringLiteral("SELECT Num_Annee FROM ANNEES")).points(), 21);
    // Un mois impossible est refusé sans toucher aux tables.
    for (int mois : {0, 13}) {
        EXPECT_FALSE(TablesCalendrier::creer(base(), mois, erreur));
        EXPECT_TRUE(erreur.contains(QStringLiteral("impossible"))) << erreur.toStdString();
    }
    EXPECT_FALSE(TablesCalendrier::creer(base(), 10, erreur, 2010, 1990));
    EXPECT_EQ(lire(QStringLiteral("SELECT jour FROM PERIODES WHERE Hydro='01/02/'")).points(), 31);
    EXPECT_EQ(lire(QStringLiteral("SELECT Num_Annee FROM ANNEES")).points(), 21);
}

} // namespace
