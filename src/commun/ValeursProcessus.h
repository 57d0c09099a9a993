#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

// Values handed to the chart control's initialisation that the whole process
// shares: every control instance sees them, the last initialisation wins.
struct ValeursProcessus
{
    QPointer<QObject> fenetrePrincipale;  // host main window, reached by member name
    QString nomProjet;
    QString fichierAide;
    QString cheminEdition;
    QString moisAnneeHydro;
    QString excel;
    bool pointOk = false;

    static ValeursProcessus& courantes();
};
