#pragma once

#include "data/StationsBase.h"
#include "data/bulletin/LigneBulletin.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class BaseDonnees;

// Le bulletin de situation d'un mois : une ligne par station, dans l'ordre
// de la demande (sinon de la table STATIONS), pluviomètres d'abord.
class BulletinMensuel
{
public:
    struct Demande
    {
        QDate mois;            // un jour du mois
        QList<CleStation> stations;  // vide : toutes celles qui ont des mesures ce mois-là
        int moisHydro = 0;     // 0 : celui de la base
    };

    // Légende et avancement de 0 à 100 ; faux pour arrêter.
    using Progression = std::function<bool(const QString& legende, int pourcentage)>;

    QDate mois;
    int moisHydro = 10;
    QList<LigneBulletin> lignes;

    // Le bulletin, ou rien avec la raison en une ligne française : mois à
    // venir, station inconnue, aucune mesure ce mois-là, base illisible,
    // arrêt demandé (raison vide).
    static std::optional<BulletinMensuel> calculer(BaseDonnees& base, const Demande& demande,
                                                   const Progression& progression, QString& erreur);

    // Le mois à proposer : le dernier mois achevé où l'une des stations (toutes
    // celles du bulletin sans liste) a une mesure retenue ; rien s'il n'y en a pas.
    static std::optional<QDate> dernierMoisMesure(BaseDonnees& base, const QList<CleStation>& stations);

    // "mars 2015".
    static QString texteMois(QDate mois);
    // "Situation hydrologique — mars 2015".
    QString titre() const;
};
