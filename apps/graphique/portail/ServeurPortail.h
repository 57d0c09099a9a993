#pragma once

#include "ReponsePortail.h"

#include <QAbstractHttpServer>
#include <QCache>
#include <QElapsedTimer>
#include <QHttpServerRequest>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QUrl>
#include <QUrlQuery>
#include <deque>
#include <vector>

class EcouteurPortail;
class RenduPortail;
class SitePortail;

// Le portail en lecture d'un processus : les adresses et leurs pages, la mémoire des réponses
// (marquées d'une ETag faite de l'adresse et de la version des données), les refus courts.
// Les demandes font la queue : le dessin d'un graphique laisse tourner la boucle d'événements,
// et une demande arrivée pendant ce temps attend son tour au lieu de se mêler à lui.
class ServeurPortail : public QAbstractHttpServer
{
    Q_OBJECT

public:
    // Au-delà de cette attente, le processus est en retard : il répond 503 plutôt que de faire attendre davantage.
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
    // Ce qu'il faut garder d'une demande pour lui répondre plus tard.
    struct Attente
    {
        QUrl url;
        QHttpServerRequest::Method methode;
        QByteArray siPasVue;
        QPointer<QTcpSocket> connexion;
        QElapsedTimer arrivee;
    };

    void servirFile();
    ReponsePortail repondre(const Attente& demande, QByteArray& etiquette);
    ReponsePortail servir(const QString& chemin, const QUrlQuery& requete);
    void ecrire(const ReponsePortail& reponse, const QByteArray& etiquette, const Attente& demande);

    SitePortail& m_site;
    RenduPortail& m_rendu;
    EcouteurPortail& m_ecouteur;
    std::vector<Route> m_routes;
    QCache<QString, ReponsePortail> m_memoire;
    std::deque<Attente> m_file;
    bool m_occupe = false;
};
