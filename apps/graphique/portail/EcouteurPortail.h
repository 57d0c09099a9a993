#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>

class QTcpSocket;
class QTimer;

// Les connexions d'un processus du portail, acceptées sur la prise d'écoute partagée :
// sans attente de Nagle (une réponse part dès qu'elle est écrite), bornées en nombre, en
// octets d'une demande et en durée sans demande complète. L'en-tête de chaque demande est
// vérifié avant que le serveur HTTP ne le lise : ce qu'il laisserait passer est refusé ici.
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

    // Une demande complète est arrivée : le compte de ses octets repart de zéro, et le
    // silence ne se compte plus tant qu'elle attend sa réponse.
    void demandeRecue(QTcpSocket* connexion);
    // La réponse est partie : le silence se compte de nouveau.
    void reponseEcrite(QTcpSocket* connexion);
    // La plus ancienne demande sans réponse de la connexion a demandé qu'elle se ferme après
    // (Connection: close, HTTP/1.0 sans keep-alive, un corps) ; chaque appel passe à la suivante.
    bool fermerApres(QTcpSocket* connexion);

protected:
    void incomingConnection(qintptr descripteur) override;

private:
    struct Connexion
    {
        qint64 recus = 0;
        QTimer* minuterie = nullptr;
        QByteArray entete;       // l'en-tête en cours, jusqu'à sa ligne vide
        QList<bool> fermetures;  // une par demande vérifiée, dans l'ordre
        bool corps = false;    // une méthode à corps : le reste du flot n'est plus lu comme des en-têtes
    };
    void compter(QTcpSocket* connexion);
    bool verifierEntetes(QTcpSocket* connexion, Connexion& c);
    void refuser(QTcpSocket* connexion, int statut, const QByteArray& raison, const QString& texte);

    Limites m_limites;
    QHash<QTcpSocket*, Connexion> m_connexions;
};
