#pragma once

#include <QFont>
#include <QString>

struct PoliceTexte;

// Polices des classes de texte. Une famille non installée est remplacée par
// une proche ("Comic Sans MS" par "Comic Neue"), puis par DejaVu Sans, à la
// taille demandée : un pourcentage de la taille de base du graphique.
class PolicesMoteur
{
public:
    static QFont police(const PoliceTexte& texte, double tailleBasePixels, bool gras = false);
    static QString familleInstallee(const QString& demandee);
    // Taille de base pour un graphique de ces dimensions : lisible sur un petit widget comme sur une grande page.
    static double tailleBase(double largeur, double hauteur);
};
