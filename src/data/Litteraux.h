#pragma once

#include "data/OrdreSql.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>
#include <optional>

// Littéraux de dates, d'heures et de nombres dans le texte des ordres, pour le
// genre de base nommé par `typeBase` de la fenêtre principale de l'hôte :
// "ACCESS", "POSTGRESQL" ou "ORACLE". Le genre est relu à chaque appel.

QString TypeBaseCourant();

// "DD/MM/YYYY", suivi ou non de " hh:nn:ss", en littéral du genre de base :
// #MM/DD/YYYY# (Access), 'MM/DD/YYYY' (PostgreSQL), to_date(…) (Oracle).
// Une date invalide ou un genre inconnu donne un texte vide.
OrdreSql FormatDateBase(const QString& date, bool avecHeure = false);
// Le même littéral, écrit depuis la valeur ; une valeur invalide donne un texte vide.
OrdreSql FormatDateBase(const QDateTime& instant, bool avecHeure = false);
OrdreSql FormatDateBase(const QDate& date, bool avecHeure = false);

// Les mêmes littéraux pour un genre de base donné (`BaseDonnees::typeBase`) plutôt que celui de
// l'hôte : ce qu'une base écrit d'elle-même, sans hôte (l'import, l'historique des corrections).
OrdreSql LitteralDate(const QDate& date, const QString& typeBase);
OrdreSql LitteralDate(const QDateTime& instant, const QString& typeBase, bool avecHeure);
OrdreSql LitteralHeure(const QTime& heure, const QString& typeBase);

// Un code de station comme valeur dans un ordre : un code tout en chiffres
// s'écrit nombre (la forme historique des ordres), tout autre entre apostrophes.
OrdreSql LitteralCode(const NomVerifie& code);

// "hh:nn:ss" en littéral égal à l'heure telle que le genre la range :
// #hh:nn:ss# (Access), l'heure au 30/12/1899 (PostgreSQL et Oracle).
OrdreSql FormatHeureBase(const QString& heure);

// Une date et un nombre en texte entre apostrophes, comme les ordres de
// saisie des points les écrivent : 'DD/MM/YYYY', et le nombre avec le
// séparateur décimal de l'utilisateur. Faits depuis la valeur seule.
OrdreSql TexteSqlDate(const QDate& date);
OrdreSql TexteSqlHeure(const QTime& heure);
OrdreSql TexteSqlNombre(double valeur);

// Un nombre saisi ou rangé avec l'un ou l'autre séparateur décimal : un double ;
// une valeur vide donne l'entier 0, ou un variant nul avec `nulSiVide`. Un texte
// qui n'est pas un nombre ne donne rien, ce que l'appelant vérifie.
std::optional<QVariant> ConvertirNombre(const QVariant& valeur, bool nulSiVide = false);

// Remplace sur place chaque occurrence de `cherche` dans `texte`. Un texte vide
// ou un texte cherché vide le laisse inchangé.
void RemplacerTexte(QVariant& texte, const QString& cherche, const QVariant& remplacement);
void RemplacerTexte(QString& texte, const QString& cherche, const QString& remplacement);
