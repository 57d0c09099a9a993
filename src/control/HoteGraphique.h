#pragma once

#include "commun/TypeGraph.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

class BaseDonnees;
class CtlGraphique;

// A host that sets the chart control up as a monitoring application does: its
// main window (database kind, depth coefficient, scale type), the form that
// holds the control with its statistics fields and check boxes, the station
// list, and one chart asked for and drawn. The command line and the tests use it.
class HoteGraphique : public QWidget
{
    Q_OBJECT

public:
    struct Station
    {
        QString code, nom, genre;
        double altitude = 0;
    };

    struct Demande
    {
        TypeGraph type = TypeGraph::edition;
        QString station;          // the rain gauge; the reference curve's code for `reference`
        QStringList stations;     // the other stations of the superposed kinds
        QString mesures = QStringLiteral("1");
        QString periodes = QStringLiteral("M");
        QString affichage = QStringLiteral("HISTO");
        QString variante;         // "CUMUL_ANNUEL", "CUMUL_MENSUEL", "EDITION" or empty
        QString debut, fin;       // "DD/MM/YYYY"; empty: the whole record of the station
        int annee = 0;            // year graph; 0: the last year with data
        bool cumul = false;
        QString premiereAnneeStatistique, derniereAnneeStatistique;  // empty: chosen from the data
        QString moisHydro = QStringLiteral("10");
    };

    explicit HoteGraphique(QWidget* parent = nullptr);
    ~HoteGraphique() override;

    CtlGraphique& controle() { return *m_controle; }
    QObject* fenetrePrincipale() { return m_fenetre; }

    // Les stations que l'hôte connaît : la table STATIONS de la base ; rien
    // quand elle ne peut pas être lue (la raison dans `DerniereErreur` de la base).
    static std::optional<QList<Station>> lireStations(BaseDonnees* base);
    // First and last dates of a station's measurements, "DD/MM/YYYY", empty when none.
    static std::pair<QString, QString> etendue(BaseDonnees* base, const Station& station);

    // Sets the control up for the request and loads; false with a French reason
    // when the request can't be served (an unknown station, say).
    bool tracer(const Demande& demande, BaseDonnees* base, QString& erreur);
    // Whether the last load drew any point.
    bool aDesDonnees() const;

    // Members the control calls by name on the form that holds it.
    Q_INVOKABLE void TraitementParametres();
    Q_INVOKABLE void TraitementParametresTotal();
    Q_INVOKABLE void Form_Resize() {}
    Q_INVOKABLE void AppelDeclencheClick(qint16) {}

private:
    QObject* champ(const char* nom, const QString& texte);
    QObject* caseACocher(const char* nom);

    CtlGraphique* m_controle;
    QObject* m_fenetre;
};
