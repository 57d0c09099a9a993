#pragma once

#include <QList>

class CarteEchelles;
class QPainter;

// Marques tracées par-dessus le graphique sans le toucher : les cadres
// élastiques et les symboles de points. En mode exclusif (2), tracer de nouveau
// une marque l'efface ; les cadres sont toujours exclusifs, comme tout cadre
// élastique. Une demande de tracé efface tout.
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

    // Les cadres inversent ce qu'ils recouvrent, pour se voir sur tout fond.
    void peindre(QPainter& peintre, const CarteEchelles& carte) const;

private:
    int m_mode = 0;
    QList<Boite> m_boites;
    QList<Symbole> m_symboles;
};
