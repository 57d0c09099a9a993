#pragma once

#include <QtGlobal>
#include <vector>

class JeuDonnees;

// Ce qu'une colonne de pixels montre d'un trait : son premier et son dernier
// point, ses extrêmes en hauteur (yHaut le plus petit y) et son nombre de points.
struct ColonneTrait
{
    qint64 colonne = 0;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    double yHaut = 0, yBas = 0;
    int nombre = 0;
};

// Un trait d'une couleur, sans trou : les colonnes [debut, fin) de la sortie.
struct TraitColonnes
{
    int couleur = 0;
    int debut = 0;
    int fin = 0;
};

// Les unités d'un jeu en pixels : px = bx + ax·x, py = by + ay·valeur.
struct EchellePixels
{
    double ax = 0, bx = 0, ay = 0, by = 0;
};

// Réduit un jeu aux X triés colonne de pixels par colonne, sur les seules
// colonnes vues (plus un point de chaque côté pour que les traits entrent et
// sortent) : les bornes sont cherchées par dichotomie, et une colonne qui
// couvre des blocs unis lit leurs résumés au lieu de leurs points. Les traits
// sont coupés aux points non tracés et à chaque changement de couleur, qui
// repart du point précédent, comme le tracé point par point.
class ParcoursColonnes
{
public:
    // Les colonnes et les traits d'un parcours. Gardés d'un dessin à l'autre, ils
    // évitent de redemander au système la mémoire qu'un redessin vient de rendre.
    struct Tampons
    {
        std::vector<ColonneTrait> colonnes;
        std::vector<TraitColonnes> traits;
    };

    ParcoursColonnes(const JeuDonnees& jeu, const EchellePixels& echelle);
    ParcoursColonnes(const JeuDonnees& jeu, const EchellePixels& echelle, Tampons& tampons);

    // Le parcours vaut pour ce jeu à cette échelle : X triés, échelle finie et croissante.
    static bool possible(const JeuDonnees& jeu, const EchellePixels& echelle);

    void parcourir(qint64 colonneMin, qint64 colonneMax);

    const std::vector<ColonneTrait>& colonnes() const { return m_t.colonnes; }
    const std::vector<TraitColonnes>& traits() const { return m_t.traits; }

private:
    double x(int i) const;
    qint64 colonne(int i) const;
    // Le premier point dont la colonne atteint c ; taille() s'il n'y en a pas.
    int premierDepuis(qint64 c) const;
    // Le dernier point de la colonne c depuis i (qui y est), sans dépasser fin.
    int finColonne(int i, qint64 c, int fin) const;
    void ajouterPoint(int i, qint64 c);
    void ajouterReste(int debut, int fin, qint64 c);
    void ajouterPixel(double px, double py, qint64 c);
    void terminerTrait();

    const JeuDonnees& m_jeu;
    EchellePixels m_e;
    Tampons m_propres;
    Tampons& m_t;
    bool m_traitOuvert = false;
    int m_couleur = -1;
    bool m_precedentValide = false;
    double m_precedentX = 0, m_precedentY = 0;
    qint64 m_precedentColonne = 0;
};
