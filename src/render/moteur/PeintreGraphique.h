#pragma once

#include <QRectF>

class CarteEchelles;
class ModeleGraphique;
class QPainter;

struct OptionsPeinture
{
    bool vierge = false;   // le cadre sans les séries
    bool gris = false;     // couleurs passées en gris (impression en noir et blanc)
};

// Le seul chemin de tracé du moteur : quel que soit le support (widget, image,
// SVG, PDF, imprimante, fichier QPicture), le graphique est peint depuis son
// modèle dans un cadre par ces fonctions.
class Disposition;

class PeintreGraphique
{
public:
    static void peindre(QPainter& peintre, const ModeleGraphique& modele, const QRectF& cadre,
                        const OptionsPeinture& options = {});
    // Le même, sur une disposition déjà calculée pour ce modèle et ce cadre.
    static void peindre(QPainter& peintre, const ModeleGraphique& modele, const Disposition& disposition,
                        const QRectF& cadre, const OptionsPeinture& options = {});
    // La zone de tracé seule (fond, grille, séries), telle que la contient le fichier QPicture.
    static void peindreZone(QPainter& peintre, const ModeleGraphique& modele, const QRectF& cadreReference,
                            const QRectF& cible, const OptionsPeinture& options = {});
    static void peindreSeries(QPainter& peintre, const ModeleGraphique& modele, const CarteEchelles& carte,
                              const OptionsPeinture& options = {});
};
