#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class BaseDonnees;
class QComboBox;
class QLabel;

// Station header: the stations the host selected and the current one. Other
// parts read from it the current code and name and the texts of printed titles
// and of file names.
class EnteteStations : public QWidget
{
    Q_OBJECT

public:
    struct Station
    {
        QString code, nom, genre;
    };

    explicit EnteteStations(QWidget* parent = nullptr);

    // Fills the list from the host's station grid (members "MaxRows", "Row",
    // "Col", "Text"; columns 1 code, 2 name, 3 kind) and selects the first station.
    void Initialiser(QObject* sprListe, BaseDonnees* base, const QString& nomProjet);
    void Redimensionner(int largeurTwips);

    void ajouter(const QString& code, const QString& nom, const QString& genre);
    bool selectionner(const QString& code);
    const QList<Station>& stations() const { return m_stations; }

    QString CodeStation() const;
    QString NomStation() const;
    QString GenreStation() const;
    // Printed title "A - B (C)": A the kind of station, B its name, C its code.
    QString TexteA() const;
    QString TexteB() const { return NomStation(); }
    QString TexteC() const { return CodeStation(); }
    // File names: the first text is the code, the second the name.
    QString TexteFichier1() const { return CodeStation(); }
    QString TexteFichier2() const { return NomStation(); }

signals:
    void stationChangee(const QString& code);

private:
    void remplir();

    QLabel* m_libelle;
    QComboBox* m_liste;
    QList<Station> m_stations;
};
