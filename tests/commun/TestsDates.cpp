#include "commun/Dates.h"

#include <gtest/gtest.h>

namespace {

QDateTime dh(const char* texte)
{
    return *LireDateHeure(QString::fromLatin1(texte));
}

TEST(Dates, LectureStricteDesDatesEtDesHeures)
{
    EXPECT_EQ(LireDate("05/03/2004"), QDate(2004, 3, 5));
    EXPECT_EQ(LireDate("29/02/2000"), QDate(2000, 2, 29));
    for (const char* faux : {"31/02/2024", "29/02/1900", "29/02/2005", "1/1/24", "01/01/24", "", "abc",
                             "2024-01-01", "01/13/2024", "00/01/2024", "01-01-2024", " 01/01/2024x",
                             "01/01/0000"})
        EXPECT_FALSE(LireDate(QString::fromLatin1(faux)).has_value()) << faux;

    EXPECT_EQ(LireHeure("08:30:00"), QTime(8, 30));
    EXPECT_EQ(LireHeure("23:59:59"), QTime(23, 59, 59));
    for (const char* faux : {"24:00:00", "8:30:00", "08:30", "08:60:00", "", "midi"})
        EXPECT_FALSE(LireHeure(QString::fromLatin1(faux)).has_value()) << faux;

    EXPECT_EQ(LireDateHeure("05/03/2004 08:30:15"), DateHeure(QDate(2004, 3, 5), QTime(8, 30, 15)));
    EXPECT_EQ(LireDateHeure("05/03/2004"), DateHeure(QDate(2004, 3, 5)));
    EXPECT_FALSE(LireDateHeure("05/03/2004 8:30:15").has_value());
    EXPECT_FALSE(LireDateHeure("05/03/2004  08:30:15").has_value());
    EXPECT_FALSE(LireDateHeure("31/04/2004 08:30:15").has_value());

    // Cellules : dates typées aussi bien que textes ; une cellule vide n'est pas une date.
    EXPECT_TRUE(EstDate(QDate(2004, 3, 5)));
    EXPECT_TRUE(EstDate(QStringLiteral("05/03/2004")));
    EXPECT_FALSE(EstDate(QVariant()));
    EXPECT_FALSE(EstDate(38051));
    // Une heure invalide compte pour minuit, jointe à sa date.
    EXPECT_EQ(DateEtHeure(QStringLiteral("05/03/2004"), QStringLiteral("xx")), DateHeure(QDate(2004, 3, 5)));
    EXPECT_EQ(DateEtHeure(QStringLiteral("05/03/2004"), QStringLiteral("12:00:00")),
              DateHeure(QDate(2004, 3, 5), QTime(12, 0)));
    EXPECT_FALSE(DateEtHeure(QString(), QStringLiteral("12:00:00")).has_value());
}

// Ce qu'une personne tape : les façons d'écrire une date ou un mois, et ce qui n'en est pas.
TEST(Dates, LesDatesEtLesMoisTapes)
{
    const struct
    {
        const char* texte;
        int anneeCourante;
        QDate date, mois;
    } cas[] = {
        {"15/06/2020", 2025, {2020, 6, 15}, {}},     {" 15/6/2020 ", 2025, {2020, 6, 15}, {}},
        {"15-06-2020", 2025, {2020, 6, 15}, {}},     {"15.06.2020", 2025, {2020, 6, 15}, {}},
        {"15 juin 2020", 2025, {2020, 6, 15}, {}},   {"15062020", 2025, {2020, 6, 15}, {}},
        {"150620", 2025, {2020, 6, 15}, {}},         {"01/01/35", 2025, {2035, 1, 1}, {}},
        {"01/01/36", 2025, {1936, 1, 1}, {}},        {"01/01/36", 2026, {2036, 1, 1}, {}},
        {"29/02/00", 2025, {2000, 2, 29}, {}},       {"03/2023", 2025, {}, {2023, 3, 1}},
        {"3/23", 2025, {}, {2023, 3, 1}},            {"032023", 2025, {}, {2023, 3, 1}},
        {"0323", 2025, {}, {2023, 3, 1}},            {"mars 2023", 2025, {}, {2023, 3, 1}},
        {"Fév. 2023", 2025, {}, {2023, 2, 1}},       {"fevrier 23", 2025, {}, {2023, 2, 1}},
        {"AOÛT 2023", 2025, {}, {2023, 8, 1}},       {"juil 2023", 2025, {}, {2023, 7, 1}},
        {"jui 2023", 2025, {}, {}},                  {"31/02/2023", 2025, {}, {}},
        {"15/06", 2025, {}, {}},                     {"15/06/202", 2025, {}, {}},
        {"15/06/2020 10:00", 2025, {}, {}},          {"", 2025, {}, {}},
        {"13/2023", 2025, {}, {}},                   {"15062020x", 2025, {}, {}},
        {"1506202", 2025, {}, {}},                   {"15/06/0020", 2025, {}, {}},
    };
    for (const auto& c : cas) {
        const QString texte = QString::fromUtf8(c.texte);
        EXPECT_EQ(LireDateSaisie(texte, c.anneeCourante).value_or(QDate()), c.date) << c.texte;
        EXPECT_EQ(LireMoisSaisi(texte, c.anneeCourante).value_or(QDate()), c.mois) << c.texte;
    }
}

TEST(Dates, LesDifferencesComptentLesFrontieresFranchies)
{
    // Une seconde d'écart à cheval sur le jour de l'an : un an, un trimestre, un mois, un jour, une minute.
    const QDateTime a = dh("31/12/2003 23:59:59"), b = dh("01/01/2004 00:00:00");
    for (Intervalle i : {Intervalle::Annee, Intervalle::Trimestre, Intervalle::Mois, Intervalle::Jour, Intervalle::Minute,
                         Intervalle::Seconde})
        EXPECT_EQ(DateDiff(i, a, b), 1) << int(i);
    EXPECT_EQ(DateDiff(Intervalle::Annee, b, a), -1);

    // Presque un an sans passer le 1er janvier : aucune année.
    EXPECT_EQ(DateDiff(Intervalle::Annee, dh("01/01/2004"), dh("31/12/2004")), 0);
    EXPECT_EQ(DateDiff(Intervalle::Mois, dh("01/01/2004"), dh("31/12/2004")), 11);
    EXPECT_EQ(DateDiff(Intervalle::Jour, dh("28/02/1900"), dh("01/03/1900")), 1);    // 1900 n'est pas bissextile
    EXPECT_EQ(DateDiff(Intervalle::Jour, dh("28/02/2000"), dh("01/03/2000")), 2);
    EXPECT_EQ(DateDiff(Intervalle::Annee, dh("15/06/2001"), dh("31/12/2024")), 23);
    EXPECT_EQ(DateDiff(Intervalle::Trimestre, dh("31/03/2004"), dh("01/04/2004")), 1);
    EXPECT_EQ(DateDiff(Intervalle::Trimestre, dh("01/01/2004"), dh("31/03/2004")), 0);

    // Les minutes comptent les changements de minute, pas les minutes écoulées ; les jours comptent les minuits.
    EXPECT_EQ(DateDiff(Intervalle::Minute, dh("05/03/2004 08:30:59"), dh("05/03/2004 08:31:00")), 1);
    EXPECT_EQ(DateDiff(Intervalle::Minute, dh("05/03/2004 08:30:00"), dh("05/03/2004 08:30:59")), 0);
    EXPECT_EQ(DateDiff(Intervalle::Jour, dh("05/03/2004 23:59:00"), dh("06/03/2004 00:01:00")), 1);
    EXPECT_EQ(DateDiff(Intervalle::Heure, dh("01/01/1899 00:59:59"), dh("01/01/1899 01:00:00")), 1);
    // L'heure d'été ne compte pas : le 27/03/2005, jour du changement, fait ici 24 heures.
    EXPECT_EQ(DateDiff(Intervalle::Minute, dh("27/03/2005"), dh("28/03/2005")), 1440);
}

TEST(Dates, LAjoutArrondiLeDecalageAuPlusProcheEtResteDansLeMois)
{
    const QDateTime d = dh("05/03/2004");
    EXPECT_EQ(DateAdd(Intervalle::Jour, 2.6, d), dh("08/03/2004"));
    EXPECT_EQ(DateAdd(Intervalle::Jour, 2.5, d), dh("07/03/2004"));   // moitiés au pair
    EXPECT_EQ(DateAdd(Intervalle::Jour, 3.5, d), dh("09/03/2004"));
    EXPECT_EQ(DateAdd(Intervalle::Jour, -0.5, d), d);
    EXPECT_EQ(DateAdd(Intervalle::Jour, 365, dh("01/01/2004")), dh("31/12/2004"));
    EXPECT_EQ(DateAdd(Intervalle::Minute, 150, d), dh("05/03/2004 02:30:00"));
    EXPECT_EQ(DateAdd(Intervalle::Seconde, 86400.4, d), dh("06/03/2004"));

    EXPECT_EQ(DateAdd(Intervalle::Mois, 1, dh("31/01/2004")), dh("29/02/2004"));
    EXPECT_EQ(DateAdd(Intervalle::Mois, -1, dh("31/03/2004")), dh("29/02/2004"));
    EXPECT_EQ(DateAdd(Intervalle::Mois, 13, dh("15/12/2004")), dh("15/01/2006"));
    EXPECT_EQ(DateAdd(Intervalle::Annee, 1, dh("29/02/2004")), dh("28/02/2005"));
    EXPECT_EQ(DateAdd(Intervalle::Trimestre, 1, dh("30/11/2004")), dh("28/02/2005"));

    EXPECT_FALSE(DateAdd(Intervalle::Jour, 1, QDateTime()).isValid());
    EXPECT_FALSE(DateAdd(Intervalle::Annee, 1, dh("31/12/9999")).isValid());
    // Des décalages démesurés (trouvés par le fuzzing : 99999999999999999999)
    // ne passent pas par un entier trop petit : la date est impossible.
    for (Intervalle i : {Intervalle::Annee, Intervalle::Trimestre, Intervalle::Mois, Intervalle::Jour, Intervalle::Heure,
                         Intervalle::Minute, Intervalle::Seconde})
        for (double n : {1e20, -1e20, 1e15, -1e15})
            EXPECT_FALSE(DateAdd(i, n, d).isValid()) << int(i) << " " << n;
    for (Intervalle i : {Intervalle::Annee, Intervalle::Mois, Intervalle::Jour})
        EXPECT_FALSE(DateAdd(i, 3e9, d).isValid()) << int(i);
    EXPECT_EQ(DateAdd(Intervalle::Seconde, 3e9, dh("01/01/1950")), dh("24/01/2045 05:20:00"));
}

TEST(Dates, LesMotifsDeFormat)
{
    const QDateTime d = dh("05/03/2004 08:07:09");
    const std::pair<const char*, const char*> cas[] = {
        {"DD/MM/YYYY hh:nn:ss", "05/03/2004 08:07:09"},
        {"MM/DD/YYYY hh:nn:ss", "03/05/2004 08:07:09"},
        {"DD/MM/YYYY hh:mm:ss", "05/03/2004 08:07:09"},  // mm après hh : des minutes
        {"q-YY", "1-04"},
        {"DD/MM hh:mm", "05/03 08:07"},
        {"dd/mm/yy", "05/03/04"},
        {"m", "3"},
        {"mm", "03"},
        {"mmm-yyyy", "mars-2004"},
        {"d/m/yyyy", "5/3/2004"},
        {"mm:ss", "07:09"},  // mm avant ss : des minutes
        {"dddd d mmmm", "vendredi 5 mars"},
        {"\"Année \"yyyy", "Année 2004"},
    };
    for (const auto& [motif, attendu] : cas)
        EXPECT_EQ(FormatDate(d, QString::fromUtf8(motif)), QString::fromUtf8(attendu)) << motif;

    EXPECT_EQ(FormatDate(dh("15/11/2004"), "q-YY"), "4-04");
    EXPECT_EQ(FormatDate(dh("15/04/2008"), "mmm-yy"), "avr-08");
    EXPECT_EQ(FormatDate(dh("15/04/2008"), "mmmm"), "avril");
    EXPECT_EQ(FormatDate(dh("15/08/2008"), "mmm"), QStringLiteral("août"));
    EXPECT_EQ(FormatDate(QDateTime(), "DD/MM/YYYY"), "");
    EXPECT_EQ(TexteDate(QDate(905, 1, 2)), "02/01/0905");
    EXPECT_EQ(TexteHeure(QTime(23, 5, 0)), "23:05:00");
}

TEST(Dates, LesNomsDesMois)
{
    const char* axe[] = {"Jan", "Fev", "Mar", "Avr", "Mai", "Jui", "Jui", "Aou", "Sep", "Oct", "Nov", "Dec"};
    const char* noms[] = {"Janvier", "Février", "Mars", "Avril", "Mai", "Juin", "Juillet", "Aout",
                          "Septembre", "Octobre", "Novembre", "Décembre"};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(MoisAbrege(m), QString::fromUtf8(axe[m - 1]));
        EXPECT_EQ(NomMois(m), QString::fromUtf8(noms[m - 1]));
    }
    EXPECT_EQ(MoisAbrege(0), "");
    EXPECT_EQ(NomMois(13), "");
}

TEST(Dates, ConversionSoupleDUnTexteEnDate)
{
    // Jour d'abord, et mois d'abord seulement si la lecture jour d'abord est impossible.
    EXPECT_EQ(ConvertirEnDate("05/03/2004"), DateHeure(QDate(2004, 3, 5)));
    EXPECT_EQ(ConvertirEnDate("12/31/2004"), DateHeure(QDate(2004, 12, 31)));
    EXPECT_EQ(ConvertirEnDate(" 5/3/2004 "), DateHeure(QDate(2004, 3, 5)));
    EXPECT_EQ(ConvertirEnDate("01/01/2004 08:30"), DateHeure(QDate(2004, 1, 1), QTime(8, 30)));
    EXPECT_EQ(ConvertirEnDate("29/02/2004 23:59:59"), DateHeure(QDate(2004, 2, 29), QTime(23, 59, 59)));
    EXPECT_EQ(ConvertirEnDate("2004-03-05"), DateHeure(QDate(2004, 3, 5)));
    // Une heure seule tombe le jour 0.
    EXPECT_EQ(ConvertirEnDate("12:00:00"), DateHeure(QDate(1899, 12, 30), QTime(12, 0)));
    EXPECT_EQ(ConvertirEnDate("8:05"), DateHeure(JourZero(), QTime(8, 5)));
    for (const char* faux : {"", "abc", "31/02/2004", "13/13/2004", "29/02/2005", "05/03/04", "05/03/2004x",
                             "05/03/2004 25:00:00", "05/03/200412:00", "123/01/2004", "05-03-2004", "12:60",
                             "2004-02-30"})
        EXPECT_FALSE(ConvertirEnDate(QString::fromLatin1(faux)).has_value()) << faux;
}

TEST(Dates, TexteDUneValeurDate)
{
    EXPECT_EQ(TexteDateHeure(DateHeure(QDate(2004, 3, 5))), "05/03/2004");
    EXPECT_EQ(TexteDateHeure(DateHeure(QDate(2004, 3, 5), QTime(8, 30))), "05/03/2004 08:30:00");
    // Le jour 0, seule l'heure se montre, minuit compris.
    EXPECT_EQ(TexteDateHeure(DateHeure(JourZero(), QTime(12, 0))), "12:00:00");
    EXPECT_EQ(TexteDateHeure(DateHeure(JourZero())), "00:00:00");
    EXPECT_EQ(TexteDateHeure(QDateTime()), "");
}

} // namespace
