#pragma once

#include "data/bases/ExpressionSql.h"

#include <QString>
#include <memory>
#include <vector>

// Un SELECT de la formulation Access.
struct RequeteSql
{
    struct Element
    {
        std::unique_ptr<ExpressionSql> expression;  // nul pour * et t.*
        QString qualificatifEtoile;
        QString alias;
    };

    struct Source
    {
        QString table;                           // ou
        std::unique_ptr<RequeteSql> sousRequete;
        QString alias;
    };

    struct Tri
    {
        std::unique_ptr<ExpressionSql> expression;
        bool descendant = false;
    };

    bool distinct = false;
    std::vector<Element> elements;
    std::vector<Source> sources;
    std::unique_ptr<ExpressionSql> condition;
    std::vector<std::unique_ptr<ExpressionSql>> groupes;
    std::unique_ptr<ExpressionSql> conditionGroupes;
    std::vector<Tri> tris;
};
