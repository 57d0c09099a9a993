#pragma once

#include <QString>
#include <QtGlobal>

// Les codes que l'hôte et les collections échangent en texte, en énumérations à
// l'intérieur. Chaque code a un texte, le seul qui sort ; un texte qui entre et
// n'est pas connu se lit comme le premier code (Aucune).

// Période de regroupement (CodePeriode d'une collection).
enum class Periode : qint8 { Aucune, Mois, Decade, Trimestre, Annee, Hydro, Sans };
// Unité de l'axe du temps (UniteAxeX d'une collection).
enum class UniteAxe : qint8 { Aucune, Mois, Trimestre, Annee, Vide, Fixe, Def };
// Variante du graphique annuel (MaChaineTypeGraph) ; les superpositions changent le genre de graphique.
enum class Variante : qint8 { Aucune, CumulAnnuel, CumulMensuel, Edition, Superposition, SuperpositionStation, Autre };

QString TexteCode(Periode p);
QString TexteCode(UniteAxe u);
Periode PeriodeDepuisTexte(const QString& texte);
UniteAxe UniteAxeDepuisTexte(const QString& texte);
// Un texte non vide et inconnu est une variante Autre ; une superposition se reconnaît
// à ce que le texte la contient.
Variante VarianteDepuisTexte(const QString& texte);
// Le texte d'une variante connue ; vide pour Aucune et Autre.
QString TexteCode(Variante v);

// Les cumuls du graphique annuel, rangés par année.
inline bool EstCumul(Variante v)
{
    return v == Variante::CumulAnnuel || v == Variante::CumulMensuel;
}
