#pragma once

#include <QString>
#include <memory>

class BaseDonnees;

// BASE de la ligne de commande : un fichier SQLite, ou un texte de connexion
// PostgreSQL ("postgresql://…" ou "host=… dbname=…"). Le fichier SQLite doit
// exister, sauf avec `creer`.
std::unique_ptr<BaseDonnees> ouvrirBase(const QString& texte, bool creer, QString& erreur);
bool estConnexionPostgres(const QString& texte);
