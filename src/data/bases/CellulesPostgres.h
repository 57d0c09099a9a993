#pragma once

#include "commun/ColonnesTypees.h"
#include "commun/TableauValeurs.h"
#include "data/bases/TypeValeur.h"

#include <QList>
#include <QVariant>

struct pg_result;

// Les valeurs d'un résultat du serveur en cellules, qu'elles viennent en
// texte ou en binaire : une même valeur donne la même cellule des deux façons
// (une heure seule au 30/12/1899, une date hors de 1 à 9999 en texte…).
namespace CellulesPostgres {

// Vrai quand chaque colonne du résultat est d'un genre que le binaire sait lire.
bool lisiblesEnBinaire(const pg_result* r);

QVariant cellule(const pg_result* r, int ligne, int colonne, TypeValeur attendu);

// Toutes les lignes, point après point comme le tableau les range.
TableauValeurs tableau(const pg_result* r, const QList<TypeValeur>& types);
// Les mêmes valeurs, chacune lue une fois, rangées en colonnes.
ColonnesTypees colonnes(const pg_result* r, const QList<TypeValeur>& types);

} // namespace CellulesPostgres
