#pragma once

#include <QRectF>

class CarteEchelles;
class ModeleGraphique;
class QPainter;

struct OptionsPeinture
{
    bool vierge = false;   // the frame without the series
    bool gris = false;     // colours turned to greys (printing in black and white)
};

// The one drawing path of the engine: whatever the device (widget, image,
// SVG, PDF, printer, picture file), the chart is painted from its model into a
// frame by these functions.
class PeintreGraphique
{
public:
    static void peindre(QPainter& peintre, const ModeleGraphique& modele, const QRectF& cadre,
                        const OptionsPeinture& options = {});
    // The plot area alone (background, grid, series) as the picture file holds it.
    static void peindreZone(QPainter& peintre, const ModeleGraphique& modele, const QRectF& cadreReference,
                            const QRectF& cible, const OptionsPeinture& options = {});
    static void peindreSeries(QPainter& peintre, const ModeleGraphique& modele, const CarteEchelles& carte,
                              const OptionsPeinture& options = {});
};
