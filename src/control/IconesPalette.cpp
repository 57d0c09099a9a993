#include "control/IconesPalette.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace IconesPalette {

namespace {

const QColor encre(40, 60, 90);
const QColor rouge(190, 40, 40);
const QColor bleu(30, 110, 200);
const QColor vert(30, 120, 60);

void trait(QPainter& p, const QColor& couleur, double epaisseur = 1.8, Qt::PenStyle style = Qt::SolidLine)
{
    p.setPen(QPen(couleur, epaisseur, style, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

// Une loupe dont le verre est en `centre`, avec son signe moins, ou plus.
void loupe(QPainter& p, const QPointF& centre, double rayon, bool plus)
{
    trait(p, encre);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(centre, rayon, rayon);
    const double d = rayon * 0.707;
    p.setPen(QPen(encre, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(d, d), centre + QPointF(d + 5, d + 5));
    trait(p, encre, 1.6);
    const double s = rayon * 0.55;
    p.drawLine(centre - QPointF(s, 0), centre + QPointF(s, 0));
    if (plus)
        p.drawLine(centre - QPointF(0, s), centre + QPointF(0, s));
}

void fermer(QPainter& p)
{
    trait(p, encre, 2.0);
    p.drawLine(QPointF(5, 5), QPointF(17, 17));
    p.drawLine(QPointF(17, 5), QPointF(5, 17));
}

void imprimer(QPainter& p)
{
    trait(p, encre, 1.4);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 9, 6));
    p.setBrush(QColor(200, 210, 225));
    p.drawRoundedRect(QRectF(2.5, 8.5, 17, 7), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 13.5, 9, 6));
    p.drawLine(QPointF(8.5, 16), QPointF(13.5, 16));
}

// Le zoom par pas élargit la vue : une loupe qui éloigne.
void zoomArriere(QPainter& p)
{
    loupe(p, {9, 9}, 6, false);
}

// Le zoom au rectangle rapproche ce qu'on encadre.
void zoomRectangle(QPainter& p)
{
    trait(p, encre, 1.2, Qt::DashLine);
    p.drawRect(QRectF(2.5, 2.5, 13, 10));
    loupe(p, {12, 12}, 4.5, true);
}

// Une goutte de pluie qu'on pose d'un clic.
void poserPoints(QPainter& p)
{
    QPainterPath goutte;
    goutte.moveTo(9, 2);
    goutte.cubicTo(QPointF(9, 6), QPointF(4, 9), QPointF(4, 12.5));
    goutte.arcTo(QRectF(4, 8, 10, 10), 180, 180);
    goutte.cubicTo(QPointF(14, 9), QPointF(9, 6), QPointF(9, 2));
    trait(p, bleu, 1.4);
    p.setBrush(QColor(120, 180, 240));
    p.drawPath(goutte);
    trait(p, encre, 2.0);
    p.drawLine(QPointF(17, 12), QPointF(17, 20));
    p.drawLine(QPointF(13, 16), QPointF(21, 16));
}

// Une plage de mesures encadrée, barrée : elle sera supprimée.
void supprimerPlage(QPainter& p)
{
    p.fillRect(QRectF(5, 11, 3, 6), bleu);
    p.fillRect(QRectF(9.5, 8, 3, 9), bleu);
    p.fillRect(QRectF(14, 12, 3, 5), bleu);
    trait(p, encre, 1.2, Qt::DashLine);
    p.drawRect(QRectF(2.5, 5.5, 17, 13));
    trait(p, rouge, 2.2);
    p.drawLine(QPointF(13, 2), QPointF(20, 9));
    p.drawLine(QPointF(20, 2), QPointF(13, 9));
}

// La grille des mesures, et le crayon qui les corrige.
void corrigerGrille(QPainter& p)
{
    trait(p, encre, 1.2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 2.5, 13, 15));
    for (double y : {6.5, 10.5, 14.5})
        p.drawLine(QPointF(2.5, y), QPointF(15.5, y));
    p.drawLine(QPointF(7.5, 2.5), QPointF(7.5, 17.5));
    p.setPen(QPen(QColor(210, 150, 30), 3.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(20, 8), QPointF(12.5, 15.5));
    trait(p, encre, 1.4);
    p.drawLine(QPointF(12.5, 15.5), QPointF(11, 19));
}

// Une roue dentée : les réglages du graphique.
void options(QPainter& p)
{
    p.save();
    p.translate(11, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(encre);
    for (int a = 0; a < 8; ++a) {
        p.drawRect(QRectF(-1.6, -9.5, 3.2, 4));
        p.rotate(45);
    }
    p.drawEllipse(QPointF(0, 0), 6.5, 6.5);
    p.setBrush(QColor(235, 240, 248));
    p.drawEllipse(QPointF(0, 0), 2.6, 2.6);
    p.restore();
}

// Une feuille de classeur et la flèche qui y envoie le graphique.
void exporterClasseur(QPainter& p)
{
    trait(p, vert, 1.2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 2.5, 12, 16));
    for (double y : {6.5, 10.5, 14.5})
        p.drawLine(QPointF(2.5, y), QPointF(14.5, y));
    p.drawLine(QPointF(7.5, 2.5), QPointF(7.5, 18.5));
    trait(p, vert, 2.2);
    p.drawLine(QPointF(11, 12), QPointF(20, 12));
    p.drawLine(QPointF(16.5, 8.5), QPointF(20, 12));
    p.drawLine(QPointF(16.5, 15.5), QPointF(20, 12));
}

void aide(QPainter& p)
{
    trait(p, encre);
    p.drawEllipse(QRectF(3, 3, 16, 16));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9, QFont::Bold));
    p.drawText(QRectF(3, 3, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
}

using Dessin = void (*)(QPainter&);
constexpr Dessin dessins[] = {fermer, imprimer, zoomArriere, zoomRectangle, poserPoints,
                              supprimerPlage, corrigerGrille, options, exporterClasseur, aide};

} // namespace

QIcon icone(int index)
{
    QPixmap image(taille * 2, taille * 2);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int n = int(std::size(dessins));
    dessins[index >= 0 && index < n ? index : n - 1](p);
    return QIcon(image);
}

} // namespace IconesPalette
