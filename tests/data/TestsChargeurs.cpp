// Les chargeurs sur un vrai fichier SQLite, leurs sommes vérifiées contre des
// sommes refaites ici à partir des lignes brutes.
#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Horloge.h"
#include "commun/TableauValeurs.h"
#include "commun_tests/MagasinTemporaire.h"
#include "data/ChargeurNappes.h"
#include "data/ChargeurPluie.h"
#include "data/ChargeurStatistiques.h"
#include "data/BaseDeTest.h"
#include "data/bases/TablesCalendrier.h"
#include "model/Classe_Graphiques.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

struct Mesure
{
    QDate jour;
    std::optional<double> pluie;
    QString mode;
};

// Des jours de fin 1999 à début 2004 : 2000 et 2004 bissextiles, un mois sans
// lignes, des valeurs manquantes, des valeurs marquées "I" et un mois rien
// qu'en valeurs "I".
QList<Mesure> mesures()
{
    QList<Mesure> l;
    for (QDate d(1999, 12, 28); d <= QDate(2004, 3, 5); d = d.addDays(1)) {
        if (d.year() == 2001 && d.month() == 4)
            continue;
        Mesure m{d, std::nullopt, QString()};
        const int graine = d.toJulianDay() % 97;
        if (graine % 11 != 0)
            m.pluie = (graine % 23) * 0.7 + (d.month() <= 3 || d.month() >= 10 ? 2.5 : 0.0);
        if (graine % 17 == 0)
            m.mode = QStringLiteral("I");
        if (d.year() == 2002 && d.month() == 6)
            m.mode = QStringLiteral("I");
        l.append(m);
    }
    return l;
}

// Sommes des mesures retenues, par une clé tirée de leur jour.
std::map<QString, double> sommes(const QList<Mesure>& l, const std::function<QString(const QDate&)>& cle, const QDate& debut,
                                 const QDate& fin)
{
    std::map<QString, double> s;
    for (const Mesure& m : l)
        if (m.jour >= debut && m.jour <= fin && m.pluie && m.mode != QStringLiteral("I"))
            s[cle(m.jour)] += *m.pluie;
    return s;
}

class Chargeurs : public AvecBase
{
protected:
    void preparer() override
    {
        QString erreur;
        ASSERT_TRUE(TablesCalendrier::creer(base(), 10, erreur, 1990, 2030)) << erreur.toStdString();
        const QList<ColonneTable> colonnes = {{"DateCreation", TypeColonne::Date}, {"Heure", TypeColonne::Heure},
                                              {"Pluie", TypeColonne::Reel},       {"Continuite", TypeColonne::Entier},
                                              {"ModeObtention", TypeColonne::Texte}, {"PluieEfficace", TypeColonne::Reel},
                                              {"Etp", TypeColonne::Reel}};
        ASSERT_TRUE(base().CreerTable("PLUVIO_07001", colonnes));
        QList<QVariantList> lignes;
        for (const Mesure& m : donnees)
            lignes.append({m.jour, QStringLiteral("00:00:00"), m.pluie ? QVariant(*m.pluie) : QVariant(), 0,
                           m.mode.isEmpty() ? QVariant() : QVariant(m.mode), QVariant(), QVariant()});
        ASSERT_TRUE(base().InsererLignes("PLUVIO_07001", lignes));
    }

    // La pluie du pluviomètre 07001 par période.
    static ChargeurPluie::Demande demande(const QString& code, const QString& colonne, const QString& debut, const QString& fin)
    {
        ChargeurPluie::Demande d;
        d.debut = *LireDate(debut);
        d.fin = *LireDate(fin);
        d.code = "07001";
        d.titre = d.colonne = "Pluie";
        d.codePeriode = PeriodeDepuisTexte(code);
        d.colonnePeriode = colonne;
        return d;
    }

    // La série d'un chargement, dans l'ordre : (date, valeur).
    QList<std::pair<QString, double>> charger(const QString& code, const QString& colonne, const QString& debut,
                                              const QString& fin, bool cumul = false)
    {
        Classe_Graphiques c;
        ChargeurPluie::Demande d = demande(code, colonne, debut, fin);
        d.cumul = cumul;
        EXPECT_EQ(ChargeurPluie::agreger(c, d, &base(), nullptr), 1);
        QList<std::pair<QString, double>> serie;
        courbe = c.GetCourbe(1);
        for (int i = 0; courbe && i < courbe->NbValeurs(); ++i)
            serie.append({courbe->cellule(0, i).toString(), courbe->cellule(2, i).toDouble()});
        maximum = c.MaxDonnees();
        return serie;
    }

    MagasinTemporaire magasin;
    const QList<Mesure> donnees = mesures();
    double maximum = 0;
    CourbePtr courbe;  // celle du dernier chargement
};

// Les statistiques du graphique annuel, dans l'ordre où elles s'ajoutent.
const QStringList cles = {"Min",           "Moyenne",        "Max",     "1er Quintile ",       "2ème Quintile ",
                          "3ème Quintile ", "4ème Quintile ", "Médiane", "Normales MétéoFrance"};

void comparer(const QList<std::pair<QString, double>>& serie, const std::map<QString, double>& attendues,
              const QStringList& dates)
{
    ASSERT_EQ(serie.size(), dates.size());
    for (int i = 0; i < dates.size(); ++i) {
        EXPECT_EQ(serie[i].first, dates[i]) << i;
        const auto it = attendues.find(dates[i]);
        EXPECT_NEAR(serie[i].second, it == attendues.end() ? 0.0 : it->second, 1e-6) << dates[i].toStdString();
    }
}

TEST_F(Chargeurs, SommesMensuellesTrimestriellesEtAnnuelles)
{
    const QDate debut(2000, 1, 1), fin(2003, 12, 31);
    QStringList moisAttendus, trimestres, annees;
    for (QDate d = debut; d <= fin; d = d.addMonths(1))
        moisAttendus << TexteDate(d);
    for (QDate d = debut; d <= fin; d = d.addMonths(3))
        trimestres << TexteDate(d);
    for (int a = 2000; a <= 2003; ++a)
        annees << QStringLiteral("01/01/%1").arg(a);

    const auto parMois = sommes(donnees, [](const QDate& j) { return TexteDate(QDate(j.year(), j.month(), 1)); }, debut, fin);
    // Avril 2001 sans lignes et juin 2002 rien qu'en "I" : des points à 0, pas des trous.
    comparer(charger("MOIS", "Mois", "01/01/2000", "31/12/2003"), parMois, moisAttendus);
    EXPECT_GE(maximum, 100.0);
    EXPECT_EQ(std::fmod(maximum, 100.0), 0.0);

    comparer(charger("TRIMESTRE", "Trimestre", "01/01/2000", "31/12/2003"),
             sommes(donnees, [](const QDate& j) { return TexteDate(QDate(j.year(), (j.month() - 1) / 3 * 3 + 1, 1)); }, debut, fin),
             trimestres);
    comparer(charger("ANNEE", "Annee", "01/01/2000", "31/12/2003"),
             sommes(donnees, [](const QDate& j) { return QStringLiteral("01/01/%1").arg(j.year()); }, debut, fin), annees);

    // Le cumul se répète sur les mois vides.
    const auto cumul = charger("MOIS", "Mois", "01/01/2000", "31/12/2003", true);
    double total = 0;
    for (int i = 0; i < moisAttendus.size(); ++i) {
        const auto it = parMois.find(moisAttendus[i]);
        total += it == parMois.end() ? 0.0 : it->second;
        EXPECT_NEAR(cumul[i].second, total, 1e-6) << i;
    }
}

// Une année hydrologique (octobre) se range au 1er janvier de l'année où elle finit ; un point
// sans somme prend l'heure et la clé de sa période ; un cumul ouvert sur un mois sans mesure part de 0.
TEST_F(Chargeurs, AnneesHydrologiquesEtPointsSansSomme)
{
    const auto hydro = [](const QDate& j) { return QStringLiteral("01/01/%1").arg(j.month() >= 10 ? j.year() + 1 : j.year()); };
    comparer(charger("HYDRO", "Hydro", "01/10/2000", "30/09/2003"), sommes(donnees, hydro, QDate(2000, 10, 1), QDate(2003, 9, 30)),
             {"01/01/2001", "01/01/2002", "01/01/2003"});
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(courbe->cellule(6, i).toString(), QStringLiteral("%1/01/01").arg(2001 + i));
        // L'axe monte avec l'année entière, non avec ses deux parties.
        EXPECT_GE(maximum, courbe->cellule(2, i).toDouble());
    }
    const auto mai = sommes(donnees, [](const QDate&) { return QString(); }, QDate(2001, 5, 1), QDate(2001, 5, 31));
    const auto printemps = charger("MOIS", "Mois", "01/04/2001", "31/05/2001", true);
    ASSERT_EQ(printemps.size(), 2);
    EXPECT_EQ(printemps[0].second, 0.0);
    EXPECT_NEAR(printemps[1].second, mai.at(QString()), 1e-6);
    EXPECT_EQ(courbe->cellule(6, 0).toString(), "2001/04/01");
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(courbe->cellule(1, i).toString(), "12:00:00");
}

TEST_F(Chargeurs, DecadesEtJoursDesAnneesBissextiles)
{
    const QDate debut(2000, 1, 1), fin(2000, 12, 31);
    const auto cle = [](const QDate& j) { return TexteDate(QDate(j.year(), j.month(), j.day() <= 10 ? 1 : j.day() <= 20 ? 11 : 21)); };
    QStringList decades;
    for (int m = 1; m <= 12; ++m)
        for (int j : {1, 11, 21})
            decades << TexteDate(QDate(2000, m, j));
    comparer(charger("DECADE", "Decade", "01/01/2000", "31/12/2000"), sommes(donnees, cle, debut, fin), decades);

    // Jour par jour : un 29 février en 2000 et 2004, pas en 2001.
    const auto jours2000 = charger("SANS", "Jour", "01/02/2000", "28/02/2001");
    EXPECT_EQ(jours2000.size(), 29 + 31 + 30 + 31 + 30 + 31 + 31 + 30 + 31 + 30 + 31 + 31 + 28);
    EXPECT_EQ(jours2000[28].first, "29/02/2000");
    const auto fevrier2001 = charger("SANS", "Jour", "01/02/2001", "01/03/2001");
    EXPECT_EQ(fevrier2001.size(), 29);
    EXPECT_EQ(fevrier2001.last().first, "01/03/2001");
}

TEST_F(Chargeurs, NomsRefusesEtTablesAbsentes)
{
    Classe_Graphiques c;
    ChargeurPluie::Demande d = demande("MOIS", "Mois", "01/01/2000", "31/12/2000");
    d.code = "X; DROP TABLE ANNEES";
    EXPECT_EQ(ChargeurPluie::agreger(c, d, &base(), nullptr), 0);
    EXPECT_EQ(c.Compter(), 0);
    d.code = "07001";
    d.colonne = "Pluie) FROM ANNEES --";
    EXPECT_EQ(ChargeurPluie::agreger(c, d, &base(), nullptr), 0);
    TableauValeurs annees;
    qint32 n = 0;
    EXPECT_TRUE(base().ExtraireRecords("SELECT Num_Annee FROM ANNEES", annees, n));
    EXPECT_EQ(n, 41);

    // Un pluviomètre sans table : les mois sont quand même là, à 0.
    d.colonne = "Pluie";
    d.code = "99999";
    EXPECT_EQ(ChargeurPluie::agreger(c, d, &base(), nullptr), 1);
    EXPECT_EQ(c.GetCourbe(1)->NbValeurs(), 12);
    // Un piézomètre sans table : des bornes remises à zéro (sa courbe sans points, au contrôle : Chargement).
    c.setMaxDonnees(5);
    EXPECT_EQ(ChargeurNappes::chargerPiezometre(c, QDate(2000, 1, 1), QDate(2000, 12, 31), "PZ9", "0", "0", "Puits", &base(), false, 2, 0), 2);
    EXPECT_EQ(c.MaxDonnees(), 0.0);
}

TEST_F(Chargeurs, QuintilesEtMedianeDUnMois)
{
    // Totaux de janvier de 10, 20, 30, 40 et 50 mm sur cinq ans, une mesure chacun.
    const QList<ColonneTable> colonnes = {{"DateCreation", TypeColonne::Date}, {"Heure", TypeColonne::Heure},
                                          {"Pluie", TypeColonne::Reel}, {"Continuite", TypeColonne::Entier},
                                          {"ModeObtention", TypeColonne::Texte}};
    ASSERT_TRUE(base().CreerTable("PLUVIO_08002", colonnes));
    QList<QVariantList> lignes;
    for (int i = 0; i < 5; ++i)
        lignes.append({QDate(2010 + i, 1, 15), QStringLiteral("00:00:00"), 10.0 * (i + 1), 0, QVariant()});
    lignes.append({QDate(2012, 3, 15), QStringLiteral("00:00:00"), 0.0, 0, QVariant()});
    ASSERT_TRUE(base().InsererLignes("PLUVIO_08002", lignes));

    Horloge::fixer(QDate(2024, 3, 15));
    Classe_Graphiques c;
    ChargeurStatistiques::statistiquesMensuelles(c, "2010", "2014", "08002", nullptr, &base(), nullptr, false, false, 10,
                                                 "Pluie", false);
    ASSERT_EQ(c.Compter(), cles.size());
    // Janvier : min, moyenne, max, quintiles et médiane, dans l'ordre des courbes.
    const double janvier[] = {10, 30, 50, 18, 26, 34, 42, 30};
    for (int k = 0; k < 8; ++k)
        EXPECT_DOUBLE_EQ(c.GetCourbe(k + 1)->cellule(2, 0).toDouble(), janvier[k]) << cles[k].toStdString();
    EXPECT_EQ(c.GetCourbe(c.noCourbe("Médiane"))->cellule(0, 0).toString(), "15/01/2024");
    // Mars : une année mesurée, à 0 mm, qui compte. Février : aucune année, un point vide.
    EXPECT_DOUBLE_EQ(c.GetCourbe(c.noCourbe("1er Quintile "))->cellule(2, 2).toDouble(), 0.0);
    EXPECT_TRUE(c.GetCourbe(c.noCourbe("1er Quintile "))->cellule(2, 2).isValid());
    EXPECT_FALSE(c.GetCourbe(c.noCourbe("1er Quintile "))->cellule(2, 1).isValid());
    Horloge::fixer(QDate());
}

// Sans données, chaque statistique a quand même ses douze points, vides : des années sans mesure,
// une colonne jamais remplie (un total vide n'est pas un total de 0), des normales de janvier
// seules. L'écart à la normale d'un mois sans normale est la valeur elle-même.
TEST_F(Chargeurs, StatistiquesEtEcartsSansDonnees)
{
    ASSERT_TRUE(base().CreerTable("PLUVIOMETRE_NORMALES", {{"codePluviometre", TypeColonne::Texte}, {"mois", TypeColonne::Entier},
                                                          {"valeur", TypeColonne::Reel}}));
    ASSERT_TRUE(base().InsererLignes("PLUVIOMETRE_NORMALES", {{"07001", 1, 50.0}}));
    const struct
    {
        const char *premiere, *derniere, *colonne;
    } cas[] = {{"2010", "2014", "Pluie"}, {"2000", "2003", "PluieEfficace"}};
    for (const auto& k : cas) {
        Classe_Graphiques c;
        ChargeurStatistiques::statistiquesMensuelles(c, k.premiere, k.derniere, "07001", nullptr, &base(), nullptr, false, false,
                                                     10, k.colonne, false);
        ASSERT_EQ(c.Compter(), cles.size()) << k.colonne;
        for (int n = 1; n <= c.Compter(); ++n) {
            const CourbePtr courbe = c.GetCourbe(n);
            EXPECT_EQ(courbe->Cle(), cles[n - 1]);
            ASSERT_EQ(courbe->NbValeurs(), 12) << k.colonne;
            // Seule la normale de janvier de la pluie a une valeur.
            const bool janvier = courbe->Cle() == "Normales MétéoFrance" && k.colonne == QStringLiteral("Pluie");
            for (int i = 0; i < 12; ++i)
                EXPECT_EQ(EstVide(courbe->cellule(2, i)), !(janvier && i == 0)) << k.colonne << ' ' << cles[n - 1].toStdString() << ' ' << i;
        }
    }

    Classe_Graphiques serie;
    ChargeurPluie::Demande d = demande("MOIS", "Mois", "01/01/2001", "31/12/2001");
    d.mode = 7;
    ASSERT_EQ(ChargeurPluie::agreger(serie, d, &base(), nullptr), 1);
    QList<double> valeurs;
    for (int i = 0; i < serie.GetCourbe(1)->NbValeurs(); ++i)
        valeurs << serie.GetCourbe(1)->cellule(2, i).toDouble();
    ChargeurStatistiques::comparerAuxNormales(serie, "", "", "07001", nullptr, &base(), "Pluie", true, true);
    ASSERT_EQ(serie.Compter(), 1);
    ASSERT_EQ(serie.GetCourbe(1)->NbValeurs(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_DOUBLE_EQ(serie.GetCourbe(1)->cellule(2, i).toDouble(), valeurs[i] - (i == 0 ? 50 : 0)) << i;
}

} // namespace
