#pragma once

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

namespace StationsBase {

// Toute la table ; rien quand elle ne peut pas être lue (la raison dans
// `DerniereErreur` de la base).
std::optional<QList<StationBase>> lire(BaseDonnees* base);

} // namespace StationsBase
