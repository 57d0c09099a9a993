#include "output/classeur/PartieGraphique.h"

#include "output/classeur/AxeGraphique.h"
#include "output/classeur/DessinXlsx.h"
#include "output/classeur/PartiesClasseur.h"
#include "output/classeur/TexteXlsx.h"

#include <QXmlStreamWriter>
#include <algorithm>
#include <iterator>

using namespace DessinXlsx;
namespace CT = ConstantesTableur;

namespace {

struct TypeConnu
{
    int constante;
    int famille;  // rang dans PartieGraphique::Famille
};

constexpr TypeConnu kTypes[] = {
    {CT::kColonnesGroupees, 0}, {CT::kColonnesEmpilees, 0}, {CT::kLigne, 1},
    {CT::kNuageLisseSansMarque, 2}, {CT::kNuageLignesSansMarque, 2},
};

int RangFamille(int type)
{
    for (const TypeConnu& t : kTypes)
        if (t.constante == type)
            return t.famille;
    return -1;
}

struct Symbole
{
    int constante;
    const char* nom;
};

// Marques du tableur → symboles du format.
constexpr Symbole kSymboles[] = {
    {CT::kMarquePlus, "plus"}, {CT::kMarqueCroix, "x"}, {CT::kMarqueCercle, "circle"}, {CT::kAucun, "none"},
    {1, "square"}, {2, "diamond"}, {3, "triangle"}, {5, "star"}, {-4118, "dot"}, {-4115, "dash"},
};

const char* NomSymbole(int marque)
{
    for (const Symbole& s : kSymboles)
        if (s.constante == marque)
            return s.nom;
    return nullptr;
}

// Couleurs des séries qui n'en ont pas, dans l'ordre des séries : sans
// thème dans le classeur, LibreOffice laisserait ces séries invisibles.
constexpr quint32 kCouleursAutomatiques[] = {0x4472C4, 0xED7D31, 0xA5A5A5, 0xFFC000, 0x5B9BD5, 0x70AD47};

double Fraction(double valeur, double total)
{
    return qBound(0.0, valeur / total, 1.0);
}

} // namespace

PartieGraphique::PartieGraphique(const GraphiqueXlsx& graphique) : m_graphique(graphique)
{
    grouperSeries();
}

void PartieGraphique::grouperSeries()
{
    // Sans série sur les axes principaux, le groupe 2 n'a pas lieu d'être.
    bool principal = false;
    for (const SerieXlsx& s : m_graphique.series)
        principal = principal || s.groupeAxes != 2;
    const int typeParDefaut = RangFamille(m_graphique.typeGraphique) >= 0 ? m_graphique.typeGraphique : CT::kColonnesGroupees;
    for (const SerieXlsx& s : m_graphique.series) {
        const int type = RangFamille(s.typeGraphique) >= 0 ? s.typeGraphique : typeParDefaut;
        const bool secondaire = principal && s.groupeAxes == 2;
        auto it = std::find_if(m_groupes.begin(), m_groupes.end(),
                               [&](const Groupe& g) { return g.type == type && g.secondaire == secondaire; });
        if (it == m_groupes.end())
            it = m_groupes.insert(m_groupes.end(), Groupe{type, PartieGraphique::Famille(RangFamille(type)), secondaire, {}, 0});
        it->series.push_back(&s);
    }
    // Un tracé sans série garde un élément vide, le format en exigeant un.
    if (m_groupes.empty())
        m_groupes.push_back(Groupe{typeParDefaut, PartieGraphique::Famille(RangFamille(typeParDefaut)), false, {}, 0});
    // Axes principaux d'abord : les lecteurs numérotent les entrées de légende
    // dans cet ordre, et c:legendEntry cite ce numéro.
    std::stable_partition(m_groupes.begin(), m_groupes.end(), [](const Groupe& g) { return !g.secondaire; });
    int indice = 0;
    for (Groupe& g : m_groupes) {
        g.premierIndice = indice;
        indice += int(g.series.size());
    }
}

bool PartieGraphique::aSecondaire() const
{
    return std::any_of(m_groupes.begin(), m_groupes.end(), [](const Groupe& g) { return g.secondaire; });
}

bool PartieGraphique::groupeNuage(bool secondaire) const
{
    bool present = false;
    for (const Groupe& g : m_groupes) {
        if (g.secondaire != secondaire)
            continue;
        if (g.famille != Famille::Nuage)
            return false;
        present = true;
    }
    return present;
}

QString PartieGraphique::Formule(const PlageXlsx& plage)
{
    QString reference = u'$' + LettresColonne(plage.colonne1) + u'$' + QString::number(plage.ligne1);
    if (plage.ligne2 != plage.ligne1 || plage.colonne2 != plage.colonne1)
        reference += QStringLiteral(":$") + LettresColonne(plage.colonne2) + u'$' + QString::number(plage.ligne2);
    if (plage.feuille.isEmpty())
        return reference;
    QString nom = plage.feuille;
    nom.replace(u'\'', QStringLiteral("''"));
    return u'\'' + nom + QStringLiteral("'!") + reference;
}

QByteArray PartieGraphique::xml(const QString& idFormes) const
{
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("c:chartSpace"));
    x.writeAttribute(QStringLiteral("xmlns:c"), QLatin1String(kEspaceGraphique));
    x.writeAttribute(QStringLiteral("xmlns:a"), QLatin1String(kEspaceDessin));
    x.writeAttribute(QStringLiteral("xmlns:r"), QLatin1String(PartiesClasseur::kEspaceRelations));
    EcrireVal(x, QStringLiteral("c:date1904"), 0);
    EcrireVal(x, QStringLiteral("c:lang"), QStringLiteral("fr-FR"));
    EcrireVal(x, QStringLiteral("c:roundedCorners"), 0);
    ecrireGraphique(x);
    if (m_graphique.fondGraphique) {
        x.writeStartElement(QStringLiteral("c:spPr"));
        EcrireRemplissage(x, *m_graphique.fondGraphique);
        x.writeEndElement();
    }
    if (!idFormes.isEmpty()) {
        x.writeEmptyElement(QStringLiteral("c:userShapes"));
        x.writeAttribute(QStringLiteral("r:id"), idFormes);
    }
    x.writeEndDocument();
    return octets;
}

void PartieGraphique::ecrireGraphique(QXmlStreamWriter& x) const
{
    x.writeStartElement(QStringLiteral("c:chart"));
    ecrireTitre(x);
    ecrireZoneTrace(x);
    if (m_graphique.aLegende)
        ecrireLegende(x);
    EcrireVal(x, QStringLiteral("c:plotVisOnly"), 1);
    // Une cellule vide coupe la courbe : les exportations y comptent.
    EcrireVal(x, QStringLiteral("c:dispBlanksAs"), QStringLiteral("gap"));
    x.writeEndElement();
}

void PartieGraphique::ecrireTitre(QXmlStreamWriter& x) const
{
    const QString texte = m_graphique.aTitre ? TexteLimite(m_graphique.titre, kLongueurTitreMax) : QString();
    if (texte.isEmpty()) {
        EcrireVal(x, QStringLiteral("c:autoTitleDeleted"), 1);
        return;
    }
    x.writeStartElement(QStringLiteral("c:title"));
    EcrireTexteRiche(x, texte, m_graphique.policeTitre);
    EcrireVal(x, QStringLiteral("c:overlay"), 0);
    x.writeEndElement();
    EcrireVal(x, QStringLiteral("c:autoTitleDeleted"), 0);
}

void PartieGraphique::ecrireDisposition(QXmlStreamWriter& x, const CadreXlsx& cadre, bool interieur)
{
    x.writeStartElement(QStringLiteral("c:layout"));
    if (cadre.gauche || cadre.haut || cadre.largeur || cadre.hauteur) {
        x.writeStartElement(QStringLiteral("c:manualLayout"));
        if (interieur)
            EcrireVal(x, QStringLiteral("c:layoutTarget"), QStringLiteral("inner"));
        EcrireVal(x, QStringLiteral("c:xMode"), QStringLiteral("edge"));
        EcrireVal(x, QStringLiteral("c:yMode"), QStringLiteral("edge"));
        const double gauche = Fraction(cadre.gauche.value_or(0), GraphiqueXlsx::kLargeur);
        const double haut = Fraction(cadre.haut.value_or(0), GraphiqueXlsx::kHauteur);
        if (cadre.gauche)
            EcrireVal(x, QStringLiteral("c:x"), gauche);
        if (cadre.haut)
            EcrireVal(x, QStringLiteral("c:y"), haut);
        // Le cadre ne déborde pas de la zone du graphique.
        if (cadre.largeur)
            EcrireVal(x, QStringLiteral("c:w"), qMin(Fraction(*cadre.largeur, GraphiqueXlsx::kLargeur), 1 - gauche));
        if (cadre.hauteur)
            EcrireVal(x, QStringLiteral("c:h"), qMin(Fraction(*cadre.hauteur, GraphiqueXlsx::kHauteur), 1 - haut));
        x.writeEndElement();
    }
    x.writeEndElement();
}

void PartieGraphique::ecrireZoneTrace(QXmlStreamWriter& x) const
{
    x.writeStartElement(QStringLiteral("c:plotArea"));
    ecrireDisposition(x, m_graphique.cadreTrace, true);
    for (const Groupe& g : m_groupes)
        ecrireGroupe(x, g);
    ecrireAxes(x);
    if (m_graphique.fondTrace) {
        x.writeStartElement(QStringLiteral("c:spPr"));
        EcrireRemplissage(x, *m_graphique.fondTrace);
        x.writeEndElement();
    }
    x.writeEndElement();
}

void PartieGraphique::ecrireGroupe(QXmlStreamWriter& x, const Groupe& groupe) const
{
    static const QString elements[] = {QStringLiteral("c:barChart"), QStringLiteral("c:lineChart"),
                                       QStringLiteral("c:scatterChart")};
    x.writeStartElement(elements[int(groupe.famille)]);
    switch (groupe.famille) {
    case Famille::Colonnes:
        EcrireVal(x, QStringLiteral("c:barDir"), QStringLiteral("col"));
        EcrireVal(x, QStringLiteral("c:grouping"),
                  groupe.type == CT::kColonnesEmpilees ? QStringLiteral("stacked") : QStringLiteral("clustered"));
        break;
    case Famille::Ligne:
        EcrireVal(x, QStringLiteral("c:grouping"), QStringLiteral("standard"));
        break;
    case Famille::Nuage:
        EcrireVal(x, QStringLiteral("c:scatterStyle"),
                  groupe.type == CT::kNuageLisseSansMarque ? QStringLiteral("smoothMarker") : QStringLiteral("lineMarker"));
        break;
    }
    EcrireVal(x, QStringLiteral("c:varyColors"), 0);
    for (size_t i = 0; i < groupe.series.size(); ++i)
        ecrireSerie(x, groupe, *groupe.series[i], groupe.premierIndice + int(i));
    ecrireFinGroupe(x, groupe);
    x.writeEndElement();
}

void PartieGraphique::ecrireFinGroupe(QXmlStreamWriter& x, const Groupe& groupe) const
{
    if (groupe.famille == Famille::Colonnes) {
        EcrireVal(x, QStringLiteral("c:gapWidth"), qBound(0, m_graphique.largeurIntervalle, 500));
        // Empilées, les colonnes d'une catégorie se recouvrent entièrement.
        const int chevauchement = groupe.type == CT::kColonnesEmpilees ? 100 : qBound(-100, m_graphique.chevauchement, 100);
        EcrireVal(x, QStringLiteral("c:overlap"), chevauchement);
    } else if (groupe.famille == Famille::Ligne) {
        EcrireVal(x, QStringLiteral("c:marker"), 1);
    }
    EcrireVal(x, QStringLiteral("c:axId"), groupe.secondaire ? kAxeX2 : kAxeX);
    EcrireVal(x, QStringLiteral("c:axId"), groupe.secondaire ? kAxeY2 : kAxeY);
}

void PartieGraphique::ecrireSerie(QXmlStreamWriter& x, const Groupe& groupe, const SerieXlsx& serie, int indice) const
{
    x.writeStartElement(QStringLiteral("c:ser"));
    EcrireVal(x, QStringLiteral("c:idx"), indice);
    EcrireVal(x, QStringLiteral("c:order"), indice);
    const QString nom = TexteLimite(serie.nom, kLongueurTitreMax);
    if (!nom.isEmpty()) {
        x.writeStartElement(QStringLiteral("c:tx"));
        x.writeTextElement(QStringLiteral("c:v"), nom);
        x.writeEndElement();
    }
    ecrireFormatSerie(x, groupe.famille, serie, indice);
    if (groupe.famille == Famille::Colonnes)
        EcrireVal(x, QStringLiteral("c:invertIfNegative"), 0);
    else
        ecrireMarque(x, groupe.famille, serie);
    ecrireDonnees(x, groupe.famille, serie);
    if (groupe.famille != Famille::Colonnes)
        EcrireVal(x, QStringLiteral("c:smooth"), groupe.type == CT::kNuageLisseSansMarque ? 1 : 0);
    x.writeEndElement();
}

void PartieGraphique::ecrireFormatSerie(QXmlStreamWriter& x, Famille famille, const SerieXlsx& serie, int indice)
{
    const quint32 automatique = kCouleursAutomatiques[indice % std::size(kCouleursAutomatiques)];
    x.writeStartElement(QStringLiteral("c:spPr"));
    if (famille == Famille::Colonnes) {
        EcrireRemplissage(x, serie.couleurRemplissage.value_or(automatique));
        // Une colonne n'a de bordure que si on lui en donne une.
        if (serie.couleurTrait || serie.styleTrait == CT::kAucun)
            EcrireTrait(x, serie.couleurTrait, serie.styleTrait);
    } else {
        EcrireTrait(x, serie.couleurTrait.value_or(automatique), serie.styleTrait);
    }
    x.writeEndElement();
}

void PartieGraphique::ecrireMarque(QXmlStreamWriter& x, Famille famille, const SerieXlsx& serie)
{
    int marque = serie.marque;
    // Les nuages 73 et 75 sont « sans marque » tant qu'on n'en demande pas une.
    if (marque == CT::kAutomatique && famille == Famille::Nuage)
        marque = CT::kAucun;
    const char* symbole = NomSymbole(marque);
    if (!symbole)
        return;
    x.writeStartElement(QStringLiteral("c:marker"));
    EcrireVal(x, QStringLiteral("c:symbol"), QString::fromLatin1(symbole));
    if (marque != CT::kAucun) {
        if (serie.tailleMarque > 0)
            EcrireVal(x, QStringLiteral("c:size"), qBound(2, serie.tailleMarque, 72));
        if (serie.couleurMarque) {
            x.writeStartElement(QStringLiteral("c:spPr"));
            EcrireRemplissage(x, *serie.couleurMarque);
            EcrireTrait(x, serie.couleurMarque, CT::kTraitContinu);
            x.writeEndElement();
        }
    }
    x.writeEndElement();
}

void PartieGraphique::ecrireDonnees(QXmlStreamWriter& x, Famille famille, const SerieXlsx& serie)
{
    const bool nuage = famille == Famille::Nuage;
    const std::pair<const PlageXlsx*, QString> donnees[] = {
        {&serie.x, nuage ? QStringLiteral("c:xVal") : QStringLiteral("c:cat")},
        {&serie.valeurs, nuage ? QStringLiteral("c:yVal") : QStringLiteral("c:val")},
    };
    for (const auto& donnee : donnees) {
        if (!donnee.first->valide())
            continue;
        x.writeStartElement(donnee.second);
        x.writeStartElement(QStringLiteral("c:numRef"));
        x.writeTextElement(QStringLiteral("c:f"), Formule(*donnee.first));
        x.writeEndElement();
        x.writeEndElement();
    }
}

void PartieGraphique::ecrireAxes(QXmlStreamWriter& x) const
{
    using Genre = AxeGraphique::Genre;
    const GraphiqueXlsx& g = m_graphique;
    const auto genreX = [this](bool secondaire, const AxeXlsx& axe) {
        if (groupeNuage(secondaire))
            return Genre::Valeurs;
        return axe.uniteBase ? Genre::Dates : Genre::Categories;
    };
    const Genre x1 = genreX(false, g.axeX);
    AxeGraphique(x1, g.axeX, g.axeY, {kAxeX, kAxeY, QStringLiteral("b"), false, true}).ecrire(x);
    AxeGraphique(Genre::Valeurs, g.axeY, g.axeX, {kAxeY, kAxeX, QStringLiteral("l"), false, x1 != Genre::Valeurs})
        .ecrire(x);
    if (!aSecondaire())
        return;
    const Genre x2 = genreX(true, g.axeX2);
    AxeGraphique(x2, g.axeX2, g.axeY2, {kAxeX2, kAxeY2, QStringLiteral("t"), false, true}).ecrire(x);
    AxeGraphique(Genre::Valeurs, g.axeY2, g.axeX2, {kAxeY2, kAxeX2, QStringLiteral("r"), true, x2 != Genre::Valeurs})
        .ecrire(x);
}

void PartieGraphique::ecrireLegende(QXmlStreamWriter& x) const
{
    x.writeStartElement(QStringLiteral("c:legend"));
    EcrireVal(x, QStringLiteral("c:legendPos"), QStringLiteral("r"));
    for (const Groupe& g : m_groupes) {
        for (size_t i = 0; i < g.series.size(); ++i) {
            if (!g.series[i]->entreeLegendeSupprimee)
                continue;
            x.writeStartElement(QStringLiteral("c:legendEntry"));
            EcrireVal(x, QStringLiteral("c:idx"), g.premierIndice + int(i));
            EcrireVal(x, QStringLiteral("c:delete"), 1);
            x.writeEndElement();
        }
    }
    ecrireDisposition(x, m_graphique.cadreLegende, false);
    EcrireVal(x, QStringLiteral("c:overlay"), 0);
    ecrireBordureLegende(x);
    const PoliceXlsx& police = m_graphique.policeLegende;
    if (police.taille > 0 || police.gras || police.couleur)
        EcrireProprietesTexte(x, police);
    x.writeEndElement();
}

void PartieGraphique::ecrireBordureLegende(QXmlStreamWriter& x) const
{
    if (!m_graphique.bordureLegende && !m_graphique.ombreLegende)
        return;
    x.writeStartElement(QStringLiteral("c:spPr"));
    EcrireRemplissage(x, 0xFFFFFF);
    // Trait fin : 0,25 point.
    EcrireTrait(x, 0x000000, m_graphique.bordureLegende ? CT::kTraitContinu : CT::kAucun, 3175);
    if (m_graphique.ombreLegende) {
        x.writeStartElement(QStringLiteral("a:effectLst"));
        x.writeStartElement(QStringLiteral("a:outerShdw"));
        x.writeAttribute(QStringLiteral("dist"), QStringLiteral("35921"));
        x.writeAttribute(QStringLiteral("dir"), QStringLiteral("2700000"));
        x.writeAttribute(QStringLiteral("algn"), QStringLiteral("tl"));
        x.writeAttribute(QStringLiteral("rotWithShape"), QStringLiteral("0"));
        EcrireVal(x, QStringLiteral("a:srgbClr"), QStringLiteral("000000"));
        x.writeEndElement();
        x.writeEndElement();
    }
    x.writeEndElement();
}
