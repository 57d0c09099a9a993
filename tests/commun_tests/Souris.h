#pragma once

// La souris sur le graphique principal d'un contrôle, menée comme une personne la mène.
#include "control/CtlGraphique.h"
#include "control/VueGraphique.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

// Un point de la zone de tracé du graphique principal, en fractions de sa largeur et de sa hauteur.
inline QPoint dansLeTrace(CtlGraphique& c, double fx, double fy)
{
    const QRectF z = c.Graphique().zoneTrace(QRectF(c.vueGraphique()->rect()));
    return QPointF(z.left() + fx * z.width(), z.top() + fy * z.height()).toPoint();
}

// Appuyer, passer par le milieu, relâcher.
inline void glisser(QWidget* vue, const QPoint& de, const QPoint& a, Qt::MouseButton bouton = Qt::LeftButton)
{
    QTest::mousePress(vue, bouton, {}, de);
    QTest::mouseMove(vue, (de + a) / 2);
    QTest::mouseMove(vue, a);
    QTest::mouseRelease(vue, bouton, {}, a);
}

// Des crans de molette au point p, vers l'avant quand ils sont positifs.
inline void molette(QWidget* vue, const QPoint& p, int crans)
{
    QWheelEvent e(QPointF(p), vue->mapToGlobal(QPointF(p)), QPoint(), QPoint(0, crans * 120), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(vue, &e);
}
