#pragma once

#include "data/ColonneTable.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

// Les valeurs entre les formes des cellules et les colonnes d'un moteur.
class ValeurColonne
{
public:
    // Une cellule donnée sous ses formes (textes de date jour d'abord,
    // nombres ou textes de nombre avec l'un ou l'autre séparateur, textes,
    // invalide pour NULL) préparée pour une colonne de ce genre : un QDateTime
    // pour les dates, un double ou un qint64 pour les nombres, un QString pour
    // les textes, invalide pour NULL. Rien si impossible ; `erreur` dit pourquoi.
    static std::optional<QVariant> convertir(const QVariant& cellule, TypeColonne type, QString& erreur);

    // "YYYY-MM-DD", suivi de " hh:mm:ss" quand l'heure n'est pas minuit ou
    // quand `heureToujours`.
    static QString iso(const QDateTime& d, bool heureToujours = false);
    // La même en ASCII, terminée par un nul ; sa longueur, 0 hors des années 0 à 9999.
    static int isoAscii(const QDateTime& d, bool heureToujours, char (&sortie)[20]);
    static std::optional<QDateTime> lireIso(const QString& texte);
    // Une date ou une heure lue d'une requête, que le moteur la rende en texte ISO ou en date ; rien pour NULL.
    static std::optional<QDateTime> lireCellule(const QVariant& cellule);
    // La valeur d'une date ISO lue dans la base : une date, une date et heure,
    // ou une heure seule (rangée au 30/12/1899) ; un autre texte reste un texte.
    static QVariant valeurDepuisIso(const char* texte, qsizetype longueur);
    // Le numéro julien du jour quand valeurDepuisIso en fait une date seule (QDate) ; rien sinon.
    static std::optional<qint64> jourDepuisIso(const char* texte, qsizetype longueur);
    // Les millisecondes du jour quand valeurDepuisIso en fait une heure seule (QTime) ; rien sinon.
    static std::optional<int> heureDepuisIso(const char* texte, qsizetype longueur);
    // Une date du moteur, avec ou sans son heure, en cellule.
    static QVariant valeurDepuisDate(const QDate& date, const std::optional<QTime>& heure);
};
