#pragma once

#include "commun/ColonnesTypees.h"

#include <QString>
#include <QVariant>
#include <memory>

// L'état de Classe_Graphique, que l'en-tête installé ne montre pas.
class Classe_GraphiquePrive
{
public:
    QString cle;
    QString titre;
    mutable QVariant valeurs;
    std::shared_ptr<const ColonnesTypees> colonnes;
    qint16 pattern = 0;
    qint16 symbol = -1;
    qint32 couleur = 0;
    qint32 nbValeurs = 0;
    bool afficher = false;
};
