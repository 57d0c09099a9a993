#include "control/CtlToolBar.h"
#include "control/CtlToolBarPrive.h"

#include "commun/Garde.h"
#include "control/IconesPalette.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QToolButton>

namespace {

constexpr int tailleIcone = IconesPalette::taille;
constexpr int twipsParPixel = 15;

const char* const infobulles[CtlToolBar::nombreBoutons] = {
    "Fermer", "Imprimer", "Zoom moins", "Zoom plus", "Afficher les données",
    "Réinitialiser", "Fiche", "Options graphiques", "Exporter vers Excel", "Aide en ligne"};

// Le fond de la bande : un dégradé clair, dessiné lui aussi.
QPixmap fond()
{
    QPixmap image(64, tailleIcone + 12);
    QPainter p(&image);
    QLinearGradient degrade(0, 0, 0, image.height());
    degrade.setColorAt(0, QColor(248, 250, 253));
    degrade.setColorAt(1, QColor(214, 224, 236));
    p.fillRect(image.rect(), degrade);
    p.setPen(QColor(180, 192, 208));
    p.drawLine(0, image.height() - 1, image.width(), image.height() - 1);
    return image;
}

} // namespace

CtlToolBar::CtlToolBar(QWidget* parent)
    : QWidget(parent)
    , d(std::make_unique<CtlToolBarPrive>(this))
{
    setObjectName(QStringLiteral("PaletteOutils"));
    d->imgBackground->setObjectName(QStringLiteral("imgBackground"));
    d->imgBackground->setPixmap(fond());
    d->imgBackground->setScaledContents(true);
    d->toolBar->setObjectName(QStringLiteral("toolBar"));
    d->toolBar->setFrameShape(QFrame::StyledPanel);
    for (int i = 0; i < nombreBoutons; ++i) {
        auto* b = new QToolButton(d->toolBar);
        b->setObjectName(QStringLiteral("PaletteOutils%1").arg(i));
        b->setIcon(IconesPalette::icone(i));
        b->setIconSize(QSize(tailleIcone, tailleIcone));
        b->setAutoRaise(true);
        d->choix[std::size_t(i)].infobulle = QString::fromUtf8(infobulles[i]);
        b->setToolTip(d->choix[std::size_t(i)].infobulle);
        b->setGeometry(4 + i * (tailleIcone + 10), 2, tailleIcone + 8, tailleIcone + 8);
        connect(b, &QToolButton::clicked, this, [this, i] { emit ClickBouton(qint16(i)); });
        d->boutons[std::size_t(i)] = b;
    }
    setMinimumHeight(tailleIcone + 12);
    resize(600, tailleIcone + 12);
}

CtlToolBar::~CtlToolBar() = default;

QToolButton* CtlToolBar::bouton(int index) const
{
    return index >= 0 && index < nombreBoutons ? d->boutons[std::size_t(index)] : nullptr;
}

void CtlToolBar::Masquer(qint16 Index) noexcept
{
    sousGarde([&] {
        if (QToolButton* b = bouton(Index)) {
            b->setVisible(false);
            b->setToolTip(QString());
            b->setEnabled(false);
        }
    });
}

void CtlToolBar::CacherBoutonFermer() noexcept
{
    sousGarde([&] {
        d->choix[0].visible = false;
        bouton(0)->setVisible(false);
    });
}

void CtlToolBar::Retablir() noexcept
{
    sousGarde([&] {
        for (int i = 0; i < nombreBoutons; ++i) {
            QToolButton* b = bouton(i);
            const CtlToolBarPrive::ChoixHote& c = d->choix[std::size_t(i)];
            b->setEnabled(true);
            b->setToolTip(c.infobulle);
            b->setVisible(c.visible);
        }
    });
}

QVariant CtlToolBar::AfficheIcones(bool Imprimer, const QString& AideImprimer, bool, const QString&, bool Supprimer,
                                   const QString& AideSupprimer, bool Poubelle, const QString& AidePoubelle,
                                   bool Valider, const QString& AideValider, bool Apercu, const QString& AideApercu,
                                   bool Excel, const QString& AideExcel, bool Outils, const QString& AideOutils,
                                   bool Fiche, const QString& AideFiche, bool Aide, const QString& AideAide) noexcept
{
    const std::pair<bool, const QString*> reglages[9] = {
        {Imprimer, &AideImprimer}, {Supprimer, &AideSupprimer}, {Poubelle, &AidePoubelle},
        {Valider, &AideValider},   {Apercu, &AideApercu},       {Excel, &AideExcel},
        {Outils, &AideOutils},     {Fiche, &AideFiche},         {Aide, &AideAide}};
    sousGarde([&] {
        for (int i = 1; i <= 9; ++i) {
            QToolButton* b = bouton(i);
            CtlToolBarPrive::ChoixHote& c = d->choix[std::size_t(i)];
            c.visible = reglages[i - 1].first;
            b->setVisible(c.visible);
            if (!reglages[i - 1].second->isEmpty()) {
                c.infobulle = *reglages[i - 1].second;
                b->setToolTip(c.infobulle);
            }
        }
    });
    return QVariant();
}

void CtlToolBar::resizeEvent(QResizeEvent* evenement)
{
    d->toolBar->setGeometry(0, 0, width(), height());
    d->imgBackground->setGeometry(contentsRect());
    QToolButton* aide = bouton(9);
    aide->move(d->toolBar->width() - aide->width() - 200 / twipsParPixel, aide->y());
    QWidget::resizeEvent(evenement);
}
