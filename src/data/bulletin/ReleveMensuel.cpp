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

QList<double> ReleveMensuel::valeurs(int mois, int annee) const
{
    QList<double> v;
    for (const auto& [k, m] : m_mois)
        if (k % 12 == mois - 1 && k / 12 != annee && m.complet)
            v.append(m.valeur);
    return v;
}

QList<double> ReleveMensuel::echantillon(int mois, int annee, std::optional<double> propre) const
{
    const auto centieme = [](double v) { return std::round(v * 100.0) / 100.0; };
    QList<double> e = valeurs(mois, annee);
    if (propre)
        e.append(*propre);
    for (double& v : e)
        v = centieme(v);
    return e;
}
