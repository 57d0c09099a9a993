#include "commun/TypeGraph.h"

#include <QStringList>

namespace {

using T = TraitsTypeGraph;
using V = T::Visibilite;
using C = T::Chargement;
using D = T::Demande;
using A = T::Autres;
constexpr V M = V::Montre, K = V::Cache, I = V::Inchange;

constexpr const char* echelle = "Échelle des valeurs";
constexpr const char* bornes = "La valeur du minimum et/ou du maximum n'est pas correcte.";

// Dans l'ordre des numéros de l'hôte.
constexpr std::array<TraitsTypeGraph, NombreTypesGraph> traits = {{
    //  type                          nom                      deux   haut   entête dates  chargement         demande       outils cachés  réf cadre pts année dates entête
    //  autres      annuel ecarts réf.   saisie total  libellé, échelle, refus des bornes
    {TypeGraph::edition,            NomsTypeGraph[0], false, false, true,  true,  C::Mesures,        D::Station,   {4, 5, 6, 0}, K, K, K, K, I, I,
     A::Aucune, false, false, false, false, false, "Édition (totaux par période)", echelle, bornes},
    {TypeGraph::Annee,              NomsTypeGraph[1], false, false, true,  false, C::Annee,          D::Annee,     {4, 5, 6, 0}, K, K, K, M, K, I,
     A::Aucune, true,  false, false, false, false, "Graphique annuel et statistiques", echelle, bornes},
    {TypeGraph::annuaire,           NomsTypeGraph[2], false, true,  true,  true,  C::Mesures,        D::Station,   {1, 4, 5, 6}, K, K, K, K, I, K,
     A::Aucune, false, false, false, false, true,  "Annuaire", echelle, bornes},
    {TypeGraph::travail,            NomsTypeGraph[3], false, false, false, false, C::Aucun,          D::Tableau,   {0, 0, 0, 0}, K, I, I, K, I, I,
     A::Aucune, false, false, false, true,  false, "Travail (saisie des points)", echelle, bornes},
    {TypeGraph::Superposition,      NomsTypeGraph[4], false, true,  false, false, C::Superposition,  D::Tableau,   {4, 5, 6, 0}, K, K, K, K, I, K,
     A::Pluvio, false, false, false, false, false, "Superposition de pluviomètres", echelle, bornes},
    {TypeGraph::PluvioPiezo,        NomsTypeGraph[5], true,  true,  false, false, C::DeuxGraphiques, D::Tableau,   {4, 5, 6, 0}, K, K, K, K, I, K,
     A::Piezo,  false, false, false, false, false, "Pluie et nappe", "Échelle de la piézométrie",
     "La valeur du minimum et/ou du maximum de la piézomètrie n'est pas correcte."},
    {TypeGraph::reference,          NomsTypeGraph[6], false, false, false, false, C::Reference,      D::Reference, {4, 5, 6, 0}, M, K, K, K, I, K,
     A::Aucune, false, false, true,  false, false, "Courbe de référence", echelle, bornes},
    {TypeGraph::comparaisonNormale, NomsTypeGraph[7], false, false, true,  true,  C::Comparaison,    D::Station,   {4, 5, 6, 0}, K, K, K, K, I, I,
     A::Aucune, false, true,  false, false, false, "Comparaison à la normale", echelle, bornes},
    {TypeGraph::PluvioStation,      NomsTypeGraph[8], true,  true,  false, false, C::DeuxGraphiques, D::Tableau,   {4, 5, 6, 0}, K, K, K, K, I, K,
     A::Hydro,  false, false, false, false, false, "Pluie et débit de rivière", "Échelle de la station hydrométrique",
     "La valeur du minimum et/ou du maximum de la station hydro n'est pas correcte."},
}};

// Traits() lit la table par position : chaque ligne est au rang de son numéro, sous son nom.
constexpr bool lignesAuRangDeLeurNumero()
{
    for (std::size_t i = 0; i < traits.size(); ++i)
        if (std::size_t(traits[i].type) != i || traits[i].nom != NomsTypeGraph[i])
            return false;
    return true;
}
static_assert(lignesAuRangDeLeurNumero(), "une ligne de la table des traits n'est pas au rang de son numéro");

} // namespace

const std::array<TraitsTypeGraph, NombreTypesGraph>& TousLesTraits()
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

QString ListeNomsTypeGraph()
{
    QStringList noms;
    for (const char* nom : NomsTypeGraph)
        noms << QString::fromLatin1(nom);
    return noms.join(QStringLiteral(", "));
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
