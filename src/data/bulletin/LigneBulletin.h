#pragma once

#include "data/bulletin/GenreBulletin.h"

#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// Une station au bulletin : sa ligne de synthèse, et son mois replacé dans
// douze mois de contexte pour la page qui la montre.
struct LigneBulletin
{
    enum class Tendance { Hausse, Baisse, Stable };

    // Un des douze mois de la page : sa valeur, les limites de ses quintiles sur le relevé, sa normale.
    struct MoisContexte
    {
        QDate mois;  // le premier du mois
        std::optional<double> valeur;
        std::array<std::optional<double>, 4> quintiles;
        std::optional<double> normale;
    };

    QString code, nom;
    const GenreBulletin* genre = nullptr;
    std::optional<double> valeur, normale, rapport;
    int rang = 0, effectif = 0;  // rang 0 : le mois n'est pas mesuré
    std::optional<int> classe;   // 0 (le plus bas) à 4
    std::optional<double> cumul, normaleCumulee;
    std::optional<Tendance> tendance;
    std::vector<MoisContexte> contexte;

    QString texteRang() const { return rang ? QStringLiteral("%1/%2").arg(rang).arg(effectif) : QString(); }
    QString texteClasse() const { return classe ? genre->libelleClasse(*classe) : QString(); }
    QString texteTendance() const;
};
