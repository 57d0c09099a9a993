#include "output/LectureXmlTests.h"
#include "output/classeur/ClasseurXlsx.h"
#include "output/classeur/TexteXlsx.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

namespace {

using namespace LectureXmlTests;

// Les textes de la table partagée, tels qu'un lecteur XML les relit.
QStringList TextesPartages(const QByteArray& xml)
{
    QStringList textes;
    for (const QDomElement& t : Elements(Dom(xml), QStringLiteral("t")))
        textes.append(t.text());
    return textes;
}

// Les cellules d'une feuille : référence → (attributs s et t, valeur).
struct CelluleLue
{
    QString style, type, valeur;
};
std::map<QString, CelluleLue> CellulesLues(const QByteArray& xml, QStringList* ordre = nullptr)
{
    std::map<QString, CelluleLue> cellules;
    for (const QDomElement& c : Elements(Dom(xml), QStringLiteral("c"))) {
        const QString r = c.attribute(QStringLiteral("r"));
        cellules[r] = {c.attribute(QStringLiteral("s")), c.attribute(QStringLiteral("t")), c.firstChildElement(QStringLiteral("v")).text()};
        if (ordre)
            ordre->append(r);
    }
    return cellules;
}

// Un champ des cellules nommées, dans l'ordre donné.
QStringList Champs(const std::map<QString, CelluleLue>& cellules, QString CelluleLue::*champ, const QStringList& refs)
{
    QStringList champs;
    for (const QString& r : refs)
        champs.append(cellules.at(r).*champ);
    return champs;
}

TEST(TexteXlsx, JoursDeSerie)
{
    EXPECT_EQ(SerieDate(QDate(2024, 1, 1)), 45292);
    EXPECT_EQ(SerieDate(QDate(1899, 12, 31)), 1);
    EXPECT_EQ(SerieDate(QDate(1900, 3, 1)), 61);
    EXPECT_EQ(SerieDate(QDate(2000, 2, 29)), 36585);
}

TEST(TexteXlsx, ControlesRetiresEtLongueurLimitee)
{
    const QString sale = QStringLiteral("a\x01" "b\tc\nd\re\x1f") + QChar(0xFFFE) + u'f';
    EXPECT_EQ(NettoyerTexteCellule(sale), QStringLiteral("ab\tc\nd\ref"));
    EXPECT_EQ(NettoyerTexteCellule(QString(40000, u'x')).size(), kLongueurTexteMax);
    // Une paire qui dépasserait la limite n'est pas coupée en deux.
    const QString paire = QString::fromUtf8("\xF0\x9F\x8C\xA7");  // nuage de pluie
    const QString texte = QString(kLongueurTexteMax - 1, u'x') + paire;
    const QString coupe = NettoyerTexteCellule(texte);
    EXPECT_EQ(coupe.size(), kLongueurTexteMax - 1);
    EXPECT_EQ(NettoyerTexteCellule(u'a' + paire), u'a' + paire);
    EXPECT_EQ(NettoyerTexteCellule(QString(QChar(0xD83C)) + u'z'), u"z");
}

TEST(ClasseurXlsx, EcrituresHorsLimitesRefusees)
{
    ClasseurXlsx c;
    const int f = c.ajouterFeuille();
    const double nan = std::numeric_limits<double>::quiet_NaN(), infini = std::numeric_limits<double>::infinity();
    const QList<bool> refus{c.definirNombre(f, 0, 1, 1), c.definirNombre(f, 1, 0, 1), c.definirNombre(f, kLignesMax + 1, 1, 1),
                            c.definirTexte(f, 1, kColonnesMax + 1, "x"), c.definirNombre(f + 1, 1, 1, 1),
                            c.definirNombre(f, 1, 1, nan), c.definirNombre(f, 1, 1, infini), c.definirDate(f, 1, 1, QDate())};
    EXPECT_EQ(refus, QList<bool>(8, false));
    EXPECT_FALSE(c.feuille(f)->cellule(1, 1));
    EXPECT_TRUE(c.definirNombre(f, kLignesMax, kColonnesMax, 1));

    // Une ligne au-delà de la dernière, écrite ou collée, fait refuser le classeur entier.
    ClasseurXlsx colle;
    colle.collerTexte(colle.ajouterFeuille(), kLignesMax - 1, 1, QStringLiteral("1\r2\r3\r"));
    QTemporaryDir dossier;
    for (const ClasseurXlsx* classeur : {&c, &colle}) {
        QString erreur;
        EXPECT_FALSE(classeur->enregistrer(dossier.filePath(QStringLiteral("c.xlsx")), erreur));
        // À la limite exacte, c'est la ligne d'en-tête qui manque.
        EXPECT_TRUE(erreur.simplified().contains(QStringLiteral("ne peut pas tenir 1 048 576 points sur une feuille : un tableur "
                                                                "s'arrête à 1 048 576 lignes, dont une pour l'en-tête, soit 1 048 575 points au plus")))
            << erreur.toStdString();
        EXPECT_TRUE(QDir(dossier.path()).isEmpty());
    }
}

TEST(ClasseurXlsx, TextesPartagesUneFoisEtEchappes)
{
    ClasseurXlsx c;
    const int f1 = c.ajouterFeuille(), f2 = c.ajouterFeuille();
    const QString special = QStringLiteral("a<b & \"c\" 'd'>");
    c.definirTexte(f1, 1, 1, QStringLiteral("pluie"));
    c.definirTexte(f1, 2, 2, special);
    c.definirTexte(f1, 3, 1, QStringLiteral("pluie"));
    c.definirTexte(f2, 1, 1, QStringLiteral("pluie"));
    c.definirTexte(f2, 1, 2, QStringLiteral("  espaces  "));
    c.definirTexte(f2, 1, 3, QStringLiteral("l1\r\nl2\tfin"));
    const auto parties = Parties(c);
    const QByteArray sst = parties.at(QStringLiteral("xl/sharedStrings.xml"));
    EXPECT_TRUE(sst.contains("count=\"6\" uniqueCount=\"4\"")) << sst.toStdString();
    EXPECT_TRUE(sst.contains("a&lt;b &amp; "));
    // Le retour chariot survit à la relecture, qui le changerait sinon en saut de ligne.
    EXPECT_EQ(TextesPartages(sst), (QStringList{QStringLiteral("pluie"), special, QStringLiteral("  espaces  "),
                                                QStringLiteral("l1\r\nl2\tfin")}));
    const auto cellules1 = CellulesLues(parties.at("xl/worksheets/sheet1.xml"));
    EXPECT_EQ(cellules1.at("A1").type, u"s");
    EXPECT_EQ(Champs(cellules1, &CelluleLue::valeur, {"A1", "B2", "A3"}), (QStringList{"0", "1", "0"}));
    const auto cellules2 = CellulesLues(parties.at("xl/worksheets/sheet2.xml"));
    EXPECT_EQ(Champs(cellules2, &CelluleLue::valeur, {"A1", "B1"}), (QStringList{"0", "2"}));
}

TEST(ClasseurXlsx, ReferencesEtNombresEnOrdre)
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ClasseurXlsx c;
    const int f = c.ajouterFeuille();
    c.definirNombre(f, 1, 16384, 1e300);
    c.definirNombre(f, 1, 27, -2.5);
    c.definirNombre(f, 1, 1, 0.1);
    c.definirNombre(f, 1, 26, 1.0 / 3.0);
    c.definirNombre(f, 12, 2, 123456789012345.0);
    QStringList ordre;
    const auto cellules = CellulesLues(Parties(c).at(QStringLiteral("xl/worksheets/sheet1.xml")), &ordre);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(ordre, (QStringList{"A1", "Z1", "AA1", "XFD1", "B12"}));
    EXPECT_EQ(Champs(cellules, &CelluleLue::valeur, {"A1", "AA1", "B12"}), (QStringList{"0.1", "-2.5", "123456789012345"}));
    EXPECT_EQ(cellules.at("Z1").valeur.toDouble(), 1.0 / 3.0);
    EXPECT_EQ(cellules.at("XFD1").valeur.toDouble(), 1e300);
    EXPECT_TRUE(cellules.at(QStringLiteral("A1")).type.isEmpty());
}

TEST(ClasseurXlsx, DatesEnJoursDeSerieAvecFormat)
{
    ClasseurXlsx c;
    const int f = c.ajouterFeuille();
    c.definirDate(f, 1, 1, QDate(2024, 1, 1));
    c.definirFormat(f, 2, 1, QStringLiteral("mmm-yy"));
    c.definirDate(f, 2, 1, QDate(2024, 3, 15));
    const auto parties = Parties(c);
    const auto cellules = CellulesLues(parties.at(QStringLiteral("xl/worksheets/sheet1.xml")));
    EXPECT_EQ(Champs(cellules, &CelluleLue::valeur, {"A1", "A2"}), (QStringList{"45292", "45366"}));
    const QByteArray styles = parties.at(QStringLiteral("xl/styles.xml"));
    // Le format posé avant la date est gardé.
    EXPECT_TRUE(styles.contains("<numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/>")) << styles.toStdString();
    EXPECT_TRUE(styles.contains("<numFmt numFmtId=\"165\" formatCode=\"mmm-yy\"/>"));
    EXPECT_EQ(Champs(cellules, &CelluleLue::style, {"A1", "A2"}), (QStringList{"1", "2"}));
}

TEST(ClasseurXlsx, FormatsEtStylesSansDoublons)
{
    ClasseurXlsx c;
    const int f = c.ajouterFeuille();
    for (int l = 1; l <= 3; ++l) {
        c.definirNombre(f, l, 1, l * 1.5);
        c.definirFormat(f, l, 1, QStringLiteral("0.00"));
    }
    c.definirFormat(f, 1, 2, QStringLiteral("mmm-yy"));
    c.definirFormat(f, 2, 2, QStringLiteral("mmm-yy"));
    c.definirNombre(f, 4, 1, 7);
    c.definirFormat(f, 5, 1, QStringLiteral("General"));
    const auto parties = Parties(c);
    const QByteArray styles = parties.at(QStringLiteral("xl/styles.xml"));
    Contient(QString::fromUtf8(styles), {"<numFmts count=\"2\">", "<cellXfs count=\"3\">", "formatCode=\"0.00\""});
    const auto cellules = CellulesLues(parties.at("xl/worksheets/sheet1.xml"));
    EXPECT_EQ(Champs(cellules, &CelluleLue::style, {"A3", "B2", "A4"}), (QStringList{"1", "2", ""}));
    EXPECT_TRUE(cellules.at("B2").valeur.isEmpty());
}

TEST(ClasseurXlsx, ViderGardeLeFormat)
{
    ClasseurXlsx c;
    const int f = c.ajouterFeuille();
    c.definirNombre(f, 1, 1, 3);
    c.definirFormat(f, 1, 1, QStringLiteral("0.00"));
    c.definirTexte(f, 2, 1, QStringLiteral("t"));
    EXPECT_TRUE(c.viderCellule(f, 1, 1));
    EXPECT_TRUE(c.viderCellule(f, 2, 1));
    ASSERT_TRUE(c.feuille(f)->cellule(1, 1));
    EXPECT_EQ(std::pair(c.feuille(f)->cellule(1, 1)->genre, c.feuille(f)->cellule(1, 1)->format),
              std::pair(FeuilleXlsx::Genre::Vide, QStringLiteral("0.00")));
    EXPECT_FALSE(c.feuille(f)->cellule(2, 1));
}

TEST(ClasseurXlsx, CollerTypeChaqueChamp)
{
    ClasseurXlsx c;
    const int f = c.ajouterFeuille();
    c.definirTexte(f, 3, 2, QStringLiteral("effacé"));
    const int n = c.collerTexte(f, 2, 2, QStringLiteral("12,5\t3.25\t01/01/2024\tabc\r\n\t-4\n31/02/2024\r"));
    EXPECT_EQ(n, 7);
    // Chaque cellule lue : « - » si absente, le texte, ou le nombre et son format.
    const auto lue = [&c, f](int ligne, int colonne) {
        const auto x = c.feuille(f)->cellule(ligne, colonne);
        if (!x)
            return QStringLiteral("-");
        if (x->genre != FeuilleXlsx::Genre::Nombre)
            return x->genre == FeuilleXlsx::Genre::Texte ? x->texte : QStringLiteral("vide");
        return QString::number(x->nombre, 'g', 15) + u' ' + x->format;
    };
    // Une date impossible reste un texte ; la fin de ligne finale n'ajoute rien.
    EXPECT_EQ((QStringList{lue(2, 2), lue(2, 3), lue(2, 4), lue(2, 5), lue(3, 2), lue(3, 3), lue(4, 2), lue(5, 2)}),
              (QStringList{"12.5 ", "3.25 ", "45292 dd/mm/yyyy", "abc", "-", "-4 ", "31/02/2024", "-"}));
    EXPECT_EQ(c.collerTexte(f + 1, 1, 1, QStringLiteral("1")), 0);
}

} // namespace
