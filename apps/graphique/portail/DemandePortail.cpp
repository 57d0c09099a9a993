#include "DemandePortail.h"

#include "../LigneCommande.h"
#include "../OptionsDemande.h"

#include "commun/TexteAffichable.h"
#include "data/GenresStation.h"

#include <QUrl>

namespace {

using Genre = GenreStation::Genre;

// Les stations d'une page de piézomètre ou de rivière se tracent sous la pluie d'un pluviomètre.
// Une station ne s'ajoute pas à elle-même.
QString autresQue(const QString& liste, const QString& code)
{
    QStringList codes = liste.split(u',', Qt::SkipEmptyParts);
    codes.removeAll(code);
    return codes.isEmpty() ? QStringLiteral(",") : codes.join(u',');
}

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
    // La station d'abord : un paramètre refusé se dit sur sa page, pas comme une page introuvable.
    const QString refusParametres = lireParametres(requete);
    if (QString defaut = trouverStation(code, stations); !defaut.isEmpty())
        return defaut;
    if (!refusParametres.isEmpty())
        return refusParametres;
    LigneCommande ligne(arguments(stations));
    QString manque;
    const OptionsDemande options(ligne, manque);
    if (QString defaut = ligne.defaut(manque); !defaut.isEmpty())
        return defaut;
    if (QString defaut = options.appliquer(m_demande); !defaut.isEmpty())
        return enMotsDuFormulaire(defaut);
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
    stations.removeDuplicates();
    if (stations.size() > maximumStations)
        return QStringLiteral("trop de stations ajoutées : %1 (%2 au plus).").arg(stations.size()).arg(maximumStations);
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
    const auto genre = GenresStation::depuisNom(m_station.genre);
    const auto sousLaPluie = genre ? typeSousLaPluie(genre->genre) : std::nullopt;
    QStringList a = argumentsDonnes(sousLaPluie.has_value());
    if (valeur(QStringLiteral("type")).isEmpty()) {
        const bool reference = genre && genre->genre == Genre::Reference;
        const TypeGraph type = sousLaPluie ? *sousLaPluie : reference ? TypeGraph::reference : TypeGraph::edition;
        a << QStringLiteral("--type") << QString::fromLatin1(NomsTypeGraph[std::size_t(type)]);
    }
    return a + (sousLaPluie ? argumentsSousLaPluie(stations) : argumentsStation(stations));
}

// Les paramètres de l'adresse qui sont des options de tracer ; une station ne s'ajoute pas à elle-même.
QStringList DemandePortail::argumentsDonnes(bool sousLaPluie) const
{
    QStringList a;
    for (const auto& [nom, texte] : m_parametres) {
        if (nom == QStringLiteral("cumul"))
            a << QStringLiteral("--cumul");
        else if (nom == QStringLiteral("stations") && !sousLaPluie)
            a << QStringLiteral("--stations") << autresQue(texte, m_station.code);
        else if (nom != QStringLiteral("genre") && nom != QStringLiteral("pluviometre") && nom != QStringLiteral("stations"))
            a << QStringLiteral("--") + nom << texte;
    }
    return a;
}

QStringList DemandePortail::argumentsStation(const QList<StationBase>& stations) const
{
    QStringList a = valeur(QStringLiteral("stations")).isEmpty() ? compagnesParDefaut(stations) : QStringList();
    a << QStringLiteral("--station") << m_station.code;
    if (const auto genre = GenresStation::depuisNom(m_station.genre))
        a << QStringLiteral("--genre") << genre->texte();
    return a;
}

// Sous la pluie : la page est celle de la nappe ou de la rivière, le pluviomètre est choisi.
QStringList DemandePortail::argumentsSousLaPluie(const QList<StationBase>& stations) const
{
    const QString pluviometre = valeur(QStringLiteral("pluviometre"));
    QStringList autres = {m_station.code};
    autres << valeur(QStringLiteral("stations")).split(u',', Qt::SkipEmptyParts);
    autres.removeDuplicates();
    return {QStringLiteral("--station"), pluviometre.isEmpty() ? premierPluviometre(stations) : pluviometre,
            QStringLiteral("--stations"), autres.join(u',')};
}

// Un graphique qui ajoute des stations et n'en a reçu aucune prend la première du genre
// qu'il attend : la page montre un graphique, et ses cases disent quoi changer.
QStringList DemandePortail::compagnesParDefaut(const QList<StationBase>& stations) const
{
    const auto type = TypeGraphDepuisNom(valeur(QStringLiteral("type")));
    const auto genre = type ? HoteGraphique::genreDesAutres(*type) : std::nullopt;
    for (const StationBase& s : stations)
        if (genre && GenresStation::est(s.genre, *genre) && s.code != m_station.code)
            return {QStringLiteral("--stations"), s.code};
    return {};
}

// Les messages des vérifications nomment les options de la ligne de commande ; la page
// nomme les champs de son formulaire.
QString DemandePortail::enMotsDuFormulaire(QString message)
{
    static const std::pair<const char*, const char*> champs[] = {
        {"--stations", "« Stations ajoutées »"}, {"--station", "la station"}, {"--debut", "« Du »"}, {"--fin", "« au »"},
        {"--annee", "« Année »"}, {"--periodes", "« Par »"}, {"--variante", "« Cumul de l'année »"},
        {"--type", "« Graphique »"}, {"--affichage", "« Affichage »"}, {"--normales", "« Comparaison aux »"},
        {"--annees-statistiques", "« Années des statistiques »"}, {"--genre", "le genre"}};
    for (const auto& [option, champ] : champs)
        message.replace(QString::fromLatin1(option), QString::fromUtf8(champ));
    return message;
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
