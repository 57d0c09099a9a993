#include "data/OrdreSql.h"

OrdreSql OrdreSql::entier(qint64 valeur)
{
    return OrdreSql(QString::number(valeur), 0);
}

OrdreSql OrdreSql::reel(double valeur)
{
    return OrdreSql(QString::number(valeur, 'g', 15), 0);
}

OrdreSql OrdreSql::sansVerification(const QString& texte)
{
    return OrdreSql(texte, 0);
}

OrdreSql& OrdreSql::operator+=(const OrdreSql& suite)
{
    m_texte += suite.m_texte;
    return *this;
}

OrdreSql operator+(OrdreSql debut, const OrdreSql& suite)
{
    debut += suite;
    return debut;
}
