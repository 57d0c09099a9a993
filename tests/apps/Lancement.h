// Runs the command-line program as a user would, and shares one sample database.
#pragma once

#include <QString>
#include <QStringList>

struct Resultat
{
    int code = -1;
    QString sortie;
    QString erreurs;
};

// configuration: a folder that stands for the user's settings home (empty: the caller's).
Resultat lancer(const QStringList& arguments, const QString& configuration = QString());

// The sample database, made once for the whole run by `graphique exemple`.
QString baseExemple();

// A fresh temporary folder for the calling test (removed at the end of the run).
QString dossierTemporaire();
