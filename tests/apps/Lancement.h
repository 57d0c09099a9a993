// Lance le programme comme un utilisateur, et partage une base d'exemple.
#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

// Un texte lisible dans les messages d'échec des tests.
inline void PrintTo(const QString& texte, std::ostream* sortie)
{
    *sortie << '"' << texte.left(2000).toStdString() << '"';
}

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
