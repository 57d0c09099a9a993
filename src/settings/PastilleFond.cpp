#include "settings/PastilleFond.h"

#include "commun/Palette.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

const char* const nomsCouleurs[Palette::taille] = {
    "noir", "bleu foncé", "vert foncé", "cyan foncé", "rouge foncé", "magenta foncé", "jaune foncé", "gris clair",
    "gris foncé", "bleu", "vert", "cyan", "rouge", "magenta", "jaune", "blanc"};

} // namespace

PastilleFond::PastilleFond(int numero, QWidget* parent)
    : QFrame(parent)
    , m_numero(numero)
{
    setObjectName(QStringLiteral("PictureFond%1").arg(numero));
    setFixedSize(30, 30);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::Panel);
    setLineWidth(3);
    const QString nom = QString::fromUtf8(nomsCouleurs[numero % Palette::taille]);
    setToolTip(nom);
    setAccessibleName(nom);
    setRetenue(false);
}

void PastilleFond::setRetenue(bool retenue)
{
    m_retenue = retenue;
    setFrameShadow(retenue ? QFrame::Raised : QFrame::Plain);
    setLineWidth(retenue ? 3 : 1);
    update();
}

void PastilleFond::paintEvent(QPaintEvent* evenement)
{
    {
        QPainter p(this);
        const QColor couleur = QColor::fromRgb(Palette::rgb(m_numero));
        p.fillRect(contentsRect(), couleur);
        if (hasFocus()) {
            p.setPen(QPen(qGray(couleur.rgb()) < 128 ? Qt::white : Qt::black, 1, Qt::DotLine));
            p.drawRect(contentsRect().adjusted(2, 2, -3, -3));
        }
    }
    QFrame::paintEvent(evenement);
}

void PastilleFond::mousePressEvent(QMouseEvent* evenement)
{
    if (evenement->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        emit choisie(m_numero);
    }
    QFrame::mousePressEvent(evenement);
}

void PastilleFond::keyPressEvent(QKeyEvent* evenement)
{
    if (evenement->key() == Qt::Key_Space) {
        emit choisie(m_numero);
        return;
    }
    QFrame::keyPressEvent(evenement);
}
