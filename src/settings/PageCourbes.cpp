#include "settings/PageCourbes.h"

#include "commun/Palette.h"
#include "model/Classe_Graphiques.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int largeurMotif = 96;
constexpr int hauteurMotif = 14;

// Les lignes se voient mieux dessinées qu'écrites en traits bas : chaque motif
// est peint avec le style de trait de son numéro.
QIcon imageMotif(int motif)
{
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
    QPixmap image(largeurMotif, hauteurMotif);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 2, styles[motif], Qt::FlatCap));
    p.drawLine(2, hauteurMotif / 2, largeurMotif - 2, hauteurMotif / 2);
    return QIcon(image);
}

QTableWidgetItem* celluleVerrouillee(const QString& texte)
{
    auto* c = new QTableWidgetItem(texte);
    c->setFlags(Qt::ItemIsEnabled);
    return c;
}

} // namespace

const QString& PageCourbes::choixAffichage()
{
    static const QString liste = QStringLiteral(
        "___________________________\t___ ___ ___ ___ ___ ___ ___\t_ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ \t"
        "__ _ __ _ __ _ __ _ __ _ __\t__ _ _ __ _ _ __ _ _ __ _ _\tInvisible");
    return liste;
}

const QString& PageCourbes::choixSymbol()
{
    static const QString liste = QStringLiteral("+\tx\t0\tInvisible");
    return liste;
}

PageCourbes::PageCourbes(QWidget* parent)
    : QWidget(parent)
    , m_grille(new QTableWidget(0, 4, this))
{
    m_grille->setObjectName(QStringLiteral("SprCourbes"));
    m_grille->setHorizontalHeaderLabels({QStringLiteral("Titre"), QStringLiteral(" "), QStringLiteral("Affichage"), QStringLiteral("Symbol")});
    m_grille->horizontalHeader()->setSectionResizeMode(Titre, QHeaderView::Stretch);
    m_grille->setColumnWidth(Couleur, 28);
    m_grille->setColumnWidth(Affichage, largeurMotif + 40);
    m_grille->setColumnWidth(Symbol, 90);
    m_grille->setSelectionMode(QAbstractItemView::NoSelection);
    m_grille->setTabKeyNavigation(false);
    // On passe d'une liste à l'autre par la tabulation ; la grille elle-même ne prend pas la main.
    m_grille->setFocusPolicy(Qt::NoFocus);
    auto* l = new QVBoxLayout(this);
    auto* legende = new QLabel(QStringLiteral("Tracé de chaque courbe du graphique :"), this);
    l->addWidget(legende);
    l->addWidget(m_grille);
}

QComboBox* PageCourbes::listeMotifs(int motif) const
{
    auto* liste = new QComboBox();
    liste->setIconSize(QSize(largeurMotif, hauteurMotif));
    const QStringList elements = choixAffichage().split(u'\t');
    for (int i = 0; i < elements.size(); ++i) {
        const bool invisible = i == elements.size() - 1;
        liste->addItem(invisible ? QIcon() : imageMotif(i), invisible ? elements[i] : QString());
        liste->setItemData(i, elements[i], Qt::ToolTipRole);
        liste->setItemData(i, elements[i], Qt::AccessibleTextRole);
    }
    liste->setCurrentIndex(motif);
    return liste;
}

QComboBox* PageCourbes::listeSymboles(int symbole) const
{
    auto* liste = new QComboBox();
    liste->addItems(choixSymbol().split(u'\t'));
    liste->setCurrentIndex(symbole);
    return liste;
}

void PageCourbes::remplir(const Classe_Graphiques& courbes)
{
    constexpr int motifInvisible = 5, symboleInvisible = 3;
    m_grille->setRowCount(courbes.Compter());
    QWidget* precedent = m_grille;
    for (int k = 1; k <= courbes.Compter(); ++k) {
        const CourbePtr c = courbes.GetCourbe(k);
        const int r = k - 1;
        m_grille->setItem(r, Titre, celluleVerrouillee(c->Titre()));
        QTableWidgetItem* couleur = celluleVerrouillee(QString());
        couleur->setBackground(QColor::fromRgb(Palette::rgb(c->Couleur())));
        // Verrouillée : la couleur vient de la courbe, la case le dit plutôt que de ne rien répondre.
        couleur->setToolTip(QStringLiteral("Couleur de la courbe, donnée par le graphique (elle ne se change pas ici)."));
        m_grille->setItem(r, Couleur, couleur);
        const bool motifConnu = c->Pattern() >= 0 && c->Pattern() < motifInvisible;
        m_grille->setCellWidget(r, Affichage, listeMotifs(!c->Afficher() ? motifInvisible : motifConnu ? c->Pattern() : 0));
        const bool symboleConnu = c->Symbol() >= 0 && c->Symbol() < symboleInvisible;
        m_grille->setCellWidget(r, Symbol, listeSymboles(symboleConnu ? c->Symbol() : symboleInvisible));
        for (int colonne : {Affichage, Symbol}) {
            QWidget::setTabOrder(precedent, m_grille->cellWidget(r, colonne));
            precedent = m_grille->cellWidget(r, colonne);
        }
    }
}

void PageCourbes::lire(SaisieOptions& saisie) const
{
    saisie.courbes.clear();
    for (int r = 0; r < m_grille->rowCount(); ++r) {
        const auto* motif = qobject_cast<const QComboBox*>(m_grille->cellWidget(r, Affichage));
        const auto* symbole = qobject_cast<const QComboBox*>(m_grille->cellWidget(r, Symbol));
        saisie.courbes.append({motif ? motif->currentIndex() : 0, symbole ? symbole->currentIndex() : 0});
    }
}
