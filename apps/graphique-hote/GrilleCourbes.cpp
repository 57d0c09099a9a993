#include "GrilleCourbes.h"

#include "control/CtlGraphique.h"

#include <QHeaderView>

GrilleCourbes::GrilleCourbes(CtlGraphique& controle, QWidget* parent)
    : QTableWidget(0, 3, parent)
    , m_controle(controle)
{
    setObjectName(QStringLiteral("GrilleCourbes"));
    setHorizontalHeaderLabels({QStringLiteral("Vue"), QStringLiteral("Courbe"), QStringLiteral("Rang")});
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    setColumnWidth(0, 40);
    setColumnHidden(2, true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    connect(this, &QTableWidget::cellClicked, this, &GrilleCourbes::celluleCliquee);
    connect(this, &QTableWidget::cellChanged, this, &GrilleCourbes::celluleModifiee);
}

QString GrilleCourbes::Text() const
{
    const QTableWidgetItem* c = item(m_ligne, m_colonne);
    return c ? c->text() : QString();
}

void GrilleCourbes::setText(const QString& texte)
{
    const bool avant = m_remplissage;
    m_remplissage = true;
    QTableWidgetItem* c = item(m_ligne, m_colonne);
    if (!c) {
        c = new QTableWidgetItem();
        setItem(m_ligne, m_colonne, c);
    }
    c->setText(texte);
    m_remplissage = avant;
}

void GrilleCourbes::remplir()
{
    m_remplissage = true;
    Classe_Graphiques& c = m_controle.CollCourbes();
    setRowCount(c.Compter() + 1);
    auto cellule = [&](int r, int col, const QString& texte, bool modifiable) {
        auto* it = new QTableWidgetItem(texte);
        if (!modifiable)
            it->setFlags(it->flags() & ~Qt::ItemIsEditable);
        setItem(r, col, it);
    };
    cellule(0, 0, QStringLiteral("X"), false);
    cellule(0, 1, QStringLiteral("Toutes les courbes"), false);
    cellule(0, 2, QString(), false);
    for (int k = 1; k <= c.Compter(); ++k) {
        const CourbePtr courbe = c.GetCourbe(k);
        cellule(k, 0, courbe && courbe->Afficher() ? QStringLiteral("X") : QStringLiteral(" "), false);
        cellule(k, 1, courbe ? courbe->Titre() : QString(), true);
        cellule(k, 2, QString::number(k), false);
    }
    m_remplissage = false;
}

void GrilleCourbes::celluleCliquee(int ligne, int colonne)
{
    if (colonne != 0)
        return;
    if (ligne == 0)
        m_controle.SelectUnselectCourbes(this);
    else
        m_controle.MajCourbesAffichees(this, ligne, 0);
}

void GrilleCourbes::celluleModifiee(int ligne, int colonne)
{
    if (!m_remplissage && colonne == 1 && ligne > 0)
        m_controle.MajCourbesAffichees(this, ligne, 1);
}
