#pragma once

#include <QDateTime>
#include <QString>
#include <algorithm>
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

    // Un enfant de plus ; la hauteur du nœud suit celle de ses enfants.
    void ajouter(std::unique_ptr<ExpressionSql> enfant)
    {
        hauteur = std::max(hauteur, enfant->hauteur + 1);
        enfants.push_back(std::move(enfant));
    }

    Genre genre;
    QString texte;
    // Niveaux de l'arbre sous ce nœud, lui compris : borne le travail récursif
    // de la traduction et de la destruction.
    int hauteur = 1;
    QString qualificatif;
    QDateTime date;
    bool negation = false;
    std::vector<std::unique_ptr<ExpressionSql>> enfants;
};
