#pragma once

#include <QImage>
#include <QPicture>
#include <QRectF>
#include <QString>
#include <memory>

class QPainter;

// Background pictures read from files: a picture file written by a chart
// (vector, drawn sharp at any size) or any image Qt reads. Kept in memory until
// the file changes.
class ImagesFond
{
public:
    struct Image
    {
        QPicture picture;
        QImage image;
        bool estPicture = false;
        QSizeF taille;
    };

    static std::shared_ptr<const Image> charger(const QString& chemin);
    // Draws the picture stretched over `cible`.
    static void peindre(QPainter& peintre, const Image& image, const QRectF& cible);
    static void oublier(const QString& chemin);
};
