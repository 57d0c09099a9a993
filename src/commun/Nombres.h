#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// Les nombres tels que les hôtes et les bases les échangent : lus avec l'un ou
// l'autre séparateur décimal, écrits selon un motif (« #.## »).

// Vers moins l'infini.
double Int(double x);
// Vers zéro.
double Fix(double x);
// Entier le plus proche, moitiés au pair ; rien hors de 16 bits.
std::optional<qint16> CInt(double x);
// De même sur 32 bits.
std::optional<qint32> CLng(double x);
// À `decimales` décimales, moitiés au pair, sur les chiffres décimaux de la valeur.
double Round(double x, int decimales = 0);

// Texte décimal de |x| arrondi à `decimales` décimales ("3.14", "0.50"), point
// comme séparateur ; les moitiés s'éloignent de zéro, ou vont au pair avec `demiPair`.
QString TexteDecimalArrondi(double x, int decimales, bool demiPair);

// Motif de nombre de Format : '0' chiffre obligatoire, '#' chiffre
// facultatif, '.' séparateur décimal de l'utilisateur, ',' groupement des
// chiffres, '%' pourcentage. Les moitiés s'éloignent de zéro.
// FormatNombre(3, "#.##") donne "3," : le séparateur reste sans décimales.
QString FormatNombre(double x, const QString& motif);

// Un nombre lu dans une cellule : un nombre tel quel, un texte avec l'un ou
// l'autre séparateur décimal lu dans la langue de l'utilisateur. Une cellule
// vide ou qui n'est pas un nombre ne donne rien.
std::optional<double> LireNombre(const QVariant& valeur);

// Val, lecture tolérante : blancs, tabulations et fins de ligne ignorés, puis le plus
// long nombre du début ([+-]chiffres[.chiffres][E[+-]chiffres], point
// décimal) ; pas de nombre donne 0. Val("3 2004") vaut 32004, Val("3/2004") 3.
double Val(const QString& texte);

// Texte d'un nombre, relu tel quel par ConvertirNombre : jusqu'à 15 chiffres
// significatifs, séparateur décimal de l'utilisateur, sans groupement.
QString TexteNombre(double x);
