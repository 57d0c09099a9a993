#include "output/classeur/AxeGraphique.h"

#include "output/classeur/DessinXlsx.h"

#include <QXmlStreamWriter>

using namespace DessinXlsx;

namespace {

constexpr int kVersLeBas = -4170;
constexpr int kQuartDeTour = 5400000;  // 90° en 1/60 000 de degré

const QString kFormatDatesParDefaut = QStringLiteral("dd/mm/yyyy");

QString UniteTemps(int unite)
{
    static const QString noms[] = {QStringLiteral("days"), QStringLiteral("months"), QStringLiteral("years")};
    return noms[qBound(ConstantesTableur::kJours, unite, ConstantesTableur::kAnnees)];
}

} // namespace

int AxeGraphique::Rotation(int orientation)
{
    if (orientation == ConstantesTableur::kVersLeHaut)
        return -kQuartDeTour;
    if (orientation == kVersLeBas)
        return kQuartDeTour;
    // Sinon des degrés, comptés vers le haut par le tableur, vers le bas par le format.
    if (orientation >= -90 && orientation <= 90)
        return -orientation * 60000;
    return 0;
}

bool AxeGraphique::vertical() const
{
    return m_place.position == u"l" || m_place.position == u"r";
}

void AxeGraphique::ecrire(QXmlStreamWriter& x) const
{
    static const QString elements[] = {QStringLiteral("c:catAx"), QStringLiteral("c:dateAx"), QStringLiteral("c:valAx")};
    x.writeStartElement(elements[int(m_genre)]);
    EcrireVal(x, QStringLiteral("c:axId"), m_place.id);
    ecrireEchelle(x);
    EcrireVal(x, QStringLiteral("c:delete"), m_axe.visible ? 0 : 1);
    EcrireVal(x, QStringLiteral("c:axPos"), m_place.position);
    ecrireGrille(x);
    ecrireTitre(x);
    ecrireEtiquettes(x);
    EcrireVal(x, QStringLiteral("c:crossAx"), m_place.idCroise);
    ecrireCroisement(x);
    ecrireFin(x);
    x.writeEndElement();
}

void AxeGraphique::ecrireEchelle(QXmlStreamWriter& x) const
{
    x.writeStartElement(QStringLiteral("c:scaling"));
    if (m_genre == Genre::Valeurs && m_axe.echelle == ConstantesTableur::kEchelleLogarithmique)
        EcrireVal(x, QStringLiteral("c:logBase"), 10);
    EcrireVal(x, QStringLiteral("c:orientation"), m_axe.ordreInverse ? QStringLiteral("maxMin") : QStringLiteral("minMax"));
    // Bornes sans objet sur un axe de catégories.
    if (m_genre != Genre::Categories) {
        if (m_axe.maximum)
            EcrireVal(x, QStringLiteral("c:max"), *m_axe.maximum);
        if (m_axe.minimum)
            EcrireVal(x, QStringLiteral("c:min"), *m_axe.minimum);
    }
    x.writeEndElement();
}

void AxeGraphique::ecrireGrille(QXmlStreamWriter& x) const
{
    if (!m_axe.grilleMajeure)
        return;
    x.writeStartElement(QStringLiteral("c:majorGridlines"));
    if (m_axe.couleurGrille) {
        x.writeStartElement(QStringLiteral("c:spPr"));
        EcrireTrait(x, m_axe.couleurGrille, ConstantesTableur::kTraitContinu);
        x.writeEndElement();
    }
    x.writeEndElement();
}

void AxeGraphique::ecrireTitre(QXmlStreamWriter& x) const
{
    if (!m_axe.aTitre)
        return;
    // Comme celui du graphique, le titre d'un axe tient en 255 caractères dans le tableur.
    const QString texte = TexteLimite(m_axe.titre, 255);
    x.writeStartElement(QStringLiteral("c:title"));
    EcrireTexteRiche(x, texte, m_axe.policeTitre, vertical() ? -kQuartDeTour : 0);
    EcrireVal(x, QStringLiteral("c:overlay"), 0);
    x.writeEndElement();
}

void AxeGraphique::ecrireEtiquettes(QXmlStreamWriter& x) const
{
    QString format = m_axe.formatEtiquettes;
    if (format.isEmpty())
        format = m_genre == Genre::Dates ? kFormatDatesParDefaut : QStringLiteral("General");
    x.writeEmptyElement(QStringLiteral("c:numFmt"));
    x.writeAttribute(QStringLiteral("formatCode"), TexteLimite(format, 255));
    x.writeAttribute(QStringLiteral("sourceLinked"), QStringLiteral("0"));
    EcrireVal(x, QStringLiteral("c:majorTickMark"), QStringLiteral("out"));
    EcrireVal(x, QStringLiteral("c:minorTickMark"), QStringLiteral("none"));
    EcrireVal(x, QStringLiteral("c:tickLblPos"), QStringLiteral("nextTo"));
    if (m_axe.couleurTrait) {
        x.writeStartElement(QStringLiteral("c:spPr"));
        EcrireTrait(x, m_axe.couleurTrait, ConstantesTableur::kTraitContinu);
        x.writeEndElement();
    }
    const int rotation = Rotation(m_axe.orientationEtiquettes);
    const PoliceXlsx& police = m_axe.policeEtiquettes;
    if (rotation != 0 || police.taille > 0 || police.gras || police.couleur)
        EcrireProprietesTexte(x, police, rotation);
}

void AxeGraphique::ecrireCroisement(QXmlStreamWriter& x) const
{
    switch (m_perpendiculaire.croisement) {
    case ConstantesTableur::kCroiseALaValeur:
        EcrireVal(x, QStringLiteral("c:crossesAt"), m_perpendiculaire.croiseA);
        break;
    case ConstantesTableur::kCroiseAuMaximum:
        EcrireVal(x, QStringLiteral("c:crosses"), QStringLiteral("max"));
        break;
    case ConstantesTableur::kCroiseAuMinimum:
        EcrireVal(x, QStringLiteral("c:crosses"), QStringLiteral("min"));
        break;
    default:
        EcrireVal(x, QStringLiteral("c:crosses"), m_place.croiseAuMaximum ? QStringLiteral("max") : QStringLiteral("autoZero"));
    }
}

void AxeGraphique::ecrireFin(QXmlStreamWriter& x) const
{
    switch (m_genre) {
    case Genre::Categories:
        EcrireVal(x, QStringLiteral("c:auto"), 1);
        EcrireVal(x, QStringLiteral("c:lblAlgn"), QStringLiteral("ctr"));
        EcrireVal(x, QStringLiteral("c:lblOffset"), 100);
        EcrireVal(x, QStringLiteral("c:noMultiLvlLbl"), 0);
        break;
    case Genre::Dates:
        // auto 0 : axe de dates imposé, pas choisi d'après les données.
        EcrireVal(x, QStringLiteral("c:auto"), 0);
        EcrireVal(x, QStringLiteral("c:lblOffset"), 100);
        ecrireUnitesTemps(x);
        break;
    case Genre::Valeurs:
        EcrireVal(x, QStringLiteral("c:crossBetween"), m_place.entreCategories ? QStringLiteral("between") : QStringLiteral("midCat"));
        if (m_axe.uniteMajeure && *m_axe.uniteMajeure > 0)
            EcrireVal(x, QStringLiteral("c:majorUnit"), *m_axe.uniteMajeure);
        if (m_axe.uniteMineure && *m_axe.uniteMineure > 0)
            EcrireVal(x, QStringLiteral("c:minorUnit"), *m_axe.uniteMineure);
        break;
    }
}

void AxeGraphique::ecrireUnitesTemps(QXmlStreamWriter& x) const
{
    if (m_axe.uniteBase)
        EcrireVal(x, QStringLiteral("c:baseTimeUnit"), UniteTemps(*m_axe.uniteBase));
    if (m_axe.uniteMajeure && *m_axe.uniteMajeure > 0)
        EcrireVal(x, QStringLiteral("c:majorUnit"), *m_axe.uniteMajeure);
    if (m_axe.echelleUniteMajeure)
        EcrireVal(x, QStringLiteral("c:majorTimeUnit"), UniteTemps(*m_axe.echelleUniteMajeure));
    if (m_axe.uniteMineure && *m_axe.uniteMineure > 0)
        EcrireVal(x, QStringLiteral("c:minorUnit"), *m_axe.uniteMineure);
    if (m_axe.echelleUniteMineure)
        EcrireVal(x, QStringLiteral("c:minorTimeUnit"), UniteTemps(*m_axe.echelleUniteMineure));
}
