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
        // Refusée une fois sa demande arrivée : fermée avant, elle finirait en remise à zéro, qu'un
        // répartiteur prend pour une panne au lieu d'un « occupé » à porter ailleurs.
        const auto repondre = [this, connexion] {
            refuser(connexion, 503, "Service Unavailable", QStringLiteral("Le portail a trop de connexions ouvertes ; réessayez dans un instant."));
        };
        connect(connexion, &QTcpSocket::readyRead, this, repondre);
        QTimer::singleShot(1000, connexion, repondre);
        connect(connexion, &QTcpSocket::disconnected, connexion, &QObject::deleteLater);
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
    // Lus sans être retirés : le serveur HTTP les lira ensuite.
    const QByteArray arrives = connexion->peek(connexion->bytesAvailable());
    c->recus += arrives.size();
    if (c->recus > m_limites.octetsDemande) {
        refuser(connexion, 431, "Request Header Fields Too Large",
                QStringLiteral("La demande est trop longue (%1 Kio au plus).").arg(m_limites.octetsDemande / 1024));
        return;
    }
    if (!c->corps) {
        c->entete += arrives;
        verifierEntetes(connexion, *c);
    }
}

namespace {

using Defaut = std::pair<int, QString>;

// La ligne de demande : sa forme, sa version, et si la connexion reste ouverte par défaut.
Defaut defautLigneDemande(const QByteArray& ligne, bool& garder)
{
    const QList<QByteArray> demande = ligne.trimmed().split(' ');
    if (demande.size() != 3 || !demande.at(2).startsWith("HTTP/"))
        return {400, QStringLiteral("La ligne de demande est mal formée.")};
    if (demande.at(2) != "HTTP/1.1" && demande.at(2) != "HTTP/1.0")
        return {505, QStringLiteral("Seuls HTTP/1.0 et HTTP/1.1 sont servis.")};
    garder = demande.at(2) == "HTTP/1.1";
    return {0, QString()};
}

// Ce que les lignes « Nom: valeur » disent de la connexion et du corps qui suit.
struct LectureEntetes {
    bool garder = true, longueur = false, decoupage = false;

    Defaut lire(const QByteArray& brute)
    {
        const QByteArray ligne = brute.trimmed();
        const qsizetype deuxPoints = ligne.indexOf(':');
        if (deuxPoints <= 0)
            return {400, QStringLiteral("Un en-tête de la demande est mal formé.")};
        const QByteArray nom = ligne.left(deuxPoints).trimmed().toLower(), valeur = ligne.mid(deuxPoints + 1).trimmed().toLower();
        bool ok = true;
        if (nom == "content-length" && (valeur.toLongLong(&ok) < 0 || !ok))
            return {400, QStringLiteral("La longueur annoncée est fausse.")};
        longueur = longueur || (nom == "content-length" && valeur != "0");
        decoupage = decoupage || nom == "transfer-encoding";
        if (nom == "connection")
            garder = valeur.contains("keep-alive") || (garder && !valeur.contains("close"));
        return {0, QString()};
    }
};

// Le défaut d'un en-tête de demande ; le statut et sa phrase, 0 quand il n'y en a pas.
// `fermer` : le client veut la fin de la connexion ; `corps` : un corps suit.
Defaut defautEntete(const QByteArray& entete, bool& fermer, bool& corps)
{
    const QList<QByteArray> lignes = entete.split('\n');
    LectureEntetes lecture;
    if (Defaut d = defautLigneDemande(lignes.value(0), lecture.garder); d.first)
        return d;
    for (qsizetype i = 1; i < lignes.size(); ++i)
        if (Defaut d = lecture.lire(lignes.at(i)); d.first)
            return d;
    // Longueur et découpage ensemble rendent la suite du flot douteuse.
    if (lecture.longueur && lecture.decoupage)
        return {400, QStringLiteral("Une demande ne peut annoncer à la fois sa longueur et son découpage.")};
    corps = lecture.longueur || lecture.decoupage;
    fermer = !lecture.garder;
    return {0, QString()};
}

} // namespace

// Chaque en-tête complet arrivé est vérifié ; faux quand la connexion a été refusée.
bool EcouteurPortail::verifierEntetes(QTcpSocket* connexion, Connexion& c)
{
    qsizetype fin = -1;
    while (!c.corps && (fin = c.entete.indexOf("\r\n\r\n")) >= 0) {
        const QByteArray entete = c.entete.left(fin);
        c.entete.remove(0, fin + 4);
        bool fermer = false;
        const auto [statut, texte] = defautEntete(entete, fermer, c.corps);
        if (statut) {
            refuser(connexion, statut, statut == 505 ? "HTTP Version Not Supported" : "Bad Request", texte);
            return false;
        }
        c.fermetures.append(fermer || c.corps);
    }
    return true;
}

void EcouteurPortail::demandeRecue(QTcpSocket* connexion)
{
    auto c = m_connexions.find(connexion);
    if (c == m_connexions.end())
        return;
    c->recus = 0;
    c->minuterie->stop();
}

void EcouteurPortail::reponseEcrite(QTcpSocket* connexion)
{
    auto c = m_connexions.find(connexion);
    if (c != m_connexions.end())
        c->minuterie->start(m_limites.silenceMs);
}

bool EcouteurPortail::fermerApres(QTcpSocket* connexion)
{
    auto c = m_connexions.find(connexion);
    return c != m_connexions.end() && !c->fermetures.isEmpty() && c->fermetures.takeFirst();
}

void EcouteurPortail::refuser(QTcpSocket* connexion, int statut, const QByteArray& raison, const QString& texte)
{
    if (connexion->state() != QAbstractSocket::ConnectedState || connexion->property("refusee").toBool())
        return;
    connexion->setProperty("refusee", true);
    m_connexions.remove(connexion);
    connexion->readAll();
    connexion->write(reponseBrute(statut, raison, texte));
    connexion->disconnectFromHost();
    connect(connexion, &QTcpSocket::disconnected, connexion, &QObject::deleteLater, Qt::UniqueConnection);
    if (connexion->state() == QAbstractSocket::UnconnectedState)
        connexion->deleteLater();
}
