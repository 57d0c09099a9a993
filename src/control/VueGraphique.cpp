#include "control/VueGraphique.h"

#include "render/moteur/PeintreGraphique.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QPrinter>

VueGraphique::VueGraphique(const QString& nom, QWidget* parent)
    : QWidget(parent)
    , m_moteur(std::make_unique<MoteurGraphique>(nom))
{
    setObjectName(nom);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::WheelFocus);
    setAcceptDrops(true);
    setMinimumSize(120, 80);
    connect(m_moteur.get(), &MoteurGraphique::dessinDemande, this, qOverload<>(&QWidget::update));
    connect(m_moteur.get(), &MoteurGraphique::calqueModifie, this, qOverload<>(&QWidget::update));
    connect(m_moteur.get(), &MoteurGraphique::curseurModifie, this, &VueGraphique::appliquerCurseur);
    connect(m_moteur.get(), &MoteurGraphique::impressionDemandee, this, [this] { emit imprime(imprimer(imprimante())); });
}

VueGraphique::~VueGraphique() = default;

QPrinter& VueGraphique::imprimante()
{
    if (!m_imprimante)
        m_imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_imprimante;
}

bool VueGraphique::imprimer(QPrinter& imprimante)
{
    const ModeleGraphique& m = m_moteur->modele();
    const auto reglage = [&](int i, double defaut) { return m.reglagesImpression.value(i, defaut); };
    if (reglage(12, 0) == 1)
        imprimante.setPageOrientation(QPageLayout::Landscape);
    QPainter p;
    if (!p.begin(&imprimante))
        return false;
    const QRectF page = imprimante.pageLayout().paintRectPixels(imprimante.resolution()).translated(
        -imprimante.pageLayout().paintRectPixels(imprimante.resolution()).topLeft());

    // Place du graphique sur la page, dans les unités de l'étendue de page donnée (179).
    QRectF cible = page;
    const double largeurPage = reglage(8, 0), hauteurPage = reglage(9, 0);
    if (largeurPage > 0 && hauteurPage > 0) {
        const double fx = page.width() / largeurPage, fy = page.height() / hauteurPage;
        const double gauche = reglage(2, 0) - reglage(6, 0), haut = reglage(3, 0) - reglage(7, 0);
        cible = QRectF(page.left() + gauche * fx, page.top() + haut * fy, reglage(4, largeurPage) * fx,
                       reglage(5, hauteurPage) * fy)
                    .intersected(page);
    }
    // Disposé comme sur un écran à peu près de la largeur du graphique, puis mis à
    // l'échelle du papier : le texte garde sa proportion au tracé.
    if (cible.isEmpty())
        return false;
    const double largeurLogique = std::max(1000.0, double(m_moteur->taille().width()));
    const double echelle = cible.width() / largeurLogique;
    p.translate(cible.topLeft());
    p.scale(echelle, echelle);
    OptionsPeinture o;
    o.vierge = m_moteur->vierge();
    o.gris = m.couleursImpression == 0;
    PeintreGraphique::peindre(p, m, QRectF(0, 0, largeurLogique, cible.height() / echelle), o);
    return p.end();
}

QPointF VueGraphique::versUnites(const QPointF& pixel) const
{
    return m_moteur->versUnites(pixel, QRectF(rect()));
}

const QImage& VueGraphique::image()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_image.size() != pixels || m_image.devicePixelRatio() != ratio || m_revisionImage != m_moteur->revision()
        || m_image.isNull()) {
        if (m_image.size() != pixels)
            m_image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_image.setDevicePixelRatio(ratio);
        QPainter p(&m_image);
        m_moteur->peindre(p, QRectF(rect()));
        m_revisionImage = m_moteur->revision();
    }
    return m_image;
}

void VueGraphique::paintEvent(QPaintEvent*)
{
    // Le rectangle élastique et la lecture suivent la souris : seul le calque se redessine.
    const QImage& fond = image();
    QPainter p(this);
    p.drawImage(QPointF(0, 0), fond);
    m_moteur->peindreCalque(p, QRectF(rect()));
}

void VueGraphique::resizeEvent(QResizeEvent* evenement)
{
    m_moteur->setTaille(size());
    QWidget::resizeEvent(evenement);
}

void VueGraphique::mouseMoveEvent(QMouseEvent* e)
{
    const QPointF u = versUnites(e->position());
    emit sourisDeplacee(u.x(), u.y(), e->buttons(), e->modifiers());
}

void VueGraphique::mousePressEvent(QMouseEvent* e)
{
    const QPointF u = versUnites(e->position());
    emit sourisEnfoncee(e->button(), u.x(), u.y(), e->modifiers());
}

void VueGraphique::mouseReleaseEvent(QMouseEvent* e)
{
    const QPointF u = versUnites(e->position());
    emit sourisRelachee(e->button(), u.x(), u.y(), e->modifiers());
}

void VueGraphique::mouseDoubleClickEvent(QMouseEvent* e)
{
    const QPointF u = versUnites(e->position());
    emit doubleClic(u.x(), u.y());
}

void VueGraphique::wheelEvent(QWheelEvent* e)
{
    m_molette += e->angleDelta().y();
    const int crans = m_molette / 120;
    m_molette -= crans * 120;
    if (crans != 0) {
        const QPointF u = versUnites(e->position());
        emit molette(u.x(), u.y(), crans);
    }
    e->accept();
}

void VueGraphique::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Home) {
        emit toucheDebut();
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void VueGraphique::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->source())
        e->acceptProposedAction();
}

void VueGraphique::dropEvent(QDropEvent* e)
{
    if (QObject* source = e->source()) {
        e->acceptProposedAction();
        emit objetDepose(source, e->position());
    }
}

void VueGraphique::appliquerCurseur(int curseur)
{
    switch (curseur) {
    case 1:
        setCursor(Qt::SplitHCursor);   // choix d'une plage de dates
        break;
    case 3:
        setCursor(Qt::CrossCursor);    // tracé du rectangle de zoom
        break;
    case 4:
        setCursor(Qt::PointingHandCursor);  // pose de points
        break;
    default:
        unsetCursor();
        break;
    }
}
