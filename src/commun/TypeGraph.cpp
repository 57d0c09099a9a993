#include "commun/TypeGraph.h"

#include <array>

namespace {
const std::array<QString, 9> noms = {
    QStringLiteral("edition"), QStringLiteral("Annee"), QStringLiteral("annuaire"),
    QStringLiteral("travail"), QStringLiteral("Superposition"), QStringLiteral("PluvioPiezo"),
    QStringLiteral("reference"), QStringLiteral("comparaisonNormale"), QStringLiteral("PluvioStation")};
}

QString NomTypeGraph(TypeGraph type)
{
    const int i = int(type);
    return i >= 0 && i < int(noms.size()) ? noms[std::size_t(i)] : QString();
}

std::optional<TypeGraph> TypeGraphDepuisNom(const QString& nom)
{
    for (std::size_t i = 0; i < noms.size(); ++i)
        if (noms[i].compare(nom.trimmed(), Qt::CaseInsensitive) == 0)
            return TypeGraph(i);
    return std::nullopt;
}

std::optional<TypeGraph> TypeGraphDepuisNumero(int numero)
{
    if (numero < 0 || numero >= int(noms.size()))
        return std::nullopt;
    return TypeGraph(numero);
}
