#include "data/bases/AttenteServeur.h"

#include "data/bases/Libpq.h"

#include <QLocale>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <poll.h>

using namespace std::chrono;

namespace {

using Horloge = steady_clock;

QString secondes(milliseconds d)
{
    return QLocale(QLocale::French).toString(double(d.count()) / 1000.0);
}

} // namespace

AttenteServeur::AttenteServeur(pg_conn* connexion)
    : m_connexion(connexion)
    , m_delai(0)
    , m_limite(limitePour(m_delai))
{
}

void AttenteServeur::limiter(milliseconds delai, const QString& reglage)
{
    m_delai = delai;
    m_limite = limitePour(delai);
    m_reglage = reglage;
}

milliseconds AttenteServeur::limitePour(milliseconds delai)
{
    // Un dixième du délai, au moins 2 s : de quoi laisser passer la réponse
    // d'un serveur qui vient d'interrompre l'ordre.
    return delai + std::max<milliseconds>(seconds(2), delai / 10);
}

QString AttenteServeur::message() const
{
    return QStringLiteral("le serveur PostgreSQL ne répond plus depuis %1 s : connexion abandonnée (%2 de la session : %3 s, "
                          "plus une marge)")
        .arg(secondes(m_limite), m_reglage, secondes(m_delai));
}

bool AttenteServeur::attendrePrise(short evenements)
{
    const auto echeance = Horloge::now() + m_limite;
    pollfd prise{pq().PQsocket(m_connexion), evenements, 0};
    // Sans prise, libpq sait déjà que la connexion est perdue et le dira.
    if (prise.fd < 0)
        return true;
    for (;;) {
        const auto reste = duration_cast<milliseconds>(echeance - Horloge::now()).count();
        if (reste <= 0) {
            m_abandonnee = true;
            return false;
        }
        const int n = poll(&prise, 1, int(std::min<long long>(reste, INT_MAX)));
        if (n > 0 || (n < 0 && errno != EINTR))
            return true;
    }
}

bool AttenteServeur::envoyer()
{
    if (m_abandonnee)
        return false;
    for (;;) {
        const int reste = pq().PQflush(m_connexion);
        if (reste <= 0)
            return reste == 0;
        // Le serveur peut parler pendant qu'on lui écrit : on le lit pour qu'il reprenne la lecture.
        if (!attendrePrise(POLLIN | POLLOUT) || pq().PQconsumeInput(m_connexion) != 1)
            return false;
    }
}

pg_result* AttenteServeur::resultat()
{
    if (m_abandonnee)
        return nullptr;
    while (pq().PQisBusy(m_connexion)) {
        if (!attendrePrise(POLLIN))
            return nullptr;
        // Un échec de lecture : PQgetResult rend l'erreur sans attendre.
        if (pq().PQconsumeInput(m_connexion) != 1)
            break;
    }
    return pq().PQgetResult(m_connexion);
}

bool AttenteServeur::remettreCopie(const QByteArray& donnees)
{
    if (m_abandonnee)
        return false;
    int etat = 0;
    while ((etat = pq().PQputCopyData(m_connexion, donnees.constData(), int(donnees.size()))) == 0)
        if (!attendrePrise(POLLOUT))
            return false;
    while (etat == 1 && (etat = pq().PQputCopyEnd(m_connexion, nullptr)) == 0)
        if (!attendrePrise(POLLOUT))
            return false;
    return etat == 1 && envoyer();
}
