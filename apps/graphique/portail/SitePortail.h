#pragma once

#include "ReponsePortail.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QUrlQuery>

#include <optional>

class RenduPortail;

// Les pages du portail faites des données : chacune reçoit les morceaux de son adresse
// et ses paramètres, et rend sa réponse, un refus court en français compris.
class SitePortail
{
public:
    explicit SitePortail(RenduPortail& rendu);

    ReponsePortail accueil(const QStringList&, const QUrlQuery& requete);
    ReponsePortail station(const QStringList& chemin, const QUrlQuery& requete);
    ReponsePortail telechargement(const QStringList& chemin, const QUrlQuery& requete);
    ReponsePortail bulletins(const QStringList&, const QUrlQuery&);
    ReponsePortail bulletin(const QStringList& chemin, const QUrlQuery&);
    ReponsePortail fichierBulletin(const QStringList& chemin, const QUrlQuery&);
    ReponsePortail sante(const QStringList&, const QUrlQuery&);
    ReponsePortail actif(const QStringList& chemin, const QUrlQuery&);

private:
    // Les mois couverts par les mesures, gardés tant que la version des données ne change pas :
    // la liste des bulletins et les liens de chaque mois vers ses voisins s'en servent.
    std::optional<QList<QDate>> moisMesures();

    RenduPortail& m_rendu;
    QList<QDate> m_mois;
    QString m_versionMois;
};
