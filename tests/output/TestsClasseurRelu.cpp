#include "output/classeur/ClasseurXlsx.h"
#include "output/classeur/PartieGraphique.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Un interpréteur Python qui connaît openpyxl, lecteur indépendant du nôtre.
QString PythonAvecOpenpyxl()
{
    for (const QString& nom : {QStringLiteral("python3"), QStringLiteral("/usr/bin/python3")}) {
        const QString programme = QStandardPaths::findExecutable(nom);
        if (programme.isEmpty() && !QFile::exists(nom))
            continue;
        QProcess p;
        p.start(programme.isEmpty() ? nom : programme, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
        if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return programme.isEmpty() ? nom : programme;
    }
    return {};
}

// Le classeur enregistré, relu par le script Python donné ; son résumé JSON.
QJsonObject Relire(const QString& python, const ClasseurXlsx& c, const char* script)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("relu.xlsx"));
    QString erreur;
    EXPECT_TRUE(c.enregistrer(chemin, erreur)) << erreur.toStdString();
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QString::fromUtf8(script), chemin});
    EXPECT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

const char kLecture[] = R"(
import sys, json, datetime, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
def valeur(c):
    v = ws[c].value
    if isinstance(v, datetime.datetime):
        return {"date": v.strftime("%Y-%m-%d")}
    return v
print(json.dumps({
    "feuilles": wb.sheetnames,
    "valeurs": {c: valeur(c) for c in ["A1", "B1", "C1", "D1", "D2", "E2", "XFD3"]},
    "formats": {c: ws[c].number_format for c in ["B1", "C1", "D1"]},
    "seconde": wb.worksheets[1]["B2"].value,
}))
)";

TEST(ClasseurRelu, OpenpyxlRelitLeClasseur)
{
    const QString python = PythonAvecOpenpyxl();
    if (python.isEmpty())
        FAIL() << "python3 avec openpyxl absent : scripts/installer-paquets.sh l'installe";
    ClasseurXlsx c;
    const int f = c.ajouterFeuille(QStringLiteral("Débits <&>"));
    const int g = c.ajouterFeuille(QStringLiteral("Débits <&>"));
    c.definirTexte(f, 1, 1, QStringLiteral("Station « Aval » & \"amont\""));
    c.definirNombre(f, 1, 2, 0.1 + 0.2);
    c.definirFormat(f, 1, 2, QStringLiteral("0.00"));
    c.definirDate(f, 1, 3, QDate(2024, 1, 1));
    c.collerTexte(f, 1, 4, QStringLiteral("15/08/2023\n12,75\tligne\x01"));
    c.definirNombre(f, 3, 16384, -1e-7);
    c.definirTexte(g, 2, 2, QStringLiteral("seconde"));
    const QJsonObject lu = Relire(python, c, kLecture);
    ASSERT_FALSE(lu.isEmpty());
    EXPECT_EQ(lu[u"feuilles"].toVariant().toStringList(),
              (QStringList{QStringLiteral("Débits <&>"), QStringLiteral("Débits <&> (2)")}));
    const QJsonObject v = lu[u"valeurs"].toObject();
    EXPECT_EQ(v[u"A1"].toString(), QStringLiteral("Station « Aval » & \"amont\""));
    EXPECT_EQ(v[u"B1"].toDouble(), 0.1 + 0.2);
    EXPECT_EQ(v[u"C1"].toObject()[u"date"].toString(), u"2024-01-01");
    EXPECT_EQ(v[u"D1"].toObject()[u"date"].toString(), u"2023-08-15");
    EXPECT_EQ(v[u"D2"].toDouble(), 12.75);
    EXPECT_EQ(v[u"E2"].toString(), u"ligne");
    EXPECT_EQ(v[u"XFD3"].toDouble(), -1e-7);
    const QJsonObject formats = lu[u"formats"].toObject();
    EXPECT_EQ(formats[u"B1"].toString(), u"0.00");
    EXPECT_EQ(formats[u"C1"].toString(), u"dd/mm/yyyy");
    EXPECT_EQ(lu[u"seconde"].toString(), u"seconde");
}

const char kLectureGraphique[] = R"(
import sys, json, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
cs = wb.chartsheets[0]
chart = cs._charts[0]
def formule(s, noms):
    for nom in noms:
        d = getattr(s, nom, None)
        if d is not None and d.numRef is not None:
            return d.numRef.f
    return None
def axe(a):
    return {"genre": a.tagname, "id": a.axId, "croise": a.crossAx, "supprime": bool(a.delete)}
print(json.dumps({
    "feuilles": wb.sheetnames,
    "graphiques": [ws.title for ws in wb.chartsheets],
    "elements": [{
        "type": c.tagname,
        "axes": [axe(c.x_axis), axe(c.y_axis)],
        "x": [formule(s, ["cat", "xVal"]) for s in c.ser],
        "y": [formule(s, ["val", "yVal"]) for s in c.ser],
        "idx": [s.idx for s in c.ser],
    } for c in chart._charts],
    "legende": [e.idx for e in chart.legend.legendEntry if e.delete],
}))
)";

TEST(ClasseurRelu, OpenpyxlRelitLaFeuilleGraphique)
{
    const QString python = PythonAvecOpenpyxl();
    if (python.isEmpty())
        FAIL() << "python3 avec openpyxl absent : scripts/installer-paquets.sh l'installe";
    namespace CT = ConstantesTableur;
    ClasseurXlsx c;
    const int f = c.ajouterFeuille(QStringLiteral("Pluie d'été"));
    for (int l = 2; l <= 36526; ++l) {
        c.definirNombre(f, l, 1, 36526 + l);
        c.definirNombre(f, l, 2, l % 3 ? 0 : l % 17 * 0.2);
    }
    const QString nom = c.nomFeuille(f);
    const int g = c.ajouterFeuilleGraphique({}, 0);
    GraphiqueXlsx& graphique = *c.graphique(g);
    SerieXlsx colonnes;
    colonnes.x = {nom, 2, 1, 36526, 1};
    colonnes.valeurs = {nom, 2, 2, 36526, 2};
    SerieXlsx nuage = colonnes;
    nuage.typeGraphique = CT::kNuageLignesSansMarque;
    nuage.groupeAxes = 2;
    nuage.entreeLegendeSupprimee = true;
    graphique.series = {nuage, colonnes};
    graphique.axeX.uniteBase = CT::kJours;
    const QJsonObject lu = Relire(python, c, kLectureGraphique);
    ASSERT_FALSE(lu.isEmpty());
    EXPECT_EQ(lu[u"feuilles"].toVariant().toStringList(), (QStringList{QStringLiteral("Graph1"), QStringLiteral("Pluie d'été")}));
    EXPECT_EQ(lu[u"graphiques"].toVariant().toStringList(), QStringList{QStringLiteral("Graph1")});
    const QJsonArray elements = lu[u"elements"].toArray();
    ASSERT_EQ(elements.size(), 2);
    const QJsonObject barres = elements[0].toObject(), points = elements[1].toObject();
    EXPECT_EQ(barres[u"type"].toString(), u"barChart");
    EXPECT_EQ(points[u"type"].toString(), u"scatterChart");
    EXPECT_EQ(barres[u"x"].toArray()[0].toString(), u"'Pluie d''été'!$A$2:$A$36526");
    EXPECT_EQ(barres[u"y"].toArray()[0].toString(), u"'Pluie d''été'!$B$2:$B$36526");
    EXPECT_EQ(points[u"x"].toArray()[0].toString(), u"'Pluie d''été'!$A$2:$A$36526");
    const QJsonArray axesBarres = barres[u"axes"].toArray(), axesPoints = points[u"axes"].toArray();
    EXPECT_EQ(axesBarres[0].toObject()[u"genre"].toString(), u"dateAx");
    EXPECT_EQ(axesBarres[0].toObject()[u"id"].toInt(), PartieGraphique::kAxeX);
    EXPECT_EQ(axesBarres[0].toObject()[u"croise"].toInt(), PartieGraphique::kAxeY);
    EXPECT_EQ(axesBarres[1].toObject()[u"id"].toInt(), PartieGraphique::kAxeY);
    EXPECT_EQ(axesPoints[0].toObject()[u"genre"].toString(), u"valAx");
    EXPECT_EQ(axesPoints[0].toObject()[u"id"].toInt(), PartieGraphique::kAxeX2);
    EXPECT_TRUE(axesPoints[0].toObject()[u"supprime"].toBool());
    EXPECT_EQ(axesPoints[1].toObject()[u"id"].toInt(), PartieGraphique::kAxeY2);
    EXPECT_EQ(axesPoints[1].toObject()[u"croise"].toInt(), PartieGraphique::kAxeX2);
    // L'entrée supprimée est celle du nuage, quel que soit l'ordre des éléments.
    EXPECT_EQ(lu[u"legende"].toArray(), QJsonArray{points[u"idx"].toArray()[0]});
}

} // namespace
