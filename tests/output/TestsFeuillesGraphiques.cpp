#include "output/LectureXmlTests.h"
#include "output/classeur/ClasseurXlsx.h"
#include "output/classeur/PartiesClasseur.h"
#include "output/classeur/TexteXlsx.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using namespace LectureXmlTests;
namespace CT = ConstantesTableur;

struct Relation
{
    QString type, cible;  // cible : chemin dans l'archive
};

// Les relations d'une partie, cibles résolues depuis son dossier.
std::map<QString, Relation> Relations(const std::map<QString, QByteArray>& parties, const QString& partie)
{
    const int barre = int(partie.lastIndexOf(u'/'));
    const QString dossier = partie.left(barre + 1);
    const QString nomRelations = dossier + QStringLiteral("_rels/") + partie.mid(barre + 1) + QStringLiteral(".rels");
    std::map<QString, Relation> relations;
    const auto it = parties.find(nomRelations);
    if (it == parties.end())
        return relations;
    for (const QDomElement& r : Elements(Dom(it->second), QStringLiteral("Relationship"))) {
        const QString cible = QDir::cleanPath(dossier + r.attribute(QStringLiteral("Target")));
        relations[r.attribute(QStringLiteral("Id"))] = {r.attribute(QStringLiteral("Type")), cible};
    }
    return relations;
}

// Type de contenu de chaque partie d'après [Content_Types].xml.
QString TypeContenu(const QDomDocument& types, const QString& partie)
{
    for (const QDomElement& o : Elements(types, QStringLiteral("Override")))
        if (o.attribute(QStringLiteral("PartName")) == u'/' + partie)
            return o.attribute(QStringLiteral("ContentType"));
    const QString extension = partie.mid(partie.lastIndexOf(u'.') + 1);
    for (const QDomElement& d : Elements(types, QStringLiteral("Default")))
        if (d.attribute(QStringLiteral("Extension")) == extension)
            return d.attribute(QStringLiteral("ContentType"));
    return {};
}

SerieXlsx Serie(const QString& feuille, int n)
{
    SerieXlsx s;
    s.nom = QStringLiteral("Pluie");
    s.x = {feuille, 2, 1, n + 1, 1};
    s.valeurs = {feuille, 2, 2, n + 1, 2};
    return s;
}

// Deux feuilles de cellules et deux feuilles graphiques, dont une avec des zones de texte.
ClasseurXlsx ClasseurComplet()
{
    ClasseurXlsx c;
    const int donnees = c.ajouterFeuille(QStringLiteral("Données d'O'Neil & co"));
    c.definirNombre(donnees, 2, 2, 1.5);
    c.ajouterFeuille();
    const QString nom = c.nomFeuille(donnees);
    const int g1 = c.ajouterFeuilleGraphique({}, 0);
    c.graphique(g1)->series.push_back(Serie(nom, 5));
    c.graphique(g1)->zonesTexte.push_back({QStringLiteral("Note <1> & \"2\""), {390, 270, 195, 54}, {11, true, 0x008000}});
    c.graphique(g1)->zonesTexte.push_back({QStringLiteral("Sans cadre"), {}, {}});
    const int g2 = c.ajouterFeuilleGraphique(QStringLiteral("Débits"));
    c.graphique(g2)->series.push_back(Serie(nom, 1));
    return c;
}

TEST(FeuillesGraphiques, NomsPositionsEtEcrituresRefusees)
{
    ClasseurXlsx c;
    const int f = c.ajouterFeuille();
    EXPECT_EQ(c.nomFeuille(c.ajouterFeuilleGraphique()), u"Graph1");
    // Insérée devant la feuille de cellules, qui passe au rang 1.
    const int g2 = c.ajouterFeuilleGraphique({}, 0);
    EXPECT_EQ(g2, 0);
    EXPECT_EQ(c.nomFeuille(g2), u"Graph2");
    EXPECT_EQ(c.nomFeuille(1), u"Feuil1");
    EXPECT_EQ(c.nomFeuille(c.ajouterFeuille()), u"Feuil2");
    EXPECT_EQ(c.nomFeuille(c.ajouterFeuilleGraphique(QStringLiteral("graph1"))), u"graph1 (2)");
    EXPECT_EQ(c.nomFeuille(c.ajouterFeuilleGraphique(QStringLiteral("Crues"), 99)), u"Crues");
    EXPECT_EQ(c.nombreFeuilles(), 6);
    EXPECT_EQ(c.nomFeuille(5), u"Crues");

    // Les numéros suivent l'ordre des onglets : f est devenue 1.
    EXPECT_TRUE(c.estFeuilleGraphique(0));
    EXPECT_FALSE(c.estFeuilleGraphique(f + 1));
    EXPECT_EQ(c.graphique(f + 1), nullptr);
    EXPECT_EQ(c.feuille(0), nullptr);
    EXPECT_FALSE(c.definirNombre(0, 1, 1, 3));
    EXPECT_FALSE(c.definirTexte(0, 1, 1, QStringLiteral("x")));
    EXPECT_FALSE(c.definirDate(0, 1, 1, QDate(2024, 1, 1)));
    EXPECT_FALSE(c.definirFormat(0, 1, 1, QStringLiteral("0.00")));
    EXPECT_FALSE(c.viderCellule(0, 1, 1));
    EXPECT_EQ(c.collerTexte(0, 1, 1, QStringLiteral("1\t2")), 0);
    EXPECT_TRUE(c.definirNombre(f + 1, 1, 1, 3));
    EXPECT_EQ(c.graphique(-1), nullptr);
    EXPECT_EQ(c.graphique(6), nullptr);
    EXPECT_FALSE(c.estFeuilleGraphique(6));

    // Le graphique garde son adresse quand d'autres feuilles s'insèrent devant.
    GraphiqueXlsx* graphique = c.graphique(0);
    graphique->titre = QStringLiteral("retrouvé");
    c.ajouterFeuille({}, 0);
    c.ajouterFeuilleGraphique({}, 0);
    EXPECT_EQ(c.graphique(2), graphique);
    EXPECT_EQ(c.graphique(2)->titre, u"retrouvé");
}

TEST(FeuillesGraphiques, FeuilleActiveEtOngletChoisi)
{
    ClasseurXlsx c;
    c.ajouterFeuille();
    c.ajouterFeuille();
    EXPECT_EQ(c.feuilleActive(), 0);
    c.definirFeuilleActive(1);
    // Une insertion devant la feuille active la décale avec elle.
    const int g = c.ajouterFeuilleGraphique({}, 1);
    EXPECT_EQ(c.feuilleActive(), 2);
    c.definirFeuilleActive(g);
    c.definirFeuilleActive(17);
    EXPECT_EQ(c.feuilleActive(), g);
    auto parties = Parties(c);
    EXPECT_EQ(Elements(Dom(parties.at(QStringLiteral("xl/workbook.xml"))), QStringLiteral("workbookView")).value(0).attribute(QStringLiteral("activeTab")), u"1");
    const QDomElement vue = Elements(Dom(parties.at(QStringLiteral("xl/chartsheets/sheet1.xml"))), QStringLiteral("sheetView")).value(0);
    EXPECT_EQ(vue.attribute(QStringLiteral("tabSelected")), u"1");
    EXPECT_EQ(vue.attribute(QStringLiteral("zoomToFit")), u"1");
    EXPECT_EQ(vue.attribute(QStringLiteral("zoomScale")), u"100");
    for (const char* nom : {"xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml"}) {
        const QDomElement v = Elements(Dom(parties.at(QString::fromLatin1(nom))), QStringLiteral("sheetView")).value(0);
        EXPECT_FALSE(v.hasAttribute(QStringLiteral("tabSelected"))) << nom;
        EXPECT_EQ(v.attribute(QStringLiteral("workbookViewId")), u"0");
    }

    c.definirFeuilleActive(2);
    parties = Parties(c);
    EXPECT_EQ(Elements(Dom(parties.at(QStringLiteral("xl/worksheets/sheet2.xml"))), QStringLiteral("sheetView")).value(0).attribute(QStringLiteral("tabSelected")), u"1");
    EXPECT_FALSE(Elements(Dom(parties.at(QStringLiteral("xl/chartsheets/sheet1.xml"))), QStringLiteral("sheetView")).value(0).hasAttribute(QStringLiteral("tabSelected")));
}

TEST(FeuillesGraphiques, RelationsEtTypesDeContenuComplets)
{
    const auto parties = Parties(ClasseurComplet());
    const QDomDocument types = Dom(parties.at(QStringLiteral("[Content_Types].xml")));
    // Les parties de tout classeur ; chaque partie a un type ; chaque type déclaré désigne une partie ; chaque cible existe.
    for (const char* nom : {"docProps/app.xml", "docProps/core.xml", "xl/styles.xml", "xl/sharedStrings.xml"})
        EXPECT_EQ(parties.count(QString::fromLatin1(nom)), 1u) << nom;
    EXPECT_EQ(Relations(parties, {}).at(QStringLiteral("rId1")).cible, u"xl/workbook.xml");
    for (const auto& [nom, octets] : parties) {
        if (nom == u"[Content_Types].xml")
            continue;
        EXPECT_FALSE(TypeContenu(types, nom).isEmpty()) << nom.toStdString();
        if (nom.endsWith(QLatin1String(".xml")))
            Dom(octets);
        for (const auto& [id, r] : Relations(parties, nom))
            EXPECT_EQ(parties.count(r.cible), 1u) << nom.toStdString() << " → " << r.cible.toStdString();
    }
    for (const QDomElement& o : Elements(types, QStringLiteral("Override")))
        EXPECT_EQ(parties.count(o.attribute(QStringLiteral("PartName")).mid(1)), 1u);

    // Le classeur cite ses onglets dans l'ordre, chacun par une relation du bon type.
    using namespace PartiesClasseur;
    const auto relationsClasseur = Relations(parties, QStringLiteral("xl/workbook.xml"));
    QStringList noms, cibles, numeros;
    for (const QDomElement& f : Elements(Dom(parties.at(QStringLiteral("xl/workbook.xml"))), QStringLiteral("sheet"))) {
        noms.append(f.attribute(QStringLiteral("name")));
        numeros.append(f.attribute(QStringLiteral("sheetId")));
        const Relation& r = relationsClasseur.at(f.attribute(QStringLiteral("r:id")));
        cibles.append(r.cible);
        const bool graphique = r.cible.startsWith(QLatin1String("xl/chartsheets/"));
        EXPECT_EQ(r.type, QLatin1String(graphique ? kRelFeuilleGraphique : kRelFeuille));
    }
    EXPECT_EQ(noms, (QStringList{"Graph1", "Données d'O'Neil & co", "Feuil2", "Débits"}));
    EXPECT_EQ(numeros, (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(cibles, (QStringList{"xl/chartsheets/sheet1.xml", "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml",
                                   "xl/chartsheets/sheet2.xml"}));

    // Feuille graphique → dessin → graphique → formes.
    const QString feuille = QStringLiteral("xl/chartsheets/sheet1.xml");
    EXPECT_EQ(TypeContenu(types, feuille), QLatin1String(kTypeFeuilleGraphique));
    const QString idDessin = Elements(Dom(parties.at(feuille)), QStringLiteral("drawing")).value(0).attribute(QStringLiteral("r:id"));
    const Relation dessin = Relations(parties, feuille).at(idDessin);
    EXPECT_EQ(dessin.type, QLatin1String(kRelDessin));
    EXPECT_EQ(TypeContenu(types, dessin.cible), QLatin1String(kTypeDessin));
    const QDomDocument domDessin = Dom(parties.at(dessin.cible));
    const QDomElement ancre = Elements(domDessin, QStringLiteral("xdr:absoluteAnchor")).value(0);
    EXPECT_EQ(ancre.firstChildElement(QStringLiteral("xdr:ext")).attribute(QStringLiteral("cx")), u"9906000");
    const QString idGraphique = Elements(ancre, QStringLiteral("c:chart")).value(0).attribute(QStringLiteral("r:id"));
    const Relation graphique = Relations(parties, dessin.cible).at(idGraphique);
    EXPECT_EQ(graphique.type, QLatin1String(kRelGraphique));
    EXPECT_EQ(TypeContenu(types, graphique.cible), QLatin1String(kTypeGraphique));
    const QString idFormes = Elements(Dom(parties.at(graphique.cible)), QStringLiteral("c:userShapes")).value(0).attribute(QStringLiteral("r:id"));
    const Relation formes = Relations(parties, graphique.cible).at(idFormes);
    EXPECT_EQ(formes.type, QLatin1String(kRelFormesGraphique));
    EXPECT_EQ(TypeContenu(types, formes.cible), QLatin1String(kTypeFormesGraphique));
    EXPECT_NE(formes.cible, dessin.cible);
    // Le second graphique, sans zone de texte, n'a ni formes ni relations.
    EXPECT_TRUE(Elements(Dom(parties.at(QStringLiteral("xl/charts/chart2.xml"))), QStringLiteral("c:userShapes")).isEmpty());
    EXPECT_EQ(parties.count(QStringLiteral("xl/charts/_rels/chart2.xml.rels")), 0u);
    // Les séries citent la feuille de données par son nom, apostrophes doublées.
    EXPECT_EQ(Elements(Dom(parties.at(graphique.cible)), QStringLiteral("c:f")).value(1).text(), u"'Données d''O''Neil & co'!$B$2:$B$6");
}

TEST(FeuillesGraphiques, ZonesDeTexteAncreesEnFractions)
{
    const auto parties = Parties(ClasseurComplet());
    const QDomDocument formes = Dom(parties.at(QStringLiteral("xl/drawings/drawing2.xml")));
    const QList<QDomElement> ancres = Elements(formes, QStringLiteral("cdr:relSizeAnchor"));
    ASSERT_EQ(ancres.size(), 2);
    const auto coin = [](const QDomElement& ancre, const char* nom) {
        const QDomElement e = ancre.firstChildElement(QString::fromLatin1(nom));
        return std::pair{e.firstChildElement(QStringLiteral("cdr:x")).text().toDouble(),
                         e.firstChildElement(QStringLiteral("cdr:y")).text().toDouble()};
    };
    EXPECT_DOUBLE_EQ(coin(ancres[0], "cdr:from").first, 0.5);
    EXPECT_DOUBLE_EQ(coin(ancres[0], "cdr:from").second, 0.5);
    EXPECT_DOUBLE_EQ(coin(ancres[0], "cdr:to").first, 0.75);
    EXPECT_DOUBLE_EQ(coin(ancres[0], "cdr:to").second, 0.6);
    EXPECT_EQ(TexteRiche(ancres[0]), u"Note <1> & \"2\"");
    EXPECT_EQ(Elements(ancres[0], QStringLiteral("cdr:cNvSpPr")).value(0).attribute(QStringLiteral("txBox")), u"1");
    const QDomElement police = Elements(ancres[0], QStringLiteral("a:rPr")).value(0);
    EXPECT_EQ(police.attribute(QStringLiteral("sz")), u"1100");
    EXPECT_EQ(police.attribute(QStringLiteral("b")), u"1");
    EXPECT_EQ(Elements(police, QStringLiteral("a:srgbClr")).value(0).attribute(QStringLiteral("val")), u"008000");
    // Sans cadre : dans le coin, à la taille par défaut.
    EXPECT_DOUBLE_EQ(coin(ancres[1], "cdr:from").first, 0);
    EXPECT_DOUBLE_EQ(coin(ancres[1], "cdr:to").first, 144 / GraphiqueXlsx::kLargeur);
    // Les identifiants des formes sont distincts.
    EXPECT_NE(Elements(ancres[0], QStringLiteral("cdr:cNvPr")).value(0).attribute(QStringLiteral("id")),
              Elements(ancres[1], QStringLiteral("cdr:cNvPr")).value(0).attribute(QStringLiteral("id")));
}

TEST(FeuillesGraphiques, ZoneDeTexteLongueEtSale)
{
    ClasseurXlsx c;
    c.ajouterFeuille();
    const int g = c.ajouterFeuilleGraphique();
    c.graphique(g)->zonesTexte.push_back({QStringLiteral("a\x01<&>") + QString(40000, u'z'), {}, {}});
    const auto parties = Parties(c);
    const QString texte = TexteRiche(Dom(parties.at(QStringLiteral("xl/drawings/drawing2.xml"))).documentElement());
    EXPECT_EQ(texte.size(), kLongueurTexteMax);
    EXPECT_TRUE(texte.startsWith(QLatin1String("a<&>zzz")));
}

} // namespace
