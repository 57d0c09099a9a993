#pragma once

#include <QList>
#include <QObject>
#include <QString>

// Liste des stations d'un hôte, vue comme une grille par les noms de membres
// ("Row", "Col", "Text", "MaxRows") : colonne 1 code, 2 nom, 3 genre ("pluvio",
// "piezo", "hydro", "reference"). Tout objet qui a ces membres convient.
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
