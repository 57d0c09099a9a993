#include "settings/PageGrille.h"

#include "commun/Dates.h"
#include "model/Classe_Graphiques.h"
#include "settings/PastilleFond.h"
#include "settings/ValidationOptions.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

PageGrille::PageGrille(Periode periode, QWidget* parent)
    : QWidget(parent)
    , m_periode(std::move(periode))
{
    auto* grille = new QGroupBox(QStringLiteral("Grille et séparateurs"), this);
    grille->setObjectName(QStringLiteral("FrmGrid"));
    m_grilleX = new QCheckBox(QStringLiteral("Grille &verticale"), grille);
    m_grilleX->setObjectName(QStringLiteral("ChkXGrid"));
    m_grilleY = new QCheckBox(QStringLiteral("Grille &horizontale"), grille);
    m_grilleY->setObjectName(QStringLiteral("ChkYGrid"));
    m_nbSeparations = new QLineEdit(grille);
    m_nbSeparations->setObjectName(QStringLiteral("TxtNbSeparations"));
    m_nbSeparations->setMaximumWidth(60);
    m_nbSeparations->setToolTip(QStringLiteral("Un nombre entier de 1 à %1 ; 0 compte pour 1").arg(ValidationOptions::separationsMax));
    m_separateur = new QCheckBox(QStringLiteral("&Séparateurs automatiques"), grille);
    m_separateur->setObjectName(QStringLiteral("ChkSeparateur"));
    m_separateur->setChecked(true);
    m_separateursX = new QLineEdit(grille);
    m_separateursX->setObjectName(QStringLiteral("TxtSeparateursX"));
    m_separateursX->setMaximumWidth(60);
    m_separateursX->setReadOnly(true);
    m_libelleSeparateurs = new QLabel(QStringLiteral("Séparateurs de la période :"), grille);
    auto* lg = new QFormLayout(grille);
    lg->addRow(m_grilleX);
    lg->addRow(m_grilleY);
    lg->addRow(QStringLiteral("&Divisions de l'axe des valeurs :"), m_nbSeparations);
    lg->addRow(m_separateur);
    lg->addRow(m_libelleSeparateurs, m_separateursX);
    m_libelleSeparateurs->hide();
    m_separateursX->hide();
    connect(m_separateur, &QCheckBox::clicked, this, &PageGrille::separateurClique);

    auto* fond = new QGroupBox(QStringLiteral("Couleur de fond"), this);
    fond->setObjectName(QStringLiteral("FrmCouleurFond"));
    auto* lf = new QGridLayout(fond);
    for (int i = 0; i < int(m_pastilles.size()); ++i) {
        m_pastilles[std::size_t(i)] = new PastilleFond(i, fond);
        lf->addWidget(m_pastilles[std::size_t(i)], i / 8, i % 8);
        connect(m_pastilles[std::size_t(i)], &PastilleFond::choisie, this, &PageGrille::choisirFond);
    }
    lf->setColumnStretch(8, 1);

    auto* l = new QVBoxLayout(this);
    l->addWidget(grille);
    l->addWidget(fond);
    l->addStretch();
}

void PageGrille::remplir(const Classe_Graphiques& c)
{
    m_grilleX->setChecked(c.GrilleX());
    m_grilleY->setChecked(c.GrilleY());
    m_nbSeparations->setText(QString::number(c.NbSeparations()));
    choisirFond(c.CouleurFond());
}

void PageGrille::lire(SaisieOptions& s) const
{
    s.grilleX = m_grilleX->isChecked();
    s.grilleY = m_grilleY->isChecked();
    s.nbSeparations = m_nbSeparations->text();
    s.couleurFond = couleurFond();
}

void PageGrille::setNbSeparations(qint16 n)
{
    m_nbSeparations->setText(QString::number(n));
}

void PageGrille::choisirFond(int numero)
{
    for (PastilleFond* p : m_pastilles)
        p->setRetenue(p->numero() == numero);
}

qint16 PageGrille::couleurFond() const
{
    for (const PastilleFond* p : m_pastilles)
        if (p->retenue())
            return qint16(p->numero());
    return 15;
}

void PageGrille::separateurClique()
{
    const bool montre = !m_separateur->isChecked();
    m_libelleSeparateurs->setVisible(montre);
    m_separateursX->setVisible(montre);
    if (!montre)
        return;
    const auto [debut, fin] = m_periode ? m_periode() : std::pair<QString, QString>();
    m_separateursX->setText(nombreSeparateurs(debut, fin));
}

QString PageGrille::nombreSeparateurs(const QString& debut, const QString& fin)
{
    const auto d1 = LireDate(debut.trimmed()), d2 = LireDate(fin.trimmed());
    if (!d1 || !d2)
        return QStringLiteral("0");
    const bool memeAnnee = d1->year() == d2->year();
    return QString::number(DateDiff(memeAnnee ? Intervalle::Mois : Intervalle::Annee, *d1, *d2) + 1);
}
