#include "ServeurPortail.h"

#include "EcouteurPortail.h"
#include "PageErreur.h"
#include "RenduPortail.h"
#include "SitePortail.h"

#include <QCryptographicHash>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
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
    m_libre.start();
    connect(&m_battement, &QTimer::timeout, this, [this] { m_libre.restart(); });
    m_battement.start(100);
}

bool ServeurPortail::handleRequest(const QHttpServerRequest& requete, QTcpSocket* connexion)
{
    m_ecouteur.demandeRecue(connexion);
    QByteArray etiquette;
    const ReponsePortail reponse = repondre(requete, etiquette);
    ecrire(reponse, etiquette, requete, connexion);
    // Le silence se compte de la réponse : un long dessin n'a pas fait attendre le client.
    m_ecouteur.demandeRecue(connexion);
    return true;
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
    return std::pair{url.path(QUrl::FullyDecoded), QUrlQuery(url.query(QUrl::FullyEncoded))};
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

} // namespace

ReponsePortail ServeurPortail::repondre(const QHttpServerRequest& requete, QByteArray& etiquette)
{
    const auto methode = requete.method();
    if (methode != QHttpServerRequest::Method::Get && methode != QHttpServerRequest::Method::Head)
        return pageErreur(405, QStringLiteral("Le portail ne fait que lire : seules les méthodes GET et HEAD sont acceptées."));
    if (m_libre.elapsed() > retardMaximalMs)
        return pageErreur(503, QStringLiteral("Le portail est occupé ; réessayez dans un instant."));
    const auto adresse = lireAdresse(requete.url());
    if (!adresse)
        return pageErreur(400, QStringLiteral("L'adresse n'est pas écrite en UTF-8."));
    const QString cle = QString::fromLatin1(requete.url().toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment));
    const QString version = m_rendu.version();
    etiquette = '"' + QCryptographicHash::hash((cle + u'@' + version).toUtf8(), QCryptographicHash::Sha1).toHex().left(24) + '"';
    if (!version.isEmpty() && dejaVue(requete.value("If-None-Match"), etiquette))
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

void ServeurPortail::ecrire(const ReponsePortail& r, const QByteArray& etiquette, const QHttpServerRequest& requete, QTcpSocket* connexion)
{
    QHttpServerResponder repondeur = makeResponder(requete, connexion);
    repondeur.writeStatusLine(QHttpServerResponder::StatusCode(r.statut));
    if (r.statut != 304)
        repondeur.writeHeader("Content-Type", r.type);
    if (r.gardee) {
        // Toujours revalidée : une correction ou un import se voit à la demande suivante.
        repondeur.writeHeader("ETag", etiquette);
        repondeur.writeHeader("Cache-Control", "no-cache");
    } else {
        repondeur.writeHeader("Cache-Control", "no-store");
    }
    if (r.statut == 405)
        repondeur.writeHeader("Allow", "GET, HEAD");
    if (!r.fichier.isEmpty())
        repondeur.writeHeader("Content-Disposition", "attachment; filename=\"" + r.fichier + '"');
    repondeur.writeHeader("X-Content-Type-Options", "nosniff");
    const bool sansCorps = r.statut == 304 || requete.method() == QHttpServerRequest::Method::Head;
    repondeur.writeHeader("Content-Length", QByteArray::number(r.statut == 304 ? 0 : r.corps.size()));
    if (r.statut >= 400)
        repondeur.writeHeader("Connection", "close");
    repondeur.writeBody(sansCorps ? QByteArray() : r.corps);
}
