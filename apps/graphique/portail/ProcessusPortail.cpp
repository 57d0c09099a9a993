#include "ProcessusPortail.h"

#include <QHostAddress>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <map>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace ProcessusPortail {

namespace {

volatile std::sig_atomic_t arretDemande = 0;

void demanderArret(int)
{
    arretDemande = 1;
}

// L'adresse de la prise, IPv4 ou IPv6.
bool adresseDe(const QString& texte, int port, sockaddr_storage& adresse, socklen_t& taille)
{
    const QHostAddress hote(texte);
    std::memset(&adresse, 0, sizeof adresse);
    if (hote.protocol() == QAbstractSocket::IPv4Protocol) {
        auto* a = reinterpret_cast<sockaddr_in*>(&adresse);
        a->sin_family = AF_INET;
        a->sin_port = htons(quint16(port));
        a->sin_addr.s_addr = htonl(hote.toIPv4Address());
        taille = sizeof(sockaddr_in);
        return true;
    }
    if (hote.protocol() == QAbstractSocket::IPv6Protocol) {
        auto* a = reinterpret_cast<sockaddr_in6*>(&adresse);
        a->sin6_family = AF_INET6;
        a->sin6_port = htons(quint16(port));
        const Q_IPV6ADDR octets = hote.toIPv6Address();
        std::memcpy(&a->sin6_addr, &octets, sizeof octets);
        taille = sizeof(sockaddr_in6);
        return true;
    }
    return false;
}

pid_t lancer(int prise, const std::function<int(int)>& travail)
{
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
        std::_Exit(travail(prise));
    }
    return pid;
}

void arreterTous(const std::map<pid_t, std::chrono::steady_clock::time_point>& enfants)
{
    for (const auto& [pid, depart] : enfants)
        kill(pid, SIGTERM);
    for (const auto& [pid, depart] : enfants)
        waitpid(pid, nullptr, 0);
}

} // namespace

int ecouter(const QString& texte, int& port, QString& erreur)
{
    sockaddr_storage adresse {};
    socklen_t taille = 0;
    if (!adresseDe(texte, port, adresse, taille)) {
        erreur = QStringLiteral("adresse d'écoute incorrecte : « %1 » (une adresse IP, 127.0.0.1 par exemple).").arg(texte.left(60));
        return -1;
    }
    const int prise = socket(adresse.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int oui = 1;
    setsockopt(prise, SOL_SOCKET, SO_REUSEADDR, &oui, sizeof oui);
    if (prise < 0 || bind(prise, reinterpret_cast<sockaddr*>(&adresse), taille) != 0 || listen(prise, 1024) != 0) {
        erreur = QStringLiteral("impossible d'écouter sur %1:%2 : %3.").arg(texte).arg(port).arg(QString::fromLocal8Bit(std::strerror(errno)));
        if (prise >= 0)
            close(prise);
        return -1;
    }
    getsockname(prise, reinterpret_cast<sockaddr*>(&adresse), &taille);
    port = ntohs(adresse.ss_family == AF_INET ? reinterpret_cast<sockaddr_in*>(&adresse)->sin_port
                                                : reinterpret_cast<sockaddr_in6*>(&adresse)->sin6_port);
    return prise;
}

int servir(int prise, int nombre, const std::function<int(int)>& travail)
{
    using Horloge = std::chrono::steady_clock;
    struct sigaction action {};
    action.sa_handler = demanderArret;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::map<pid_t, Horloge::time_point> enfants;
    for (int i = 0; i < nombre; ++i)
        enfants[lancer(prise, travail)] = Horloge::now();
    while (!arretDemande) {
        int etat = 0;
        const pid_t mort = waitpid(-1, &etat, 0);
        if (mort <= 0)
            continue;
        const auto depart = enfants[mort];
        enfants.erase(mort);
        // Un échec au départ (base illisible…) se répéterait : tout s'arrête sur son code.
        if (WIFEXITED(etat) && WEXITSTATUS(etat) != 0 && Horloge::now() - depart < std::chrono::seconds(5)) {
            arreterTous(enfants);
            return WEXITSTATUS(etat);
        }
        if (!arretDemande) {
            std::fprintf(stderr, "graphique : attention : un processus du portail s'est arrêté ; il est remplacé.\n");
            enfants[lancer(prise, travail)] = Horloge::now();
        }
    }
    arreterTous(enfants);
    return 0;
}

} // namespace ProcessusPortail
