#pragma once

#include <QLoggingCategory>

// "graphique.sql" : chaque ordre reçu, sa traduction et son échec.
// Éteinte par défaut ; QT_LOGGING_RULES="graphique.sql.debug=true" l'affiche.
Q_DECLARE_LOGGING_CATEGORY(journalSql)
