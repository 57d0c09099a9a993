#pragma once

#include <QList>

class CarteEchelles;
class QPainter;

// Marks drawn over the chart without touching it: the rubber-band boxes and the
// point symbols. In exclusive mode (2) drawing a mark again erases it; boxes are
// always exclusive, as a rubber band is. A draw request clears everything.
class Calque
{
public:
    struct Boite
    {
        double x, y, largeur, hauteur;
        int style, couleur;
        bool operator==(const Boite&) const = default;
    };
    struct Symbole
    {
        double x, y;
        int forme, taille;
        bool operator==(const Symbole&) const = default;
    };

    void definirMode(int mode) { m_mode = mode; }
    int mode() const { return m_mode; }
    void dessinerBoite(const Boite& b);
    void dessinerSymbole(const Symbole& s);
    void vider();
    bool estVide() const { return m_boites.isEmpty() && m_symboles.isEmpty(); }
    const QList<Boite>& boites() const { return m_boites; }
    const QList<Symbole>& symboles() const { return m_symboles; }

    // Boxes invert what lies under them, so they show on any background.
    void peindre(QPainter& peintre, const CarteEchelles& carte) const;

private:
    int m_mode = 0;
    QList<Boite> m_boites;
    QList<Symbole> m_symboles;
};
