#include "EcouteurPortail.h"

#include "PageErreur.h"

#include <QTcpSocket>
#include <QTimer>

EcouteurPortail::EcouteurPortail(Limites limites, QObject* parent)
    : QTcpServer(parent)
    , m_limites(limites)
{
    // Une prise partagée entre processus : chacun n'en prend que ce qu'il peut servir.
    setMaxPendingConnections(64);
}

void EcouteurPortail::incomingConnection(qintptr descripteur)
{
    auto* connexion = new QTcpSocket(this);
    if (!connexion->setSocketDescriptor(descripteur)) {
        delete connexion;
        return;
    }
    connexion->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (m_connexions.size() >= m_limites.connexions) {
        refuser(connexion, 503, "Service Unavailable", QStringLiteral("Le portail a trop de connexions ouvertes ; réessayez dans un instant."));
        return;
    }
    Connexion& c = m_connexions[connexion];
    c.minuterie = new QTimer(connexion);
    c.minuterie->setSingleShot(true);
    c.minuterie->start(m_limites.silenceMs);
    // Une connexion qui ne dit rien de complet à temps est fermée : elle ne garde pas sa place.
    connect(c.minuterie, &QTimer::timeout, connexion, [this, connexion] {
        if (m_connexions.value(connexion).recus > 0)
            refuser(connexion, 408, "Request Timeout", QStringLiteral("La demande est arrivée trop lentement."));
        else
            connexion->abort();
    });
    // Branché avant le serveur HTTP : ce compte voit chaque octet avant qu'il ne le lise.
    connect(connexion, &QTcpSocket::readyRead, this, [this, connexion] { compter(connexion); });
    connect(connexion, &QObject::destroyed, this, [this, connexion] { m_connexions.remove(connexion); });
    connect(connexion, &QTcpSocket::disconnected, connexion, &QObject::deleteLater);
    addPendingConnection(connexion);
}

void EcouteurPortail::compter(QTcpSocket* connexion)
{
    auto c = m_connexions.find(connexion);
    if (c == m_connexions.end())
        return;
    c->recus += connexion->bytesAvailable();
    if (c->recus > m_limites.octetsDemande)
        refuser(connexion, 431, "Request Header Fields Too Large",
                QStringLiteral("La demande est trop longue (%1 Kio au plus).").arg(m_limites.octetsDemande / 1024));
}

void EcouteurPortail::demandeRecue(QTcpSocket* connexion)
{
    auto c = m_connexions.find(connexion);
    if (c == m_connexions.end())
        return;
    c->recus = 0;
    c->minuterie->start(m_limites.silenceMs);
}

void EcouteurPortail::refuser(QTcpSocket* connexion, int statut, const QByteArray& raison, const QString& texte)
{
    m_connexions.remove(connexion);
    connexion->readAll();
    connexion->write(reponseBrute(statut, raison, texte));
    connexion->disconnectFromHost();
    connect(connexion, &QTcpSocket::disconnected, connexion, &QObject::deleteLater, Qt::UniqueConnection);
    if (connexion->state() == QAbstractSocket::UnconnectedState)
        connexion->deleteLater();
}
