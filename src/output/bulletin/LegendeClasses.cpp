#include "output/bulletin/LegendeClasses.h"

#include "output/bulletin/CouleursClasses.h"
#include "output/bulletin/PoliceBulletin.h"

#include <QPainter>

namespace LegendeClasses {

void peindre(QPainter& p, const QRectF& zone, const std::function<QString(int)>& nom)
{
    constexpr double blanc = 4;
    const double largeur = zone.width() / 5;
    p.save();
    p.setFont(PoliceBulletin::fonte(6));
    for (int k = 0; k < 5; ++k) {
        const QRectF r(zone.left() + k * largeur, zone.top(), largeur - blanc, zone.height());
        p.setPen(Qt::NoPen);
        p.setBrush(CouleursClasses::fond(k));
        p.drawRect(r);
        p.setPen(CouleursClasses::texte(k));
        p.drawText(r, Qt::AlignCenter, nom(k));
    }
    p.restore();
}

} // namespace LegendeClasses
