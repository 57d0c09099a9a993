#pragma once

#include "model/options/GestionExportExcel.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

// Les options une fois vérifiées, prêtes à ranger et à appliquer.
struct ChoixOptions
{
    struct Courbe
    {
        bool afficher = true;
        qint16 pattern = 0;   // gardé tel quel quand la courbe est cachée
        qint16 symbol = -1;   // -1 : aucun symbole
        bool operator==(const Courbe&) const = default;
    };
    struct Echelle
    {
        bool automatique = true;
        double minimum = 0;
        double maximum = 0;
        bool operator==(const Echelle&) const = default;
    };

    bool grilleX = false;
    bool grilleY = false;
    qint16 couleurFond = 15;
    QList<Courbe> courbes;
    Echelle echelleY;
    Echelle echellePluie;       // genres à deux graphiques seulement
    qint16 nbSeparations = 5;
    bool echelleXAuto = true;
    QDate debut, fin;
    bool coteNgf = false;
    GestionExportExcel options;
    // Les tailles de police rangées comme saisies.
    QString texteTailleAxes, texteTailleTitre;
};
