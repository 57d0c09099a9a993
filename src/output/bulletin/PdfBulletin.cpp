#include "output/bulletin/PdfBulletin.h"

#include "commun/Horloge.h"
#include "data/bulletin/BulletinMensuel.h"
#include "output/bulletin/ColonnesSynthese.h"
#include "output/bulletin/CouleursClasses.h"
#include "output/bulletin/GraphiqueMoisStation.h"
#include "output/bulletin/TexteBulletin.h"
#include "render/moteur/MoteurGraphique.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace PdfBulletin {

namespace {

constexpr int resolution = 96;
constexpr double marge = 40;
constexpr double hauteurLigne = 17, hauteurEntete = 48;
const QString police = QStringLiteral("DejaVu Sans");

// Une page A4 en pixels à 96 points par pouce, marges retirées.
struct Page
{
    QPdfWriter& pdf;
    QPainter& p;
    QRectF zone;
};

QFont fonte(double points, bool gras = false)
{
    QFont f(police);
    f.setPointSizeF(points);
    f.setBold(gras);
    return f;
}

double titrePage(Page& page, const QString& titre, const QString& sousTitre)
{
    page.p.setFont(fonte(16, true));
    page.p.drawText(QRectF(page.zone.left(), page.zone.top(), page.zone.width(), 30), Qt::AlignLeft | Qt::AlignVCenter, titre);
    page.p.setFont(fonte(8));
    page.p.drawText(QRectF(page.zone.left(), page.zone.top() + 30, page.zone.width(), 18), Qt::AlignLeft | Qt::AlignVCenter, sousTitre);
    return page.zone.top() + 58;
}

void cellule(QPainter& p, const QRectF& r, const QString& texte, Qt::Alignment alignement)
{
    p.drawRect(r);
    p.drawText(r.adjusted(3, 0, -3, 0), alignement | Qt::AlignVCenter | Qt::TextWordWrap, texte);
}

void entete(QPainter& p, double x, double y)
{
    p.setFont(fonte(6, true));
    p.setBrush(QColor(0xee, 0xee, 0xee));
    for (const ColonneSynthese& c : ColonnesSynthese::toutes()) {
        cellule(p, QRectF(x, y, c.largeurPage, hauteurEntete), c.titre(), Qt::AlignHCenter);
        x += c.largeurPage;
    }
}

void ligne(QPainter& p, double x, double y, const LigneBulletin& l)
{
    p.setFont(fonte(6));
    for (const ColonneSynthese& c : ColonnesSynthese::toutes()) {
        const QRectF r(x, y, c.largeurPage, hauteurLigne);
        const bool colore = c.classe && l.classe;
        p.setBrush(colore ? CouleursClasses::fond(*l.classe) : QColor(Qt::white));
        p.setPen(QColor(0x99, 0x99, 0x99));
        p.drawRect(r);
        p.setPen(colore ? CouleursClasses::texte(*l.classe) : QColor(Qt::black));
        const QString t = p.fontMetrics().elidedText(c.texte(l), Qt::ElideRight, int(r.width() - 6));
        p.drawText(r.adjusted(3, 0, -3, 0), (c.nombre ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, t);
        x += c.largeurPage;
    }
}

void legendeClasses(QPainter& p, double x, double y)
{
    p.setFont(fonte(6));
    const GenreBulletin& pluie = *GenresBulletin::de(GenreStation::Genre::Pluvio);
    const GenreBulletin& niveau = *GenresBulletin::de(GenreStation::Genre::Piezo);
    for (int k = 0; k < 5; ++k) {
        const QRectF r(x + k * 140, y, 136, hauteurLigne);
        p.setPen(Qt::NoPen);
        p.setBrush(CouleursClasses::fond(k));
        p.drawRect(r);
        p.setPen(CouleursClasses::texte(k));
        p.drawText(r, Qt::AlignCenter, pluie.libelleClasse(k) + QStringLiteral(" / ") + niveau.libelleClasse(k));
    }
    p.setPen(Qt::black);
}

// Les lignes de la synthèse, autant de pages qu'il en faut.
void synthese(Page& page, const BulletinMensuel& b)
{
    double y = titrePage(page, b.titre(),
                         QStringLiteral("Établi le %1 · année hydrologique commençant en %2 · classes par les quintiles du relevé de chaque station")
                             .arg(Horloge::aujourdhui().toString(QStringLiteral("dd/MM/yyyy")),
                                  QLocale(QLocale::French).monthName(b.moisHydro)));
    legendeClasses(page.p, page.zone.left(), y);
    y += hauteurLigne + 10;
    entete(page.p, page.zone.left(), y);
    y += hauteurEntete;
    for (const LigneBulletin& l : b.lignes) {
        if (y + hauteurLigne > page.zone.bottom()) {
            page.pdf.newPage();
            y = page.zone.top();
            entete(page.p, page.zone.left(), y);
            y += hauteurEntete;
        }
        ligne(page.p, page.zone.left(), y, l);
        y += hauteurLigne;
    }
}

void graphique(QPainter& p, MoteurGraphique& m, const QRectF& r)
{
    m.setTaille(r.size().toSize());
    p.save();
    p.translate(r.topLeft());
    m.peindre(p, QRectF(QPointF(0, 0), r.size()));
    p.restore();
}

void pageStation(Page& page, const BulletinMensuel& b, const LigneBulletin& l, MoteurGraphique& haut, MoteurGraphique& bas)
{
    page.pdf.newPage();
    const QString genre = QString::fromUtf8(GenresStation::de(l.genre->genre).libelle);
    double y = titrePage(page, l.nom, QStringLiteral("%1 %2 · %3").arg(genre, l.code, b.titre()));
    page.p.setFont(fonte(8.5));
    const QRectF resume(page.zone.left(), y, page.zone.width(), 60);
    page.p.drawText(resume, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, TexteBulletin::resume(l, b.mois, b.moisHydro));
    y += 66;
    const bool ecarts = l.genre->normalesOfficielles;
    const double h = ecarts ? 520 : 640;
    GraphiqueMoisStation::remplirSituation(haut, l);
    graphique(page.p, haut, QRectF(page.zone.left(), y, page.zone.width(), h));
    if (ecarts) {
        GraphiqueMoisStation::remplirEcarts(bas, l);
        graphique(page.p, bas, QRectF(page.zone.left(), y + h + 10, page.zone.width(), page.zone.bottom() - y - h - 10));
    }
}

} // namespace

bool ecrire(const BulletinMensuel& b, QIODevice& sortie, const Progression& progression)
{
    QPdfWriter pdf(&sortie);
    pdf.setResolution(resolution);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(b.titre());
    pdf.setCreator(QStringLiteral("graphique"));
    QPainter p;
    if (!p.begin(&pdf))
        return false;
    Page page{pdf, p, QRectF(QPointF(0, 0), QSizeF(pdf.pageLayout().paintRectPixels(resolution).size())).adjusted(marge, marge, -marge, -marge)};
    synthese(page, b);
    MoteurGraphique haut, bas;
    for (qsizetype i = 0; i < b.lignes.size(); ++i) {
        if (progression && !progression(QStringLiteral("Page de %1").arg(b.lignes[i].code), int(100 * i / b.lignes.size())))
            return false;
        pageStation(page, b, b.lignes[i], haut, bas);
    }
    return p.end();
}

} // namespace PdfBulletin
