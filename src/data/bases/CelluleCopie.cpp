#include "data/bases/CelluleCopie.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "data/bases/ValeurColonne.h"

#include <cmath>

namespace {

bool date(QVariant& v, TypeColonne type)
{
    if (v.metaType().id() == QMetaType::QString) {
        if (const auto iso = ValeurColonne::lireIso(v.toString())) {
            v = *iso;
            return true;
        }
    }
    QString erreur;
    // Un texte vide n'est pas une date : il devient NULL, des deux côtés.
    const auto d = ValeurColonne::convertir(v, type, erreur);
    if (!d)
        return false;
    v = *d;
    return true;
}

void entier(QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
        v = v.toLongLong();
        break;
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (d == std::floor(d) && std::fabs(d) < 9.0e18)
            v = qint64(d);
        break;
    }
    default:
        break;
    }
}

void reel(QVariant& v)
{
    if (v.metaType().id() == QMetaType::LongLong || v.metaType().id() == QMetaType::Int)
        v = v.toDouble();
}

} // namespace

bool CelluleCopie::normaliser(QVariant& cellule, TypeColonne type)
{
    if (!cellule.isValid())
        return true;
    switch (type) {
    case TypeColonne::Date:
    case TypeColonne::Heure:
    case TypeColonne::DateHeure:
        return date(cellule, type);
    case TypeColonne::Entier:
    case TypeColonne::Booleen:
        entier(cellule);
        return true;
    case TypeColonne::Reel:
        reel(cellule);
        return true;
    case TypeColonne::Texte:
    case TypeColonne::Autre:
        break;
    }
    if (cellule.metaType().id() == QMetaType::Bool || cellule.metaType().id() == QMetaType::Int)
        entier(cellule);
    return true;
}

bool CelluleCopie::normaliser(TableauValeurs& lot, const QList<ColonneTable>& colonnes, QString& erreur)
{
    for (int r = 0; r < lot.points(); ++r)
        for (int c = 0; c < colonnes.size() && c < lot.lignes(); ++c)
            if (!normaliser(lot(c, r), colonnes[c].type)) {
                erreur = QStringLiteral("%1 : date impossible « %2 »").arg(colonnes[c].nom, TexteCellule(lot(c, r)).left(40));
                return false;
            }
    return true;
}
