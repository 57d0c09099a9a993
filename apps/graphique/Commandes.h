#pragma once

#include <QStringList>

// Les sous-commandes du programme en ligne de commande ; chacune rend le code de sortie.
int commandeExemple(const QStringList& arguments);
int commandeCopier(const QStringList& arguments);
int commandeImporter(const QStringList& arguments);
int commandeCorrections(const QStringList& arguments);
int commandeStations(const QStringList& arguments);
int commandeTracer(const QStringList& arguments);
int commandeExporter(const QStringList& arguments);
int commandeAnnuaire(const QStringList& arguments);
int commandeOptions(const QStringList& arguments);
int commandeLitteraux(const QStringList& arguments);
int commandeBulletin(const QStringList& arguments);
int commandeServeur(const QStringList& arguments);
