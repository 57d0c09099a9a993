#pragma once

#include <QImage>
#include <QPicture>
#include <QRectF>
#include <QString>
#include <memory>

class QPainter;

// Images de fond lues dans des fichiers : un fichier QPicture écrit par un
// graphique (vectoriel, net à toute taille) ou toute image que Qt sait lire.
// Gardées en mémoire jusqu'à ce que le fichier change.
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
    // Peint l'image étirée sur `cible`.
    static void peindre(QPainter& peintre, const Image& image, const QRectF& cible);
    static void oublier(const QString& chemin);
};
