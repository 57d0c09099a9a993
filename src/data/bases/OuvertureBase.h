#pragma once

#include <QString>
#include <memory>

class BaseDonnees;

// Une base désignée par un texte : un fichier SQLite, ou un texte de connexion
// PostgreSQL ("postgresql://…" ou "host=… dbname=…"). Le fichier SQLite doit
// exister, sauf avec `creer`.
std::unique_ptr<BaseDonnees> ouvrirBase(const QString& texte, bool creer, QString& erreur);
bool estConnexionPostgres(const QString& texte);
// La même base ouverte sans pouvoir y écrire : un fichier SQLite en lecture seule, une
// session PostgreSQL en lecture seule. `pouvoirEnTrop` dit qu'un rôle PostgreSQL pourrait écrire.
std::unique_ptr<BaseDonnees> ouvrirBaseEnLecture(const QString& texte, QString& erreur, bool& pouvoirEnTrop);
