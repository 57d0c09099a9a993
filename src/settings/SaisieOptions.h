#pragma once

#include "model/options/GestionExportExcel.h"

#include <QList>
#include <QString>
#include <QtGlobal>

// Les entrées de la boîte d'options telles que l'utilisateur les a laissées :
// les nombres et les dates encore en texte, les choix en positions.
struct SaisieOptions
{
    // Positions des choix d'une ligne de la grille des courbes, depuis 0.
    struct Courbe
    {
        int motif = 0;
        int symbole = 0;
    };

    bool grilleX = false;
    bool grilleY = false;
    qint16 couleurFond = 15;
    QList<Courbe> courbes;
    QString minimum, maximum;
    QString minimumPluie, maximumPluie;
    QString tailleAxes, tailleTitre;
    QString nbSeparations;
    QString dateDebut, dateFin;
    bool echelleYAuto = true;
    bool echellePluieAuto = true;
    bool echelleXAuto = true;
    bool coteNgf = false;
    // Cases, titres et formats ; les tailles de police y sont mises une fois lues.
    GestionExportExcel options;
};
