#pragma once

#include "control/EnteteStations.h"

#include <QComboBox>
#include <QLabel>
#include <QList>
#include <functional>

// L'état d'EnteteStations, que l'en-tête installé ne montre pas.
class EnteteStationsPrive
{
public:
    explicit EnteteStationsPrive(QWidget* entete)
        : libelle(new QLabel(QStringLiteral("Station :"), entete))
        , liste(new QComboBox(entete))
    {
    }

    QLabel* libelle;
    QComboBox* liste;
    QList<EnteteStations::Station> stations;
    std::function<bool()> confirmation;
    int courant = -1;
    int precedent = -1;
    bool aConfirmer = false;  // la station vient de changer et ce n'est pas le programme qui l'a choisie
};
