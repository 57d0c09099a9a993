#include "data/import/SeriesArchive.h"

#include "commun/Nombres.h"
#include "commun/TexteAffichable.h"
#include "data/NomVerifie.h"
#include "data/bases/BaseAcces.h"
#include "data/import/AnalyseArchive.h"
#include "data/import/FusionMesures.h"
#include "data/import/TablesImport.h"
#include "data/import/TexteArchive.h"

#include <QTime>
#include <algorithm>

namespace {

// Un lot par série, et tous les lots écrits quand la mémoire en tient trop.
constexpr int lignesParLot = 20000;
constexpr qint64 lignesEnAttenteMax = 200000;
constexpr int longueurNomMax = 100;

} // namespace

SeriesArchive::SeriesArchive(BaseAcces& base, const FormatArchive& format, const QStringList& selection, ImportArchive::Bilan& bilan,
                             const QString& origine)
    : m_base(base)
    , m_format(format)
    , m_origine(origine)
    , m_bilan(bilan)
{
    for (const QString& code : selection)
        m_selection.insert(FormatArchive::codeTable(code));
    m_passage = {{QStringLiteral("DateCreation"), TypeColonne::Date}, {QStringLiteral("Heure"), TypeColonne::Heure},
                 {QStringLiteral("Valeur"), TypeColonne::Reel},       {QStringLiteral("Qualite"), TypeColonne::Entier},
                 {QStringLiteral("Niveau"), TypeColonne::Reel},       {QStringLiteral("Ligne"), TypeColonne::Entier}};
}

bool SeriesArchive::echec(const QString& quoi)
{
    m_erreur = quoi.arg(m_base.DerniereErreur());
    return false;
}

int SeriesArchive::station(QByteArrayView codeFichier, QString& motif)
{
    // Les fichiers sont presque toujours rangés par station : la dernière d'abord.
    if (codeFichier == QByteArrayView(m_dernierCode))
        return m_derniereStation;
    const QByteArray brut = codeFichier.toByteArray();
    auto connue = m_codes.constFind(brut);
    const int k = connue != m_codes.constEnd() ? *connue : nouvelleStation(brut, motif);
    if (k == refusee)
        motif = m_refus.value(brut);
    m_dernierCode = brut;
    m_derniereStation = k;
    return k;
}

int SeriesArchive::nouvelleStation(const QByteArray& brut, QString& motif)
{
    const QString code = FormatArchive::codeTable(QString::fromUtf8(brut));
    const auto table = NomVerifie::table(GenresStation::de(m_format.genre).prefixe(), code);
    int k = refusee;
    if (!table) {
        m_refus.insert(brut, MessageCodeRefuse(QString::fromUtf8(brut), true));
    } else if (const auto jumeau = std::find_if(m_stations.cbegin(), m_stations.cend(),
                                                [&](const Station& s) { return s.table.compare(table->texte(), Qt::CaseInsensitive) == 0; });
               jumeau != m_stations.cend()) {
        m_refus.insert(brut, QStringLiteral("le code « %1 » donnerait la table %2 de la station « %3 »")
                                 .arg(TexteAffichable(QString::fromUtf8(brut), 40), jumeau->table, TexteAffichable(jumeau->nom, 40)));
    } else if (!m_selection.isEmpty() && !m_selection.contains(code)) {
        k = horsSelection;
    } else {
        Station s;
        s.code = code;
        s.table = table->texte();
        // Le nom garde le code de la banque du sous-sol tel quel : c'est celui que les hydrologues cherchent.
        s.nom = QString::fromUtf8(brut);
        k = int(m_stations.size());
        m_stations.push_back(std::move(s));
    }
    motif = m_refus.value(brut);
    m_codes.insert(brut, k);
    return k;
}

int SeriesArchive::serie(int station, const QString& colonne)
{
    Station& s = m_stations[size_t(station)];
    for (const auto& [nom, k] : s.series)
        if (nom == colonne)
            return k;
    Serie nouvelle;
    nouvelle.station = station;
    nouvelle.colonne = colonne;
    nouvelle.passage = QStringLiteral("IMPORT_ARCHIVE_%1").arg(m_series.size());
    m_series.push_back(std::move(nouvelle));
    s.series.append({colonne, int(m_series.size() - 1)});
    return int(m_series.size() - 1);
}

void SeriesArchive::noterStation(Station& s, const LigneArchive& l)
{
    if (!s.mesuree && !l.nom.isEmpty()) {
        s.nomLu = l.nom.toByteArray();
        m_nomsUtf8 = m_nomsUtf8 && TexteArchive::estUtf8(l.nom);
    }
    if (!s.mesuree && l.altitude)
        s.altitude = l.altitude;
    // La cote du repère d'un piézomètre : niveau + profondeur, la plus récente.
    if (l.niveau && l.valeur)
        s.altitude = *l.niveau + *l.valeur;
    s.mesuree = true;
}

bool SeriesArchive::ajouter(int station, const LigneArchive& l, qint64 numero)
{
    Station& s = m_stations[size_t(station)];
    noterStation(s, l);
    const QString colonne = m_format.colonnePour(l.grandeur);
    if (colonne.isEmpty()) {
        ++m_bilan.autresGrandeurs;
        return true;
    }
    if (!l.valeur && !l.niveau) {
        ++m_bilan.vides;
        return true;
    }
    Serie& serie = m_series[size_t(this->serie(station, colonne))];
    const QDate jour = m_format.jourRange(l.grandeur, l.date);
    ++m_bilan.mesures;
    if (const qint64 avant = serie.cles.noter(jour.toJulianDay(), numero)) {
        ++m_bilan.doublons;
        ++serie.doublons;
        m_bilan.premiersDoublons.noter(avant, numero);
    }
    if (!m_ecrire)
        return true;
    serie.niveauxSeuls += l.valeur ? 0 : 1;
    serie.lot.append({jour, QTime(0, 0), l.valeur ? QVariant(*l.valeur / m_format.diviseur) : QVariant(),
                      l.qualite ? QVariant(*l.qualite) : QVariant(), l.niveau ? QVariant(*l.niveau) : QVariant(), numero});
    ++m_enAttente;
    if (serie.lot.size() >= lignesParLot)
        return ecrireLot(serie);
    return m_enAttente < lignesEnAttenteMax || ecrireTousLesLots();
}

void SeriesArchive::arreterEcriture()
{
    m_ecrire = false;
    for (Serie& s : m_series)
        s.lot.clear();
    m_enAttente = 0;
}

bool SeriesArchive::ecrireLot(Serie& serie)
{
    if (serie.lot.isEmpty())
        return true;
    if (!preparerSerie(serie))
        return false;
    if (!m_base.InsererLignes(serie.passage, serie.lot))
        return echec(QStringLiteral("impossible de préparer les mesures : %1"));
    serie.lignes += serie.lot.size();
    m_enAttente -= serie.lot.size();
    serie.lot.clear();
    return true;
}

bool SeriesArchive::ecrireTousLesLots()
{
    for (Serie& s : m_series)
        if (!ecrireLot(s))
            return false;
    return true;
}

bool SeriesArchive::preparerStation(Station& s)
{
    if (!s.colonnes.isEmpty())
        return true;
    const QString genre = GenresStation::nom(m_format.genre);
    s.colonnes = m_base.ColonnesTable(s.table);
    if (!s.colonnes.isEmpty()) {
        ++m_bilan.stationsCompletees;
        return true;
    }
    s.colonnes = TablesImport::colonnesStation(genre, QString::fromLatin1(GenresStation::de(m_format.genre).colonneMesure));
    if (!m_base.CreerTable(s.table, s.colonnes, {QStringLiteral("DateCreation"), QStringLiteral("Heure")})) {
        s.colonnes.clear();
        return echec(QStringLiteral("impossible de créer la table %1 : %2").arg(s.table));
    }
    ++m_bilan.stationsCreees;
    s.creee = true;
    return true;
}

bool SeriesArchive::preparerSerie(Serie& serie)
{
    if (serie.preparee)
        return true;
    Station& s = m_stations[size_t(serie.station)];
    if (!preparerStation(s))
        return false;
    bool presente = false;
    for (ColonneTable& c : s.colonnes)
        if (c.nom.compare(serie.colonne, Qt::CaseInsensitive) == 0) {
            serie.colonne = c.nom;
            presente = true;
        }
    // Une colonne qui manque (les débits mensuels d'une table existante) est ajoutée.
    if (!presente) {
        if (!m_base.ExecuterNatif(QStringLiteral("ALTER TABLE ") + m_base.Identifiant(s.table) + QStringLiteral(" ADD COLUMN ")
                                  + m_base.Identifiant(serie.colonne) + (m_base.typeBase() == QStringLiteral("POSTGRESQL") ? QStringLiteral(" double precision") : QStringLiteral(" REAL"))))
            return echec(QStringLiteral("impossible d'ajouter la colonne %1 à la table %2 : %3").arg(serie.colonne, s.table));
        s.colonnes.append({serie.colonne, TypeColonne::Reel});
    }
    if (!m_base.CreerTableTemporaire(serie.passage, m_passage))
        return echec(QStringLiteral("impossible de préparer l'import : %1"));
    serie.preparee = true;
    return true;
}

bool SeriesArchive::placerNiveaux(const Serie& serie, const Station& s, qint64& lignes)
{
    // Un niveau sans profondeur devient la profondeur négative que donne la cote du repère.
    const QString p = m_base.Identifiant(serie.passage);
    if (s.altitude
        && !m_base.ExecuterNatif(QStringLiteral("UPDATE ") + p + QStringLiteral(" SET Valeur = Niveau - ") + QString::number(*s.altitude, 'g', 15)
                                 + QStringLiteral(" WHERE Valeur IS NULL")))
        return echec(QStringLiteral("impossible de placer les niveaux : %1"));
    TableauValeurs t;
    if (!m_base.ExecuterNatif(QStringLiteral("SELECT count(*) FROM ") + p + QStringLiteral(" WHERE Valeur IS NULL"), &t) || t.points() < 1
        || !m_base.ExecuterNatif(QStringLiteral("DELETE FROM ") + p + QStringLiteral(" WHERE Valeur IS NULL")))
        return echec(QStringLiteral("impossible de placer les niveaux : %1"));
    // Sans cote connue, un niveau seul ne se place pas : il compte comme une valeur vide.
    const qint64 sansCote = qint64(LireNombre(t.valeur(0, 0)).value_or(0));
    m_bilan.vides += sansCote;
    m_bilan.mesures -= sansCote;
    lignes -= sansCote;
    return true;
}

bool SeriesArchive::fusionner(Serie& serie, qint64& ecrites)
{
    const Station& s = m_stations[size_t(serie.station)];
    FusionMesures fusion(m_base, s.table, serie.passage);
    // Les fichiers publics donnent une valeur par jour.
    fusion.journees();
    qint64 lignes = serie.lignes - serie.doublons;
    QList<FusionMesures::Affectation> affectations = {{serie.colonne, QStringLiteral("i.Valeur")}};
    // Le code qualité va dans la colonne Validite de la table, quand elle l'a.
    for (const ColonneTable& c : s.colonnes)
        if (m_format.colonnes[FormatArchive::Qualite].entete && c.nom.compare(QStringLiteral("Validite"), Qt::CaseInsensitive) == 0)
            affectations.append({c.nom, QStringLiteral("i.Qualite")});
    FusionMesures::Resultat r;
    if ((serie.doublons > 0 && !fusion.ecarterDoublons()) || (serie.niveauxSeuls > 0 && !placerNiveaux(serie, s, lignes))
        || !fusion.fusionner(affectations, s.colonnes, lignes, m_origine, r)) {
        m_erreur = m_erreur.isEmpty() ? fusion.erreur() : m_erreur;
        return false;
    }
    m_bilan.ajoutees += r.ajoutees;
    m_bilan.remplacees += r.remplacees;
    ecrites += lignes;
    return true;
}

bool SeriesArchive::lireStation(Station& s, bool& inscrite)
{
    TableauValeurs t;
    qint32 n = 0;
    if (!m_base.ExtraireRecords("SELECT Altitude FROM STATIONS" + cleStation(s), t, n))
        return echec(QStringLiteral("impossible de lire la liste des stations : %1"));
    inscrite = n > 0;
    if (!inscrite && !TablesImport::verifierCodeNeuf(m_base, GenresStation::nom(m_format.genre), s.code, m_erreur))
        return false;
    // L'altitude déjà connue de la base l'emporte : les niveaux seuls se placent d'après elle.
    if (const auto connue = inscrite ? LireNombre(t.valeur(0, 0)) : std::nullopt) {
        s.altitude = *connue;
        s.altitudeConnue = true;
    }
    return true;
}

OrdreSql SeriesArchive::cleStation(const Station& s) const
{
    return OrdreSql(" WHERE Code='") + *NomVerifie::depuis(s.code) + "' AND Genre='" + *NomVerifie::depuis(GenresStation::nom(m_format.genre))
        + "'";
}

bool SeriesArchive::inscrire(const Station& s, bool inscrite)
{
    if (!inscrite)
        return m_base.InsererLignes(QStringLiteral("STATIONS"), {{s.code, s.nom, GenresStation::nom(m_format.genre),
                                                                  s.altitude ? QVariant(*s.altitude) : QVariant()}})
            || echec(QStringLiteral("impossible d'ajouter la station : %1"));
    return s.altitudeConnue || !s.altitude || m_base.Execute("UPDATE STATIONS SET Altitude=" + OrdreSql::reel(*s.altitude) + cleStation(s))
        || echec(QStringLiteral("impossible de compléter la station : %1"));
}

bool SeriesArchive::terminerStation(Station& s)
{
    bool inscrite = false;
    if (s.colonnes.isEmpty() || !lireStation(s, inscrite))
        return s.colonnes.isEmpty();
    qint64 ecrites = 0;
    for (const auto& [colonne, numero] : s.series)
        if (m_series[size_t(numero)].preparee && !fusionner(m_series[size_t(numero)], ecrites))
            return false;
    if (ecrites > 0)
        return inscrire(s, inscrite);
    // Une station dont aucune ligne ne portait de mesure placée n'est pas créée.
    if (!s.creee)
        return true;
    --m_bilan.stationsCreees;
    return m_base.SupprimerTable(s.table) || echec(QStringLiteral("impossible de supprimer la table vide : %1"));
}

// Un seul encodage pour tous les noms du fichier : l'UTF-8 s'ils le sont tous, sinon Windows-1252.
void SeriesArchive::lireNoms()
{
    for (Station& s : m_stations)
        if (!s.nomLu.isEmpty())
            s.nom = TexteArchive::lire(s.nomLu, m_nomsUtf8).simplified().left(longueurNomMax);
}

bool SeriesArchive::terminer(const std::function<void(int stationsFaites)>& avancement)
{
    if (!ecrireTousLesLots())
        return false;
    lireNoms();
    for (size_t k = 0; k < m_stations.size(); ++k) {
        if (!terminerStation(m_stations[k]))
            return false;
        if (avancement)
            avancement(int(k + 1));
    }
    return true;
}

QStringList SeriesArchive::absentes() const
{
    QSet<QString> restent = m_selection;
    for (const Station& s : m_stations)
        restent.remove(s.code);
    QStringList l(restent.begin(), restent.end());
    l.sort();
    return l;
}
