#pragma once

#include "commun/EchelleNappe.h"
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
        std::optional<int> classe;  // celle que le bulletin de ce mois-là lui donne
    };

    QString code, nom;
    const GenreBulletin* genre = nullptr;
    std::optional<double> valeur, normale, rapport;
    int rang = 0, effectif = 0;  // rang 0 : le mois n'est pas mesuré
    std::optional<int> classe;   // 0 (le plus bas) à 4
    std::optional<double> cumul, normaleCumulee;
    std::optional<Tendance> tendance;
    std::vector<MoisContexte> contexte;
    // Un niveau se lit comme sur les graphiques : en cote NGF, ou en profondeur positive.
    std::optional<EchelleNappe> echelle;

    QString texteRang() const { return rang ? QStringLiteral("%1/%2").arg(rang).arg(effectif) : QString(); }
    QString texteClasse() const { return classe ? genre->libelleClasse(*classe) : QString(); }
    QString texteTendance() const;
    // Une valeur rangée telle qu'on la lit : un niveau en profondeur ou en cote, le reste tel quel.
    std::optional<double> lue(std::optional<double> rangee) const;
    // "Pluie", "Débit" ; pour un niveau, "Profondeur" ou "Cote NGF".
    QString texteGrandeur() const;
    // L'unité de la synthèse : pour un niveau, avec ce qu'il mesure ("m (profondeur)", "m (cote NGF)").
    QString texteUnite() const;
};
