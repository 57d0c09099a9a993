#pragma once

#include "data/ChangementMesure.h"
#include "data/NomVerifie.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class BaseDonnees;

// L'historique des corrections de mesures : dans HISTORIQUE_MESURES (créée à la
// première écriture) une ligne par mesure changée, avec sa valeur et son mode
// d'obtention avant et après, quand, qui (l'utilisateur du système) et d'où
// vient le changement ; les lignes entières, avant et après, dans la table
// compagne de la table de mesures (LotHistorique). Un lot réunit les
// changements d'un même enregistrement, d'une suppression, d'un import ou
// d'une annulation.
class HistoriqueMesures
{
public:
    struct Lot
    {
        qint64 numero = 0;
        QString table, origine, qui;
        QDateTime quand;
        qint64 mesures = 0;
        QDate premiere;         // le jour de la plus ancienne de ses mesures
        qint64 lotAnnule = 0;   // pour une annulation : le lot qu'elle défait
        bool ancien = false;    // écrit par une version précédente (lignes entières en JSON)
    };
    // Une mesure changée telle que l'historique la résume.
    struct Ligne
    {
        qint64 lot = 0;
        QDateTime quand;
        QString qui, origine, changement;
        QDate date;
        QTime heure;
        QVariant ancienne, nouvelle;
        QString ancienMode, nouveauMode;
    };
    using Lecteur = std::function<void(const Ligne&)>;

    // Les changements écrits dans la table, et leur lot, le tout ou rien. Refusé, sans rien
    // écrire, si une mesure n'est plus celle d'avant (un autre l'a changée entre-temps).
    static bool corriger(BaseDonnees& base, const QString& table, const QString& origine,
                         const QList<ChangementMesure>& changements, QString& erreur);
    // Chaque mesure que les changements remplacent est-elle encore, dans la base, leur ligne
    // d'avant (absente pour un ajout), valeur par valeur et de la même classe (entier, réel, texte,
    // octets, vide) ? Sinon `erreur` nomme la première qui a changé entre-temps.
    static bool encoreAvant(BaseDonnees& base, const NomVerifie& table, const QList<ChangementMesure>& changements,
                            QString& erreur);
    // Chaque mesure changée de `table`, la plus récente d'abord, lue par morceaux et donnée à
    // `lecteur` à mesure ; celles d'avant `depuis` (s'il est valide) laissées. Faux si la lecture échoue.
    static bool parcourir(BaseDonnees& base, const QString& table, const QDate& depuis, const Lecteur& lecteur);
    // La dernière correction encore en place : le plus récent lot qui n'est pas une annulation et
    // qu'aucune annulation n'a défait ; rien s'il n'y en a plus (`erreur` vide) ou si la lecture échoue.
    static std::optional<Lot> aAnnuler(BaseDonnees& base, const QString& table, QString& erreur);
    // La dernière correction de `table` défaite : chaque ligne rendue telle qu'avant, dans une
    // transaction, et l'annulation enregistrée comme un lot ; annuler encore défait la précédente.
    // Refusé, sans rien changer, si une de ces mesures a changé depuis, si le lot est abîmé ou
    // écrit par une version précédente, ou si la dernière correction n'est plus le lot `attendu`
    // (quand il est donné) ; `annule` reçoit le lot défait.
    static bool annulerDernier(BaseDonnees& base, const QString& table, Lot& annule, QString& erreur, qint64 attendu = 0);
    // La même valeur de la même classe (vide, entier, réel, texte, octets) : 2 et 2.0 diffèrent, un
    // texte vide n'est pas NULL, +Inf reste +Inf.
    static bool memeValeur(const QVariant& a, const QVariant& b);
    // L'utilisateur du système, qui signe les lots.
    static QString utilisateur();
    // La valeur d'une ligne (sa colonne de mesure, d'après le genre de la table) ; invalide sans ligne.
    static QVariant valeur(const QString& table, const std::optional<LigneMesure>& ligne);
};
