#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

// Le modèle d'un graphique natif de classeur, tel que l'écrit la partie
// xl/charts/chartN.xml. Les valeurs reprennent les constantes du modèle
// objet du tableur (types de graphique, styles de trait, marques, unités de
// temps…) pour que la couche qui imite ce modèle n'ait rien à traduire.
// Positions et tailles en points (1/72 de pouce), depuis le coin haut gauche
// de la zone du graphique.

// Constantes du tableur.
namespace ConstantesTableur {
// Types de graphique.
inline constexpr int kColonnesGroupees = 51;
inline constexpr int kColonnesEmpilees = 52;
inline constexpr int kLigne = 4;
inline constexpr int kNuageLisseSansMarque = 73;
inline constexpr int kNuageLignesSansMarque = 75;
// Styles de trait.
inline constexpr int kTraitContinu = 1;
inline constexpr int kTraitTirets = -4115;
inline constexpr int kTraitPoints = -4118;
inline constexpr int kTraitTiretPoint = 4;
inline constexpr int kTraitTiretPointPoint = 5;
inline constexpr int kAucun = -4142;  // aussi « aucune marque »
inline constexpr int kAutomatique = -4105;
// Marques.
inline constexpr int kMarquePlus = 9;
inline constexpr int kMarqueCroix = -4168;
inline constexpr int kMarqueCercle = 8;
// Croisement des axes : valeur donnée, maximum, minimum.
inline constexpr int kCroiseALaValeur = -4114;
inline constexpr int kCroiseAuMaximum = 2;
inline constexpr int kCroiseAuMinimum = 4;
// Orientation des étiquettes : vers le haut.
inline constexpr int kVersLeHaut = -4171;
// Unités de temps d'un axe de dates.
inline constexpr int kJours = 0;
inline constexpr int kMois = 1;
inline constexpr int kAnnees = 2;
// Échelles.
inline constexpr int kEchelleLineaire = -4132;
inline constexpr int kEchelleLogarithmique = -4133;
} // namespace ConstantesTableur

// Une plage d'une feuille, lignes et colonnes depuis 1.
struct PlageXlsx
{
    QString feuille;
    int ligne1 = 0, colonne1 = 0, ligne2 = 0, colonne2 = 0;

    bool valide() const { return ligne1 >= 1 && colonne1 >= 1 && ligne2 >= ligne1 && colonne2 >= colonne1; }
};

struct PoliceXlsx
{
    double taille = 0;  // 0 : celle du tableur
    bool gras = false;
    std::optional<quint32> couleur;  // 0xRRGGBB
    // Sans thème dans le classeur, un texte sans police prendrait celle de secours du lecteur.
    QString nom = QStringLiteral("Arial");
};

// Un rectangle en points ; un côté absent est laissé au tableur.
struct CadreXlsx
{
    std::optional<double> gauche, haut, largeur, hauteur;
};

struct SerieXlsx
{
    QString nom;  // texte du nom, écrit tel quel
    PlageXlsx x;  // absente (invalide) : 1, 2, 3…
    PlageXlsx valeurs;
    int typeGraphique = ConstantesTableur::kColonnesGroupees;
    int groupeAxes = 1;  // 1 axes principaux, 2 axes secondaires
    std::optional<quint32> couleurRemplissage;
    std::optional<quint32> couleurTrait;
    int styleTrait = ConstantesTableur::kTraitContinu;
    int marque = ConstantesTableur::kAutomatique;  // kAucun, kMarquePlus, kMarqueCroix, kMarqueCercle
    int tailleMarque = 0;                          // 0 : celle du tableur
    std::optional<quint32> couleurMarque;
    bool entreeLegendeSupprimee = false;
};

// Un axe vu comme le tableur le décrit : `croisement` et `croiseA` disent où
// l'axe perpendiculaire coupe celui-ci (dans le fichier, ils s'écrivent sur
// l'axe perpendiculaire).
struct AxeXlsx
{
    bool visible = true;
    std::optional<double> minimum, maximum;
    std::optional<double> uniteMajeure, uniteMineure;  // absente : automatique
    // Axe de dates (catégories en échelle de temps) : unités ConstantesTableur::kJours…
    std::optional<int> uniteBase, echelleUniteMajeure, echelleUniteMineure;
    QString formatEtiquettes;  // vide : "General"
    PoliceXlsx policeEtiquettes;
    int orientationEtiquettes = 0;  // 0 horizontale, kVersLeHaut
    std::optional<quint32> couleurTrait;
    bool grilleMajeure = false;
    std::optional<quint32> couleurGrille;
    bool aTitre = false;
    QString titre;
    PoliceXlsx policeTitre;
    int croisement = ConstantesTableur::kAutomatique;  // ou kCroiseALaValeur, kCroiseAuMaximum, kCroiseAuMinimum
    double croiseA = 0;
    bool ordreInverse = false;
    int echelle = ConstantesTableur::kEchelleLineaire;

    static AxeXlsx masque()
    {
        AxeXlsx axe;
        axe.visible = false;
        return axe;
    }
};

struct ZoneTexteXlsx
{
    QString texte;
    CadreXlsx cadre;
    PoliceXlsx police;
};

struct GraphiqueXlsx
{
    // Taille de la zone du graphique sur sa feuille graphique.
    static constexpr double kLargeur = 780;
    static constexpr double kHauteur = 540;

    int typeGraphique = ConstantesTableur::kColonnesGroupees;
    std::vector<SerieXlsx> series;
    int chevauchement = 0;  // colonnes : -100..100
    int largeurIntervalle = 150;  // colonnes : écart entre catégories, 0..500 % d'une colonne

    AxeXlsx axeX;           // catégories, en échelle de temps quand uniteBase est donnée
    AxeXlsx axeY;           // valeurs, groupe 1
    AxeXlsx axeX2 = AxeXlsx::masque();  // groupe 2, masqué d'ordinaire
    AxeXlsx axeY2;          // valeurs, groupe 2

    bool aTitre = false;
    QString titre;
    PoliceXlsx policeTitre;

    bool aLegende = true;
    CadreXlsx cadreLegende;
    PoliceXlsx policeLegende;
    bool bordureLegende = false;
    bool ombreLegende = false;

    CadreXlsx cadreTrace;
    std::optional<quint32> fondTrace;
    std::optional<quint32> fondGraphique;

    std::vector<ZoneTexteXlsx> zonesTexte;
};
