#pragma once

#include "data/GenresStation.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// Un format de fichier public de mesures, tel que ses producteurs l'écrivent :
// une ligne d'en-tête, une ligne par station et par jour, plusieurs stations
// par fichier. Ce qu'on lit de chaque ligne est désigné par un rôle, et chaque
// rôle par le nom de sa colonne dans l'en-tête.
struct FormatArchive
{
    enum Role { Code, Nom, Altitude, Date, Valeur, Qualite, Niveau, Grandeur, NombreRoles };
    enum class Dates { AAAAMMJJ, AAAA_MM_JJ };

    struct Colonne
    {
        Role role;
        const char* entete;
        bool requise;
    };

    const char* nom;
    GenreStation::Genre genre;
    Dates dates;
    // Valeur rangée = valeur du fichier / diviseur : les débits passent des l/s
    // aux m³/s, une profondeur devient négative comme dans la base d'exemple.
    double diviseur;
    Colonne colonnes[NombreRoles];  // les rôles lus, les autres ont un en-tête nul

    QString texte() const { return QString::fromLatin1(nom); }
    // Les en-têtes des colonnes lues, requises d'abord, séparés par des virgules.
    QString entetes() const;

    // La colonne de la table qui reçoit une ligne de cette grandeur (le
    // contenu de la colonne Grandeur) ; vide : une grandeur qu'on ne lit pas.
    QString colonnePour(QByteArrayView grandeur) const;
    // Le jour où se range une mesure de cette grandeur : une moyenne mensuelle
    // au premier jour de son mois, quel que soit le jour que le fichier donne.
    QDate jourRange(QByteArrayView grandeur, const QDate& date) const;

    static std::optional<FormatArchive> depuisNom(const QString& nom);
    // "meteo-quotidien, piezo-chroniques, hydro-elab".
    static QString noms();
    // Le code d'une station tel que ses tables le portent : un code de la banque
    // du sous-sol (« 07548X0009/F ») a son « / » changé en « _ ». Le résultat
    // passe encore la vérification des noms, qui reste stricte.
    static QString codeTable(const QString& codeFichier);
};
