#include "DemandePortail.h"

#include "../LigneCommande.h"
#include "../OptionsDemande.h"

#include "commun/TexteAffichable.h"
#include "data/GenresStation.h"

#include <QUrl>

namespace {

using Genre = GenreStation::Genre;

// Les stations d'une page de piézomètre ou de rivière se tracent sous la pluie d'un pluviomètre.
std::optional<TypeGraph> typeSousLaPluie(Genre genre)
{
    if (genre == Genre::Piezo)
        return TypeGraph::PluvioPiezo;
    if (genre == Genre::Hydro)
        return TypeGraph::PluvioStation;
    return std::nullopt;
}

QString premierPluviometre(const QList<StationBase>& stations)
{
    for (const StationBase& s : stations)
        if (GenresStation::est(s.genre, Genre::Pluvio))
            return s.code;
    return QString();
}

} // namespace

const QStringList& DemandePortail::noms()
{
    static const QStringList liste = {QStringLiteral("genre"), QStringLiteral("type"), QStringLiteral("pluviometre"),
                                      QStringLiteral("stations"), QStringLiteral("periodes"), QStringLiteral("debut"),
                                      QStringLiteral("fin"), QStringLiteral("annee"), QStringLiteral("variante"),
                                      QStringLiteral("cumul"), QStringLiteral("affichage"), QStringLiteral("mesures"),
                                      QStringLiteral("annees-statistiques"), QStringLiteral("mois-hydro"), QStringLiteral("normales")};
    return liste;
}

QString DemandePortail::lire(const QString& code, const QUrlQuery& requete, const QList<StationBase>& stations)
{
    if (QString defaut = lireParametres(requete); !defaut.isEmpty())
        return defaut;
    if (QString defaut = trouverStation(code, stations); !defaut.isEmpty())
        return defaut;
    LigneCommande ligne(arguments(stations));
    QString manque;
    const OptionsDemande options(ligne, manque);
    if (QString defaut = ligne.defaut(manque); !defaut.isEmpty())
        return defaut;
    if (QString defaut = options.appliquer(m_demande); !defaut.isEmpty())
        return defaut;
    return verifierBornes();
}

// Les paramètres connus, non vides ; plusieurs « stations » font une liste.
QString DemandePortail::lireParametres(const QUrlQuery& requete)
{
    QStringList stations;
    for (const auto& [nom, valeur] : requete.queryItems(QUrl::FullyDecoded)) {
        if (!noms().contains(nom))
            return QStringLiteral("paramètre inconnu : « %1 » (%2).").arg(TexteAffichable(nom, 40), noms().join(QStringLiteral(", ")));
        const QString texte = valeur.trimmed();
        if (texte.isEmpty())
            continue;
        if (nom == QStringLiteral("stations"))
            stations << texte.split(u',', Qt::SkipEmptyParts);
        else if (valeur.size() > 200)
            return QStringLiteral("paramètre « %1 » trop long.").arg(nom);
        else if (!this->valeur(nom).isEmpty())
            return QStringLiteral("paramètre « %1 » donné deux fois.").arg(nom);
        else
            m_parametres.append({nom, texte});
    }
    if (!stations.isEmpty())
        m_parametres.append({QStringLiteral("stations"), stations.join(u',')});
    std::sort(m_parametres.begin(), m_parametres.end(),
              [](const auto& a, const auto& b) { return noms().indexOf(a.first) < noms().indexOf(b.first); });
    return QString();
}

// La station de la page : du genre demandé, sinon la première de ce code.
QString DemandePortail::trouverStation(const QString& code, const QList<StationBase>& stations)
{
    const QString genre = valeur(QStringLiteral("genre"));
    for (const StationBase& s : stations) {
        if (s.code == code && (genre.isEmpty() || s.genre.compare(genre, Qt::CaseInsensitive) == 0)) {
            m_station = s;
            return QString();
        }
    }
    return QStringLiteral("station inconnue : « %1 ».").arg(TexteAffichable(code, 40));
}

// La ligne de « graphique tracer » qui fait ce graphique.
QStringList DemandePortail::arguments(const QList<StationBase>& stations) const
{
    QStringList a;
    const auto genre = GenresStation::depuisNom(m_station.genre);
    const auto sousLaPluie = genre ? typeSousLaPluie(genre->genre) : std::nullopt;
    for (const auto& [nom, texte] : m_parametres) {
        if (nom == QStringLiteral("cumul"))
            a << QStringLiteral("--cumul");
        else if (nom != QStringLiteral("genre") && nom != QStringLiteral("pluviometre") && !(sousLaPluie && nom == QStringLiteral("stations")))
            a << QStringLiteral("--") + nom << texte;
    }
    if (!sousLaPluie) {
        a << QStringLiteral("--station") << m_station.code;
        if (genre)
            a << QStringLiteral("--genre") << genre->texte();
        if (genre && genre->genre == Genre::Reference && valeur(QStringLiteral("type")).isEmpty())
            a << QStringLiteral("--type") << QStringLiteral("reference");
        else if (valeur(QStringLiteral("type")).isEmpty())
            a << QStringLiteral("--type") << QStringLiteral("edition");
        return a;
    }
    // Sous la pluie : la page est celle de la nappe ou de la rivière, le pluviomètre est choisi.
    const QString pluviometre = valeur(QStringLiteral("pluviometre"));
    QStringList autres = {m_station.code};
    autres << valeur(QStringLiteral("stations")).split(u',', Qt::SkipEmptyParts);
    autres.removeDuplicates();
    if (valeur(QStringLiteral("type")).isEmpty())
        a << QStringLiteral("--type") << QString::fromLatin1(NomsTypeGraph[std::size_t(*sousLaPluie)]);
    a << QStringLiteral("--station") << (pluviometre.isEmpty() ? premierPluviometre(stations) : pluviometre)
      << QStringLiteral("--stations") << autres.join(u',');
    return a;
}

// Une demande d'un autre âge ou sans fin ne se trace pas : elle occuperait le processus.
QString DemandePortail::verifierBornes() const
{
    const HoteGraphique::Demande& d = m_demande;
    for (const QDate& date : {d.debut, d.fin})
        if (date.isValid() && (date.year() < 1800 || date.year() > 2200))
            return QStringLiteral("date hors des années 1800 à 2200 : %1.").arg(date.toString(QStringLiteral("dd/MM/yyyy")));
    if (d.type == TypeGraph::travail)
        return QStringLiteral("le graphique de travail reçoit des points saisis : le portail ne fait que lire.");
    return QString();
}

QString DemandePortail::valeur(const QString& nom) const
{
    for (const auto& [n, v] : m_parametres)
        if (n == nom)
            return v;
    return QString();
}

QString DemandePortail::requete() const
{
    QStringList morceaux;
    for (const auto& [nom, texte] : m_parametres)
        morceaux << nom + u'=' + QString::fromLatin1(QUrl::toPercentEncoding(texte, "/,"));
    return morceaux.join(u'&');
}

DemandePortail DemandePortail::sans(const QStringList& retires) const
{
    DemandePortail d = *this;
    d.m_parametres.removeIf([&retires](const auto& p) { return retires.contains(p.first); });
    return d;
}

QString DemandePortail::adresse(const QString& suffixe) const
{
    const QString chemin = QStringLiteral("/station/") + QString::fromLatin1(QUrl::toPercentEncoding(m_station.code)) + suffixe;
    const QString q = requete();
    return q.isEmpty() ? chemin : chemin + u'?' + q;
}
