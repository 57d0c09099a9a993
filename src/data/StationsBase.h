#pragma once

#include "data/GenresStation.h"

#include <QList>
#include <QString>
#include <optional>

class BaseDonnees;

// Une ligne de la table STATIONS : la liste des stations que tient la base.
struct StationBase
{
    QString code, nom, genre;
    std::optional<double> altitude;  // la cote du sol ou du repère, en m NGF, quand la base la connaît
};

// Une station désignée par son code, et par son genre quand on le précise.
struct CleStation
{
    QString code;
    std::optional<GenreStation::Genre> genre;
};

namespace StationsBase {

// Toute la table ; rien quand elle ne peut pas être lue (la raison dans
// `DerniereErreur` de la base).
std::optional<QList<StationBase>> lire(BaseDonnees* base);

// Un code peut désigner plusieurs stations, une de chaque genre (un pluviomètre
// et sa courbe de référence, un piézomètre et un pluviomètre) : la station de
// ce code parmi les genres `acceptes`, du genre de la clé quand il est donné. Rien,
// avec la raison en une ligne, quand aucune ne convient ou quand plusieurs
// genres conviennent sans `genre` (la ligne les nomme).
std::optional<StationBase> trouver(const QList<StationBase>& liste, const CleStation& cle,
                                   const QList<GenreStation::Genre>& acceptes, QString& erreur);

// Le genre nommé par une option (« pluvio », « piezo »…) ; rien et la raison sinon.
std::optional<GenreStation::Genre> lireGenre(const QString& texte, QString& erreur);

} // namespace StationsBase
