#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

// Valeurs remises à l'initialisation du contrôle graphique et partagées par
// tout le processus : chaque instance du contrôle les voit, la dernière
// initialisation l'emporte.
struct ValeursProcessus
{
    QPointer<QObject> fenetrePrincipale;  // fenêtre principale de l'hôte, atteinte par nom de membre
    QString nomProjet;
    QString fichierAide;
    QString cheminEdition;
    QString moisAnneeHydro;
    QString excel;
    bool pointOk = false;

    static ValeursProcessus& courantes();
};
