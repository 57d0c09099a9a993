#include "control/ListeStations.h"

ListeStations::ListeStations(QObject* parent)
    : QObject(parent)
{
}

void ListeStations::ajouter(const QString& code, const QString& nom, const QString& genre)
{
    m_stations.append({code, nom, genre});
}

QString ListeStations::Text() const
{
    if (m_ligne < 1 || m_ligne > m_stations.size())
        return QString();
    const Station& s = m_stations[m_ligne - 1];
    switch (m_colonne) {
    case 1:
        return s.code;
    case 2:
        return s.nom;
    case 3:
        return s.genre;
    default:
        return QString();
    }
}

void ListeStations::setText(const QString& texte)
{
    if (m_ligne < 1 || m_ligne > m_stations.size())
        return;
    Station& s = m_stations[m_ligne - 1];
    if (m_colonne == 1)
        s.code = texte;
    else if (m_colonne == 2)
        s.nom = texte;
    else if (m_colonne == 3)
        s.genre = texte;
}
