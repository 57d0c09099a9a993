#include "output/classeur/DessinXlsx.h"

#include "output/classeur/TexteXlsx.h"

#include <QRegularExpression>
#include <QXmlStreamWriter>
#include <cmath>

namespace DessinXlsx {

namespace {

struct StyleTrait
{
    int constante;
    const char* tirets;
};

// Styles de trait du tableur → tirets prédéfinis de DrawingML.
constexpr StyleTrait kTirets[] = {
    {ConstantesTableur::kTraitContinu, "solid"},
    {ConstantesTableur::kTraitTirets, "dash"},
    {ConstantesTableur::kTraitPoints, "sysDot"},
    {ConstantesTableur::kTraitTiretPoint, "dashDot"},
    {ConstantesTableur::kTraitTiretPointPoint, "sysDashDotDot"},
};

const char* Tirets(int style)
{
    for (const StyleTrait& s : kTirets)
        if (s.constante == style)
            return s.tirets;
    return nullptr;
}

} // namespace

QString TexteLimite(const QString& texte, int longueurMax)
{
    QString propre = NettoyerTexteCellule(texte);
    if (propre.size() > longueurMax) {
        propre.truncate(longueurMax);
        if (propre.back().isHighSurrogate())
            propre.chop(1);
    }
    return propre;
}

QString CouleurHex(quint32 couleur)
{
    return QStringLiteral("%1").arg(couleur & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

void EcrireVal(QXmlStreamWriter& x, const QString& nom, const QString& valeur)
{
    x.writeEmptyElement(nom);
    x.writeAttribute(QStringLiteral("val"), valeur);
}

void EcrireVal(QXmlStreamWriter& x, const QString& nom, int valeur)
{
    EcrireVal(x, nom, QString::number(valeur));
}

void EcrireVal(QXmlStreamWriter& x, const QString& nom, double valeur)
{
    EcrireVal(x, nom, TexteNombreXml(valeur));
}

void EcrireRemplissage(QXmlStreamWriter& x, quint32 couleur)
{
    x.writeStartElement(QStringLiteral("a:solidFill"));
    EcrireVal(x, QStringLiteral("a:srgbClr"), CouleurHex(couleur));
    x.writeEndElement();
}

void EcrireTrait(QXmlStreamWriter& x, std::optional<quint32> couleur, int style, int largeur)
{
    x.writeStartElement(QStringLiteral("a:ln"));
    if (largeur > 0)
        x.writeAttribute(QStringLiteral("w"), QString::number(largeur));
    if (style == ConstantesTableur::kAucun) {
        x.writeEmptyElement(QStringLiteral("a:noFill"));
    } else {
        if (couleur)
            EcrireRemplissage(x, *couleur);
        if (const char* tirets = Tirets(style))
            EcrireVal(x, QStringLiteral("a:prstDash"), QString::fromLatin1(tirets));
    }
    x.writeEndElement();
}

void EcrirePolice(QXmlStreamWriter& x, const QString& nom, const PoliceXlsx& police, bool langue)
{
    x.writeStartElement(nom);
    if (langue)
        x.writeAttribute(QStringLiteral("lang"), QStringLiteral("fr-FR"));
    // Le format compte en centièmes de point, de 1 à 4 000 points.
    if (police.taille > 0)
        x.writeAttribute(QStringLiteral("sz"), QString::number(qBound(100, int(std::lround(police.taille * 100)), 400000)));
    x.writeAttribute(QStringLiteral("b"), police.gras ? QStringLiteral("1") : QStringLiteral("0"));
    if (police.couleur)
        EcrireRemplissage(x, *police.couleur);
    if (!police.nom.isEmpty()) {
        x.writeEmptyElement(QStringLiteral("a:latin"));
        x.writeAttribute(QStringLiteral("typeface"), police.nom);
    }
    x.writeEndElement();
}

void EcrireProprietesTexte(QXmlStreamWriter& x, const PoliceXlsx& police, int rotation)
{
    x.writeStartElement(QStringLiteral("c:txPr"));
    x.writeEmptyElement(QStringLiteral("a:bodyPr"));
    if (rotation != 0)
        x.writeAttribute(QStringLiteral("rot"), QString::number(rotation));
    x.writeEmptyElement(QStringLiteral("a:lstStyle"));
    x.writeStartElement(QStringLiteral("a:p"));
    x.writeStartElement(QStringLiteral("a:pPr"));
    EcrirePolice(x, QStringLiteral("a:defRPr"), police);
    x.writeEndElement();
    x.writeEmptyElement(QStringLiteral("a:endParaRPr"));
    x.writeAttribute(QStringLiteral("lang"), QStringLiteral("fr-FR"));
    x.writeEndElement();
    x.writeEndElement();
}

void EcrireParagraphes(QXmlStreamWriter& x, const QString& texte, const PoliceXlsx& police)
{
    static const QRegularExpression finDeLigne(QStringLiteral("\\r\\n|\\r|\\n"));
    for (const QString& ligne : texte.split(finDeLigne)) {
        x.writeStartElement(QStringLiteral("a:p"));
        x.writeStartElement(QStringLiteral("a:pPr"));
        EcrirePolice(x, QStringLiteral("a:defRPr"), police);
        x.writeEndElement();
        if (!ligne.isEmpty()) {
            x.writeStartElement(QStringLiteral("a:r"));
            EcrirePolice(x, QStringLiteral("a:rPr"), police, true);
            x.writeTextElement(QStringLiteral("a:t"), ligne);
            x.writeEndElement();
        }
        x.writeEndElement();
    }
}

void EcrireTexteRiche(QXmlStreamWriter& x, const QString& texte, const PoliceXlsx& police, int rotation)
{
    x.writeStartElement(QStringLiteral("c:tx"));
    x.writeStartElement(QStringLiteral("c:rich"));
    x.writeEmptyElement(QStringLiteral("a:bodyPr"));
    if (rotation != 0)
        x.writeAttribute(QStringLiteral("rot"), QString::number(rotation));
    x.writeEmptyElement(QStringLiteral("a:lstStyle"));
    EcrireParagraphes(x, texte, police);
    x.writeEndElement();
    x.writeEndElement();
}

} // namespace DessinXlsx
