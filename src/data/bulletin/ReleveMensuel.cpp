#include "data/bulletin/ReleveMensuel.h"

#include <cmath>

void ReleveMensuel::ajouter(int annee, int mois, Mois m)
{
    m_mois[cle(annee, mois)] = m;
}

const ReleveMensuel::Mois* ReleveMensuel::mois(int annee, int mois) const
{
    const auto i = m_mois.find(cle(annee, mois));
    return i == m_mois.end() ? nullptr : &i->second;
}

QList<double> ReleveMensuel::echantillon(int mois, int annee, std::optional<double> propre) const
{
    const auto centieme = [](double v) { return std::round(v * 100.0) / 100.0; };
    QList<double> e;
    for (const auto& [k, m] : m_mois)
        if (k % 12 == mois - 1 && k / 12 != annee && m.complet)
            e.append(centieme(m.valeur));
    if (propre)
        e.append(centieme(*propre));
    return e;
}
