#include "control/SaisieSuspendue.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

bool estSaisie(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

SaisieSuspendue::SaisieSuspendue(QWidget& controle)
    : m_controle(&controle)
{
    qApp->installEventFilter(this);
}

SaisieSuspendue::~SaisieSuspendue()
{
    qApp->removeEventFilter(this);
}

bool SaisieSuspendue::eventFilter(QObject* objet, QEvent* evenement)
{
    if (!m_controle || !estSaisie(evenement->type()) || !objet->isWidgetType())
        return false;
    auto* cible = static_cast<QWidget*>(objet);
    return cible == m_controle || m_controle->isAncestorOf(cible);
}
