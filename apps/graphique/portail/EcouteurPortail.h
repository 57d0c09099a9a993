#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QTcpServer>

class QTcpSocket;
class QTimer;

// Les connexions d'un processus du portail, acceptées sur la prise d'écoute partagée :
// sans attente de Nagle (une réponse part dès qu'elle est écrite), et bornées en nombre,
// en octets d'une demande et en durée sans demande complète.
class EcouteurPortail : public QTcpServer
{
    Q_OBJECT

public:
    struct Limites
    {
        int connexions = 4000;
        qint64 octetsDemande = 16 * 1024;
        int silenceMs = 10000;
    };

    explicit EcouteurPortail(Limites limites, QObject* parent = nullptr);

    // Une demande complète est arrivée sur la connexion : le compte de ses octets repart de zéro.
    void demandeRecue(QTcpSocket* connexion);
    int nombreConnexions() const { return int(m_connexions.size()); }

protected:
    void incomingConnection(qintptr descripteur) override;

private:
    struct Connexion
    {
        qint64 recus = 0;
        QTimer* minuterie = nullptr;
    };
    void compter(QTcpSocket* connexion);
    void refuser(QTcpSocket* connexion, int statut, const QByteArray& raison, const QString& texte);

    Limites m_limites;
    QHash<QTcpSocket*, Connexion> m_connexions;
};
