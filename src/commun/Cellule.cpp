#include "commun/Cellule.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"

bool EstVide(const QVariant& cellule)
{
    if (!cellule.isValid() || cellule.isNull())
        return true;
    if (cellule.metaType().id() == QMetaType::QString)
        return cellule.toString().isEmpty();
    return false;
}

QString TexteCellule(const QVariant& cellule)
{
    if (!cellule.isValid() || cellule.isNull())
        return QString();
    switch (cellule.metaType().id()) {
    case QMetaType::QString:
        return cellule.toString();
    case QMetaType::Double:
    case QMetaType::Float:
        return TexteNombre(cellule.toDouble());
    case QMetaType::Bool:
        return cellule.toBool() ? QStringLiteral("Vrai") : QStringLiteral("Faux");
    case QMetaType::QDate:
        return TexteDate(cellule.toDate());
    case QMetaType::QTime:
        return TexteHeure(cellule.toTime());
    case QMetaType::QDateTime: {
        const QDateTime dt = cellule.toDateTime();
        if (dt.time() == QTime(0, 0))
            return TexteDate(dt.date());
        return TexteDate(dt.date()) + u' ' + TexteHeure(dt.time());
    }
    default:
        return cellule.toString();
    }
}

QString TexteCelluleFrancaise(const QVariant& cellule)
{
    QString t = EstVide(cellule) ? QString() : TexteCellule(cellule);
    if (LireNombre(cellule))
        t.replace(u'.', u',');
    return t;
}
