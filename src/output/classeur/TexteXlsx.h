#pragma once

#include <QDate>
#include <QString>

// Outils de texte et de références des classeurs .xlsx.

// Limites d'une feuille de tableur.
inline constexpr int kLignesMax = 1048576;
inline constexpr int kColonnesMax = 16384;
// Longueur maximale du texte d'une cellule, en unités UTF-16.
inline constexpr int kLongueurTexteMax = 32767;

// Le texte tel qu'il sera écrit : les caractères de contrôle autres que
// tabulation, saut de ligne et retour chariot sont retirés (XML 1.0 les
// interdit), de même que U+FFFE, U+FFFF et les demi-paires isolées ; puis le
// texte est coupé à kLongueurTexteMax sans couper une paire.
QString NettoyerTexteCellule(const QString& texte);

// Lettres d'une colonne (1 → "A", 27 → "AA", 16384 → "XFD").
QString LettresColonne(int colonne);
// Référence d'une cellule ("B12").
QString ReferenceCellule(int ligne, int colonne);

// Jour de série du tableur : jours écoulés depuis le 30/12/1899.
qint64 SerieDate(const QDate& date);

// Texte d'un nombre pour le XML : le plus court qui se relit à l'identique,
// point décimal quelle que soit la langue.
QString TexteNombreXml(double valeur);

class QXmlStreamWriter;
// Écrit un texte d'élément ; les retours chariot deviennent "&#13;", qu'un
// lecteur XML changerait sinon en sauts de ligne.
void EcrireTexteXml(QXmlStreamWriter& x, const QString& texte);
