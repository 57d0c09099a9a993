#pragma once

// Le clavier et la souris tels qu'ils arrivent d'une personne : déposés dans la
// file du système de fenêtres, ils ne sont servis que lorsque la boucle
// d'événements accepte la saisie (jamais par un appel direct au widget, qui
// passerait même quand l'application ne les lit pas).
#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

inline QWindow* fenetreDe(QWidget& w)
{
    QWidget* haut = w.window();
    haut->winId();
    return haut->windowHandle();
}

// Une touche pressée puis relâchée sur la fenêtre de `cible`.
inline void frapperEnFile(QWidget& cible, int touche, Qt::KeyboardModifiers modificateurs = Qt::NoModifier)
{
    using S = QWindowSystemInterface;
    QWindow* f = fenetreDe(cible);
    S::handleKeyEvent<S::AsynchronousDelivery>(f, QEvent::KeyPress, touche, modificateurs);
    S::handleKeyEvent<S::AsynchronousDelivery>(f, QEvent::KeyRelease, touche, modificateurs);
}

// Un clic gauche au point `p` de `cible`.
inline void cliquerEnFile(QWidget& cible, const QPoint& p)
{
    using S = QWindowSystemInterface;
    QWindow* f = fenetreDe(cible);
    const QPointF local = cible.mapTo(cible.window(), QPointF(p));
    const QPointF global = cible.mapToGlobal(QPointF(p));
    S::handleMouseEvent<S::AsynchronousDelivery>(f, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
    S::handleMouseEvent<S::AsynchronousDelivery>(f, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
}
