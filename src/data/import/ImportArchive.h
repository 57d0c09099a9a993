#pragma once

#include "data/import/PremiersDoublons.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>

class BaseAcces;

// Un fichier public de mesures de plusieurs stations (fichier quotidien de
// climatologie d'un département, chroniques piézométriques, observations
// hydrométriques élaborées), compressé par gzip ou non, versé dans les tables
// des stations tout ou rien, en une transaction. Chaque station est créée
// (sa table, son entrée dans STATIONS) ou complétée ; dans une station, une
// mesure déjà dans la base au même jour voit sa valeur remplacée à son heure
// (plusieurs mesures ce jour-là : tout est refusé), et deux
// lignes du fichier à la même date : la dernière l'emporte. Une seule ligne
// fausse, et rien n'est écrit.
class ImportArchive
{
public:
    struct Demande
    {
        QString format;        // "meteo-quotidien", "piezo-chroniques" ou "hydro-elab"
        QStringList stations;  // vide : toutes les stations du fichier
        int moisHydro = 10;
    };

    struct Bilan
    {
        QString format;
        qint64 lignesLues = 0;
        qint64 mesures = 0;          // lignes portant une valeur, gardées
        qint64 vides = 0;            // lignes sans valeur, passées
        qint64 autresGrandeurs = 0;  // lignes d'une grandeur qu'on ne lit pas
        qint64 autresStations = 0;   // lignes de stations non demandées
        qint64 doublons = 0;         // lignes écartées par une ligne suivante de même station et date
        PremiersDoublons premiersDoublons;
        qint64 ajoutees = 0;
        qint64 remplacees = 0;
        int stationsCreees = 0;
        int stationsCompletees = 0;
        QStringList absentes;        // stations demandées que le fichier n'a pas

        // Le compte rendu d'un import réussi, sur une ligne.
        QString texte() const;
    };

    struct Avancement
    {
        qint64 lignesLues = 0;
        int stations = 0;         // stations vues dans le fichier
        int stationsFaites = 0;   // stations versées dans leur table
        int pourcent = 0;         // du fichier lu
    };
    using Progression = std::function<void(const Avancement&)>;

    // Le format, les codes demandés et le fichier, vérifiés avant d'ouvrir la
    // base ; le défaut en français, vide quand tout va.
    static QString verifier(const QString& chemin, const Demande& demande);
    // Faux et `erreur` (une ligne en français) quand rien n'a été écrit.
    static bool importer(BaseAcces& base, const QString& chemin, const Demande& demande, Bilan& bilan, QString& erreur,
                         const Progression& progression = {});
};
