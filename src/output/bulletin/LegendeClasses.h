#pragma once

#include <QRectF>
#include <QString>
#include <functional>

class QPainter;

// La légende des cinq classes, du plus bas au plus haut : une case de la
// couleur de chacune, son nom dedans.
namespace LegendeClasses {

void peindre(QPainter& p, const QRectF& zone, const std::function<QString(int classe)>& nom);

} // namespace LegendeClasses
