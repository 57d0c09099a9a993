#pragma once

// Numéros des propriétés du moteur de graphique. Le sens de chacune, et ce
// qu'en voit une lecture, sont décrits dans Proprietes.md à côté de ce fichier.
namespace Prop {
constexpr int Ombre = 2;
constexpr int ImageFond = 3;
constexpr int PlacementImageFond = 4;
constexpr int CouleurFond = 5;
constexpr int TitreX = 8;
constexpr int Reinitialisation = 20;
constexpr int Dessin = 21;
constexpr int Manquant = 32;
constexpr int PolicePolice = 34;
constexpr int TaillePolice = 35;
constexpr int ClasseTexte = 37;
constexpr int CouleurElement = 38;
constexpr int Element = 39;
constexpr int ValeurTexte = 41;
constexpr int EmpilementBarres = 42;
constexpr int TitreGraphique = 43;
constexpr int TypeGraphe = 44;
constexpr int MotifBarres = 45;
constexpr int Grille = 46;
constexpr int FichierImage = 51;
constexpr int EspacementLibelles = 53;
constexpr int TitreYGauche = 57;
constexpr int Marqueurs = 58;
constexpr int PositionLegende = 59;
constexpr int CadreLegende = 61;
constexpr int Curseur = 64;
constexpr int NbPoints = 66;
constexpr int NbJeux = 67;
constexpr int PlacementJeux = 71;
constexpr int OrientationLibellesX = 81;
constexpr int CouleursImpression = 84;
constexpr int CadreZone = 88;
constexpr int TitreYDroite = 89;
constexpr int LignesAxes = 90;
constexpr int Graduations = 92;
constexpr int JeuEnValeur = 94;
constexpr int PointEnValeur = 95;    // le point donné du jeu courant ; 0 : aucun
constexpr int CouleurPointEnValeur = 96;
constexpr int LegendePointEnValeur = 97;
constexpr int Avertissement = 98;
constexpr int MarquesDepassement = 99;
constexpr int ValeursAffichees = 100;
constexpr int Point = 101;
constexpr int Jeu = 102;
constexpr int EspacementGraduations = 103;
constexpr int XMax = 111;
constexpr int XMin = 112;
constexpr int PlacementLibellesX = 114;
constexpr int GraduationsX = 115;
constexpr int NbLibellesX = 116;
constexpr int PositionX = 117;
constexpr int YMax = 118;
constexpr int YMin = 119;
constexpr int DecimalesY = 121;
constexpr int ModeEchelleY = 122;
constexpr int DivisionsY = 123;
constexpr int AxeY = 124;
constexpr int LibelleDroit = 125;
constexpr int ContourBarres = 138;
constexpr int CouleurPoint = 157;    // indicée par point
constexpr int ValeurPoint = 158;     // indicée par point
constexpr int LibelleX = 168;        // indicée par libellé
constexpr int Legende = 169;         // indicée par jeu de données
constexpr int Plafond = 170;         // indicée par point
constexpr int LegendeFond = 171;     // indicée par entrée de la légende de l'image de fond
constexpr int CouleurLegendeFond = 172;
constexpr int PositionLue = 175;     // indicée : 1 position X, 2 valeur
constexpr int LibelleGauche = 176;   // indicée par graduation, depuis le bas
constexpr int Impression = 179;      // indicée
constexpr int Validite = 189;        // indicée par point
} // namespace Prop

// Demandes de tracé (propriété 21).
namespace DemandeDessin {
constexpr int Suspendre = 0;
constexpr int Vierge = 1;
constexpr int Dessiner = 2;
constexpr int Imprimer = 5;
constexpr int EcrireImage = 6;
} // namespace DemandeDessin
