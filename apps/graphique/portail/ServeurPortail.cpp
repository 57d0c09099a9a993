#include "ServeurPortail.h"

#include "EcouteurPortail.h"
#include "PageErreur.h"
#include "RenduPortail.h"
#include "SitePortail.h"

#include <QCryptographicHash>
#include <QHttpServerRequest>
#include <QStringDecoder>
#include <QTcpSocket>

ServeurPortail::ServeurPortail(SitePortail& site, RenduPortail& rendu, EcouteurPortail& ecouteur, QObject* parent)
    : QAbstractHttpServer(parent)
    , m_site(site)
    , m_rendu(rendu)
    , m_ecouteur(ecouteur)
    , m_memoire(64 * 1024)  // en Kio
{
    const std::pair<const char*, Page> routes[] = {
        {"^/$", &SitePortail::accueil},
        {"^/station/([^/]+)$", &SitePortail::station},
        {"^/station/([^/]+)/graphique\\.(png|svg|pdf|xlsx|csv)$", &SitePortail::telechargement},
        {"^/bulletin$", &SitePortail::bulletins},
        {"^/bulletin/(\\d{4})-(\\d{2})$", &SitePortail::bulletin},
        {"^/bulletin/(\\d{4})-(\\d{2})/bulletin\\.(pdf|xlsx)$", &SitePortail::fichierBulletin},
        {"^/sante$", &SitePortail::sante},
        {"^/actifs/(portail\\.css|portail\\.js)$", &SitePortail::actif},
    };
    for (const auto& [motif, page] : routes)
        m_routes.push_back({QRegularExpression(QString::fromLatin1(motif)), page});
}

bool ServeurPortail::handleRequest(const QHttpServerRequest& requete, QTcpSocket* connexion)
{
    m_ecouteur.demandeRecue(connexion);
    Attente attente{requete.url(), requete.method(), requete.value("If-None-Match"), connexion, {}};
    attente.arrivee.start();
    m_file.push_back(std::move(attente));
    // Servie depuis la boucle d'événements, jamais d'ici : le dessin laisse tourner la boucle,
    // et le serveur HTTP ne doit pas être rappelé pendant qu'il lit cette connexion.
    QMetaObject::invokeMethod(this, &ServeurPortail::servirFile, Qt::QueuedConnection);
    return true;
}

void ServeurPortail::servirFile()
{
    // Appelée pendant un dessin : la demande attend que la file en cours la prenne.
    if (m_occupe)
        return;
    m_occupe = true;
    while (!m_file.empty()) {
        const Attente demande = std::move(m_file.front());
        m_file.pop_front();
        if (!demande.connexion || demande.connexion->state() != QAbstractSocket::ConnectedState)
            continue;
        QByteArray etiquette;
        const ReponsePortail reponse = demande.arrivee.elapsed() > retardMaximalMs
            ? pageErreur(503, QStringLiteral("Le portail est occupé ; réessayez dans un instant."))
            : repondre(demande, etiquette);
        ecrire(reponse, etiquette, demande);
    }
    m_occupe = false;
}

namespace {

// Le chemin et la requête de l'adresse, décodés ; rien quand ils ne sont pas de l'UTF-8.
std::optional<std::pair<QString, QUrlQuery>> lireAdresse(const QUrl& url)
{
    const QByteArray brut = url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texte = decodeur(QByteArray::fromPercentEncoding(brut));
    if (decodeur.hasError())
        return std::nullopt;
    // Un formulaire envoie l'espace en « + » : le « + » lui-même arrive en %2B.
    return std::pair{url.path(QUrl::FullyDecoded), QUrlQuery(url.query(QUrl::FullyEncoded).replace(u'+', QStringLiteral("%20")))};
}

// If-None-Match : une liste d'étiquettes, faibles (W/) ou non, ou « * » ; la comparaison est faible.
bool dejaVue(const QByteArray& entete, const QByteArray& etiquette)
{
    for (QByteArray e : entete.split(',')) {
        e = e.trimmed();
        if (e.startsWith("W/"))
            e = e.mid(2);
        if (e == "*" || e == etiquette)
            return true;
    }
    return false;
}

QByteArray ligneStatut(int statut)
{
    static const QHash<int, QByteArray> raisons = {
        {200, "OK"}, {304, "Not Modified"}, {400, "Bad Request"}, {404, "Not Found"}, {405, "Method Not Allowed"},
        {408, "Request Timeout"}, {431, "Request Header Fields Too Large"}, {500, "Internal Server Error"},
        {503, "Service Unavailable"}, {505, "HTTP Version Not Supported"}};
    return "HTTP/1.1 " + QByteArray::number(statut) + ' ' + raisons.value(statut, "Erreur") + "\r\n";
}

} // namespace

ReponsePortail ServeurPortail::repondre(const Attente& demande, QByteArray& etiquette)
{
    const auto methode = demande.methode;
    if (methode != QHttpServerRequest::Method::Get && methode != QHttpServerRequest::Method::Head)
        return pageErreur(405, QStringLiteral("Le portail ne fait que lire : seules les méthodes GET et HEAD sont acceptées."));
    const auto adresse = lireAdresse(demande.url);
    if (!adresse)
        return pageErreur(400, QStringLiteral("L'adresse n'est pas écrite en UTF-8."));
    const QString cle = QString::fromLatin1(demande.url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment));
    const QString version = m_rendu.version();
    etiquette = '"' + QCryptographicHash::hash((cle + u'@' + version).toUtf8(), QCryptographicHash::Sha1).toHex().left(24) + '"';
    if (!version.isEmpty() && dejaVue(demande.siPasVue, etiquette))
        return ReponsePortail{304, QByteArray(), QByteArray(), QByteArray(), true};
    if (const ReponsePortail* gardee = version.isEmpty() ? nullptr : m_memoire.object(etiquette))
        return *gardee;
    ReponsePortail reponse = servir(adresse->first, adresse->second);
    if (reponse.gardee && reponse.statut == 200 && !version.isEmpty())
        m_memoire.insert(etiquette, new ReponsePortail(reponse), int(reponse.corps.size() / 1024) + 1);
    return reponse;
}

ReponsePortail ServeurPortail::servir(const QString& chemin, const QUrlQuery& requete)
{
    for (const Route& route : m_routes) {
        const QRegularExpressionMatch m = route.chemin.match(chemin);
        if (m.hasMatch())
            return (m_site.*route.page)(m.capturedTexts().mid(1), requete);
    }
    return pageErreur(404, QStringLiteral("Aucune page à cette adresse."));
}

// La réponse écrite d'un bloc ; un refus, ou une connexion que le client ferme, se ferme après elle.
void ServeurPortail::ecrire(const ReponsePortail& r, const QByteArray& etiquette, const Attente& demande)
{
    // Le client a pu partir pendant le dessin : sa connexion n'est plus.
    if (!demande.connexion || demande.connexion->state() != QAbstractSocket::ConnectedState)
        return;
    QByteArray tete = ligneStatut(r.statut);
    if (r.statut != 304)
        tete += "Content-Type: " + r.type + "\r\n";
    // Toujours revalidée : une correction ou un import se voit à la demande suivante.
    tete += r.gardee ? "ETag: " + etiquette + "\r\nCache-Control: no-cache\r\n" : QByteArray("Cache-Control: no-store\r\n");
    if (r.statut == 405)
        tete += "Allow: GET, HEAD\r\n";
    if (!r.fichier.isEmpty())
        tete += "Content-Disposition: attachment; filename=\"" + r.fichier + "\"\r\n";
    const bool fermer = r.statut >= 400 || m_ecouteur.fermerApres(demande.connexion);
    tete += "X-Content-Type-Options: nosniff\r\nContent-Length: " + QByteArray::number(r.statut == 304 ? 0 : r.corps.size()) + "\r\n"
        + (fermer ? "Connection: close\r\n" : "") + "\r\n";
    const bool sansCorps = r.statut == 304 || demande.methode == QHttpServerRequest::Method::Head;
    demande.connexion->write(sansCorps ? tete : tete + r.corps);
    if (fermer)
        demande.connexion->disconnectFromHost();
    else
        m_ecouteur.reponseEcrite(demande.connexion);
}
