#pragma once

#include "render/moteur/JeuDonnees.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// Font of one text class: 0 graph title, 1 axis titles, 2 axis labels, 3 legend.
struct PoliceTexte
{
    QString famille;
    int taillePourcent = 100;
};

// One value axis: 0 left, 1 right.
struct AxeValeurs
{
    double max = 10.0;              // 118 as written
    double min = 0.0;               // 119 as written
    bool bornesEcrites = false;     // since the last reset
    int divisions = 5;              // 123
    QMap<int, QString> libelles;    // 176 (left) or 125 (right), by tick from the bottom
};

struct Bornes
{
    double min = 0.0;
    double max = 0.0;
};

// What the property writes have built: data sets, axes, texts and looks. The
// queries give the effective values, those that are read back and drawn.
class ModeleGraphique
{
public:
    // Les tailles au-delà sont ignorées : le moteur ne réserve pas de quoi
    // épuiser la mémoire ni ne parcourt des milliards de libellés.
    static constexpr int nbJeuxMax = 512;
    static constexpr qint64 cellulesMax = 50'000'000;  // jeux × points
    static constexpr int nbLibellesMax = 100'000;

    ModeleGraphique();

    // Data sets 1..nbJeux(), each with nbPoints() points.
    std::vector<JeuDonnees> jeux;
    int nbPoints = 0;
    int jeuSelectionne = 1;       // 102
    int pointSelectionne = 1;     // 101

    // X axis
    QMap<int, QString> libellesX;     // 168, from 1
    QStringList libellesTabulation;   // VBAGLabels
    int nbLibellesX = 1;              // 116
    int espacementLibelles = 1;       // 53
    int espacementGraduations = 1;    // 103
    int placementLibellesX = 2;       // 114: 0 hidden, 1 between ticks, 2 at ticks
    int graduationsX = 2;             // 115: 0 none, 1 every point, 2 at labels
    int orientationLibellesX = 0;     // 81: 0 horizontal, 1 vertical
    double xMinEcrit = 0.0;           // 112
    double xMaxEcrit = 1000.0;        // 111
    bool xMinEcrit_ = false;
    bool xMaxEcrit_ = false;
    quint64 ordreBornesX = 0;         // order of the last X bound write
    quint64 ordreNbPoints = 0;        // order of the last change of the point count

    // Y axes
    std::array<AxeValeurs, 2> axes;
    int axeSelectionne = 0;           // 124
    int modeEchelleY = 0;             // 122, both axes: 2 explicit bounds, otherwise from the data
    int decimalesY = -1;              // 121: -1 as many as the step needs

    // Texts
    QString titre;                    // 43
    QString titreX;                   // 8
    QString titreYGauche;             // 57
    QString titreYDroite;             // 89
    QMap<int, QString> legendes;      // 169, by data set
    std::array<PoliceTexte, 4> polices;
    int classeTexte = 0;              // 37

    // Looks
    int type = 6;                     // 44: 3 bars, 6 lines, 1 markers only
    int grille = 0;                   // 46
    int couleurFond = 15;             // 5
    QString imageFond;                // 3
    int placementImageFond = 0;       // 4
    int ombre = 0;                    // 2
    int empilementBarres = 0;         // 42: 2 the sets stacked in one bar a point
    int motifBarres = 0;              // 45
    int contourBarres = 0;            // 138
    int marqueurs = 1;                // 58
    int positionLegende = 2;          // 59: 0 none, 1 below, 2 right
    int cadreLegende = 0;             // 61: 0 framed, 1 bare
    int curseur = 0;                  // 64
    int placementJeux = 0;            // 71: 0 side by side, 2 over one another
    int couleursImpression = 1;       // 84: 1 colours, 0 greys
    int cadreZone = 0;                // 88: 0 framed plot, 1 bare
    int lignesAxes = 1;               // 90
    int graduations = 1;              // 92
    int jeuEnValeur = 0;              // 94
    int valeursAffichees = 0;         // 100
    int elementSelectionne = 7;       // 39
    QMap<int, int> couleursElements;  // 38 by element
    QString fichierImage;             // 51
    QMap<int, double> reglagesImpression;  // 179

    enum Element { ZoneTrace = 4, ElementLegende = 5, ElementAxes = 6, Cadre = 7 };
    // Palette colour of an element, or -1 when it was never given one.
    int couleurElement(int element) const { return couleursElements.value(element, -1); }

    int nbJeux() const { return int(jeux.size()); }
    JeuDonnees* jeuCourant();
    void definirNbJeux(int n);
    void definirNbPoints(int n);
    // Removes the data and the labels; keeps titles, fonts, scales and looks.
    void reinitialiser();

    // A set with X positions makes the chart X–Y.
    bool estXY() const;
    bool aDesPoints() const;
    Bornes bornesX() const;
    Bornes bornesY(int axe) const;
    int divisionsY(int axe) const;
    int nbLibellesEffectif() const { return std::max(nbLibellesX, 1); }
    int espacementLibellesEffectif() const { return std::clamp(espacementLibelles, 1, 19); }
    int espacementGraduationsEffectif() const { return std::max(espacementGraduations, 1); }
    // Text of the right axis shown: some label or bounds were given to it.
    bool axeDroitVisible() const;

    quint64 prochainOrdre() { return ++m_ordre; }

private:
    quint64 m_ordre = 0;
};
