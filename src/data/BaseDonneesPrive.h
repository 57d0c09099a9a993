#pragma once

#include "data/BaseDonnees.h"

#include <QString>
#include <memory>
#include <optional>

// L'état de BaseDonnees, que l'en-tête installé ne montre pas.
class BaseDonneesPrive
{
public:
    using Echec = BaseDonnees::Echec;
    using Observateur = BaseDonnees::Observateur;

    explicit BaseDonneesPrive(BaseDonnees* base)
        : vie(std::make_shared<BaseDonnees*>(base))
    {
    }

    QString erreur;
    Observateur observateur;
    bool enTransaction = false;
    bool enLecture = false;
    bool echecEnTransaction = false;
    QString premierEchecTransaction;
    std::optional<Echec> premierEchec;
    std::shared_ptr<BaseDonnees*> vie;
};
