#pragma once

#include "ReponsePortail.h"

#include <QAbstractHttpServer>
#include <QCache>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTimer>
#include <QUrlQuery>
#include <vector>

class EcouteurPortail;
class RenduPortail;
class SitePortail;
class QHttpServerRequest;
class QTcpSocket;

// Le portail en lecture d'un processus : les adresses et leurs pages, la mémoire des réponses
// (marquées d'une ETag faite de l'adresse et de la version des données), les refus courts.
class ServeurPortail : public QAbstractHttpServer
{
    Q_OBJECT

public:
    // Au-delà, le processus est en retard sur ses demandes : il répond 503 plutôt que de les faire attendre.
    static constexpr int retardMaximalMs = 5000;

    ServeurPortail(SitePortail& site, RenduPortail& rendu, EcouteurPortail& ecouteur, QObject* parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest& requete, QTcpSocket* connexion) override;
    void missingHandler(const QHttpServerRequest&, QTcpSocket*) override {}

private:
    using Page = ReponsePortail (SitePortail::*)(const QStringList&, const QUrlQuery&);
    struct Route
    {
        QRegularExpression chemin;
        Page page;
    };

    ReponsePortail repondre(const QHttpServerRequest& requete, QByteArray& etiquette);
    ReponsePortail servir(const QString& chemin, const QUrlQuery& requete);
    void ecrire(const ReponsePortail& reponse, const QByteArray& etiquette, const QHttpServerRequest& requete, QTcpSocket* connexion);

    SitePortail& m_site;
    RenduPortail& m_rendu;
    EcouteurPortail& m_ecouteur;
    std::vector<Route> m_routes;
    QCache<QString, ReponsePortail> m_memoire;
    // Relancée à chaque tour libre de la boucle : son âge dit depuis quand le processus ne l'est plus.
    QTimer m_battement;
    QElapsedTimer m_libre;
};
