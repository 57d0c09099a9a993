#pragma once

// Les points d'un tableau de valeurs en lignes de texte, pour comparer des
// tables entières d'un coup.
#include "commun/Cellule.h"
#include "commun/TableauValeurs.h"

#include <QStringList>

// Chaque champ en texte ; avec son type devant quand deux types doivent se distinguer.
inline QStringList lignesTexte(const TableauValeurs& t, bool avecType = false, QChar separateur = u'|')
{
    QStringList lignes;
    for (int r = 0; r < t.points(); ++r) {
        QStringList champs;
        for (int c = 0; c < t.lignes(); ++c)
            champs << (avecType ? QString::fromLatin1(t(c, r).typeName()) + u':' + t(c, r).toString() : TexteCellule(t(c, r)));
        lignes << champs.join(separateur);
    }
    return lignes;
}
