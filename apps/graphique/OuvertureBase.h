#pragma once

#include <QString>
#include <memory>

class BaseDonnees;

// BASE of the command line: a SQLite file, or a PostgreSQL connection text
// ("postgresql://…" or "host=… dbname=…"). A SQLite file must exist unless
// `creer` is given.
std::unique_ptr<BaseDonnees> ouvrirBase(const QString& texte, bool creer, QString& erreur);
bool estConnexionPostgres(const QString& texte);
