#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
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

// Ce que chaque genre est pour le contrôle : sa disposition, ce qu'il charge et
// ce que sa demande doit tenir. Une seule table, lue partout où le genre compte.
struct TraitsTypeGraph
{
    enum class Visibilite : qint8 { Cache, Montre, Inchange };
    // Ce que le chargement remplit.
    enum class Chargement : qint8 { Mesures, Annee, Superposition, DeuxGraphiques, Reference, Comparaison, Aucun };
    // Ce qu'une demande doit donner pour être chargée.
    enum class Demande : qint8 { Annee, Reference, Station, Tableau };
    // Le genre des stations que la demande ajoute au pluviomètre (stations 2 et suivantes de MonTabPluvio).
    enum class Autres : qint8 { Aucune, Pluvio, Piezo, Hydro };

    TypeGraph type;
    const char* nom;
    // La pluie dessinée dans un second graphique, sous la nappe ou la rivière.
    bool deuxGraphiques;
    // Le graphique monte sous la palette, aligné sur le cadre de référence.
    bool enHaut;
    // L'en-tête des stations reçoit la liste de l'hôte ; les dates viennent du pluviomètre choisi.
    bool enteteStations, datesDuPluviometre;
    Chargement chargement;
    Demande demande;
    // Outils de la palette cachés (0 : aucun de plus).
    std::array<qint16, 4> outilsCaches;
    Visibilite reference, cadreOutils, points, annee, dates, entete;
    Autres autres;
    // Le graphique d'une année, avec ses variantes de cumuls.
    bool annuel;
    // Les valeurs sont des écarts à la normale, de signe quelconque.
    bool ecarts;
    // La station est une courbe de référence, pas un pluviomètre.
    bool courbeReference;
    // Les points se corrigent à la main sur le graphique.
    bool saisie;
    // Une page d'annuaire : l'hôte la recalcule entière (TraitementParametresTotal) et elle s'écrit en classeur d'annuaire.
    bool pageAnnuaire;
    // Ce que l'hôte montre du genre, dans sa liste de genres.
    const char* libelle;
    // L'échelle des valeurs dans les options, et le refus de ses bornes.
    const char* titreEchelle;
    const char* refusBornes;

    bool superposeStations() const { return autres == Autres::Pluvio; }
    bool piezometres() const { return autres == Autres::Piezo; }
    bool riviere() const { return autres == Autres::Hydro; }
};

// Les noms des genres tels que la ligne de commande et l'aide les écrivent, dans l'ordre des numéros.
inline constexpr std::size_t NombreTypesGraph = 9;
inline constexpr std::array<const char*, NombreTypesGraph> NomsTypeGraph = {
    "edition", "Annee", "annuaire", "travail", "Superposition", "PluvioPiezo", "reference", "comparaisonNormale", "PluvioStation"};

const TraitsTypeGraph& Traits(TypeGraph type);
const std::array<TraitsTypeGraph, NombreTypesGraph>& TousLesTraits();

QString NomTypeGraph(TypeGraph type);
// "edition, Annee, …, PluvioStation".
QString ListeNomsTypeGraph();
// La casse est ignorée ; un nom inconnu ne donne rien.
std::optional<TypeGraph> TypeGraphDepuisNom(const QString& nom);
std::optional<TypeGraph> TypeGraphDepuisNumero(int numero);
