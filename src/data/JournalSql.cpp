#include "data/JournalSql.h"

Q_LOGGING_CATEGORY(journalSql, "graphique.sql", QtWarningMsg)
