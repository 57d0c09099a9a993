#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Le genre de graphique, numéroté comme l'hôte le connaît.
enum class TypeGraph : qint16 {
    edition = 0,
    Annee = 1,
    annuaire = 2,
    travail = 3,
    Superposition = 4,
    PluvioPiezo = 5,
    reference = 6,
    comparaisonNormale = 7,
    PluvioStation = 8,
};

QString NomTypeGraph(TypeGraph type);
// La casse est ignorée ; un nom inconnu ne donne rien.
std::optional<TypeGraph> TypeGraphDepuisNom(const QString& nom);
std::optional<TypeGraph> TypeGraphDepuisNumero(int numero);
