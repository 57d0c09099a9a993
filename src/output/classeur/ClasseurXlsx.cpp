#include "output/classeur/ClasseurXlsx.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "output/classeur/ChainesPartagees.h"
#include "output/classeur/PaquetOoxml.h"
#include "output/classeur/PartiesClasseur.h"
#include "output/classeur/RelationsOoxml.h"
#include "output/classeur/StylesXlsx.h"
#include "output/classeur/TexteXlsx.h"

#include <QRegularExpression>

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
    for (const FeuilleXlsx& f : m_feuilles)
        if (f.nom().compare(nom, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString ClasseurXlsx::nomDisponible(const QString& demande) const
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
        int n = int(m_feuilles.size()) + 1;
        while (nomPris(QStringLiteral("Feuil%1").arg(n)))
            ++n;
        return QStringLiteral("Feuil%1").arg(n);
    }
    const QString base = nom;
    for (int n = 2; nomPris(nom); ++n) {
        const QString suffixe = QStringLiteral(" (%1)").arg(n);
        nom = CouperNom(base, kLongueurNomMax - int(suffixe.size())) + suffixe;
    }
    return nom;
}

int ClasseurXlsx::ajouterFeuille(const QString& nom)
{
    m_feuilles.emplace_back(nomDisponible(nom));
    return int(m_feuilles.size()) - 1;
}

QString ClasseurXlsx::nomFeuille(int feuille) const
{
    const FeuilleXlsx* f = this->feuille(feuille);
    return f ? f->nom() : QString();
}

const FeuilleXlsx* ClasseurXlsx::feuille(int feuille) const
{
    return feuille >= 0 && feuille < nombreFeuilles() ? &m_feuilles[size_t(feuille)] : nullptr;
}

FeuilleXlsx* ClasseurXlsx::feuilleModifiable(int feuille)
{
    return feuille >= 0 && feuille < nombreFeuilles() ? &m_feuilles[size_t(feuille)] : nullptr;
}

bool ClasseurXlsx::definirNombre(int feuille, int ligne, int colonne, double valeur)
{
    FeuilleXlsx* f = feuilleModifiable(feuille);
    return f && f->definirNombre(ligne, colonne, valeur);
}

bool ClasseurXlsx::definirTexte(int feuille, int ligne, int colonne, const QString& texte)
{
    FeuilleXlsx* f = feuilleModifiable(feuille);
    return f && f->definirTexte(ligne, colonne, texte);
}

bool ClasseurXlsx::definirDate(int feuille, int ligne, int colonne, const QDate& date)
{
    FeuilleXlsx* f = feuilleModifiable(feuille);
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
    int ecrites = 0;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const QStringList champs = lignes.at(i).split(u'\t');
        for (qsizetype j = 0; j < champs.size(); ++j)
            if (collerChamp(*f, ligne + int(i), colonne + int(j), champs.at(j)))
                ++ecrites;
    }
    return ecrites;
}

void ClasseurXlsx::construirePaquet(PaquetOoxml& paquet) const
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

    ChainesPartagees chaines;
    StylesXlsx styles;
    RelationsOoxml relations;
    QStringList noms, ids;
    for (size_t i = 0; i < m_feuilles.size(); ++i) {
        const QString nomPartie = QStringLiteral("worksheets/sheet%1.xml").arg(i + 1);
        paquet.ajouterPartie(QStringLiteral("xl/") + nomPartie, m_feuilles[i].xml(chaines, styles), QLatin1String(kTypeFeuille));
        noms.append(m_feuilles[i].nom());
        ids.append(relations.ajouter(QLatin1String(kRelFeuille), nomPartie));
    }
    relations.ajouter(QLatin1String(kRelStyles), QStringLiteral("styles.xml"));
    relations.ajouter(QLatin1String(kRelTextes), QStringLiteral("sharedStrings.xml"));
    paquet.ajouterPartie(QStringLiteral("xl/workbook.xml"), Classeur(noms, ids), QLatin1String(kTypeClasseur));
    paquet.ajouterPartie(QStringLiteral("xl/_rels/workbook.xml.rels"), relations.xml());
    paquet.ajouterPartie(QStringLiteral("xl/styles.xml"), styles.xml(), QLatin1String(kTypeStyles));
    paquet.ajouterPartie(QStringLiteral("xl/sharedStrings.xml"), chaines.xml(), QLatin1String(kTypeTextes));
}

bool ClasseurXlsx::enregistrer(const QString& chemin, QString& erreur) const
{
    if (m_feuilles.empty()) {
        erreur = QStringLiteral("Le classeur n'a aucune feuille.");
        return false;
    }
    PaquetOoxml paquet;
    construirePaquet(paquet);
    return paquet.enregistrer(chemin, erreur);
}
