#pragma once

#include <QList>
#include <QObject>
#include <QString>

// The station list a host keeps, as a grid reached by member name ("Row",
// "Col", "Text", "MaxRows"): column 1 code, 2 name, 3 kind ("pluvio", "piezo",
// "hydro", "reference"). Hosts may give any object with these members.
class ListeStations : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Row MEMBER m_ligne)
    Q_PROPERTY(int Col MEMBER m_colonne)
    Q_PROPERTY(int MaxRows READ MaxRows)
    Q_PROPERTY(QString Text READ Text WRITE setText)

public:
    struct Station
    {
        QString code, nom, genre;
    };

    explicit ListeStations(QObject* parent = nullptr);

    void ajouter(const QString& code, const QString& nom, const QString& genre);
    const QList<Station>& stations() const { return m_stations; }

    int MaxRows() const { return int(m_stations.size()); }
    QString Text() const;
    void setText(const QString& texte);

private:
    QList<Station> m_stations;
    int m_ligne = 0;
    int m_colonne = 0;
};
