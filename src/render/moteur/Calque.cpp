#include "render/moteur/Calque.h"

#include "commun/Palette.h"
#include "render/moteur/CarteEchelles.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPen>

void Calque::dessinerBoite(const Boite& b)
{
    const qsizetype i = m_boites.indexOf(b);
    if (i >= 0)
        m_boites.removeAt(i);
    else
        m_boites.append(b);
}

void Calque::dessinerSymbole(const Symbole& s)
{
    const qsizetype i = m_symboles.indexOf(s);
    if (m_mode == 2 && i >= 0)
        m_symboles.removeAt(i);
    else if (i < 0)
        m_symboles.append(s);
}

void Calque::vider()
{
    m_boites.clear();
    m_symboles.clear();
}

void Calque::peindre(QPainter& peintre, const CarteEchelles& carte) const
{
    if (estVide())
        return;
    peintre.save();
    peintre.setRenderHint(QPainter::Antialiasing, false);
    for (const Boite& b : m_boites) {
        const QRectF r = QRectF(carte.pixel(b.x, b.y), carte.pixel(b.x + b.largeur, b.y + b.hauteur)).normalized();
        const QColor c = QColor::fromRgb(Palette::rgb(b.couleur));
        if (peintre.paintEngine() && peintre.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
            peintre.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        peintre.setPen(QPen(c, 1, Qt::DashLine));
        peintre.setBrush(Qt::NoBrush);
        peintre.drawRect(r);
        peintre.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    peintre.setRenderHint(QPainter::Antialiasing, true);
    for (const Symbole& s : m_symboles) {
        const QPointF p = carte.pixel(s.x, s.y);
        const double r = 3.0 + 1.5 * std::max(s.taille, 0);
        peintre.setPen(QPen(QColor::fromRgb(Palette::rgb(12)), 1.5));
        peintre.setBrush(Qt::NoBrush);
        switch (s.forme) {
        case 0:
            peintre.drawLine(QPointF(p.x() - r, p.y()), QPointF(p.x() + r, p.y()));
            peintre.drawLine(QPointF(p.x(), p.y() - r), QPointF(p.x(), p.y() + r));
            break;
        case 2:
            peintre.drawEllipse(p, r, r);
            break;
        case 3:
            peintre.drawLine(QPointF(p.x() - r, p.y() - r), QPointF(p.x() + r, p.y() + r));
            peintre.drawLine(QPointF(p.x() - r, p.y() + r), QPointF(p.x() + r, p.y() - r));
            break;
        default:
            peintre.drawRect(QRectF(p.x() - r, p.y() - r, 2 * r, 2 * r));
            break;
        }
    }
    peintre.restore();
}
