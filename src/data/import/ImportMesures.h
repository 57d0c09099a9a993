#pragma once

#include "data/import/PremiersDoublons.h"

#include <QList>
#include <QString>
#include <functional>
#include <utility>

class BaseAcces;
class LecteurCsv;

// Les mesures d'un fichier ajoutées à la table d'une station, tout ou rien, en
// une transaction qui prend le verrou d'écriture dès le début. Le fichier est
// lu au fil de l'eau dans une table de passage de la connexion, puis fusionné
// dans la table par la clé (date, heure) :
// - une mesure déjà dans la base à la même date et heure voit sa valeur
//   remplacée (les autres colonnes de la ligne restent) ;
// - une ligne sans heure remplace la seule mesure de ce jour, à son heure ;
//   un jour où la station en a plusieurs fait tout refuser ;
// - deux lignes du fichier à la même date et heure : la dernière l'emporte, et
//   le bilan dit lesquelles ont été écartées ;
// - une seule ligne refusée, et rien n'est écrit.
// La base est laissée utilisable par toutes les commandes : liste des
// stations, tables du calendrier et normales sont créées quand elles manquent.
class ImportMesures
{
public:
    struct Demande
    {
        QString code;
        QString genre;    // "pluvio", "piezo" ou "hydro"
        QString colonne;  // vide : celle du genre
        QString nom;      // vide : le code
        int moisHydro = 10;
        QString origine = QStringLiteral("import");  // dans l'historique des mesures remplacées
    };

    struct Bilan
    {
        QString table;
        qint64 mesures = 0;     // lignes de mesure acceptées
        qint64 ajoutees = 0;
        qint64 remplacees = 0;  // déjà dans la base, valeur remplacée
        qint64 doublons = 0;    // lignes écartées par une ligne suivante de même date et heure
        PremiersDoublons premiersDoublons;

        // Le compte rendu d'un import réussi, en une phrase.
        QString texte() const;
    };

    // Appelé au fil de la lecture avec le nombre de lignes lues ; faux arrête
    // l'import, et rien n'est écrit.
    using Progression = std::function<bool(qint64 lignesLues)>;

    // Faux et `erreur` (une ligne en français) quand rien n'a été écrit.
    static bool importer(BaseAcces& base, LecteurCsv& lecteur, const Demande& demande, Bilan& bilan, QString& erreur,
                         const Progression& progression = {});
    // Le code, la colonne et le fichier d'une demande, vérifiés avant d'ouvrir
    // quoi que ce soit ; le défaut en français, vide quand tout va.
    static QString verifier(const QString& chemin, const Demande& demande);
    // Un import depuis un fichier, vérifié d'abord ; `pourcent` suit la lecture
    // et, faux, l'arrête.
    static bool importerFichier(BaseAcces& base, const QString& chemin, const Demande& demande, Bilan& bilan,
                                QString& erreur, const std::function<bool(int pourcent)>& pourcent = {});
};
