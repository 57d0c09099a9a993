#pragma once

#include "data/bases/ExpressionSql.h"
#include "data/bases/TypeValeur.h"

#include <QString>
#include <QStringList>
#include <cmath>

// Petites règles partagées par les fichiers de la traduction.
namespace OutilsTraduction {

using Genre = ExpressionSql::Genre;

inline bool estNumerique(TypeValeur t)
{
    return t == TypeValeur::Entier || t == TypeValeur::Reel;
}

inline bool litteral(const ExpressionSql& e)
{
    return e.genre == Genre::Nombre || e.genre == Genre::Texte || e.genre == Genre::Date || e.genre == Genre::Nul;
}

inline bool memeNom(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

inline QString texteNombre(double x)
{
    if (x == std::floor(x) && std::fabs(x) < 1e15)
        return QString::number(qint64(x));
    return QString::number(x, 'g', 17);
}

inline const QStringList& operateursComparaison()
{
    static const QStringList operateurs = {QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("<"),
                                           QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">=")};
    return operateurs;
}

} // namespace OutilsTraduction
