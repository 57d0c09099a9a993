#include "data/import/PremiersDoublons.h"

#include <QStringList>

void PremiersDoublons::noter(qint64 ecartee, qint64 gardee)
{
    if (m_paires.size() < gardes)
        m_paires.append({ecartee, gardee});
}

QString PremiersDoublons::texte(qint64 total) const
{
    QStringList paires;
    for (const auto& [ecartee, gardee] : m_paires)
        paires << QStringLiteral("ligne %1 remplacée par la ligne %2").arg(ecartee).arg(gardee);
    if (total > m_paires.size())
        paires << QStringLiteral("…");
    return paires.join(QStringLiteral(", "));
}
