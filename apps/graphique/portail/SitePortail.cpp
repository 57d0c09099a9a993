#include "SitePortail.h"

#include "DemandePortail.h"
#include "PageErreur.h"
#include "PagesPortail.h"
#include "RenduPortail.h"

#include "commun/Dates.h"
#include "data/BaseDonnees.h"
#include "data/bulletin/BulletinMensuel.h"
#include "output/bulletin/EcritureBulletin.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <set>

namespace {

ReponsePortail reponse(QByteArray corps, QByteArray type = "text/html; charset=utf-8", QByteArray fichier = QByteArray())
{
    ReponsePortail r;
    r.corps = std::move(corps);
    r.type = std::move(type);
    r.fichier = std::move(fichier);
    return r;
}

const ReponsePortail baseMuette = pageErreur(503, QStringLiteral("La base ne répond pas ; réessayez dans un instant."));

// Les séries tracées, point par point : ce que le graphique montre, à la valeur près.
QByteArray seriesEnCsv(const CtlGraphique::LectureImage& l, const QString& station)
{
    const QLocale francais(QLocale::French);
    QByteArray csv = "série;période;date;valeur\n";
    for (const auto& p : l.points) {
        // Une série seule n'a pas de légende : c'est celle de la station.
        const QString sansNom = p.serie == 0 ? station : QStringLiteral("Série %1").arg(p.serie + 1);
        const QString serie = l.series.value(p.serie).isEmpty() ? sansNom : l.series.value(p.serie);
        // Les valeurs du moteur sont en simple précision : 7 chiffres significatifs, pas davantage.
        // Une barre porte sa période, telle que l'axe l'écrit ; seul un point daté a son jour.
        const QString jour = p.libelle.isEmpty() && p.date.isValid() ? TexteDate(p.date) : QString();
        csv += (QString(serie).replace(u';', u',') + u';' + QString(p.libelle).replace(u';', u',') + u';' + jour + u';'
                + francais.toString(p.valeur, 'g', 7) + u'\n')
                   .toUtf8();
    }
    return csv;
}

QByteArray nomFichier(const DemandePortail& d, const QString& extension)
{
    const HoteGraphique::Demande& demande = d.demande();
    QString nom = d.station().code + u'-' + NomTypeGraph(demande.type);
    // Deux téléchargements de la même station sur deux périodes ne portent pas le même nom.
    if (Traits(demande.type).annuel && demande.annee > 0)
        nom += u'-' + QString::number(demande.annee);
    for (const QDate& date : {demande.debut, demande.fin})
        if (date.isValid() && !Traits(demande.type).annuel)
            nom += u'-' + date.toString(QStringLiteral("yyyyMMdd"));
    nom += u'.' + extension;
    // Un code peut porter n'importe quoi : le nom proposé n'en garde que le sûr.
    for (QChar& c : nom)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-' && c != u'.' && c != u'_')
            c = u'_';
    return nom.toLatin1();
}

} // namespace

SitePortail::SitePortail(RenduPortail& rendu)
    : m_rendu(rendu)
{
}

ReponsePortail SitePortail::accueil(const QStringList&, const QUrlQuery& requete)
{
    const auto stations = StationsBase::lire(&m_rendu.base());
    if (!stations)
        return baseMuette;
    QList<PagesPortail::LigneStation> lignes;
    for (const StationBase& s : *stations) {
        const auto [premiere, derniere] = HoteGraphique::etendue(&m_rendu.base(), s);
        lignes.append({s, premiere, derniere});
    }
    return reponse(PagesPortail::accueil(lignes, requete.queryItemValue(QStringLiteral("filtre"), QUrl::FullyDecoded).left(100)));
}

ReponsePortail SitePortail::station(const QStringList& chemin, const QUrlQuery& requete)
{
    const auto stations = StationsBase::lire(&m_rendu.base());
    if (!stations)
        return baseMuette;
    DemandePortail d;
    PagesPortail::Trace trace;
    trace.erreur = d.lire(chemin.value(0), requete, *stations);
    if (d.station().code.isEmpty())
        return pageErreur(404, trace.erreur);
    if (trace.erreur.isEmpty() && m_rendu.charger(d.demande(), d.adresse(), trace.erreur)) {
        trace.svg = m_rendu.image(QStringLiteral("svg"));
        trace.lecture = m_rendu.lecture();
        trace.messages = m_rendu.messages();
    }
    trace.erreur = DemandePortail::enMotsDuFormulaire(trace.erreur);
    ReponsePortail r = reponse(PagesPortail::station(d, *stations, trace));
    // Une demande que le graphique refuse se redit sur sa page, et ne se garde pas.
    r.statut = trace.erreur.isEmpty() ? 200 : 400;
    r.gardee = r.statut == 200;
    return r;
}

ReponsePortail SitePortail::telechargement(const QStringList& chemin, const QUrlQuery& requete)
{
    const auto stations = StationsBase::lire(&m_rendu.base());
    if (!stations)
        return baseMuette;
    DemandePortail d;
    QString erreur = d.lire(chemin.value(0), requete, *stations);
    if (!erreur.isEmpty())
        return pageErreur(d.station().code.isEmpty() ? 404 : 400, erreur);
    if (!m_rendu.charger(d.demande(), d.adresse(), erreur))
        return pageErreur(400, DemandePortail::enMotsDuFormulaire(erreur));
    const QString format = chemin.value(1);
    const QByteArray nom = nomFichier(d, format);
    if (format == QStringLiteral("csv"))
        return reponse(seriesEnCsv(m_rendu.lecture(), d.station().nom), "text/csv; charset=utf-8", nom);
    if (format == QStringLiteral("xlsx")) {
        QByteArray octets;
        if (!m_rendu.classeur(octets, erreur))
            return pageErreur(400, erreur);
        return reponse(octets, "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet", nom);
    }
    static const QHash<QString, QByteArray> types = {{QStringLiteral("png"), "image/png"},
                                                     {QStringLiteral("svg"), "image/svg+xml"},
                                                     {QStringLiteral("pdf"), "application/pdf"}};
    const QByteArray octets = m_rendu.image(format);
    if (octets.isEmpty())
        return pageErreur(500, QStringLiteral("le graphique n'a pas pu être écrit en %1.").arg(format.toUpper()));
    return reponse(octets, types.value(format), nom);
}

namespace {

// Les mois couverts par les mesures d'au moins une station, du plus récent au plus ancien.
QList<QDate> moisCouverts(BaseDonnees& base, const QList<StationBase>& stations)
{
    std::set<QDate> mois;
    for (const StationBase& s : stations) {
        const auto [premiere, derniere] = HoteGraphique::etendue(&base, s);
        if (!premiere.isValid() || !derniere.isValid())
            continue;
        for (QDate m(premiere.year(), premiere.month(), 1); m <= derniere; m = m.addMonths(1))
            mois.insert(m);
    }
    return QList<QDate>(mois.rbegin(), mois.rend());
}

std::optional<BulletinMensuel> calculerBulletin(BaseDonnees& base, const QStringList& chemin, QString& erreur)
{
    const QDate mois(chemin.value(0).toInt(), chemin.value(1).toInt(), 1);
    if (!mois.isValid() || mois.year() < 1800) {
        erreur = QStringLiteral("mois incorrect : %1-%2.").arg(chemin.value(0), chemin.value(1));
        return std::nullopt;
    }
    BulletinMensuel::Demande demande;
    demande.mois = mois;
    return BulletinMensuel::calculer(base, demande, [](const QString&, int) { return true; }, erreur);
}

} // namespace

std::optional<QList<QDate>> SitePortail::moisMesures()
{
    const QString& version = m_rendu.versionLue();
    if (version.isEmpty() || version != m_versionMois) {
        const auto stations = StationsBase::lire(&m_rendu.base());
        if (!stations)
            return std::nullopt;
        m_mois = moisCouverts(m_rendu.base(), *stations);
        m_versionMois = version;
    }
    return m_mois;
}

ReponsePortail SitePortail::bulletins(const QStringList&, const QUrlQuery&)
{
    const auto mois = moisMesures();
    if (!mois)
        return baseMuette;
    return reponse(PagesPortail::listeBulletins(*mois));
}

ReponsePortail SitePortail::bulletin(const QStringList& chemin, const QUrlQuery&)
{
    QString erreur;
    const auto b = calculerBulletin(m_rendu.base(), chemin, erreur);
    if (!b)
        return pageErreur(404, erreur);
    const QList<QDate> mois = moisMesures().value_or(QList<QDate>());
    const QDate premier(b->mois.year(), b->mois.month(), 1);
    const auto voisin = [&mois](const QDate& m) { return mois.contains(m) ? std::optional(m) : std::nullopt; };
    return reponse(PagesPortail::bulletin(*b, voisin(premier.addMonths(-1)), voisin(premier.addMonths(1))));
}

ReponsePortail SitePortail::fichierBulletin(const QStringList& chemin, const QUrlQuery&)
{
    QString erreur;
    const auto b = calculerBulletin(m_rendu.base(), chemin, erreur);
    if (!b)
        return pageErreur(404, erreur);
    const QTemporaryDir dossier;
    const bool pdf = chemin.value(2) == QStringLiteral("pdf");
    const QString cheminPdf = dossier.filePath(QStringLiteral("bulletin.pdf")), cheminClasseur = dossier.filePath(QStringLiteral("bulletin.xlsx"));
    if (!dossier.isValid() || !EcritureBulletin::ecrire(*b, cheminPdf, pdf ? QString() : cheminClasseur, [](const QString&, int) { return true; }, erreur))
        return pageErreur(500, erreur.isEmpty() ? QStringLiteral("le bulletin n'a pas pu être écrit.") : erreur);
    QFile fichier(pdf ? cheminPdf : cheminClasseur);
    if (!fichier.open(QIODevice::ReadOnly))
        return pageErreur(500, QStringLiteral("le bulletin n'a pas pu être relu."));
    const QByteArray nom = "bulletin-" + chemin.value(0).toLatin1() + '-' + chemin.value(1).toLatin1() + '.' + chemin.value(2).toLatin1();
    return reponse(fichier.readAll(), pdf ? "application/pdf" : "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet", nom);
}

ReponsePortail SitePortail::sante(const QStringList&, const QUrlQuery&)
{
    if (m_rendu.versionLue().isEmpty())
        return baseMuette;
    ReponsePortail r = reponse("ok\n", "text/plain; charset=utf-8");
    r.gardee = false;
    return r;
}

ReponsePortail SitePortail::actif(const QStringList& chemin, const QUrlQuery&)
{
    // Les seuls fichiers servis sont ceux du programme, pris dans ses ressources.
    QFile fichier(QStringLiteral(":/portail/") + chemin.value(0));
    if (!fichier.open(QIODevice::ReadOnly))
        return pageErreur(404, QStringLiteral("Aucune page à cette adresse."));
    return reponse(fichier.readAll(), chemin.value(0).endsWith(QStringLiteral(".css")) ? "text/css; charset=utf-8" : "text/javascript; charset=utf-8");
}
