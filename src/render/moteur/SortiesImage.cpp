#include "render/moteur/SortiesImage.h"

#include "render/moteur/MoteurGraphique.h"

#include "commun/FichierProvisoire.h"
#include "commun/RaisonSysteme.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPicture>
#include <QBuffer>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <unistd.h>

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

bool SortiesImage::ecrirePng(const MoteurGraphique& moteur, QIODevice& sortie, const QSize& taille)
{
    return image(moteur, taille).convertToFormat(QImage::Format_RGB32).save(&sortie, "PNG");
}

bool SortiesImage::ecrireSvg(const MoteurGraphique& moteur, QIODevice& sortie, const QSize& taille)
{
    QSvgGenerator svg;
    svg.setOutputDevice(&sortie);
    svg.setSize(taille);
    svg.setViewBox(QRect(QPoint(0, 0), taille));
    // À la résolution des images de fond (QPicture) : rejouées à une autre, certains de leurs
    // tracés seraient mis à l'échelle des deux résolutions, d'autres non.
    svg.setResolution(QPicture().logicalDpiX());
    svg.setTitle(moteur.modele().titre.trimmed().isEmpty() ? QStringLiteral("Graphique") : moteur.modele().titre.trimmed());
    QPainter p;
    if (!p.begin(&svg))
        return false;
    moteur.peindre(p, QRectF(QPointF(0, 0), QSizeF(taille)));
    return p.end();
}

bool SortiesImage::ecrirePdf(const MoteurGraphique& moteur, QIODevice& sortie, const QSize& taille)
{
    QPdfWriter pdf(&sortie);
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
    return p.end();
}

bool SortiesImage::ecrire(const MoteurGraphique& moteur, QIODevice& sortie, const QString& format, const QSize& taille)
{
    using Ecriture = bool (*)(const MoteurGraphique&, QIODevice&, const QSize&);
    static const std::pair<const char*, Ecriture> formats[] = {{"png", ecrirePng}, {"svg", ecrireSvg}, {"pdf", ecrirePdf}};
    for (const auto& [nom, ecriture] : formats) {
        if (format.compare(QLatin1String(nom), Qt::CaseInsensitive) != 0)
            continue;
        // Fait en mémoire puis écrit d'un coup : les écrivains PNG, SVG et PDF
        // ne disent pas toujours qu'une écriture a échoué (disque plein), une
        // seule écriture vérifiée le dit pour tous.
        QByteArray octets;
        QBuffer tampon(&octets);
        tampon.open(QIODevice::WriteOnly);
        if (!ecriture(moteur, tampon, taille))
            return false;
        auto* fichier = qobject_cast<QFileDevice*>(&sortie);
        return EcrireTout(sortie, octets) && (!fichier || fichier->flush());
    }
    return false;
}

bool SortiesImage::ecrire(const MoteurGraphique& moteur, const QString& chemin, const QSize& taille)
{
    // Écrit à côté puis renommé : un échec ne laisse pas de moitié de fichier.
    FichierProvisoire provisoire(chemin);
    QString erreur;
    const int fd = provisoire.creer(erreur);
    QFile fichier;
    if (fd < 0 || !fichier.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return false;
    const bool ecrit = ecrire(moteur, fichier, QFileInfo(chemin).suffix(), taille) && ::fsync(fichier.handle()) == 0;
    fichier.close();
    return ecrit && fichier.error() == QFileDevice::NoError && provisoire.mettreEnPlace(erreur);
}
