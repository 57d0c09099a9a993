#pragma once

#include <QStringList>

// The subcommands of the command-line program; each returns the exit status.
int commandeExemple(const QStringList& arguments);
int commandeImporter(const QStringList& arguments);
int commandeStations(const QStringList& arguments);
int commandeTracer(const QStringList& arguments);
int commandeOptions(const QStringList& arguments);
int commandeLitteraux(const QStringList& arguments);
