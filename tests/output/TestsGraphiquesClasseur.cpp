// Les graphiques du classeur relus comme XML : la partie graphique seule, puis les feuilles graphiques dans le paquet.
#include "output/LectureXmlTests.h"
#include "output/classeur/PartieGraphique.h"
#include "output/classeur/PartiesClasseur.h"
#include "output/classeur/TexteXlsx.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using namespace LectureXmlTests;
namespace CT = ConstantesTableur;

// Une série de n valeurs en colonne B (dates en A) à partir de la ligne 2.
SerieXlsx Serie(const QString& nom, int type, int groupe = 1, int n = 10, const QString& feuille = QStringLiteral("Feuil1"))
{
    SerieXlsx s;
    s.nom = nom;
    s.typeGraphique = type;
    s.groupeAxes = groupe;
    s.x = {feuille, 2, 1, n + 1, 1};
    s.valeurs = {feuille, 2, 2, n + 1, 2};
    return s;
}

QDomElement Racine(const GraphiqueXlsx& g)
{
    return Dom(PartieGraphique(g).xml()).documentElement();
}

QDomElement ZoneTrace(const QDomElement& racine)
{
    return racine.firstChildElement(QStringLiteral("c:chart")).firstChildElement(QStringLiteral("c:plotArea"));
}

// Les éléments de tracé, dans l'ordre.
QList<QDomElement> ElementsDeTrace(const QDomElement& zone)
{
    QList<QDomElement> liste;
    for (QDomElement e = zone.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        if (e.tagName().endsWith(QLatin1String("Chart")))
            liste.append(e);
    return liste;
}

// Les axes par identifiant.
std::map<QString, QDomElement> Axes(const QDomElement& zone)
{
    std::map<QString, QDomElement> axes;
    for (QDomElement e = zone.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        if (e.tagName().endsWith(QLatin1String("Ax")))
            axes[Val(e, QStringLiteral("c:axId"))] = e;
    return axes;
}

// L'axe `id` du graphique écrit.
QDomElement Axe(const GraphiqueXlsx& g, int id)
{
    return Axes(ZoneTrace(Racine(g))).at(QString::number(id));
}

QString Formule(const QDomElement& serie, const QString& donnee)
{
    return serie.firstChildElement(donnee).firstChildElement(QStringLiteral("c:numRef")).firstChildElement(QStringLiteral("c:f")).text();
}

TEST(PartieGraphique, PlagesDesSeriesDeUnATrenteSixMillePoints)
{
    GraphiqueXlsx g;
    g.series.push_back(Serie(QStringLiteral("un"), CT::kColonnesGroupees, 1, 1));
    g.series.push_back(Serie(QStringLiteral("cent ans"), CT::kColonnesGroupees, 1, 36525, QStringLiteral("Pluie d'été")));
    SerieXlsx sansX = Serie(QStringLiteral("sans x"), CT::kNuageLignesSansMarque, 2, 5, QStringLiteral("'a''b'"));
    sansX.x = {};
    sansX.valeurs = {QStringLiteral("'a''b'"), 3, 28, 7, 28};
    g.series.push_back(sansX);
    const QDomElement zone = ZoneTrace(Racine(g));
    const QList<QDomElement> series = Elements(zone, QStringLiteral("c:ser"));
    ASSERT_EQ(series.size(), 3);
    const QStringList formules{Formule(series[0], "c:cat"), Formule(series[0], "c:val"), Formule(series[1], "c:cat"),
                               Formule(series[1], "c:val"), Formule(series[2], "c:yVal")};
    EXPECT_EQ(formules, (QStringList{"'Feuil1'!$A$2", "'Feuil1'!$B$2", "'Pluie d''été'!$A$2:$A$36526",
                                     "'Pluie d''été'!$B$2:$B$36526", "'''a''''b'''!$AB$3:$AB$7"}));
    // Sans abscisses, le nuage n'a pas de c:xVal : le tableur prend 1, 2, 3…
    Vals(series[2], {{"c:xVal", nullptr}});
    // Pas de copie des valeurs : les lecteurs relisent les cellules.
    EXPECT_TRUE(Elements(zone, QStringLiteral("c:numCache")).isEmpty());
}

TEST(PartieGraphique, GroupeSecondaireAParteSurSesAxes)
{
    GraphiqueXlsx g;
    g.series.push_back(Serie(QStringLiteral("nuage"), CT::kNuageLisseSansMarque, 2));
    g.series.push_back(Serie(QStringLiteral("pluie"), CT::kColonnesGroupees));
    g.series.push_back(Serie(QStringLiteral("neige"), CT::kColonnesEmpilees));
    g.series.push_back(Serie(QStringLiteral("ligne"), CT::kLigne));
    g.series.push_back(Serie(QStringLiteral("pluie 2"), CT::kColonnesGroupees));
    g.chevauchement = 250;
    const QDomElement zone = ZoneTrace(Racine(g));
    const QList<QDomElement> elements = ElementsDeTrace(zone);
    ASSERT_EQ(elements.size(), 4);
    // Axes principaux d'abord, chaque groupe dans l'ordre des séries.
    EXPECT_EQ(elements[0].tagName(), u"c:barChart");
    Vals(elements[0], {{"c:grouping", "clustered"}, {"c:overlap", "100"}});
    EXPECT_EQ(Enfants(elements[0], "c:ser").size(), 2);
    Vals(elements[1], {{"c:grouping", "stacked"}, {"c:overlap", "100"}});
    EXPECT_EQ(elements[2].tagName(), u"c:lineChart");
    EXPECT_EQ(elements[3].tagName(), u"c:scatterChart");
    Vals(elements[3], {{"c:scatterStyle", "smoothMarker"}});
    const QDomElement nuage = elements[3].firstChildElement("c:ser");
    Vals(nuage, {{"c:smooth", "1"}});
    Vals(nuage.firstChildElement("c:marker"), {{"c:symbol", "none"}});

    // idx et order uniques, dans l'ordre d'écriture.
    QStringList indices, ordres;
    for (const QDomElement& s : Elements(zone, QStringLiteral("c:ser"))) {
        indices.append(Val(s, QStringLiteral("c:idx")));
        ordres.append(Val(s, QStringLiteral("c:order")));
    }
    EXPECT_EQ(indices, (QStringList{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(ordres, indices);

    const auto axes = Axes(zone);
    ASSERT_EQ(axes.size(), 4u);
    for (const QDomElement& e : elements) {
        const QList<QDomElement> ids = Enfants(e, QStringLiteral("c:axId"));
        ASSERT_EQ(ids.size(), 2);
        const QString x = ids[0].attribute(QStringLiteral("val")), y = ids[1].attribute(QStringLiteral("val"));
        ASSERT_TRUE(axes.count(x) == 1 && axes.count(y) == 1) << x.toStdString() << " " << y.toStdString();
        EXPECT_EQ((QStringList{Val(axes.at(x), "c:crossAx"), Val(axes.at(y), "c:crossAx")}), (QStringList{y, x}));
    }
    const QString x2 = Enfants(elements[3], QStringLiteral("c:axId"))[0].attribute(QStringLiteral("val"));
    const QString y2 = Enfants(elements[3], QStringLiteral("c:axId"))[1].attribute(QStringLiteral("val"));
    EXPECT_NE(x2, Enfants(elements[0], QStringLiteral("c:axId"))[0].attribute(QStringLiteral("val")));
    // Le nuage secondaire a deux axes de valeurs ; l'horizontal est masqué, le vertical à droite, au maximum.
    EXPECT_EQ(axes.at(x2).tagName(), u"c:valAx");
    EXPECT_EQ(Val(axes.at(x2), QStringLiteral("c:delete")), u"1");
    Vals(axes.at(y2), {{"c:delete", "0"}, {"c:axPos", "r"}, {"c:crosses", "max"}, {"c:crossBetween", "midCat"}});
}

TEST(PartieGraphique, SansSerieSurLesAxesPrincipaux)
{
    GraphiqueXlsx g;
    g.series.push_back(Serie(QStringLiteral("seule"), CT::kLigne, 2));
    const QDomElement zone = ZoneTrace(Racine(g));
    EXPECT_EQ(Axes(zone).size(), 2u);
    EXPECT_EQ(Val(ElementsDeTrace(zone)[0], QStringLiteral("c:axId")), QString::number(PartieGraphique::kAxeX));
}

TEST(PartieGraphique, AxesDeDatesDeCategoriesEtDeValeurs)
{
    GraphiqueXlsx g;
    g.series.push_back(Serie(QStringLiteral("pluie"), CT::kColonnesGroupees));
    g.axeX.uniteBase = CT::kJours;
    g.axeX.uniteMajeure = 3;
    g.axeX.echelleUniteMajeure = CT::kMois;
    g.axeX.uniteMineure = 1;
    g.axeX.echelleUniteMineure = CT::kAnnees;
    g.axeX.minimum = 36526;
    g.axeX.maximum = 73050.5;
    g.axeX.formatEtiquettes = QStringLiteral("mmm-yy");
    g.axeX.orientationEtiquettes = CT::kVersLeHaut;
    g.axeX.policeEtiquettes = {8.5, true, 0xFF0000};
    g.axeY.uniteMajeure = 10;
    g.axeY.grilleMajeure = true;
    g.axeY.couleurGrille = 0xC0C0C0;
    g.axeY.aTitre = true;
    g.axeY.titre = QStringLiteral("Pluie (mm)");
    auto axes = Axes(ZoneTrace(Racine(g)));
    const QDomElement dates = axes.at(QString::number(PartieGraphique::kAxeX));
    EXPECT_EQ(dates.tagName(), u"c:dateAx");
    Vals(dates, {{"c:baseTimeUnit", "days"}, {"c:majorUnit", "3"}, {"c:majorTimeUnit", "months"}, {"c:minorUnit", "1"},
              {"c:minorTimeUnit", "years"}});
    Vals(dates.firstChildElement("c:scaling"), {{"c:min", "36526"}, {"c:max", "73050.5"}});
    Attributs(dates.firstChildElement("c:numFmt"), {{"formatCode", "mmm-yy"}, {"sourceLinked", "0"}});
    const QDomElement txPr = dates.firstChildElement("c:txPr");
    EXPECT_EQ(txPr.firstChildElement("a:bodyPr").attribute("rot"), u"-5400000");
    Attributs(Premier(txPr, "a:defRPr"), {{"sz", "850"}, {"b", "1"}});
    EXPECT_EQ(Couleur(Premier(txPr, "a:defRPr")), u"FF0000");

    const QDomElement valeurs = axes.at(QString::number(PartieGraphique::kAxeY));
    Vals(valeurs, {{"c:majorUnit", "10"}, {"c:crossBetween", "between"}});
    EXPECT_EQ(Couleur(valeurs.firstChildElement("c:majorGridlines")), u"C0C0C0");
    const QDomElement titre = valeurs.firstChildElement("c:title");
    EXPECT_EQ(TexteRiche(titre), u"Pluie (mm)");
    EXPECT_EQ(Premier(titre, "a:bodyPr").attribute("rot"), u"-5400000");

    // Sans unité de base : un axe de catégories ; avec un nuage principal : deux axes de valeurs.
    g.axeX.uniteBase.reset();
    EXPECT_EQ(Axes(ZoneTrace(Racine(g))).at(QString::number(PartieGraphique::kAxeX)).tagName(), u"c:catAx");
    g.series[0].typeGraphique = CT::kNuageLignesSansMarque;
    axes = Axes(ZoneTrace(Racine(g)));
    EXPECT_EQ(axes.at(QString::number(PartieGraphique::kAxeX)).tagName(), u"c:valAx");
    Vals(axes.at(QString::number(PartieGraphique::kAxeY)), {{"c:crossBetween", "midCat"}});
}

TEST(PartieGraphique, CroisementEcritSurLAxePerpendiculaire)
{
    GraphiqueXlsx g;
    g.series.push_back(Serie(QStringLiteral("pluie"), CT::kColonnesGroupees));
    g.series.push_back(Serie(QStringLiteral("cote"), CT::kLigne, 2));
    // L'axe des catégories coupe celui des valeurs à 5 ; l'axe secondaire des
    // valeurs coupe le secondaire des catégories à 2.
    g.axeY.croisement = CT::kCroiseALaValeur;
    g.axeY.croiseA = 5;
    g.axeX2.croisement = CT::kCroiseALaValeur;
    g.axeX2.croiseA = 2;
    using P = PartieGraphique;
    Vals(Axe(g, P::kAxeX), {{"c:crossesAt", "5"}, {"c:crosses", nullptr}});
    Vals(Axe(g, P::kAxeY), {{"c:crosses", "autoZero"}, {"c:crossesAt", nullptr}});
    Vals(Axe(g, P::kAxeY2), {{"c:crossesAt", "2"}, {"c:crosses", nullptr}});
    Vals(Axe(g, P::kAxeX2), {{"c:crosses", "autoZero"}});

    g.axeX.croisement = CT::kCroiseALaValeur;
    g.axeX.croiseA = -1.5;
    Vals(Axe(g, P::kAxeY), {{"c:crossesAt", "-1.5"}});
}

TEST(PartieGraphique, EntreesDeLegendeSupprimeesEtDispositions)
{
    GraphiqueXlsx g;
    g.series.push_back(Serie(QStringLiteral("secondaire cachée"), CT::kNuageLignesSansMarque, 2));
    g.series.push_back(Serie(QStringLiteral("pluie"), CT::kColonnesGroupees));
    g.series.push_back(Serie(QStringLiteral("ligne cachée"), CT::kLigne));
    g.series[0].entreeLegendeSupprimee = true;
    g.series[2].entreeLegendeSupprimee = true;
    g.cadreLegende = {600, 100, 150, 60};
    g.bordureLegende = true;
    g.ombreLegende = true;
    g.cadreTrace = {39, 1000, 1e6, {}};
    const QDomElement graphique = Racine(g).firstChildElement(QStringLiteral("c:chart"));
    std::map<QString, QString> noms;
    for (const QDomElement& s : Elements(graphique, QStringLiteral("c:ser")))
        noms[Val(s, QStringLiteral("c:idx"))] = Elements(s, QStringLiteral("c:v")).value(0).text();
    const QDomElement legende = graphique.firstChildElement(QStringLiteral("c:legend"));
    Vals(legende, {{"c:legendPos", "r"}});
    QStringList supprimees;
    for (const QDomElement& e : Enfants(legende, QStringLiteral("c:legendEntry"))) {
        Vals(e, {{"c:delete", "1"}});
        supprimees.append(noms[Val(e, QStringLiteral("c:idx"))]);
    }
    EXPECT_EQ(supprimees, (QStringList{QStringLiteral("ligne cachée"), QStringLiteral("secondaire cachée")}));
    const QDomElement disposition = Premier(legende, "c:manualLayout");
    EXPECT_DOUBLE_EQ(Val(disposition, "c:x").toDouble(), 600.0 / GraphiqueXlsx::kLargeur);
    EXPECT_DOUBLE_EQ(Val(disposition, "c:h").toDouble(), 60.0 / GraphiqueXlsx::kHauteur);
    Vals(disposition, {{"c:layoutTarget", nullptr}});
    EXPECT_FALSE(Elements(legende, "a:outerShdw").isEmpty());
    EXPECT_EQ(Premier(legende, "a:ln").attribute("w"), u"3175");

    // Le cadre du tracé reste dans la zone du graphique ; une hauteur absente n'est pas écrite.
    const QDomElement trace = Premier(graphique.firstChildElement("c:plotArea").firstChildElement("c:layout"), "c:manualLayout");
    Vals(trace, {{"c:layoutTarget", "inner"}, {"c:y", "1"}, {"c:h", nullptr}});
    EXPECT_DOUBLE_EQ(Val(trace, "c:x").toDouble(), 0.05);
    EXPECT_DOUBLE_EQ(Val(trace, "c:w").toDouble(), 0.95);
    Vals(graphique, {{"c:dispBlanksAs", "gap"}, {"c:autoTitleDeleted", "1"}, {"c:title", nullptr}});

    g.aLegende = false;
    Vals(Racine(g).firstChildElement("c:chart"), {{"c:legend", nullptr}});
}

TEST(PartieGraphique, TextesEchappesNettoyesEtCoupes)
{
    const QString special = QStringLiteral("« L'Aval » \"amont\" <b> & c\x01\x1f");
    const QString propre = QStringLiteral("« L'Aval » \"amont\" <b> & c");
    GraphiqueXlsx g;
    g.aTitre = true;
    g.titre = special + QStringLiteral("\r\n2e ligne");
    g.policeTitre = {16, true, 0x123456};
    g.series.push_back(Serie(special, CT::kColonnesGroupees));
    g.series.push_back(Serie(QString(10000, u'n'), CT::kLigne));
    g.axeX.aTitre = true;
    g.axeX.titre = QString(10000, u't');
    QByteArray xml = PartieGraphique(g).xml();
    EXPECT_FALSE(xml.contains('\x01'));
    QDomElement graphique = Dom(xml).documentElement().firstChildElement(QStringLiteral("c:chart"));
    const QDomElement titre = graphique.firstChildElement(QStringLiteral("c:title"));
    EXPECT_EQ(TexteRiche(titre), propre + QStringLiteral("\n2e ligne"));
    EXPECT_EQ(Premier(titre, "a:rPr").attribute("sz"), u"1600");
    Vals(graphique, {{"c:autoTitleDeleted", "0"}});
    const QList<QDomElement> noms = Elements(graphique, QStringLiteral("c:v"));
    ASSERT_EQ(noms.size(), 2);
    EXPECT_EQ(noms[0].text(), propre);
    EXPECT_EQ(noms[1].text(), QString(PartieGraphique::kLongueurTitreMax, u'n'));
    EXPECT_EQ(TexteRiche(Elements(graphique, QStringLiteral("c:catAx")).value(0)), QString(255, u't'));

    // Un titre de 10 000 caractères : le fichier reste lisible, le titre coupé
    // sans séparer une paire de substitution.
    const QString pluie = QString::fromUtf8("\xF0\x9F\x8C\xA7");
    g.titre = QString(PartieGraphique::kLongueurTitreMax - 1, u'x') + pluie + QString(10000, u'<');
    graphique = Racine(g).firstChildElement("c:chart");
    EXPECT_EQ(TexteRiche(graphique.firstChildElement("c:title")), QString(PartieGraphique::kLongueurTitreMax - 1, u'x'));

    // Un titre fait seulement de caractères de contrôle n'est pas un titre.
    g.titre = QStringLiteral("\x02\x03");
    graphique = Racine(g).firstChildElement(QStringLiteral("c:chart"));
    Vals(graphique, {{"c:title", nullptr}, {"c:autoTitleDeleted", "1"}});
}

TEST(PartieGraphique, TraitsRemplissagesEtMarques)
{
    GraphiqueXlsx g;
    const std::pair<int, QString> tirets[] = {{CT::kTraitContinu, "solid"}, {CT::kTraitTirets, "dash"},
                                              {CT::kTraitPoints, "sysDot"}, {CT::kTraitTiretPoint, "dashDot"},
                                              {CT::kTraitTiretPointPoint, "sysDashDotDot"}};
    for (const auto& t : tirets) {
        SerieXlsx s = Serie(t.second, CT::kLigne);
        s.styleTrait = t.first;
        s.couleurTrait = 0x00FF00;
        g.series.push_back(s);
    }
    SerieXlsx sansTrait = Serie(QStringLiteral("sans trait"), CT::kNuageLignesSansMarque);
    sansTrait.styleTrait = CT::kAucun;
    const std::pair<int, QString> marques[] = {{CT::kMarquePlus, "plus"}, {CT::kMarqueCroix, "x"}, {CT::kMarqueCercle, "circle"}};
    for (const auto& m : marques) {
        sansTrait.marque = m.first;
        sansTrait.tailleMarque = 200;
        sansTrait.couleurMarque = 0x0000FF;
        g.series.push_back(sansTrait);
    }
    SerieXlsx colonne = Serie(QStringLiteral("colonne"), CT::kColonnesGroupees);
    colonne.couleurRemplissage = 0x1F4E9A;
    g.series.push_back(colonne);
    g.series.push_back(Serie(QStringLiteral("colonne automatique"), CT::kColonnesGroupees));
    g.series.push_back(Serie(QStringLiteral("ligne automatique"), CT::kLigne));
    g.fondTrace = 0xF0F0F0;
    g.fondGraphique = 0xFFFFEE;
    const QDomElement racine = Racine(g);
    std::map<QString, QDomElement> series;
    for (const QDomElement& s : Elements(racine, QStringLiteral("c:ser")))
        series[Elements(s, QStringLiteral("c:v")).value(0).text()] = s;
    for (const auto& t : tirets) {
        const QDomElement trait = Premier(series.at(t.second).firstChildElement("c:spPr"), "a:ln");
        EXPECT_EQ(Val(trait, "a:prstDash"), t.second);
        EXPECT_EQ(Couleur(trait), u"00FF00");
    }
    const QDomElement nuage = series.at(QStringLiteral("sans trait"));
    EXPECT_FALSE(Elements(nuage.firstChildElement(QStringLiteral("c:spPr")), QStringLiteral("a:noFill")).isEmpty());
    QStringList symboles;
    for (const QDomElement& m : Elements(racine.firstChildElement(QStringLiteral("c:chart")), QStringLiteral("c:marker"))) {
        if (m.hasChildNodes()) {
            symboles.append(Val(m, QStringLiteral("c:symbol")));
            Vals(m, {{"c:size", "72"}});
            EXPECT_EQ(Couleur(m), u"0000FF");
        }
    }
    // Les lignes gardent leur marque automatique : pas de c:marker à elles.
    EXPECT_EQ(symboles, (QStringList{QStringLiteral("plus"), QStringLiteral("x"), QStringLiteral("circle")}));
    const QDomElement barre = series.at(QStringLiteral("colonne"));
    EXPECT_EQ(Couleur(barre.firstChildElement("c:spPr")), u"1F4E9A");
    EXPECT_TRUE(Elements(barre, QStringLiteral("a:ln")).isEmpty());
    // Sans couleur donnée, chaque série reçoit la sienne (sans thème, LibreOffice ne les montrerait pas).
    const QString remplissage = Couleur(series.at("colonne automatique").firstChildElement("c:spPr").firstChildElement("a:solidFill"));
    const QString trait = Couleur(Premier(series.at("ligne automatique"), "a:ln"));
    EXPECT_EQ(std::pair(remplissage.size(), trait.size()), std::pair(qsizetype(6), qsizetype(6)));
    EXPECT_NE(remplissage, trait);
    EXPECT_EQ(Couleur(racine.lastChildElement("c:spPr")), u"FFFFEE");
}

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

// La cible de la relation que cite le premier élément `balise` de `partie`, relation et cible de types attendus.
QString Suivre(const std::map<QString, QByteArray>& parties, const QString& partie, const QString& balise, const char* relation,
               const char* type)
{
    const Relation r = Relations(parties, partie).at(Premier(Dom(parties.at(partie)), balise).attribute("r:id"));
    EXPECT_EQ(r.type, QLatin1String(relation)) << partie.toStdString();
    EXPECT_EQ(TypeContenu(Dom(parties.at("[Content_Types].xml")), r.cible), QLatin1String(type)) << r.cible.toStdString();
    return r.cible;
}

// Deux feuilles de cellules et deux feuilles graphiques, dont une avec deux zones de texte (la seconde longue et sale).
ClasseurXlsx ClasseurComplet()
{
    ClasseurXlsx c;
    const int donnees = c.ajouterFeuille(QStringLiteral("Données d'O'Neil & co"));
    c.definirNombre(donnees, 2, 2, 1.5);
    c.ajouterFeuille();
    const QString nom = c.nomFeuille(donnees);
    const int g1 = c.ajouterFeuilleGraphique({}, 0);
    c.graphique(g1)->series.push_back(Serie(QStringLiteral("Pluie"), CT::kColonnesGroupees, 1, 5, nom));
    c.graphique(g1)->zonesTexte.push_back({QStringLiteral("Note <1> & \"2\""), {390, 270, 195, 54}, {11, true, 0x008000}});
    c.graphique(g1)->zonesTexte.push_back({QStringLiteral("a\x01<&>") + QString(40000, u'z'), {}, {}});
    const int g2 = c.ajouterFeuilleGraphique(QStringLiteral("Débits"));
    c.graphique(g2)->series.push_back(Serie(QStringLiteral("Pluie"), CT::kColonnesGroupees, 1, 1, nom));
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
    EXPECT_EQ(c.nombreFeuilles(), 4);

    // Les numéros suivent l'ordre des onglets : f est devenue 1.
    EXPECT_TRUE(c.estFeuilleGraphique(0));
    EXPECT_FALSE(c.estFeuilleGraphique(f + 1));
    EXPECT_EQ(c.graphique(f + 1), nullptr);
    EXPECT_EQ(c.feuille(0), nullptr);
    const QList<bool> ecrites{c.definirNombre(0, 1, 1, 3), c.definirTexte(0, 1, 1, "x"), c.definirDate(0, 1, 1, QDate(2024, 1, 1)),
                              c.definirFormat(0, 1, 1, "0.00"), c.viderCellule(0, 1, 1)};
    EXPECT_EQ(ecrites, QList<bool>(5, false));
    EXPECT_EQ(c.collerTexte(0, 1, 1, QStringLiteral("1\t2")), 0);
    EXPECT_TRUE(c.definirNombre(f + 1, 1, 1, 3));
    const GraphiqueXlsx* aucun = nullptr;
    EXPECT_EQ(std::tuple(c.graphique(-1), c.graphique(4), c.estFeuilleGraphique(4)), std::tuple(aucun, aucun, false));

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
    EXPECT_EQ(c.feuilleActive(), g);
    auto parties = Parties(c);
    const auto vue = [&parties](const char* partie) { return Premier(Dom(parties.at(partie)), "sheetView"); };
    EXPECT_EQ(Premier(Dom(parties.at("xl/workbook.xml")), "workbookView").attribute("activeTab"), u"1");
    Attributs(vue("xl/chartsheets/sheet1.xml"), {{"tabSelected", "1"}, {"zoomToFit", "1"}, {"zoomScale", "100"}});
    for (const char* nom : {"xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml"}) {
        EXPECT_FALSE(vue(nom).hasAttribute("tabSelected")) << nom;
        EXPECT_EQ(vue(nom).attribute("workbookViewId"), u"0");
    }

    c.definirFeuilleActive(2);
    parties = Parties(c);
    EXPECT_EQ(vue("xl/worksheets/sheet2.xml").attribute("tabSelected"), u"1");
    EXPECT_FALSE(vue("xl/chartsheets/sheet1.xml").hasAttribute("tabSelected"));
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
    const QString dessin = Suivre(parties, feuille, "drawing", kRelDessin, kTypeDessin);
    EXPECT_EQ(Premier(Dom(parties.at(dessin)), "xdr:absoluteAnchor").firstChildElement("xdr:ext").attribute("cx"), u"9906000");
    const QString graphique = Suivre(parties, dessin, "c:chart", kRelGraphique, kTypeGraphique);
    EXPECT_NE(Suivre(parties, graphique, "c:userShapes", kRelFormesGraphique, kTypeFormesGraphique), dessin);
    // Le second graphique, sans zone de texte, n'a ni formes ni relations.
    EXPECT_TRUE(Elements(Dom(parties.at("xl/charts/chart2.xml")), "c:userShapes").isEmpty());
    EXPECT_EQ(parties.count("xl/charts/_rels/chart2.xml.rels"), 0u);
    // Les séries citent la feuille de données par son nom, apostrophes doublées.
    EXPECT_EQ(Elements(Dom(parties.at(graphique)), "c:f").value(1).text(), u"'Données d''O''Neil & co'!$B$2:$B$6");
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
    EXPECT_EQ(coin(ancres[0], "cdr:from"), std::pair(0.5, 0.5));
    EXPECT_EQ(coin(ancres[0], "cdr:to"), std::pair(0.75, 0.6));
    EXPECT_EQ(TexteRiche(ancres[0]), u"Note <1> & \"2\"");
    EXPECT_EQ(Premier(ancres[0], "cdr:cNvSpPr").attribute("txBox"), u"1");
    Attributs(Premier(ancres[0], "a:rPr"), {{"sz", "1100"}, {"b", "1"}});
    EXPECT_EQ(Couleur(Premier(ancres[0], "a:rPr")), u"008000");
    // Les identifiants des formes sont distincts.
    EXPECT_NE(Premier(ancres[0], "cdr:cNvPr").attribute("id"), Premier(ancres[1], "cdr:cNvPr").attribute("id"));
    // Un texte long et sale : sans caractère de contrôle, coupé à la longueur d'une cellule.
    const QString texte = TexteRiche(ancres[1]);
    EXPECT_EQ(texte.size(), kLongueurTexteMax);
    EXPECT_TRUE(texte.startsWith(QLatin1String("a<&>zzz")));
}

} // namespace
