#pragma once

#include "render/moteur/JeuDonnees.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// Police d'une classe de texte : 0 titre du graphique, 1 titres des axes, 2 libellés des axes, 3 légende.
struct PoliceTexte
{
    QString famille;
    int taillePourcent = 100;
};

// Un axe de valeurs : 0 gauche, 1 droite.
struct AxeValeurs
{
    double max = 10.0;              // 118 tel qu'écrit
    double min = 0.0;               // 119 tel qu'écrit
    bool bornesEcrites = false;     // depuis la dernière réinitialisation
    int divisions = 5;              // 123
    QMap<int, QString> libelles;    // 176 (gauche) ou 125 (droite), par graduation depuis le bas
};

struct Bornes
{
    double min = 0.0;
    double max = 0.0;
};

// Ce qu'ont construit les écritures de propriétés : jeux de données, axes,
// textes et aspect. Les requêtes donnent les valeurs effectives, celles qui
// sont relues et tracées.
class ModeleGraphique
{
public:
    // Les tailles au-delà sont ignorées : le moteur ne réserve pas de quoi
    // épuiser la mémoire ni ne parcourt des milliards de libellés.
    static constexpr int nbJeuxMax = 512;
    static constexpr qint64 cellulesMax = 50'000'000;  // jeux × points
    static constexpr int nbLibellesMax = 100'000;

    ModeleGraphique();

    // Jeux de données 1..nbJeux(), chacun de nbPoints() points.
    std::vector<JeuDonnees> jeux;
    int nbPoints = 0;
    int jeuSelectionne = 1;       // 102
    int pointSelectionne = 1;     // 101

    // Axe X
    QMap<int, QString> libellesX;     // 168, depuis 1
    QStringList libellesTabulation;   // VBAGLabels
    int nbLibellesX = 1;              // 116
    int espacementLibelles = 1;       // 53
    int espacementGraduations = 1;    // 103
    int placementLibellesX = 2;       // 114 : 0 cachés, 1 entre les graduations, 2 sur les graduations
    int graduationsX = 2;             // 115 : 0 aucune, 1 à chaque point, 2 aux libellés
    int orientationLibellesX = 0;     // 81 : 0 horizontaux, 1 verticaux
    double xMinEcrit = 0.0;           // 112
    double xMaxEcrit = 1000.0;        // 111
    bool xMinEcrit_ = false;
    bool xMaxEcrit_ = false;
    quint64 ordreBornesX = 0;         // ordre de la dernière écriture d'une borne de X
    quint64 ordreNbPoints = 0;        // ordre du dernier changement du nombre de points

    // Axes Y
    std::array<AxeValeurs, 2> axes;
    int axeSelectionne = 0;           // 124
    int modeEchelleY = 0;             // 122, les deux axes : 2 bornes explicites, sinon d'après les données
    int decimalesY = -1;              // 121 : -1 autant que le pas en demande

    // Textes
    QString titre;                    // 43
    QString titreX;                   // 8
    QString titreYGauche;             // 57
    QString titreYDroite;             // 89
    QMap<int, QString> legendes;      // 169, par jeu de données
    QMap<int, QString> legendesFond;  // 171, les séries de l'image de fond, avant les jeux
    QMap<int, int> couleursLegendesFond;  // 172
    QString avertissement;            // 98 : une ligne dans la zone de tracé
    std::array<PoliceTexte, 4> polices;
    int classeTexte = 0;              // 37

    // Aspect
    int type = 6;                     // 44 : 3 barres, 6 lignes, 1 marqueurs seuls
    int grille = 0;                   // 46
    int couleurFond = 15;             // 5
    QString imageFond;                // 3
    int placementImageFond = 0;       // 4
    int ombre = 0;                    // 2
    int empilementBarres = 0;         // 42 : 2 les jeux empilés en une barre par point
    int motifBarres = 0;              // 45
    int contourBarres = 0;            // 138
    int marqueurs = 1;                // 58
    int positionLegende = 2;          // 59 : 0 aucune, 1 dessous, 2 à droite
    int cadreLegende = 0;             // 61 : 0 encadrée, 1 sans cadre
    int curseur = 0;                  // 64
    int placementJeux = 0;            // 71 : 0 côte à côte, 2 les uns sur les autres
    int couleursImpression = 1;       // 84 : 1 couleurs, 0 gris
    int cadreZone = 0;                // 88 : 0 zone de tracé encadrée, 1 sans cadre
    int lignesAxes = 1;               // 90
    int graduations = 1;              // 92
    int jeuEnValeur = 0;              // 94
    int jeuPointEnValeur = 0;         // 95, écrit au jeu courant : son point `pointEnValeur` se distingue
    int pointEnValeur = 0;
    int couleurPointEnValeur = 12;    // 96
    QString legendePointEnValeur;     // 97 : en tête de la légende
    int marquesDepassement = 0;       // 99 : 1 marque au bord de la zone les valeurs hors des bornes Y
    int valeursAffichees = 0;         // 100
    int elementSelectionne = 7;       // 39
    QMap<int, int> couleursElements;  // 38 par élément
    QString fichierImage;             // 51
    QMap<int, double> reglagesImpression;  // 179

    enum Element { ZoneTrace = 4, ElementLegende = 5, ElementAxes = 6, Cadre = 7 };
    // Couleur de palette d'un élément, ou -1 quand il n'en a jamais reçu.
    int couleurElement(int element) const { return couleursElements.value(element, -1); }

    int nbJeux() const { return int(jeux.size()); }
    JeuDonnees* jeuCourant();
    const JeuDonnees* jeuCourant() const;
    void definirNbJeux(int n);
    void definirNbPoints(int n);
    // Retire les données et les libellés ; garde titres, polices, échelles et aspect.
    void reinitialiser();

    // Un jeu avec des positions X fait du graphique un X–Y.
    bool estXY() const;
    bool aDesPoints() const;
    Bornes bornesX() const;
    Bornes bornesY(int axe) const;
    int divisionsY(int axe) const;
    int nbLibellesEffectif() const { return std::max(nbLibellesX, 1); }
    int espacementLibellesEffectif() const { return std::clamp(espacementLibelles, 1, 19); }
    int espacementGraduationsEffectif() const { return std::max(espacementGraduations, 1); }
    // Textes de l'axe de droite affichés : il a reçu un libellé, des bornes ou un titre.
    bool axeDroitVisible() const;

    quint64 prochainOrdre() { return ++m_ordre; }

private:
    quint64 m_ordre = 0;
};
