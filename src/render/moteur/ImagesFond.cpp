#include "render/moteur/ImagesFond.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QPainter>

namespace {
struct Entree
{
    QDateTime modification;
    qint64 octets = 0;
    std::shared_ptr<const ImagesFond::Image> image;
};
QHash<QString, Entree>& cache()
{
    static QHash<QString, Entree> c;
    return c;
}
} // namespace

std::shared_ptr<const ImagesFond::Image> ImagesFond::charger(const QString& chemin)
{
    const QFileInfo info(chemin);
    if (chemin.isEmpty() || !info.isFile())
        return nullptr;
    const QString cle = info.absoluteFilePath();
    auto it = cache().find(cle);
    if (it != cache().end() && it->modification == info.lastModified() && it->octets == info.size())
        return it->image;

    auto image = std::make_shared<Image>();
    if (image->picture.load(cle) && !image->picture.boundingRect().isEmpty()) {
        image->estPicture = true;
        image->taille = image->picture.boundingRect().size();
    } else if (image->image.load(cle)) {
        image->taille = image->image.size();
    } else {
        return nullptr;
    }
    cache().insert(cle, {info.lastModified(), info.size(), image});
    return image;
}

void ImagesFond::peindre(QPainter& peintre, const Image& image, const QRectF& cible)
{
    if (cible.isEmpty())
        return;
    if (!image.estPicture) {
        peintre.drawImage(cible, image.image);
        return;
    }
    const QRectF source = image.picture.boundingRect();
    peintre.save();
    peintre.setClipRect(cible, Qt::IntersectClip);
    peintre.translate(cible.topLeft());
    peintre.scale(cible.width() / source.width(), cible.height() / source.height());
    peintre.translate(-source.topLeft());
    peintre.drawPicture(0, 0, image.picture);
    peintre.restore();
}

void ImagesFond::oublier(const QString& chemin)
{
    cache().remove(QFileInfo(chemin).absoluteFilePath());
}
