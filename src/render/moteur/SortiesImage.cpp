#include "render/moteur/SortiesImage.h"

#include "render/moteur/MoteurGraphique.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

QImage SortiesImage::image(const MoteurGraphique& moteur, const QSize& taille, bool avecCalque)
{
    QImage image(taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRectF cadre(QPointF(0, 0), QSizeF(taille));
    moteur.peindre(p, cadre);
    if (avecCalque)
        moteur.peindreCalque(p, cadre);
    p.end();
    return image;
}

bool SortiesImage::ecrirePng(const MoteurGraphique& moteur, const QString& chemin, const QSize& taille)
{
    // Written beside and renamed, so that a failure leaves no half file.
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return false;
    if (!image(moteur, taille).convertToFormat(QImage::Format_RGB32).save(&fichier, "PNG"))
        return false;
    return fichier.commit();
}

bool SortiesImage::ecrireSvg(const MoteurGraphique& moteur, const QString& chemin, const QSize& taille)
{
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return false;
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&fichier);
        svg.setSize(taille);
        svg.setViewBox(QRect(QPoint(0, 0), taille));
        svg.setTitle(moteur.modele().titre.trimmed().isEmpty() ? QStringLiteral("Graphique") : moteur.modele().titre.trimmed());
        QPainter p;
        if (!p.begin(&svg))
            return false;
        moteur.peindre(p, QRectF(QPointF(0, 0), QSizeF(taille)));
        p.end();
    }
    return fichier.commit();
}

bool SortiesImage::ecrirePdf(const MoteurGraphique& moteur, const QString& chemin, const QSize& taille)
{
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter pdf(&fichier);
        const int resolution = 96;
        pdf.setResolution(resolution);
        pdf.setPageSize(QPageSize(QSizeF(taille) * 72.0 / resolution, QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(moteur.modele().titre.trimmed());
        pdf.setCreator(QStringLiteral("graphique"));
        QPainter p;
        if (!p.begin(&pdf))
            return false;
        const QRect page = pdf.pageLayout().paintRectPixels(resolution);
        moteur.peindre(p, QRectF(page));
        p.end();
    }
    return fichier.commit();
}

bool SortiesImage::ecrire(const MoteurGraphique& moteur, const QString& chemin, const QSize& taille)
{
    const QString extension = QFileInfo(chemin).suffix().toLower();
    if (extension == QStringLiteral("png"))
        return ecrirePng(moteur, chemin, taille);
    if (extension == QStringLiteral("svg"))
        return ecrireSvg(moteur, chemin, taille);
    if (extension == QStringLiteral("pdf"))
        return ecrirePdf(moteur, chemin, taille);
    return false;
}
