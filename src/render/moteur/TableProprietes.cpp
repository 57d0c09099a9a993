#include "render/moteur/TableProprietes.h"

#include "render/moteur/ModeleGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <array>

namespace TableProprietes {

namespace {

using M = ModeleGraphique;

const Entiere entieres[] = {
    {Prop::Ombre, &M::ombre, nullptr},
    {Prop::PlacementImageFond, &M::placementImageFond, nullptr},
    {Prop::CouleurFond, &M::couleurFond, nullptr},
    {Prop::ClasseTexte, &M::classeTexte, nullptr},
    {Prop::Element, &M::elementSelectionne, nullptr},
    {Prop::EmpilementBarres, &M::empilementBarres, nullptr},
    {Prop::TypeGraphe, &M::type, nullptr},
    {Prop::MotifBarres, &M::motifBarres, nullptr},
    {Prop::Grille, &M::grille, nullptr},
    {Prop::EspacementLibelles, &M::espacementLibelles, &M::espacementLibellesEffectif},
    {Prop::Marqueurs, &M::marqueurs, nullptr},
    {Prop::PositionLegende, &M::positionLegende, nullptr},
    {Prop::CadreLegende, &M::cadreLegende, nullptr},
    {Prop::PlacementJeux, &M::placementJeux, nullptr},
    {Prop::OrientationLibellesX, &M::orientationLibellesX, nullptr},
    {Prop::CouleursImpression, &M::couleursImpression, nullptr},
    {Prop::CadreZone, &M::cadreZone, nullptr},
    {Prop::LignesAxes, &M::lignesAxes, nullptr},
    {Prop::Graduations, &M::graduations, nullptr},
    {Prop::JeuEnValeur, &M::jeuEnValeur, nullptr},
    {Prop::CouleurPointEnValeur, &M::couleurPointEnValeur, nullptr},
    {Prop::MarquesDepassement, &M::marquesDepassement, nullptr},
    {Prop::ValeursAffichees, &M::valeursAffichees, nullptr},
    {Prop::Point, &M::pointSelectionne, nullptr},
    {Prop::Jeu, &M::jeuSelectionne, nullptr},
    {Prop::EspacementGraduations, &M::espacementGraduations, &M::espacementGraduationsEffectif},
    {Prop::PlacementLibellesX, &M::placementLibellesX, nullptr},
    {Prop::GraduationsX, &M::graduationsX, nullptr},
    {Prop::DecimalesY, &M::decimalesY, nullptr},
    {Prop::ModeEchelleY, &M::modeEchelleY, nullptr},
    {Prop::AxeY, &M::axeSelectionne, nullptr},
    {Prop::ContourBarres, &M::contourBarres, nullptr},
};

const Texte textes[] = {
    {Prop::ImageFond, &M::imageFond},           {Prop::TitreX, &M::titreX},
    {Prop::TitreGraphique, &M::titre},          {Prop::TitreYGauche, &M::titreYGauche},
    {Prop::TitreYDroite, &M::titreYDroite},     {Prop::FichierImage, &M::fichierImage},
    {Prop::LegendePointEnValeur, &M::legendePointEnValeur}, {Prop::Avertissement, &M::avertissement},
};

const TexteIndexe textesIndexes[] = {
    {Prop::Legende, &M::legendes},
    {Prop::LegendeFond, &M::legendesFond},
};

const EntiereIndexee entieresIndexees[] = {
    {Prop::CouleurLegendeFond, &M::couleursLegendesFond},
};

// Les numéros tiennent sous 256 : un accès direct, les écritures passent ici par centaines de milliers.
constexpr int numerosMax = 256;

template <typename T, std::size_t N>
std::array<const T*, numerosMax> index(const T (&table)[N])
{
    std::array<const T*, numerosMax> parNumero{};
    for (const T& e : table)
        parNumero[std::size_t(e.numero)] = &e;
    return parNumero;
}

} // namespace

const Entiere* entiere(int numero)
{
    static const auto parNumero = index(entieres);
    return numero >= 0 && numero < numerosMax ? parNumero[std::size_t(numero)] : nullptr;
}

const Texte* texte(int numero)
{
    static const auto parNumero = index(textes);
    return numero >= 0 && numero < numerosMax ? parNumero[std::size_t(numero)] : nullptr;
}

const TexteIndexe* texteIndexe(int numero)
{
    static const auto parNumero = index(textesIndexes);
    return numero >= 0 && numero < numerosMax ? parNumero[std::size_t(numero)] : nullptr;
}

const EntiereIndexee* entiereIndexee(int numero)
{
    static const auto parNumero = index(entieresIndexees);
    return numero >= 0 && numero < numerosMax ? parNumero[std::size_t(numero)] : nullptr;
}

} // namespace TableProprietes
