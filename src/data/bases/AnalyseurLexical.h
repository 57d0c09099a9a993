#pragma once

#include "data/bases/JetonSql.h"

#include <QList>
#include <QString>
#include <optional>

// Découpe un ordre en mots. Un nom de table de station garde son "-" (les codes
// peuvent en porter) : un identifiant qui commence par PLUVIO_, PZ_, HYDRO_ ou
// COURBE_REF_PLUVIO_ continue sur un "-" suivi d'une lettre ou d'un chiffre.
class AnalyseurLexical
{
public:
    static std::optional<QList<JetonSql>> decouper(const QString& sql, QString& erreur);
};
