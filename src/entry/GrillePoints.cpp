#include "entry/GrillePoints.h"

#include "commun/LocaleUtilisateur.h"
#include "commun/Nombres.h"
#include "entry/DelegueCellules.h"
#include "entry/ModelePoints.h"

#include <QHeaderView>

GrillePoints::GrillePoints(QWidget* parent)
    : QTableView(parent), m_modele(new ModelePoints(this)), m_delegue(new DelegueCellules(m_modele, this))
{
    setModel(m_modele);
    setItemDelegate(m_delegue);
    setColumnHidden(PositionX, true);
    setColumnHidden(PositionY, true);
    verticalHeader()->setVisible(true);
    // Serrée pour tenir dans le cadre d'édition : les cinq colonnes visibles sans défilement.
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setMinimumSectionSize(24);
    const int largeurs[] = {74, 56, 48, 30, 26};
    for (int c = 0; c < 5; ++c)
        setColumnWidth(c, largeurs[c]);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    connect(m_modele, &ModelePoints::celluleSaisie, this, &GrillePoints::celluleModifiee);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit celluleCliquee(index.row(), index.column()); });
}

GrillePoints::~GrillePoints() = default;

int GrillePoints::lignes() const
{
    return m_modele->rowCount();
}

void GrillePoints::setLignes(int n)
{
    m_modele->setLignes(n);
}

QString GrillePoints::texte(int ligne, int colonne) const
{
    return m_modele->texte(ligne, colonne);
}

void GrillePoints::setTexte(int ligne, int colonne, const QString& texte)
{
    m_modele->ecrire(ligne, colonne, texte);
}

GrillePoints::Style GrillePoints::style(int ligne, int colonne) const
{
    return m_modele->style(ligne, colonne);
}

void GrillePoints::setStyle(int ligne, int colonne, Style style)
{
    m_modele->setStyle(ligne, colonne, style);
}

bool GrillePoints::verrouille(int ligne, int colonne) const
{
    return m_modele->verrouille(ligne, colonne);
}

void GrillePoints::verrouiller(int ligne, int colonne, bool verrou)
{
    m_modele->verrouiller(ligne, colonne, verrou);
}

void GrillePoints::definirBornesDates(const QDate& minimum, const QDate& maximum)
{
    m_modele->definirBornesDates(minimum, maximum);
}

QDate GrillePoints::dateMinimum() const
{
    return m_modele->dateMinimum();
}

QDate GrillePoints::dateMaximum() const
{
    return m_modele->dateMaximum();
}

int GrillePoints::ligneActive() const
{
    const QModelIndex courant = currentIndex();
    return courant.isValid() ? courant.row() : -1;
}

void GrillePoints::insererLigne(int avant)
{
    avant = std::clamp(avant, 0, lignes());
    m_modele->insererLigne(avant);
    setCurrentIndex(m_modele->index(avant, Date));
}

void GrillePoints::supprimerLigne(int ligne)
{
    m_modele->supprimerLigne(ligne);
}

void GrillePoints::setOrigine(int ligne, const OrigineLigne& origine)
{
    m_modele->setOrigine(ligne, origine);
}

std::optional<OrigineLigne> GrillePoints::origine(int ligne) const
{
    return m_modele->origine(ligne);
}

void GrillePoints::marquerModifiee(int ligne)
{
    m_modele->marquerModifiee(ligne);
}

bool GrillePoints::modifiee(int ligne) const
{
    return m_modele->modifiee(ligne);
}

bool GrillePoints::saisiesEnAttente() const
{
    return m_modele->saisiesEnAttente();
}

void GrillePoints::validerSaisieEnCours()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    // L'éditeur d'une cellule est le seul enfant montré de la zone des cellules.
    for (QWidget* editeur : viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (editeur->isVisible()) {
            commitData(editeur);
            closeEditor(editeur, QAbstractItemDelegate::NoHint);
            return;
        }
}

QList<OrigineLigne> GrillePoints::originesRetirees() const
{
    return m_modele->originesRetirees();
}

QString GrillePoints::refus(int ligne, int colonne) const
{
    for (const int c : {Date, Heure, Valeur})
        if ((colonne < 0 || colonne == c) && m_modele->saisie(ligne, c))
            if (const QString r = m_delegue->refus(c, texte(ligne, c)); !r.isEmpty())
                return r;
    return QString();
}

QString GrillePoints::texteValeur(double valeur)
{
    // La grille s'écrit à la française quel que soit le réglage de l'utilisateur.
    return FormatNombre(valeur, QStringLiteral("0.00")).replace(LocaleUtilisateur::separateurDecimal(), u',');
}

bool GrillePoints::ligneRemplie(int ligne) const
{
    return m_modele->ligneRemplie(ligne);
}

int GrillePoints::trierSurDateHeure(int suivie)
{
    const int colonne = std::max(currentIndex().column(), 0);
    const int place = m_modele->trierSurDateHeure(suivie);
    if (place >= 0)
        setCurrentIndex(m_modele->index(place, colonne));
    return place;
}
