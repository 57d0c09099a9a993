// Lance le programme comme un utilisateur, et partage une base d'exemple.
#pragma once

#include "commun_tests/ImpressionQt.h"

#include <QDate>
#include <QString>
#include <QStringList>

struct Resultat
{
    int code = -1;
    QString sortie;
    QString erreurs;
};

// configuration : dossier tenant lieu de dossier des réglages de l'utilisateur (vide : celui de l'appelant) ;
// environnement : « NOM=valeur » ajoute ou change une variable, « NOM » seul la retire ;
// devant : le programme lancé par cette commande (« setpriv … », « bash -c … »), qui le reçoit en dernier.
Resultat lancer(const QStringList& arguments, const QString& configuration = QString(), const QStringList& environnement = {},
                const QStringList& devant = {});

// Un refus : le code 2, une seule ligne d'erreur qui contient `attendu`.
void unRefus(const Resultat& r, const QString& attendu, const QString& contexte = QString());

// La base d'exemple, faite une seule fois pour toute l'exécution par `graphique exemple`.
QString baseExemple();

// Un dossier temporaire neuf pour le test appelant (supprimé en fin d'exécution).
QString dossierTemporaire();

// Une copie de la base d'exemple, modifiable, dans un dossier neuf.
QString copieDeLExemple(const QString& nom = QStringLiteral("base.db"));

// Un fichier de mesures au contenu donné, dans un dossier neuf.
QString ecrireCsv(const QByteArray& contenu, const QString& nom = QStringLiteral("mesures.csv"));

// Des mesures d'un jour par ligne : `nombre` jours dès `debut`, chacun à `valeur`.
QByteArray jours(int nombre, const QByteArray& valeur, const QDate& debut = QDate(1990, 1, 1));
