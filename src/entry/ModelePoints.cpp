#include "entry/ModelePoints.h"

#include "commun/Dates.h"

#include <QColor>
#include <algorithm>
#include <numeric>

namespace {
struct Apparence
{
    const char* fond;
    const char* texte; // nullptr : couleur du texte par défaut
};

// Dans l'ordre de GrillePoints::Style : Normal, Accepte, Invalide, Grise.
constexpr std::array<Apparence, 4> apparences{{
    {"#FFFFFF", nullptr},
    {"#DFF5DF", nullptr},
    {"#F8D0D0", "#8B0000"},
    {"#E4E4E4", "#808080"},
}};

const std::array<const char*, GrillePoints::nombreColonnes> entetes{"Date", "Heure", "Valeur", "Rupt", "Obt", "V X", "V Y"};

// Rupture et obtention se posent par le programme, jamais au clavier.
bool colonneSaisissable(int colonne)
{
    return colonne != GrillePoints::Rupture && colonne != GrillePoints::Obtention;
}
} // namespace

ModelePoints::ModelePoints(QObject* parent) : QAbstractTableModel(parent) {}

int ModelePoints::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lignes.size());
}

int ModelePoints::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : GrillePoints::nombreColonnes;
}

QVariant ModelePoints::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !existe(index.row(), index.column()))
        return {};
    const Cellule& c = m_lignes.at(index.row()).at(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return c.texte;
    case Qt::BackgroundRole:
        return couleurFond(c.style);
    case Qt::ForegroundRole: {
        const QColor couleur = couleurTexte(c.style);
        return couleur.isValid() ? QVariant(couleur) : QVariant();
    }
    case Qt::TextAlignmentRole:
        if (index.column() == GrillePoints::Valeur)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignCenter);
    case RoleStyle:
        return int(c.style);
    case RoleVerrou:
        return c.verrou;
    default:
        return {};
    }
}

QVariant ModelePoints::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < int(entetes.size()))
        return QString::fromLatin1(entetes.at(section));
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ModelePoints::flags(const QModelIndex& index) const
{
    if (!index.isValid() || !existe(index.row(), index.column()))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (colonneSaisissable(index.column()) && !m_lignes.at(index.row()).at(index.column()).verrou)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ModelePoints::setData(const QModelIndex& index, const QVariant& valeur, int role)
{
    if (!index.isValid() || !existe(index.row(), index.column()))
        return false;
    const int l = index.row(), c = index.column();
    switch (role) {
    case Qt::EditRole: {
        const QString texte = valeur.toString();
        if (m_lignes.at(l).at(c).texte == texte)
            return true;
        ecrire(l, c, texte);
        m_lignes[l][c].saisie = true;
        emit celluleSaisie(l, c);
        return true;
    }
    case RoleStyle:
        setStyle(l, c, Style(valeur.toInt()));
        return true;
    case RoleVerrou:
        verrouiller(l, c, valeur.toBool());
        return true;
    default:
        return false;
    }
}

void ModelePoints::setLignes(int n)
{
    n = std::max(0, n);
    if (n == 0)
        m_originesRetirees.clear();
    const int actuel = int(m_lignes.size());
    if (n > actuel) {
        beginInsertRows({}, actuel, n - 1);
        m_lignes.resize(n);
        endInsertRows();
    } else if (n < actuel) {
        beginRemoveRows({}, n, actuel - 1);
        m_lignes.resize(n);
        endRemoveRows();
    }
}

QString ModelePoints::texte(int ligne, int colonne) const
{
    return existe(ligne, colonne) ? m_lignes.at(ligne).at(colonne).texte : QString();
}

void ModelePoints::ecrire(int ligne, int colonne, const QString& texte)
{
    const auto [debut, fin] = etendue(ligne, colonne);
    for (int c = debut; c < fin; ++c) {
        m_lignes[ligne][c].texte = texte;
        m_lignes[ligne][c].saisie = false;
    }
    signalerLigne(ligne, debut, fin);
}

ModelePoints::Style ModelePoints::style(int ligne, int colonne) const
{
    return existe(ligne, std::max(colonne, 0)) ? m_lignes.at(ligne).at(std::max(colonne, 0)).style : Style::Normal;
}

void ModelePoints::setStyle(int ligne, int colonne, Style style)
{
    const auto [debut, fin] = etendue(ligne, colonne);
    for (int c = debut; c < fin; ++c)
        m_lignes[ligne][c].style = style;
    signalerLigne(ligne, debut, fin);
}

bool ModelePoints::verrouille(int ligne, int colonne) const
{
    const auto [debut, fin] = etendue(ligne, colonne);
    if (debut >= fin)
        return false;
    for (int c = debut; c < fin; ++c)
        if (!m_lignes.at(ligne).at(c).verrou)
            return false;
    return true;
}

void ModelePoints::verrouiller(int ligne, int colonne, bool verrou)
{
    const auto [debut, fin] = etendue(ligne, colonne);
    for (int c = debut; c < fin; ++c)
        m_lignes[ligne][c].verrou = verrou;
    signalerLigne(ligne, debut, fin);
}

void ModelePoints::definirBornesDates(const QDate& minimum, const QDate& maximum)
{
    m_dateMinimum = minimum;
    m_dateMaximum = maximum;
}

void ModelePoints::setOrigine(int ligne, const OrigineLigne& origine)
{
    if (ligne >= 0 && ligne < m_lignes.size())
        m_lignes[ligne].origine = origine;
}

std::optional<OrigineLigne> ModelePoints::origine(int ligne) const
{
    return ligne >= 0 && ligne < m_lignes.size() ? m_lignes.at(ligne).origine : std::nullopt;
}

void ModelePoints::marquerModifiee(int ligne)
{
    if (ligne >= 0 && ligne < m_lignes.size())
        m_lignes[ligne].modifiee = true;
}

bool ModelePoints::modifiee(int ligne) const
{
    return ligne >= 0 && ligne < m_lignes.size() && m_lignes.at(ligne).modifiee;
}

bool ModelePoints::saisie(int ligne, int colonne) const
{
    return existe(ligne, colonne) && m_lignes.at(ligne).at(colonne).saisie;
}

bool ModelePoints::saisiesEnAttente() const
{
    if (!m_originesRetirees.isEmpty())
        return true;
    for (int r = 0; r < m_lignes.size(); ++r)
        if (m_lignes.at(r).modifiee || (!m_lignes.at(r).origine && ligneRemplie(r)))
            return true;
    return false;
}

void ModelePoints::insererLigne(int avant)
{
    avant = std::clamp(avant, 0, int(m_lignes.size()));
    beginInsertRows({}, avant, avant);
    m_lignes.insert(avant, Ligne{});
    endInsertRows();
}

void ModelePoints::supprimerLigne(int ligne)
{
    if (ligne < 0 || ligne >= m_lignes.size())
        return;
    beginRemoveRows({}, ligne, ligne);
    if (m_lignes.at(ligne).origine)
        m_originesRetirees << *m_lignes.at(ligne).origine;
    m_lignes.removeAt(ligne);
    endRemoveRows();
}

bool ModelePoints::ligneRemplie(int ligne) const
{
    for (int c : {GrillePoints::Date, GrillePoints::Heure, GrillePoints::Valeur})
        if (!texte(ligne, c).trimmed().isEmpty())
            return true;
    return false;
}

int ModelePoints::trierSurDateHeure(int suivie)
{
    const QList<int> ordre = ordreDateHeure();
    appliquerOrdre(ordre);
    if (suivie < 0 || suivie >= ordre.size())
        return -1;
    return int(ordre.indexOf(suivie));
}

QColor ModelePoints::couleurFond(Style style)
{
    return QColor(QString::fromLatin1(apparences.at(std::size_t(style)).fond));
}

QColor ModelePoints::couleurTexte(Style style)
{
    const char* texte = apparences.at(std::size_t(style)).texte;
    return texte ? QColor(QString::fromLatin1(texte)) : QColor();
}

bool ModelePoints::existe(int ligne, int colonne) const
{
    return ligne >= 0 && ligne < m_lignes.size() && colonne >= 0 && colonne < GrillePoints::nombreColonnes;
}

std::pair<int, int> ModelePoints::etendue(int ligne, int colonne) const
{
    if (colonne == -1 && existe(ligne, 0))
        return {0, GrillePoints::nombreColonnes};
    if (existe(ligne, colonne))
        return {colonne, colonne + 1};
    return {0, 0};
}

void ModelePoints::signalerLigne(int ligne, int debut, int fin)
{
    if (debut < fin)
        emit dataChanged(index(ligne, debut), index(ligne, fin - 1));
}

QList<int> ModelePoints::ordreDateHeure() const
{
    struct Cle
    {
        std::optional<QDate> date;
        QTime heure;
    };
    QList<Cle> cles;
    cles.reserve(m_lignes.size());
    for (const Ligne& l : m_lignes) {
        // Une heure illisible compte pour minuit, comme dans DateEtHeure.
        const auto heure = LireHeure(l.at(GrillePoints::Heure).texte);
        cles.append({LireDate(l.at(GrillePoints::Date).texte), heure.value_or(QTime(0, 0))});
    }
    QList<int> ordre(m_lignes.size());
    std::iota(ordre.begin(), ordre.end(), 0);
    std::stable_sort(ordre.begin(), ordre.end(), [&cles](int a, int b) {
        const Cle& x = cles.at(a);
        const Cle& y = cles.at(b);
        if (!x.date || !y.date)
            return x.date.has_value() && !y.date.has_value();
        if (*x.date != *y.date)
            return *x.date < *y.date;
        return x.heure < y.heure;
    });
    return ordre;
}

// `ordre[i]` est l'ancienne place de la ligne qui vient en i.
void ModelePoints::appliquerOrdre(const QList<int>& ordre)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<int> nouvellePlace(ordre.size());
    QList<Ligne> lignes;
    lignes.reserve(ordre.size());
    for (int i = 0; i < ordre.size(); ++i) {
        lignes.append(m_lignes.at(ordre.at(i)));
        nouvellePlace[ordre.at(i)] = i;
    }
    m_lignes = std::move(lignes);
    const QModelIndexList anciens = persistentIndexList();
    QModelIndexList nouveaux;
    nouveaux.reserve(anciens.size());
    for (const QModelIndex& i : anciens)
        nouveaux.append(index(nouvellePlace.at(i.row()), i.column()));
    changePersistentIndexList(anciens, nouveaux);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
