#pragma once

#include "data/ChangementMesure.h"
#include "data/NomVerifie.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class BaseDonnees;

// L'historique des corrections de mesures, dans la table HISTORIQUE_MESURES de
// la base (créée à la première écriture) : une ligne par mesure changée, avec
// sa valeur et son mode d'obtention avant et après, la ligne entière avant et
// après (de quoi la rendre exactement), quand, qui (l'utilisateur du système)
// et d'où vient le changement. Un lot réunit les changements d'un même
// enregistrement, d'une suppression, d'un import ou d'une annulation.
class HistoriqueMesures
{
public:
    struct Lot
    {
        qint64 numero = 0;
        QString table, origine, qui;
        QDateTime quand;
        QList<ChangementMesure> changements;
        qint64 lotAnnule = 0;   // pour une annulation : le lot qu'elle défait
    };

    // Un lot de plus pour `table` ; à appeler dans la transaction de l'écriture qu'il décrit.
    static bool enregistrer(BaseDonnees& base, const QString& table, const QString& origine,
                            const QList<ChangementMesure>& changements, qint64 lotAnnule = 0);
    // Les changements écrits dans la table, puis leur lot, le tout ou rien. Refusé, sans rien
    // écrire, si une mesure n'est plus celle d'avant (un autre l'a changée entre-temps).
    static bool corriger(BaseDonnees& base, const QString& table, const QString& origine,
                         const QList<ChangementMesure>& changements, QString& erreur, qint64 lotAnnule = 0);
    // Chaque mesure que les changements remplacent est-elle encore, dans la base, leur ligne
    // d'avant (absente pour un ajout) ? Sinon `erreur` nomme la première qui a changé entre-temps.
    static bool encoreAvant(BaseDonnees& base, const NomVerifie& table, const QList<ChangementMesure>& changements,
                            QString& erreur);
    // Les lots de `table`, du plus récent au plus ancien, ceux d'avant `depuis` (s'il est valide) laissés ;
    // une base sans historique n'en a aucun ; rien si la lecture échoue.
    static std::optional<QList<Lot>> lire(BaseDonnees& base, const QString& table, const QDate& depuis = {});
    // La dernière correction encore en place : le plus récent lot qui n'est pas une annulation et
    // qu'aucune annulation n'a défait ; rien s'il n'y en a plus.
    static std::optional<Lot> aAnnuler(const QList<Lot>& lots);
    // La dernière correction de `table` défaite : chaque mesure rendue telle qu'avant, dans une
    // transaction, et l'annulation enregistrée comme un lot ; annuler encore défait la précédente.
    // Refusé, sans rien changer, si une de ces mesures a changé depuis, ou si la dernière correction
    // n'est plus le lot `attendu` (quand il est donné) ; `annule` reçoit le lot défait.
    static bool annulerDernier(BaseDonnees& base, const QString& table, Lot& annule, QString& erreur, qint64 attendu = 0);
    // L'utilisateur du système, qui signe les lots.
    static QString utilisateur();
    // La valeur d'une ligne (sa colonne de mesure, d'après le genre de la table) ; invalide sans ligne.
    static QVariant valeur(const QString& table, const std::optional<LigneMesure>& ligne);
};
