// La formulation Access sur le moteur de l'exécutable : chaque ordre doit
// rendre les valeurs des cellules, les mêmes sur SQLite et sur PostgreSQL.
#include "commun/Cellule.h"
#include "commun/LocaleUtilisateur.h"
#include "data/BaseDeTest.h"
#include "data/Litteraux.h"
#include "data/bases/TablesCalendrier.h"

#include <QDate>
#include <QMap>
#include <QTime>

namespace {

// Le séparateur décimal de l'utilisateur est lu une fois par processus :
// la virgule, avant qu'aucune base ne s'ouvre.
class LocaleFrancaise : public ::testing::Environment
{
public:
    void SetUp() override { LocaleUtilisateur::definir(QLocale(QLocale::French, QLocale::France)); }
};
const auto* const localeFrancaise = ::testing::AddGlobalTestEnvironment(new LocaleFrancaise);

QString texte(const QVariant& v)
{
    if (!v.isValid())
        return QStringLiteral("NULL");
    if (v.metaType().id() == QMetaType::Double || v.metaType().id() == QMetaType::LongLong)
        return QString::number(v.toDouble(), 'g', 12);
    // Les dates reviennent en valeurs : leur texte est celui d'une cellule.
    return TexteCellule(v);
}

class Formulation : public AvecBase
{
protected:
    void preparer() override
    {
        ASSERT_TRUE(base().CreerTable(QStringLiteral("MESURES"),
                                      {{QStringLiteral("DateCreation"), TypeColonne::Date},
                                       {QStringLiteral("Heure"), TypeColonne::Heure},
                                       {QStringLiteral("Valeur"), TypeColonne::Reel},
                                       {QStringLiteral("Nombre"), TypeColonne::Entier},
                                       {QStringLiteral("Code"), TypeColonne::Texte},
                                       {QStringLiteral("ModeObtention"), TypeColonne::Texte}}));
        ASSERT_TRUE(base().InsererLignes(
            QStringLiteral("MESURES"),
            {{QDate(2003, 12, 31), QTime(23, 59, 59), 1.5, 1, QStringLiteral("07001"), QVariant()},
             {QDate(2004, 1, 1), QTime(0, 0), 2.5, 2, QStringLiteral("A"), QStringLiteral("I")},
             {QDate(2004, 2, 29), QTime(12, 0), -2.5, 3, QStringLiteral("abc"), QStringLiteral("M")},
             {QDate(2004, 3, 5), QTime(8, 30), 12.345, 10, QVariant(), QVariant()},
             {QDate(2005, 10, 12), QTime(18, 30), QVariant(), QVariant(), QStringLiteral("B-2"), QStringLiteral("C")}}))
            << base().DerniereErreur().toStdString();
    }

    // Les valeurs d'un champ, ligne après ligne, en texte.
    QStringList colonne(const QString& sql, int champ = 0)
    {
        const TableauValeurs t = lire(sql);
        QStringList l;
        for (int i = 0; i < t.points(); ++i)
            l << texte(t.valeur(champ, i));
        return l;
    }

    // Une expression évaluée sur chaque ligne, dans l'ordre des Nombre (NULL en dernier).
    QStringList chaqueLigne(const QString& expression)
    {
        return colonne("SELECT " + expression + ", Valeur FROM MESURES ORDER BY DateCreation");
    }
};

TEST_F(Formulation, DatesEtHeuresAvecLesReglesDuRuntime)
{
    EXPECT_EQ(chaqueLigne("year(DateCreation)"), QStringList({"2003", "2004", "2004", "2004", "2005"}));
    EXPECT_EQ(chaqueLigne("Month(DateCreation) & '/' & Day(DateCreation)"),
              QStringList({"12/31", "1/1", "2/29", "3/5", "10/12"}));
    EXPECT_EQ(chaqueLigne("Hour(Heure) * 10000 + Minute(Heure) * 100 + Second(Heure)"),
              QStringList({"235959", "0", "120000", "83000", "183000"}));
    // Le texte d'une date, d'une heure et de leur jonction.
    EXPECT_EQ(chaqueLigne("DateCreation & ' ' & Heure"),
              QStringList({"31/12/2003 23:59:59", "01/01/2004 00:00:00", "29/02/2004 12:00:00", "05/03/2004 08:30:00",
                           "12/10/2005 18:30:00"}));
    EXPECT_EQ(chaqueLigne("CVDATE(DateCreation & ' ' & Heure)"),
              QStringList({"31/12/2003 23:59:59", "01/01/2004", "29/02/2004 12:00:00", "05/03/2004 08:30:00",
                           "12/10/2005 18:30:00"}));
    EXPECT_EQ(chaqueLigne("Format(DateCreation, 'dd/mm/yy') & ' ' & Format(Heure, 'hh:nn')"),
              QStringList({"31/12/03 23:59", "01/01/04 00:00", "29/02/04 12:00", "05/03/04 08:30", "12/10/05 18:30"}));
    // Un texte devient une date jour d'abord, mois d'abord s'il le faut ;
    // une heure seule tombe le 30/12/1899 et se relit seule.
    EXPECT_EQ(texte(valeur("SELECT CDate('05/03/2004') FROM MESURES WHERE Nombre=1")), "05/03/2004");
    EXPECT_EQ(texte(valeur("SELECT CVDate('12/31/2004') FROM MESURES WHERE Nombre=1")), "31/12/2004");
    EXPECT_EQ(texte(valeur("SELECT CVDate('08:05:00') FROM MESURES WHERE Nombre=1")), "08:05:00");
    EXPECT_EQ(texte(valeur("SELECT CVDate('01/' & Month(DateCreation) & '/' & Year(DateCreation)) FROM MESURES WHERE Nombre=3")),
              "01/02/2004");
    EXPECT_EQ(texte(valeur("SELECT dateValue(DateCreation & ' ' & Heure) FROM MESURES WHERE Nombre=3")), "29/02/2004");
    EXPECT_EQ(texte(valeur("SELECT TimeValue(Heure) FROM MESURES WHERE Nombre=10")), "08:30:00");
    EXPECT_EQ(texte(valeur("SELECT year(#12/31/1999#) + Month('05/03/2004') FROM MESURES WHERE Nombre=1")), "2002");
    EXPECT_EQ(texte(valeur("SELECT Min(DateCreation) + 1 FROM MESURES")), "01/01/2004");
}

TEST_F(Formulation, ComparaisonsDeDatesDAnneesEtDeTextes)
{
    // Un littéral texte face à une date se lit mois d'abord, comme ceux de la base.
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE DateCreation >= '03/05/2004'"), QStringList({"10", "NULL"}));
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE DateCreation = " + FormatDateBase("29/02/2004").texte()),
              QStringList({"3"}));
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE Heure = " + FormatHeureBase("08:30:00").texte()), QStringList({"10"}));
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE CVDATE(DateCreation & ' ' & Heure) <= "
                      + FormatDateBase("01/01/2004", true).texte() + " ORDER BY 1"),
              QStringList({"1", "2"}));
    // L'année d'un instant, à la seconde près autour du 1er janvier.
    const QString instant = QStringLiteral("CVDATE(DateCreation & ' ' & Heure)");
    const QList<std::pair<QString, QStringList>> annees = {
        {"year(" + instant + ") >= 2004", {"2", "3", "10", "NULL"}},
        {"year(" + instant + ") > '2003'", {"2", "3", "10", "NULL"}},
        {"year(" + instant + ") <= 2003", {"1"}},
        {"2004 > year(" + instant + ")", {"1"}},
        {"year(" + instant + ") = 2004", {"2", "3", "10"}},
        {"year(" + instant + ") <> 2004", {"1", "NULL"}},
        {"year(DateCreation) >= '2004' AND year(DateCreation) <='2004'", {"2", "3", "10"}},
    };
    for (const auto& [condition, attendu] : annees)
        EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE " + condition + " ORDER BY DateCreation"), attendu)
            << condition.toStdString();
    // Un nombre face à un texte littéral se compare en nombre ; un code sans
    // guillemets face à une colonne texte se compare tel qu'écrit.
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE Nombre >= '3' ORDER BY 1"), QStringList({"3", "10"}));
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE Code=07001"), QStringList({"1"}));
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE Code='7001'"), QStringList());
    // Les textes se trient octet par octet sur les deux moteurs.
    EXPECT_EQ(colonne("SELECT Code FROM MESURES WHERE Code IS NOT NULL ORDER BY Code"),
              QStringList({"07001", "A", "B-2", "abc"}));
    EXPECT_EQ(colonne("SELECT Code FROM MESURES WHERE Code < 'B' ORDER BY 1 DESC"), QStringList({"A", "07001"}));
}

TEST_F(Formulation, TextesEtNombresCommeLeRuntime)
{
    EXPECT_EQ(chaqueLigne("Instr(1, Code, 'b')"), QStringList({"0", "0", "2", "NULL", "0"}));
    EXPECT_EQ(chaqueLigne("Instr(2, 'abcabc', Code)"), QStringList({"0", "0", "4", "NULL", "0"}));
    EXPECT_EQ(chaqueLigne("Mid(Code, 2) & '|' & Mid(Code, 1, 2) & '|' & Left(Code, 1) & Right(Code, 2) & Len(Code)"),
              QStringList({"7001|07|0015", "|A|AA1", "bc|ab|abc3", "||", "-2|B-|B-23"}));
    EXPECT_EQ(chaqueLigne("'[' & trim('  ' & Code & ' ') & ']' & UCase(Code) & LCase(Code)"),
              QStringList({"[07001]0700107001", "[A]Aa", "[abc]ABCabc", "[]", "[B-2]B-2b-2"}));
    // Les nombres en texte prennent la virgule de l'utilisateur.
    EXPECT_EQ(chaqueLigne("Valeur & ''"), QStringList({"1,5", "2,5", "-2,5", "12,345", ""}));
    EXPECT_EQ(chaqueLigne("cstr(Nombre) & '/' & Nombre"), QStringList({"1/1", "2/2", "3/3", "10/10", "/"}));
    EXPECT_EQ(chaqueLigne("trim(Format(Nombre,'00'))"), QStringList({"01", "02", "03", "10", "NULL"}));
    EXPECT_EQ(chaqueLigne("Format(Valeur,'0.00')"), QStringList({"1,50", "2,50", "-2,50", "12,35", "NULL"}));
    // CInt arrondit les moitiés au pair ; Mod travaille sur des entiers.
    EXPECT_EQ(chaqueLigne("cint(Valeur)"), QStringList({"2", "2", "-2", "12", "NULL"}));
    EXPECT_EQ(chaqueLigne("cint(Valeur + 1)"), QStringList({"2", "4", "-2", "13", "NULL"}));
    EXPECT_EQ(chaqueLigne("Nombre mod 4 & '/' & cint('2004') mod 400 & '/' & (Nombre \\ 3) & '/' & Int(Valeur) & '/' & Fix(Valeur)"),
              QStringList({"1/4/0/1/1", "2/4/0/2/2", "3/4/1/-3/-2", "2/4/3/12/12", "/4///"}));
    EXPECT_EQ(chaqueLigne("Nombre / 4"), QStringList({"0.25", "0.5", "0.75", "2.5", "NULL"}));
    // Val lit le début du texte en ignorant les blancs.
    EXPECT_EQ(chaqueLigne("Val(Month(DateCreation) & ' ' & Year(DateCreation))"),
              QStringList({"122003", "12004", "22004", "32004", "102005"}));
    EXPECT_EQ(chaqueLigne("Val(Mid(Month(DateCreation) & ' ' & Year(DateCreation), 1, 2))"),
              QStringList({"12", "1", "2", "3", "10"}));
    EXPECT_EQ(texte(valeur("SELECT Val('1.5e2x') + Val('abc') + Val('') FROM MESURES WHERE Nombre=1")), "150");
    // & compte NULL pour vide ; + ajoute des nombres et joint des textes.
    EXPECT_EQ(chaqueLigne("Code & '-' & ModeObtention"), QStringList({"07001-", "A-I", "abc-M", "-", "B-2-C"}));
    EXPECT_EQ(chaqueLigne("Month(DateCreation) + '/' + Year(DateCreation)"),
              QStringList({"12/2003", "1/2004", "2/2004", "3/2004", "10/2005"}));
    EXPECT_EQ(chaqueLigne("Nombre + '5'"), QStringList({"6", "7", "8", "15", "NULL"}));
    EXPECT_EQ(chaqueLigne("cstr(Nombre) + '5'"), QStringList({"15", "25", "35", "105", "5"}));
    EXPECT_EQ(chaqueLigne("Valeur+-2.5"), QStringList({"-1", "0", "-5", "9.845", "NULL"}));
    EXPECT_EQ(chaqueLigne("IIf(Valeur > 2, 'haut', 'bas') & Nz(Code, '?')"),
              QStringList({"bas07001", "hautA", "basabc", "haut?", "basB-2"}));
}

TEST_F(Formulation, ConditionsEtRegroupements)
{
    // Un nombre en condition est vrai quand il n'est pas 0.
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE Instr(1, Code, 'b') ORDER BY 1"), QStringList({"3"}));
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE Nombre mod 2 AND NOT Valeur IS NULL ORDER BY 1"),
              QStringList({"1", "3"}));
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE (ModeObtention<>'I' OR ModeObtention IS NULL) ORDER BY 1"),
              QStringList({"NULL", "1", "3", "10"}));
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE Valeur BETWEEN 1.5 AND '2,5' ORDER BY 1"), QStringList({"1", "2"}));
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE Code IN ('A', 'abc') ORDER BY 1"), QStringList({"2", "3"}));
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE Code LIKE 'a*' ORDER BY 1"), QStringList({"2", "3"}));
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE Code LIKE 'B?2'"), QStringList({"NULL"}));
    // Les constantes ne séparent pas les groupes ; un nombre en ORDER BY désigne un champ.
    const TableauValeurs t = lire(
        "SELECT year(DateCreation) & '', '12:00:00', SUM(Valeur), '', count(*) FROM MESURES GROUP BY year(DateCreation) & '', "
        "'12:00:00', '' ORDER BY 1 DESC, '12:00:00'");
    ASSERT_EQ(t.points(), 3);
    EXPECT_EQ(texte(t(0, 0)), "2005");
    EXPECT_EQ(texte(t(1, 0)), "12:00:00");
    EXPECT_EQ(texte(t(2, 0)), "NULL");
    EXPECT_EQ(texte(t(0, 1)), "2004");
    EXPECT_NEAR(t(2, 1).toDouble(), 12.345, 1e-9);
    EXPECT_EQ(t(4, 1).toLongLong(), 3);
    EXPECT_EQ(texte(t(3, 2)), "");
    // Sous-requête nommée, colonnes qualifiées par son nom ; DISTINCT.
    EXPECT_EQ(colonne("SELECT s.m & ':' & s.n FROM (SELECT Month(DateCreation) & ' ' as m, count(*) as n FROM MESURES "
                      "GROUP BY Month(DateCreation) & ' ') AS s ORDER BY 1"),
              QStringList({"1 :1", "10 :1", "12 :1", "2 :1", "3 :1"}));
    EXPECT_EQ(colonne("select distinct * from (SELECT DISTINCT year(DateCreation) as a FROM MESURES) AS SReq ORDER BY a"),
              QStringList({"2003", "2004", "2005"}));
}

TEST_F(Formulation, EcrituresParPositionEtTextesDuRuntime)
{
    // Sans liste de colonnes, les valeurs remplissent les premières colonnes.
    ASSERT_TRUE(base().Execute("INSERT INTO MESURES VALUES ('07/03/2004', '12:00:00', '4,25', '7', 12, '')"))
        << base().DerniereErreur().toStdString();
    EXPECT_EQ(colonne("SELECT DateCreation & ' ' & Heure & ' ' & Valeur & ' ' & Nombre & ' ' & Code & ' ' & "
                      "(ModeObtention IS NULL) FROM MESURES WHERE Nombre = 7"),
              QStringList({"07/03/2004 12:00:00 4,25 7 12 Faux"}));
    ASSERT_TRUE(base().Execute("INSERT INTO MESURES (Code, DateCreation) VALUES (E'a\\\\b''c', '')"))
        << base().DerniereErreur().toStdString();
    EXPECT_EQ(colonne("SELECT Code FROM MESURES WHERE DateCreation IS NULL"), QStringList({"a\\b'c"}));
    ASSERT_TRUE(base().Execute(OrdreSql::sansVerification("UPDATE MESURES SET Valeur='0,5', Heure=#13:45:00#, Code=Code & '+' WHERE DateCreation="
                               + FormatDateBase("07/03/2004").texte())));
    EXPECT_EQ(colonne("SELECT Valeur & ' ' & Heure & ' ' & Code FROM MESURES WHERE Nombre = 7"),
              QStringList({"0,5 13:45:00 12+"}));
    // Ce qui ne va pas dans une colonne est refusé avant d'écrire.
    for (const char* faux : {"INSERT INTO MESURES VALUES ('1', '2', '3', '4', '5', '6', '7')",
                             "INSERT INTO MESURES (Valeur) VALUES ('beaucoup')",
                             "INSERT INTO MESURES (Neige) VALUES (1)",
                             "UPDATE MESURES SET DateCreation='31/04/2004'",
                             "DELETE FROM MESURES WHERE Valeur > 'x'"})
        EXPECT_FALSE(base().Execute(OrdreSql::sansVerification(QString::fromLatin1(faux)))) << faux;
    EXPECT_EQ(texte(valeur(QStringLiteral("SELECT count(*) FROM MESURES"))), "7");
}

// La jointure d'un jour à sa période rend, pour chaque colonne de période,
// les sommes qu'on obtient en rangeant chaque mesure à la main.
TEST_F(Formulation, LaJointureDuJourALaPeriodeRangeChaqueMesure)
{
    QString erreur;
    ASSERT_TRUE(TablesCalendrier::creer(base(), 10, erreur, 2000, 2006)) << erreur.toStdString();
    QList<QVariantList> lignes;
    QMap<QDate, double> pluie;
    for (QDate d(2003, 9, 25); d <= QDate(2005, 3, 10); d = d.addDays(3)) {
        const double p = (d.dayOfYear() % 7) * 1.5;
        lignes.append({d, QTime(12, 0), p, 0, QVariant(), QVariant()});
        pluie[d] = p;
    }
    ASSERT_TRUE(base().Execute("DELETE FROM MESURES"));
    ASSERT_TRUE(base().InsererLignes(QStringLiteral("MESURES"), lignes));

    auto debutPeriode = [](const QString& x, const QDate& d) {
        if (x == QStringLiteral("Jour"))
            return d;
        if (x == QStringLiteral("Decade"))
            return QDate(d.year(), d.month(), d.day() <= 10 ? 1 : d.day() <= 20 ? 11 : 21);
        if (x == QStringLiteral("Mois"))
            return QDate(d.year(), d.month(), 1);
        if (x == QStringLiteral("Trimestre"))
            return QDate(d.year(), (d.month() - 1) / 3 * 3 + 1, 1);
        if (x == QStringLiteral("Annee"))
            return QDate(d.year(), 1, 1);
        return QDate(d.year(), d.month() >= 10 ? 2 : 1, 1);  // Hydro, mois 10
    };
    for (const QString x : {"Jour", "Decade", "Mois", "Trimestre", "Annee", "Hydro"}) {
        QMap<QDate, double> attendu;
        for (auto it = pluie.cbegin(); it != pluie.cend(); ++it)
            if (it.key() >= QDate(2004, 1, 1))
                attendu[debutPeriode(x, it.key())] += it.value();
        const TableauValeurs t = lire("SELECT " + x + " & year(DateCreation), SUM(Valeur), year(DateCreation) & " + x
                                      + "_inverse FROM MESURES, PERIODES WHERE year(DateCreation) >= '2004' AND "
                                        "Instr(1,DateCreation,jour) GROUP BY "
                                      + x + " & year(DateCreation), year(DateCreation) & " + x + "_inverse ORDER BY year(DateCreation) & "
                                      + x + "_inverse");
        ASSERT_EQ(t.points(), attendu.size()) << x.toStdString();
        int i = 0;
        for (auto it = attendu.cbegin(); it != attendu.cend(); ++it, ++i) {
            const QDate d = it.key();
            // Hydro range le début de l'année hydrologique au 01/02.
            const QString etiquette = x == QStringLiteral("Hydro")
                ? QStringLiteral("01/%1/%2").arg(d.month(), 2, 10, QChar(u'0')).arg(d.year())
                : d.toString(QStringLiteral("dd/MM/yyyy"));
            EXPECT_EQ(TexteCellule(t(0, i)), etiquette) << x.toStdString();
            EXPECT_NEAR(t(1, i).toDouble(), it.value(), 1e-9) << x.toStdString() << " " << etiquette.toStdString();
            EXPECT_EQ(TexteCellule(t(2, i)), d.toString(QStringLiteral("yyyy/MM/dd"))) << x.toStdString();
        }
    }
    // Le 29 février n'entre dans le squelette que les années bissextiles.
    const QString squelette = QStringLiteral(
        "select distinct * from (SELECT DISTINCT Jour & Num_Annee as DateCreation FROM PERIODES, ANNEES WHERE "
        "(jour<>'29/02/' or cint(num_annee) mod 400 = 0 or (cint(num_annee) mod 4 = 0 and cint(num_annee) mod 100 <> 0)) "
        "AND jour = '29/02/') AS SReq ORDER BY 1");
    EXPECT_EQ(colonne(squelette), QStringList({"29/02/2000", "29/02/2004"}));
}

// Chaque moteur rend les valeurs extrêmes telles qu'écrites (un texte vide
// écrit par les outils devient NULL) : les entiers aux bornes de 32 bits, les
// infinis, un réel de 2^53, les textes longs et les dates des bornes du siècle.
TEST_F(Formulation, LesValeursExtremesFontLAllerRetourSurChaqueMoteur)
{
    const qint64 haut = std::numeric_limits<qint32>::max();
    const double infini = std::numeric_limits<double>::infinity(), grand = 9007199254740992.0;
    const QList<QVariantList> lignes = {
        {QDate(1900, 1, 1), QTime(0, 0), infini, haut, QString(" "), QVariant()},
        {QDate(2004, 2, 29), QTime(12, 0), -infini, haut - 1, QVariant(), QString("x")},
        {QDate(2099, 12, 31), QTime(23, 59, 59), 1e308, -haut - 1, QString(1000, u'é'), QVariant()},
        {QDate(2000, 2, 29), QTime(0, 0, 1), grand, 0, QString(""), QString("")},
    };
    ASSERT_TRUE(base().Execute("DELETE FROM MESURES"));
    ASSERT_TRUE(base().InsererLignes(QStringLiteral("MESURES"), lignes)) << base().DerniereErreur().toStdString();
    const TableauValeurs t = lire("SELECT DateCreation, Heure, Valeur, Nombre, Code, ModeObtention FROM MESURES ORDER BY Nombre");
    ASSERT_EQ(t.points(), 4);
    const int ordre[] = {2, 3, 1, 0};
    for (int i = 0; i < 4; ++i) {
        const QVariantList& attendu = lignes[ordre[i]];
        EXPECT_EQ(t(0, i).toDate(), attendu[0].toDate()) << i;
        EXPECT_EQ(TexteCellule(t(1, i)), attendu[1].toTime().toString(QStringLiteral("hh:mm:ss"))) << i;
        EXPECT_EQ(t(2, i).toDouble(), attendu[2].toDouble()) << i;
        EXPECT_EQ(t(3, i).toLongLong(), attendu[3].toLongLong()) << i;
        for (int c : {4, 5}) {
            EXPECT_EQ(t(c, i).isValid(), !attendu[c].toString().isEmpty()) << i << " " << c;
            EXPECT_EQ(t(c, i).toString(), attendu[c].toString()) << i << " " << c;
        }
    }
    // Les conditions les distinguent de même.
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE Nombre = " + QString::number(haut)), QStringList{texte(haut)});
    EXPECT_EQ(colonne("SELECT Nombre FROM MESURES WHERE Valeur = 9007199254740992"), QStringList{"0"});
    EXPECT_EQ(colonne("SELECT Valeur FROM MESURES WHERE Code = ' '"), QStringList{texte(infini)});
    EXPECT_EQ(colonne("SELECT Valeur FROM MESURES WHERE Code IS NULL ORDER BY Nombre"), (QStringList{texte(grand), texte(-infini)}));
}

} // namespace
