#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class ListeStationsPrive;

// Liste des stations d'un hôte, vue comme une grille par les noms de membres
// ("Row", "Col", "Text", "MaxRows") : colonne 1 code, 2 nom, 3 genre ("pluvio",
// "piezo", "hydro", "reference"). Tout objet qui a ces membres convient.
class ListeStations : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Row READ Row WRITE setRow)
    Q_PROPERTY(int Col READ Col WRITE setCol)
    Q_PROPERTY(int MaxRows READ MaxRows)
    Q_PROPERTY(QString Text READ Text WRITE setText)

public:
    struct Station
    {
        QString code, nom, genre;
    };

    explicit ListeStations(QObject* parent = nullptr);
    ~ListeStations() override;

    void ajouter(const QString& code, const QString& nom, const QString& genre);
    const QList<Station>& stations() const;

    int Row() const;
    void setRow(int ligne);
    int Col() const;
    void setCol(int colonne);
    int MaxRows() const;
    QString Text() const;
    void setText(const QString& texte);

private:
    std::unique_ptr<ListeStationsPrive> d;
};
