#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

// Un nœud d'une expression de la formulation Access.
struct ExpressionSql
{
    enum class Genre {
        Nombre,   // texte : tel qu'écrit
        Texte,    // texte : décodé
        Date,     // date : littéral #…#
        Nul,      // NULL
        Colonne,  // texte : nom, qualificatif : table ou alias
        Etoile,   // * de count(*), qualificatif pour t.*
        Appel,    // texte : nom de fonction en minuscules, enfants : arguments
        Unaire,   // texte : "-", "+" ou "not"
        Binaire,  // texte : opérateur en minuscules ("&", "+", "mod", "and", "=", …)
        EstNul,   // IS [NOT] NULL
        Entre,    // [NOT] BETWEEN : valeur, bas, haut
        Dans,     // [NOT] IN : valeur, puis la liste
    };

    explicit ExpressionSql(Genre g, QString t = QString())
        : genre(g)
        , texte(std::move(t))
    {
    }

    Genre genre;
    QString texte;
    QString qualificatif;
    QDateTime date;
    bool negation = false;
    std::vector<std::unique_ptr<ExpressionSql>> enfants;
};
