#pragma once

// Les images des essais, gardées pour être regardées quand GRAPHIQUE_IMAGES_TESTS nomme un dossier.
#include <QDir>
#include <QImage>
#include <QString>

inline void garderImage(const QImage& image, const QString& nom)
{
    const QString dossier = qEnvironmentVariable("GRAPHIQUE_IMAGES_TESTS");
    if (!dossier.isEmpty() && QDir().mkpath(dossier))
        image.save(QDir(dossier).filePath(nom + QStringLiteral(".png")));
}
