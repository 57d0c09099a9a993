#include "settings/FrmOption.h"

#include "commun/messages/Messages.h"
#include "model/Classe_Graphiques.h"
#include "settings/AffichageRetenu.h"
#include "settings/Aide.h"
#include "settings/ApplicationOptions.h"
#include "settings/EnregistrementOptions.h"
#include "settings/PageCourbes.h"
#include "settings/PageEchelles.h"
#include "settings/PageFormats.h"
#include "settings/PageGrille.h"
#include "settings/PageTitres.h"
#include "settings/SaisieOptions.h"
#include "settings/ValidationOptions.h"

#include <QAction>
#include <QFontMetrics>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const char* const titresPages[FrmOption::nombrePages] = {"Courbes", "Titres et axes", "Formats des dates", "Échelles",
                                                          "Grille et fond"};

// L'image de chaque page, dessinée : une courbe, un titre, un calendrier, une règle, une grille.
QIcon imagePage(int page)
{
    QPixmap image(48, 48);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 60, 90), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (page) {
    case 0: p.drawPolyline(QPolygonF({{4, 40}, {14, 22}, {24, 30}, {34, 10}, {44, 18}})); break;
    case 1:
        p.drawLine(8, 8, 40, 8);
        p.drawLine(24, 8, 24, 42);
        break;
    case 2:
        p.drawRect(6, 10, 36, 32);
        p.drawLine(6, 20, 42, 20);
        break;
    case 3:
        p.drawLine(10, 4, 10, 44);
        for (int y = 8; y <= 40; y += 8)
            p.drawLine(10, y, y % 16 == 8 ? 22 : 16, y);
        break;
    default:
        for (int i = 8; i <= 40; i += 16) {
            p.drawLine(i, 4, i, 44);
            p.drawLine(4, i, 44, i);
        }
        break;
    }
    return QIcon(image);
}

void servirMessages()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

FrmOption::FrmOption(Classe_Graphiques& courbes, Classe_Graphiques* pluie, TypeGraph type, bool coteNgf, QWidget* parent)
    : QDialog(parent)
    , m_courbes(courbes)
    , m_pluie(pluie)
    , m_type(type)
    , m_coteNgf(coteNgf)
    , m_panels(new QStackedWidget(this))
    , m_pageCourbes(new PageCourbes(m_panels))
    , m_pageTitres(new PageTitres(m_panels))
    , m_pageFormats(new PageFormats(m_panels))
    , m_pageEchelles(new PageEchelles(type, m_panels))
    , m_pageGrille(new PageGrille([this] { return std::pair{m_pageEchelles->dateDebut(), m_pageEchelles->dateFin()}; }, m_panels))
{
    setObjectName(QStringLiteral("FrmOption"));
    setWindowTitle(QStringLiteral("Options graphiques"));
    auto* colonne = new QWidget(this);
    creerSelecteur(colonne);
    const std::array<QWidget*, nombrePages> pages = {m_pageCourbes, m_pageTitres, m_pageFormats, m_pageEchelles, m_pageGrille};
    for (int i = 0; i < nombrePages; ++i) {
        pages[std::size_t(i)]->setObjectName(QStringLiteral("Panel%1").arg(i));
        m_panels->addWidget(pages[std::size_t(i)]);
    }
    creerBarre();
    auto* corps = new QHBoxLayout();
    corps->addWidget(colonne);
    corps->addWidget(m_panels, 1);
    auto* l = new QVBoxLayout(this);
    l->setMenuBar(m_barre);
    l->addLayout(corps);

    const GestionExportExcel options = courbes.GestionExportExcel();
    m_pageCourbes->remplir(courbes);
    m_pageTitres->remplir(options);
    m_pageFormats->remplir(options);
    m_pageEchelles->remplir(courbes, pluie, coteNgf);
    m_pageGrille->remplir(courbes);
    afficherPage(0);
    resize(680, 500);
}

FrmOption::~FrmOption() = default;

void FrmOption::creerSelecteur(QWidget* colonne)
{
    auto* l = new QVBoxLayout(colonne);
    l->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < nombrePages; ++i) {
        auto* b = new QToolButton(colonne);
        b->setObjectName(QStringLiteral("CmdPanel%1").arg(i));
        b->setText(QString::fromUtf8(titresPages[i]));
        b->setIcon(imagePage(i));
        b->setIconSize(QSize(32, 32));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::StrongFocus);
        // Assez large pour le titre en gras de la page montrée.
        QFont gras = b->font();
        gras.setBold(true);
        b->setMinimumWidth(std::max(120, QFontMetrics(gras).horizontalAdvance(b->text()) + 24));
        connect(b, &QToolButton::clicked, this, [this, i] { afficherPage(i); });
        m_cmdPanel[std::size_t(i)] = b;
        l->addWidget(b);
    }
    l->addStretch();
    const auto suivante = [this](int pas) { afficherPage((pageAffichee() + pas + nombrePages) % nombrePages); };
    for (const auto& [touches, pas] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1}, {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1}, {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}}) {
        const int p = pas;
        connect(new QShortcut(touches, this), &QShortcut::activated, this, [suivante, p] { suivante(p); });
    }
}

void FrmOption::creerBarre()
{
    m_barre = new QToolBar(this);
    m_barre->setObjectName(QStringLiteral("CtlToolBar1"));
    m_barre->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    struct Bouton
    {
        qint16 index;
        const char* texte;
        QStyle::StandardPixmap image;
        QKeySequence touches;
    };
    const Bouton boutons[] = {
        {4, "Enregistrer les options", QStyle::SP_DialogSaveButton, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {7, "Appliquer les options", QStyle::SP_DialogApplyButton, QKeySequence()},
        {10, "Fermer", QStyle::SP_DialogCloseButton, QKeySequence()},
        {12, "Aide", QStyle::SP_DialogHelpButton, QKeySequence(QKeySequence::HelpContents)},
    };
    for (const Bouton& b : boutons) {
        QAction* action = m_barre->addAction(style()->standardIcon(b.image), QString::fromUtf8(b.texte));
        action->setObjectName(QStringLiteral("Bouton%1").arg(b.index));
        action->setShortcut(b.touches);
        const qint16 index = b.index;
        connect(action, &QAction::triggered, this, [this, index] { ClickBouton(index); });
        if (QWidget* w = m_barre->widgetForAction(action))
            w->setFocusPolicy(Qt::TabFocus);
    }
}

void FrmOption::afficherPage(int page)
{
    if (page < 0 || page >= nombrePages)
        return;
    m_panels->setCurrentIndex(page);
    for (int i = 0; i < nombrePages; ++i) {
        QToolButton* b = m_cmdPanel[std::size_t(i)];
        QFont police = b->font();
        police.setBold(i == page);
        b->setFont(police);
        b->setChecked(i == page);
    }
}

int FrmOption::pageAffichee() const
{
    return m_panels->currentIndex();
}

void FrmOption::ClickBouton(qint16 Index)
{
    switch (Index) {
    case 4:
        if (validerEnregistrerAppliquer())
            accept();
        break;
    case 7: validerEnregistrerAppliquer(); break;
    case 10: reject(); break;
    case 12: OuvrirAide(sujetAide); break;
    default: break;
    }
}

SaisieOptions FrmOption::saisie() const
{
    SaisieOptions s;
    s.options = m_courbes.GestionExportExcel();
    m_pageCourbes->lire(s);
    m_pageTitres->lire(s);
    m_pageFormats->lire(s);
    m_pageEchelles->lire(s);
    m_pageGrille->lire(s);
    return s;
}

bool FrmOption::validerEnregistrerAppliquer()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto sablier = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    const auto resultat = ValidationOptions::valider(saisie(), m_type);
    if (const QString* refus = std::get_if<QString>(&resultat)) {
        sablier.dismiss();
        QApplication::restoreOverrideCursor();
        AfficherMessage(QStringLiteral("erreur"), *refus);
        return false;
    }
    const ChoixOptions& choix = std::get<ChoixOptions>(resultat);
    m_pageGrille->setNbSeparations(choix.nbSeparations);
    servirMessages();
    EnregistrementOptions::enregistrer(choix);
    AffichageRetenu::retenir(m_type, AffichageRetenu::depuis(choix));
    servirMessages();
    const bool recharger = ApplicationOptions::appliquer(choix, m_courbes, m_pluie, m_type, m_coteNgf);
    m_coteNgf = choix.coteNgf;
    emit optionsAppliquees(recharger, choix.coteNgf);
    return true;
}

void FrmOption::keyPressEvent(QKeyEvent* evenement)
{
    const bool entree = evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter;
    if (!entree || evenement->modifiers() & ~Qt::KeypadModifier) {
        QDialog::keyPressEvent(evenement);
        return;
    }
    // Entrée sur un bouton le presse ; ailleurs elle enregistre et ferme, comme le bouton par défaut d'une boîte.
    auto* bouton = qobject_cast<QAbstractButton*>(focusWidget());
    if (bouton && !qobject_cast<QCheckBox*>(bouton) && !qobject_cast<QRadioButton*>(bouton))
        bouton->click();
    else
        ClickBouton(4);
}
