#include "output/bulletin/PdfBulletin.h"

#include "commun/Horloge.h"
#include "data/bulletin/BulletinMensuel.h"
#include "output/bulletin/ColonnesSynthese.h"
#include "output/bulletin/CouleursClasses.h"
#include "output/bulletin/GraphiqueMoisStation.h"
#include "output/bulletin/LegendeClasses.h"
#include "output/bulletin/PoliceBulletin.h"
#include "output/bulletin/TexteBulletin.h"
#include "render/moteur/MoteurGraphique.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>
#include <algorithm>
#include <functional>

namespace PdfBulletin {

namespace {

constexpr int resolution = 96;
constexpr double marge = 40;
constexpr double hauteurLigne = 17, hauteurEntete = 48, retrait = 3;

using PoliceBulletin::fonte;

// Une page A4 en pixels à 96 points par pouce, marges retirées.
struct Page
{
    QPdfWriter& pdf;
    QPainter& p;
    QRectF zone;
};

double titrePage(Page& page, const QString& titre, const QString& sousTitre)
{
    page.p.setFont(fonte(16, true));
    page.p.drawText(QRectF(page.zone.left(), page.zone.top(), page.zone.width(), 30), Qt::AlignLeft | Qt::AlignVCenter, titre);
    page.p.setFont(fonte(8));
    page.p.drawText(QRectF(page.zone.left(), page.zone.top() + 30, page.zone.width(), 18), Qt::AlignLeft | Qt::AlignVCenter, sousTitre);
    return page.zone.top() + 58;
}

// Le texte d'une cellule en entier : coupé aux mots, ou dans un mot plus long que la colonne.
QTextOption enveloppe(Qt::Alignment alignement)
{
    QTextOption o(alignement | Qt::AlignVCenter);
    o.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return o;
}

// La hauteur qui tient le plus haut des textes d'une rangée, `minimum` au moins.
double hauteurRangee(QPainter& p, double minimum, const std::function<QString(const ColonneSynthese&)>& texte)
{
    double h = minimum;
    for (const ColonneSynthese& c : ColonnesSynthese::toutes()) {
        const QRectF place(0, 0, c.largeurPage - 2 * retrait, 1000);
        h = std::max(h, p.boundingRect(place, texte(c), enveloppe(Qt::AlignLeft)).height() + 2 * retrait);
    }
    return h;
}

double entete(QPainter& p, double x, double y)
{
    p.setFont(fonte(6, true));
    p.setBrush(QColor(0xee, 0xee, 0xee));
    const double h = hauteurRangee(p, hauteurEntete, [](const ColonneSynthese& c) { return c.titre(); });
    for (const ColonneSynthese& c : ColonnesSynthese::toutes()) {
        const QRectF r(x, y, c.largeurPage, h);
        p.setPen(QColor(0x99, 0x99, 0x99));
        p.drawRect(r);
        p.setPen(Qt::black);
        p.drawText(r.adjusted(retrait, 0, -retrait, 0), c.titre(), enveloppe(Qt::AlignHCenter));
        x += c.largeurPage;
    }
    return h;
}

double hauteurLigneDe(QPainter& p, const LigneBulletin& l)
{
    p.setFont(fonte(6));
    return hauteurRangee(p, hauteurLigne, [&l](const ColonneSynthese& c) { return c.texte(l); });
}

void ligne(QPainter& p, double x, double y, double h, const LigneBulletin& l)
{
    p.setFont(fonte(6));
    for (const ColonneSynthese& c : ColonnesSynthese::toutes()) {
        const QRectF r(x, y, c.largeurPage, h);
        const bool colore = c.classe && l.classe;
        p.setBrush(colore ? CouleursClasses::fond(*l.classe) : QColor(Qt::white));
        p.setPen(QColor(0x99, 0x99, 0x99));
        p.drawRect(r);
        p.setPen(colore ? CouleursClasses::texte(*l.classe) : QColor(Qt::black));
        p.drawText(r.adjusted(retrait, 0, -retrait, 0), c.texte(l), enveloppe(c.nombre ? Qt::AlignRight : Qt::AlignLeft));
        x += c.largeurPage;
    }
}

void legendeClasses(QPainter& p, double x, double y)
{
    const GenreBulletin& pluie = *GenresBulletin::de(GenreStation::Genre::Pluvio);
    const GenreBulletin& niveau = *GenresBulletin::de(GenreStation::Genre::Piezo);
    LegendeClasses::peindre(p, QRectF(x, y, 700, hauteurLigne), [&](int k) {
        return pluie.libelleClasse(k) + QStringLiteral(" / ") + niveau.libelleClasse(k);
    });
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
    y += entete(page.p, page.zone.left(), y);
    for (const LigneBulletin& l : b.lignes) {
        const double h = hauteurLigneDe(page.p, l);
        if (y + h > page.zone.bottom()) {
            page.pdf.newPage();
            y = page.zone.top();
            y += entete(page.p, page.zone.left(), y);
        }
        ligne(page.p, page.zone.left(), y, h, l);
        y += h;
    }
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
    // Sans normale à aucun mois mesuré, un graphique des écarts serait vide : une ligne le dit.
    const bool normales = std::any_of(l.contexte.cbegin(), l.contexte.cend(), [](const auto& c) { return c.valeur && c.normale; });
    const bool ecarts = l.genre->normalesOfficielles && normales;
    const double h = ecarts ? 520 : 640;
    GraphiqueMoisStation::situation(page.p, haut, l, QRectF(page.zone.left(), y, page.zone.width(), h));
    if (ecarts)
        GraphiqueMoisStation::ecarts(page.p, bas, l, QRectF(page.zone.left(), y + h + 10, page.zone.width(), page.zone.bottom() - y - h - 10));
    else if (l.genre->normalesOfficielles)
        page.p.drawText(QRectF(page.zone.left(), y + h + 10, page.zone.width(), 30), Qt::AlignLeft | Qt::AlignTop,
                        QStringLiteral("Pas de normale Météo-France pour cette station : pas d'écart à la normale."));
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
