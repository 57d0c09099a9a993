#include "commun/CodesGraphique.h"

#include <array>
#include <utility>

namespace {

template <typename E, std::size_t N>
using Table = std::array<std::pair<E, const char*>, N>;

constexpr Table<Periode, 7> periodes = {{{Periode::Aucune, ""},
                                          {Periode::Mois, "MOIS"},
                                          {Periode::Decade, "DECADE"},
                                          {Periode::Trimestre, "TRIMESTRE"},
                                          {Periode::Annee, "ANNEE"},
                                          {Periode::Hydro, "HYDRO"},
                                          {Periode::Sans, "SANS"}}};

constexpr Table<UniteAxe, 7> unites = {{{UniteAxe::Aucune, ""},
                                         {UniteAxe::Mois, "M"},
                                         {UniteAxe::Trimestre, "T"},
                                         {UniteAxe::Annee, "A"},
                                         {UniteAxe::Vide, "VIDE"},
                                         {UniteAxe::Fixe, "FIXE"},
                                         {UniteAxe::Def, "DEF"}}};

// Les superpositions se cherchent dans le texte, la plus longue d'abord.
constexpr Table<Variante, 6> variantes = {{{Variante::Aucune, ""},
                                            {Variante::CumulAnnuel, "CUMUL_ANNUEL"},
                                            {Variante::CumulMensuel, "CUMUL_MENSUEL"},
                                            {Variante::Edition, "EDITION"},
                                            {Variante::SuperpositionStation, "SUPERPOSITION_STATION"},
                                            {Variante::Superposition, "SUPERPOSITION"}}};

template <typename E, std::size_t N>
QString texte(const Table<E, N>& table, E code)
{
    for (const auto& [c, t] : table)
        if (c == code)
            return QString::fromLatin1(t);
    return QString();
}

template <typename E, std::size_t N>
E depuisTexte(const Table<E, N>& table, const QString& texte)
{
    for (const auto& [c, t] : table)
        if (texte == QLatin1String(t))
            return c;
    return table[0].first;
}

} // namespace

QString TexteCode(Periode p)
{
    return texte(periodes, p);
}

QString TexteCode(UniteAxe u)
{
    return texte(unites, u);
}

QString TexteCode(Variante v)
{
    return texte(variantes, v);
}

Periode PeriodeDepuisTexte(const QString& t)
{
    return depuisTexte(periodes, t);
}

UniteAxe UniteAxeDepuisTexte(const QString& t)
{
    return depuisTexte(unites, t);
}

Variante VarianteDepuisTexte(const QString& t)
{
    if (t.isEmpty())
        return Variante::Aucune;
    for (const auto& [c, code] : variantes)
        if (c != Variante::Aucune && (c == Variante::Superposition || c == Variante::SuperpositionStation ? t.contains(QLatin1String(code))
                                                                                                         : t == QLatin1String(code)))
            return c;
    return Variante::Autre;
}
