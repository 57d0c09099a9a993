#pragma once

#include "data/ColonneTable.h"

#include <QList>
#include <QString>

class BaseAcces;

// Les tables qu'un import crée : celle d'une station nouvelle, et celles sans
// lesquelles une base faite seulement d'imports ne servirait pas à toutes les
// commandes (liste des stations, calendrier, normales).
class TablesImport
{
public:
    // Les colonnes de la table d'une station de ce genre, `colonne` comprise.
    static QList<ColonneTable> colonnesStation(const QString& genre, const QString& colonne);
    // Crée ce qui manque ; faux et `erreur` en français sinon.
    static bool completerBase(BaseAcces& base, int moisHydro, QString& erreur);
    // Les moteurs ne distinguent pas PLUVIO_ABC de PLUVIO_abc : une station
    // nouvelle dont le code ne diffère d'un autre du même genre que par la
    // casse partagerait sa table. Faux et `erreur` en français dans ce cas.
    static bool verifierCodeNeuf(BaseAcces& base, const QString& genre, const QString& code, QString& erreur);
};
