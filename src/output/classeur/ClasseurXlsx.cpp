#include "output/classeur/ClasseurXlsx.h"

#include "output/classeur/LignesFeuille.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "output/classeur/ChainesPartagees.h"
#include "output/classeur/FormesGraphique.h"
#include "output/classeur/PaquetOoxml.h"
#include "output/classeur/PartieGraphique.h"
#include "output/classeur/PartiesClasseur.h"
#include "output/classeur/RelationsOoxml.h"
#include "output/classeur/StylesXlsx.h"
#include "output/classeur/TexteXlsx.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace {

constexpr int kLongueurNomMax = 31;
const QString kFormatDate = QStringLiteral("dd/mm/yyyy");

QString CouperNom(const QString& nom, int longueur)
{
    QString coupe = nom.left(longueur);
    if (!coupe.isEmpty() && coupe.back().isHighSurrogate())
        coupe.chop(1);
    return coupe;
}

} // namespace

bool ClasseurXlsx::nomPris(const QString& nom) const
{
    for (const Onglet& o : m_onglets)
        if (o.nom().compare(nom, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int ClasseurXlsx::nombreGraphiques() const
{
    return int(std::count_if(m_onglets.begin(), m_onglets.end(), [](const Onglet& o) { return o.graphique != nullptr; }));
}

QString ClasseurXlsx::nomDisponible(const QString& demande, const QString& prefixe, int rangParDefaut) const
{
    QString nom = NettoyerTexteCellule(demande);
    nom.remove(QRegularExpression(QStringLiteral("[\\t\\r\\n]")));
    for (QChar& c : nom)
        if (QStringLiteral("[]:*?/\\").contains(c))
            c = u'_';
    // Le tableur refuse aussi une apostrophe au début ou à la fin.
    while (nom.startsWith(u'\''))
        nom.remove(0, 1);
    while (nom.endsWith(u'\''))
        nom.chop(1);
    nom = CouperNom(nom, kLongueurNomMax);
    if (nom.trimmed().isEmpty()) {
        int n = rangParDefaut;
        while (nomPris(prefixe + QString::number(n)))
            ++n;
        return prefixe + QString::number(n);
    }
    const QString base = nom;
    for (int n = 2; nomPris(nom); ++n) {
        const QString suffixe = QStringLiteral(" (%1)").arg(n);
        nom = CouperNom(base, kLongueurNomMax - int(suffixe.size())) + suffixe;
    }
    return nom;
}

int ClasseurXlsx::inserer(Onglet onglet, int position)
{
    if (position < 0 || position > nombreFeuilles())
        position = nombreFeuilles();
    // La feuille active reste la même, son rang suit l'insertion.
    if (!m_onglets.empty() && position <= m_active)
        ++m_active;
    m_onglets.insert(m_onglets.begin() + position, std::move(onglet));
    return position;
}

int ClasseurXlsx::ajouterFeuille(const QString& nom, int position)
{
    const int rang = nombreFeuilles() - nombreGraphiques() + 1;
    Onglet o;
    o.cellules = std::make_unique<FeuilleXlsx>(nomDisponible(nom, QStringLiteral("Feuil"), rang));
    return inserer(std::move(o), position);
}

int ClasseurXlsx::ajouterFeuilleGraphique(const QString& nom, int position)
{
    Onglet o;
    o.graphique = std::make_unique<FeuilleGraphiqueXlsx>(nomDisponible(nom, QStringLiteral("Graph"), nombreGraphiques() + 1));
    return inserer(std::move(o), position);
}

QString ClasseurXlsx::nomFeuille(int feuille) const
{
    return feuille >= 0 && feuille < nombreFeuilles() ? m_onglets[size_t(feuille)].nom() : QString();
}

const FeuilleXlsx* ClasseurXlsx::feuille(int feuille) const
{
    return feuille >= 0 && feuille < nombreFeuilles() ? m_onglets[size_t(feuille)].cellules.get() : nullptr;
}

FeuilleXlsx* ClasseurXlsx::feuilleModifiable(int feuille)
{
    return feuille >= 0 && feuille < nombreFeuilles() ? m_onglets[size_t(feuille)].cellules.get() : nullptr;
}

bool ClasseurXlsx::estFeuilleGraphique(int feuille) const
{
    return graphique(feuille) != nullptr;
}

GraphiqueXlsx* ClasseurXlsx::graphique(int feuille)
{
    if (feuille < 0 || feuille >= nombreFeuilles() || !m_onglets[size_t(feuille)].graphique)
        return nullptr;
    return &m_onglets[size_t(feuille)].graphique->graphique();
}

const GraphiqueXlsx* ClasseurXlsx::graphique(int feuille) const
{
    return const_cast<ClasseurXlsx*>(this)->graphique(feuille);
}

void ClasseurXlsx::definirFeuilleActive(int feuille)
{
    if (feuille >= 0 && feuille < nombreFeuilles())
        m_active = feuille;
}

FeuilleXlsx* ClasseurXlsx::feuilleModifiable(int feuille, int ligne)
{
    // Une ligne au-delà de la feuille fait refuser le classeur : rien n'est coupé sans le dire.
    if (ligne > kLignesMax)
        m_derniereLigneDemandee = std::max(m_derniereLigneDemandee, qint64(ligne));
    return feuilleModifiable(feuille);
}

bool ClasseurXlsx::definirNombre(int feuille, int ligne, int colonne, double valeur)
{
    FeuilleXlsx* f = feuilleModifiable(feuille, ligne);
    return f && f->definirNombre(ligne, colonne, valeur);
}

bool ClasseurXlsx::definirTexte(int feuille, int ligne, int colonne, const QString& texte)
{
    FeuilleXlsx* f = feuilleModifiable(feuille, ligne);
    return f && f->definirTexte(ligne, colonne, texte);
}

bool ClasseurXlsx::definirDate(int feuille, int ligne, int colonne, const QDate& date)
{
    FeuilleXlsx* f = feuilleModifiable(feuille, ligne);
    if (!f || !date.isValid() || !f->definirNombre(ligne, colonne, double(SerieDate(date))))
        return false;
    if (f->cellule(ligne, colonne)->format.isEmpty())
        f->definirFormat(ligne, colonne, kFormatDate);
    return true;
}

bool ClasseurXlsx::viderCellule(int feuille, int ligne, int colonne)
{
    FeuilleXlsx* f = feuilleModifiable(feuille);
    return f && f->vider(ligne, colonne);
}

bool ClasseurXlsx::definirLargeurColonne(int feuille, int colonne, double largeur)
{
    FeuilleXlsx* f = feuilleModifiable(feuille);
    return f && f->definirLargeur(colonne, largeur);
}

bool ClasseurXlsx::definirFormat(int feuille, int ligne, int colonne, const QString& format)
{
    FeuilleXlsx* f = feuilleModifiable(feuille);
    return f && f->definirFormat(ligne, colonne, format);
}

bool ClasseurXlsx::collerChamp(FeuilleXlsx& f, int ligne, int colonne, const QString& champ)
{
    if (champ.isEmpty())
        return f.vider(ligne, colonne);
    if (const auto date = LireDate(champ.trimmed())) {
        if (!f.definirNombre(ligne, colonne, double(SerieDate(*date))))
            return false;
        if (f.cellule(ligne, colonne)->format.isEmpty())
            f.definirFormat(ligne, colonne, kFormatDate);
        return true;
    }
    if (const auto nombre = LireNombre(QVariant(champ)))
        return f.definirNombre(ligne, colonne, *nombre);
    return f.definirTexte(ligne, colonne, champ);
}

int ClasseurXlsx::collerTexte(int feuille, int ligne, int colonne, const QString& texte)
{
    FeuilleXlsx* f = feuilleModifiable(feuille);
    if (!f)
        return 0;
    QStringList lignes = texte.split(QRegularExpression(QStringLiteral("\\r\\n|\\r|\\n")));
    // La fin de ligne finale d'une copie n'ajoute pas de ligne vide.
    if (!lignes.isEmpty() && lignes.back().isEmpty())
        lignes.removeLast();
    feuilleModifiable(feuille, int(std::min<qint64>(qint64(ligne) + lignes.size() - 1, std::numeric_limits<int>::max())));
    int ecrites = 0;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const QStringList champs = lignes.at(i).split(u'\t');
        for (qsizetype j = 0; j < champs.size(); ++j)
            if (collerChamp(*f, ligne + int(i), colonne + int(j), champs.at(j)))
                ++ecrites;
    }
    return ecrites;
}

void ClasseurXlsx::ajouterRacine(PaquetOoxml& paquet)
{
    using namespace PartiesClasseur;
    RelationsOoxml racine;
    racine.ajouter(QLatin1String(kRelDocument), QStringLiteral("xl/workbook.xml"));
    racine.ajouter(QLatin1String(kRelProprietesBase), QStringLiteral("docProps/core.xml"));
    racine.ajouter(QLatin1String(kRelProprietesApplication), QStringLiteral("docProps/app.xml"));
    paquet.ajouterPartie(QStringLiteral("_rels/.rels"), racine.xml());
    paquet.ajouterPartie(QStringLiteral("docProps/app.xml"), ProprietesApplication(),
                         QLatin1String(kTypeProprietesApplication));
    paquet.ajouterPartie(QStringLiteral("docProps/core.xml"), ProprietesBase(QDateTime::currentDateTimeUtc()),
                         QLatin1String(kTypeProprietesBase));
}

QString ClasseurXlsx::ajouterGraphique(PaquetOoxml& paquet, const GraphiqueXlsx& graphique, Numeros& n) const
{
    using namespace PartiesClasseur;
    const int numero = ++n.graphiques;
    RelationsOoxml relations;
    QString idFormes;
    if (!graphique.zonesTexte.empty()) {
        const int formes = ++n.dessins;
        idFormes = relations.ajouter(QLatin1String(kRelFormesGraphique), QStringLiteral("../drawings/drawing%1.xml").arg(formes));
        paquet.ajouterPartie(QStringLiteral("xl/drawings/drawing%1.xml").arg(formes), FormesGraphique::xml(graphique.zonesTexte),
                             QLatin1String(kTypeFormesGraphique));
        paquet.ajouterPartie(QStringLiteral("xl/charts/_rels/chart%1.xml.rels").arg(numero), relations.xml());
    }
    paquet.ajouterPartie(QStringLiteral("xl/charts/chart%1.xml").arg(numero), PartieGraphique(graphique).xml(idFormes),
                         QLatin1String(kTypeGraphique));
    return QStringLiteral("../charts/chart%1.xml").arg(numero);
}

QString ClasseurXlsx::ajouterPartiesFeuilleGraphique(PaquetOoxml& paquet, const FeuilleGraphiqueXlsx& f, bool active,
                                                     Numeros& n) const
{
    using namespace PartiesClasseur;
    // Le dessin prend son numéro avant les formes du graphique, comme le tableur.
    const int dessin = ++n.dessins;
    RelationsOoxml relationsDessin;
    const QString idGraphique = relationsDessin.ajouter(QLatin1String(kRelGraphique), ajouterGraphique(paquet, f.graphique(), n));
    const QString nomDessin = QStringLiteral("drawings/drawing%1.xml").arg(dessin);
    paquet.ajouterPartie(QStringLiteral("xl/") + nomDessin, FeuilleGraphiqueXlsx::dessin(idGraphique), QLatin1String(kTypeDessin));
    paquet.ajouterPartie(QStringLiteral("xl/drawings/_rels/drawing%1.xml.rels").arg(dessin), relationsDessin.xml());
    RelationsOoxml relationsFeuille;
    const QString idDessin = relationsFeuille.ajouter(QLatin1String(kRelDessin), QStringLiteral("../") + nomDessin);
    const QString nomPartie = QStringLiteral("chartsheets/sheet%1.xml").arg(n.graphiques);
    paquet.ajouterPartie(QStringLiteral("xl/") + nomPartie, f.xml(idDessin, active), QLatin1String(kTypeFeuilleGraphique));
    paquet.ajouterPartie(QStringLiteral("xl/chartsheets/_rels/sheet%1.xml.rels").arg(n.graphiques), relationsFeuille.xml());
    return nomPartie;
}

namespace {

// Une partie faite d'un seul tenant au moment de l'écrire, après celles qui la précèdent.
template <typename Faire>
PaquetOoxml::Producteur faiteALEcriture(Faire faire)
{
    return [faire](const PaquetOoxml::Verser& verser) {
        QByteArray octets = faire();
        return verser(octets);
    };
}

} // namespace

void ClasseurXlsx::construirePaquet(PaquetOoxml& paquet, ChainesPartagees& chaines, StylesXlsx& styles) const
{
    using namespace PartiesClasseur;
    ajouterRacine(paquet);
    RelationsOoxml relations;
    QStringList noms, ids;
    Numeros n;
    for (size_t i = 0; i < m_onglets.size(); ++i) {
        const Onglet& o = m_onglets[i];
        const bool active = int(i) == m_active;
        noms.append(o.nom());
        if (o.graphique) {
            ids.append(relations.ajouter(QLatin1String(kRelFeuilleGraphique), ajouterPartiesFeuilleGraphique(paquet, *o.graphique, active, n)));
            continue;
        }
        const QString nomPartie = QStringLiteral("worksheets/sheet%1.xml").arg(++n.feuilles);
        const FeuilleXlsx* feuille = o.cellules.get();
        paquet.ajouterPartie(
            QStringLiteral("xl/") + nomPartie,
            [feuille, &chaines, &styles, active](const PaquetOoxml::Verser& verser) { return feuille->ecrire(verser, chaines, styles, active); },
            QLatin1String(kTypeFeuille));
        ids.append(relations.ajouter(QLatin1String(kRelFeuille), nomPartie));
    }
    relations.ajouter(QLatin1String(kRelStyles), QStringLiteral("styles.xml"));
    relations.ajouter(QLatin1String(kRelTextes), QStringLiteral("sharedStrings.xml"));
    paquet.ajouterPartie(QStringLiteral("xl/workbook.xml"), Classeur(noms, ids, m_active), QLatin1String(kTypeClasseur));
    paquet.ajouterPartie(QStringLiteral("xl/_rels/workbook.xml.rels"), relations.xml());
    // Styles et textes partagés ne sont connus qu'une fois les feuilles écrites : ils viennent après.
    paquet.ajouterPartie(QStringLiteral("xl/styles.xml"), faiteALEcriture([&styles] { return styles.xml(); }),
                         QLatin1String(kTypeStyles));
    paquet.ajouterPartie(QStringLiteral("xl/sharedStrings.xml"), faiteALEcriture([&chaines] { return chaines.xml(); }),
                         QLatin1String(kTypeTextes));
}

bool ClasseurXlsx::enregistrer(const QString& chemin, QString& erreur) const
{
    if (m_derniereLigneDemandee > 0) {
        erreur = LignesFeuille::refus(m_derniereLigneDemandee - 1);
        return false;
    }
    if (m_onglets.empty()) {
        erreur = QStringLiteral("Le classeur n'a aucune feuille.");
        return false;
    }
    ChainesPartagees chaines;
    StylesXlsx styles;
    PaquetOoxml paquet;
    construirePaquet(paquet, chaines, styles);
    return paquet.enregistrer(chemin, erreur);
}
