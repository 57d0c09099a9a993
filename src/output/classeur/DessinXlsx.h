#pragma once

#include "output/classeur/GraphiqueXlsx.h"

#include <QString>
#include <optional>

class QXmlStreamWriter;

// Morceaux DrawingML communs au graphique et à ses formes : couleurs, traits,
// polices, textes riches. Les éléments sont écrits avec leur préfixe (a:, c:),
// les espaces de noms étant déclarés sur l'élément racine de chaque partie.
namespace DessinXlsx {

inline constexpr char kEspaceDessin[] = "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr char kEspaceGraphique[] = "http://schemas.openxmlformats.org/drawingml/2006/chart";
inline constexpr char kEspaceFormesGraphique[] = "http://schemas.openxmlformats.org/drawingml/2006/chartDrawing";
inline constexpr char kEspaceDessinFeuille[] =
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";

// Points → EMU (1/12 700 de point), l'unité des dessins.
inline constexpr double kEmuParPoint = 12700;

// Le texte d'un titre, d'un nom ou d'une zone de texte : nettoyé comme celui
// d'une cellule, puis coupé à `longueurMax` sans couper une paire.
QString TexteLimite(const QString& texte, int longueurMax);

// "RRGGBB".
QString CouleurHex(quint32 couleur);
// <nom val="valeur"/>.
void EcrireVal(QXmlStreamWriter& x, const QString& nom, const QString& valeur);
void EcrireVal(QXmlStreamWriter& x, const QString& nom, int valeur);
void EcrireVal(QXmlStreamWriter& x, const QString& nom, double valeur);

void EcrireRemplissage(QXmlStreamWriter& x, quint32 couleur);
// <a:ln> : couleur et style de trait du tableur (kAucun : pas de trait,
// kAutomatique : tirets laissés au lecteur) ; largeur en EMU, 0 : laissée au lecteur.
void EcrireTrait(QXmlStreamWriter& x, std::optional<quint32> couleur, int style, int largeur = 0);
// Taille (centièmes de point), gras et couleur d'une police, sur l'élément
// `nom` (a:defRPr, a:rPr) ; `langue` ajoute lang="fr-FR".
void EcrirePolice(QXmlStreamWriter& x, const QString& nom, const PoliceXlsx& police, bool langue = false);
// <c:txPr> : police et rotation (degrés × 60 000) des étiquettes, légendes…
void EcrireProprietesTexte(QXmlStreamWriter& x, const PoliceXlsx& police, int rotation = 0);
// Les paragraphes d'un texte (un par ligne), chacun d'un seul passage dans `police`.
void EcrireParagraphes(QXmlStreamWriter& x, const QString& texte, const PoliceXlsx& police);
// <c:tx><c:rich>… : le texte riche d'un titre.
void EcrireTexteRiche(QXmlStreamWriter& x, const QString& texte, const PoliceXlsx& police, int rotation = 0);

} // namespace DessinXlsx
