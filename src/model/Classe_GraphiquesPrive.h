#pragma once

#include "model/Classe_Graphiques.h"
#include "model/options/GestionExportExcel.h"

#include <QString>
#include <vector>

// L'état de Classe_Graphiques, que l'en-tête installé ne montre pas.
class Classe_GraphiquesPrive
{
public:
    using Borne = Classe_Graphiques::Borne;

    std::vector<CourbePtr> courbes;
    Borne debutAffichage, finAffichage, debutChargement, finChargement;
    double maxAxeX = 0;
    bool echelleXAuto = false;
    bool periodeAffichageFixee = false;
    UniteAxe uniteAxe = UniteAxe::Aucune;
    Periode periode = Periode::Aucune;
    // Le texte écrit par l'hôte quand il n'est pas celui du code lu : il se relit tel quel.
    QString texteUniteAxe, textePeriode;
    double minY = 0;
    double maxY = 0;
    double minDonnees = 0;
    double maxDonnees = 0;
    qint16 nbSeparations = 5;
    qint16 pasAxeX = -1;
    bool echelleYAuto = true;
    bool grilleX = true;
    bool grilleY = true;
    qint16 couleurFond = 15;
    ::GestionExportExcel options;
};
