#include "control/ListeStations.h"
#include "control/ListeStationsPrive.h"

ListeStations::ListeStations(QObject* parent)
    : QObject(parent)
    , d(std::make_unique<ListeStationsPrive>())
{
}

ListeStations::~ListeStations() = default;

const QList<ListeStations::Station>& ListeStations::stations() const
{
    return d->stations;
}

int ListeStations::Row() const
{
    return d->ligne;
}

void ListeStations::setRow(int ligne)
{
    d->ligne = ligne;
}

int ListeStations::Col() const
{
    return d->colonne;
}

void ListeStations::setCol(int colonne)
{
    d->colonne = colonne;
}

int ListeStations::MaxRows() const
{
    return int(d->stations.size());
}

void ListeStations::ajouter(const QString& code, const QString& nom, const QString& genre)
{
    d->stations.append({code, nom, genre});
}

QString ListeStations::Text() const
{
    if (d->ligne < 1 || d->ligne > d->stations.size())
        return QString();
    const Station& s = d->stations[d->ligne - 1];
    switch (d->colonne) {
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
    if (d->ligne < 1 || d->ligne > d->stations.size())
        return;
    Station& s = d->stations[d->ligne - 1];
    if (d->colonne == 1)
        s.code = texte;
    else if (d->colonne == 2)
        s.nom = texte;
    else if (d->colonne == 3)
        s.genre = texte;
}
