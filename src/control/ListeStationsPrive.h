#pragma once

#include "control/ListeStations.h"

#include <QList>

// L'état de ListeStations, que l'en-tête installé ne montre pas.
class ListeStationsPrive
{
public:
    QList<ListeStations::Station> stations;
    int ligne = 0;
    int colonne = 0;
};
