#include "commun/TypeGraph.h"

namespace {

using T = TraitsTypeGraph;
using V = T::Visibilite;
using C = T::Chargement;
using D = T::Demande;
constexpr V M = V::Montre, K = V::Cache, I = V::Inchange;

// Dans l'ordre des numéros de l'hôte.
const std::array<TraitsTypeGraph, 9> traits = {{
    //  type                          nom                   deux   haut   entête dates  chargement         demande       outils cachés  réf cadre pts année dates entête
    {TypeGraph::edition,            "edition",            false, false, true,  true,  C::Mesures,        D::Station,   {4, 5, 6, 0}, K, K, K, K, I, I},
    {TypeGraph::Annee,              "Annee",              false, false, true,  false, C::Annee,          D::Annee,     {4, 5, 6, 0}, K, K, K, M, K, I},
    {TypeGraph::annuaire,           "annuaire",           false, true,  true,  true,  C::Mesures,        D::Station,   {1, 4, 5, 6}, K, K, K, K, I, K},
    {TypeGraph::travail,            "travail",            false, false, false, false, C::Aucun,          D::Tableau,   {0, 0, 0, 0}, K, I, I, K, I, I},
    {TypeGraph::Superposition,      "Superposition",      false, true,  false, false, C::Superposition,  D::Tableau,   {4, 5, 6, 0}, K, K, K, K, I, K},
    {TypeGraph::PluvioPiezo,        "PluvioPiezo",        true,  true,  false, false, C::DeuxGraphiques, D::Tableau,   {4, 5, 6, 0}, K, K, K, K, I, K},
    {TypeGraph::reference,          "reference",          false, false, false, false, C::Reference,      D::Reference, {4, 5, 6, 0}, M, K, K, K, I, K},
    {TypeGraph::comparaisonNormale, "comparaisonNormale", false, false, true,  true,  C::Comparaison,    D::Station,   {4, 5, 6, 0}, K, K, K, K, I, I},
    {TypeGraph::PluvioStation,      "PluvioStation",      true,  true,  false, false, C::DeuxGraphiques, D::Tableau,   {4, 5, 6, 0}, K, K, K, K, I, K},
}};

} // namespace

const std::array<TraitsTypeGraph, 9>& TousLesTraits()
{
    return traits;
}

const TraitsTypeGraph& Traits(TypeGraph type)
{
    const int i = int(type);
    // Un numéro hors de la table (un hôte qui écrit n'importe quoi) se lit comme l'édition.
    return traits[i >= 0 && i < int(traits.size()) ? std::size_t(i) : 0];
}

QString NomTypeGraph(TypeGraph type)
{
    const int i = int(type);
    return i >= 0 && i < int(traits.size()) ? QString::fromLatin1(traits[std::size_t(i)].nom) : QString();
}

std::optional<TypeGraph> TypeGraphDepuisNom(const QString& nom)
{
    for (const TraitsTypeGraph& t : traits)
        if (nom.trimmed().compare(QLatin1String(t.nom), Qt::CaseInsensitive) == 0)
            return t.type;
    return std::nullopt;
}

std::optional<TypeGraph> TypeGraphDepuisNumero(int numero)
{
    if (numero < 0 || numero >= int(traits.size()))
        return std::nullopt;
    return TypeGraph(numero);
}
