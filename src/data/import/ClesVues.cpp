#include "data/import/ClesVues.h"

#include <algorithm>

namespace {

std::size_t melange(qint64 cle)
{
    // Les clés se suivent souvent de 3 600 ou de 86 400 : on les disperse.
    const quint64 x = quint64(cle) * 0x9E3779B97F4A7C15ULL;
    return std::size_t(x ^ (x >> 29));
}

} // namespace

qint64 ClesVues::noter(qint64 cle, qint64 ligne)
{
    if (!m_table.empty())
        return noterDansLaTable(cle, ligne);
    if (m_triees.empty() || cle > m_triees.back().cle) {
        m_triees.push_back({cle, ligne});
        ++m_taille;
        return 0;
    }
    const auto place = std::lower_bound(m_triees.begin(), m_triees.end(), cle, [](const Case& c, qint64 k) { return c.cle < k; });
    if (place != m_triees.end() && place->cle == cle)
        return std::exchange(place->ligne, ligne);
    passerALaTable();
    return noterDansLaTable(cle, ligne);
}

qint64 ClesVues::noterDansLaTable(qint64 cle, qint64 ligne)
{
    if ((m_taille + 1) * 2 > qint64(m_table.size()))
        agrandir();
    const std::size_t masque = m_table.size() - 1;
    for (std::size_t i = melange(cle) & masque;; i = (i + 1) & masque) {
        Case& c = m_table[i];
        if (c.ligne == 0) {
            c = {cle, ligne};
            ++m_taille;
            return 0;
        }
        if (c.cle == cle)
            return std::exchange(c.ligne, ligne);
    }
}

void ClesVues::passerALaTable()
{
    std::vector<Case> triees;
    triees.swap(m_triees);
    m_taille = 0;
    m_table.assign(1024, Case{0, 0});
    for (const Case& c : triees)
        noterDansLaTable(c.cle, c.ligne);
}

void ClesVues::agrandir()
{
    std::vector<Case> anciennes(std::max<std::size_t>(m_table.size() * 2, 1024), Case{0, 0});
    anciennes.swap(m_table);
    m_taille = 0;
    for (const Case& c : anciennes)
        if (c.ligne != 0)
            noterDansLaTable(c.cle, c.ligne);
}
