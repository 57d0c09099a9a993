#pragma once

#include "data/bases/ExpressionSql.h"
#include "data/bases/RequeteSql.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// Un ordre de la formulation Access.
struct InstructionSql
{
    enum class Genre { Selection, Insertion, MiseAJour, Suppression };

    Genre genre = Genre::Selection;
    std::unique_ptr<RequeteSql> requete;  // SELECT, ou les lignes d'INSERT … SELECT
    QString table;                        // INSERT, UPDATE, DELETE
    QStringList colonnes;                 // INSERT (peut être vide) et UPDATE SET
    std::vector<std::unique_ptr<ExpressionSql>> valeurs;  // INSERT VALUES, UPDATE SET
    std::unique_ptr<ExpressionSql> condition;             // UPDATE, DELETE
};
