#pragma once

#include "control/ChampDate.h"

// L'état de ChampDate, que l'en-tête installé ne montre pas.
class ChampDatePrive
{
public:
    explicit ChampDatePrive(ChampDate::Forme f)
        : forme(f)
    {
    }

    ChampDate::Forme forme;
};
