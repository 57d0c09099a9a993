#include "data/bases/BaseExemple.h"

#include "commun/FichierProvisoire.h"

#include "data/BaseDonnees.h"
#include "data/GenresStation.h"
#include "data/bases/BaseSqlite.h"
#include "data/bases/TablesCalendrier.h"
#include "data/bases/TirageAleatoire.h"

#include <QDate>
#include <QFile>
#include <QSet>
#include <QTime>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

using Lignes = QList<QVariantList>;

const QDate debut(BaseExemple::premiereAnnee, 1, 1);
const QDate fin(BaseExemple::derniereAnnee, 12, 31);

double arrondi(double x, int decimales)
{
    const double f = std::pow(10.0, decimales);
    return std::round(x * f) / f;
}

// Phase saisonnière, 0 le 1er janvier.
double phase(const QDate& d)
{
    return 2.0 * std::numbers::pi * (d.dayOfYear() - 1) / 365.25;
}

double saison(const QDate& d, int jourMaximum)
{
    return std::cos(phase(d) - 2.0 * std::numbers::pi * (jourMaximum - 1) / 365.25);
}

struct Pluviometre
{
    QString code;
    QString nom;
    double facteur;  // pluie du lieu rapportée à celle de la région
};

const QList<Pluviometre> pluviometres = {
    {QStringLiteral("76401001"), QStringLiteral("Vallon-sur-Andelle"), 1.10},
    {QStringLiteral("76402001"), QStringLiteral("Port-Aubin"), 0.95},
    {QStringLiteral("27403001"), QStringLiteral("Les Hautes-Terres"), 0.80},
};
const QString piezoCraie = QStringLiteral("00754X0012");
const QString piezoAlluvions = QStringLiteral("00755X0031");
const QString stationRiviere = QStringLiteral("H8043310");

// Une série journalière : un jour par indice depuis `debut`.
struct Journalier
{
    std::vector<double> pluie, efficace, etp;
    std::vector<bool> lacune, invalide;

    // Chaque jour mesuré dans l'ordre, avec la continuité : 1 après une lacune.
    template <class Faire>
    void pourChaqueMesure(Faire faire) const
    {
        bool apresLacune = false;
        for (int i = 0; i < int(pluie.size()); ++i) {
            if (lacune[i]) {
                apresLacune = true;
                continue;
            }
            faire(i, apresLacune ? 1 : 0);
            apresLacune = false;
        }
    }
};

// Le temps de la région, jour après jour : chaîne de Markov sèche / humide
// dont les probabilités suivent la saison et une anomalie lente (périodes
// sèches et humides de quelques semaines), quantités selon une loi gamma.
struct TempsRegional
{
    std::vector<bool> humide;
    std::vector<double> quantite, etp;
};

TempsRegional tempsRegional(TirageAleatoire& t, int jours)
{
    TempsRegional r;
    r.humide.resize(jours);
    r.quantite.resize(jours);
    r.etp.resize(jours);
    double anomalie = 0.0;
    double facteurAnnee = 1.0;
    bool hier = false;
    for (int i = 0; i < jours; ++i) {
        const QDate d = debut.addDays(i);
        if (i == 0 || d.dayOfYear() == 1)
            facteurAnnee = std::exp(t.normale(0.0, 0.15));
        anomalie = 0.97 * anomalie + t.normale(0.0, 0.25 * std::sqrt(1.0 - 0.97 * 0.97));
        const double hiver = saison(d, 335);
        const double p = std::clamp((hier ? 0.63 : 0.30) + 0.07 * hiver + 0.12 * anomalie, 0.03, 0.95);
        const bool humide = t.evenement(p);
        double q = 0.0;
        if (humide)
            q = t.gamma(0.75, (4.0 + 1.3 * saison(d, 310)) / 0.75) * facteurAnnee;
        // Orages d'été, rares et forts.
        if (d.dayOfYear() >= 150 && d.dayOfYear() <= 250 && t.evenement(0.012))
            q += t.gamma(2.0, 9.0);
        r.humide[i] = humide || q > 0.0;
        r.quantite[i] = q;
        r.etp[i] = std::max(0.1, 1.85 - 1.65 * saison(d, 15) + t.normale(0.0, 0.25));
        hier = humide;
    }
    return r;
}

// Quelques lacunes (jours sans mesure) et quelques valeurs marquées "I".
void lacunesEtInvalides(TirageAleatoire& t, Journalier& s, int lacunes, int longueurMax, int invalides)
{
    const int n = int(s.pluie.size());
    s.lacune.assign(n, false);
    s.invalide.assign(n, false);
    for (int k = 0; k < lacunes; ++k) {
        const int depart = t.entier(365, n - 365);
        const int longueur = t.entier(4, longueurMax);
        for (int i = depart; i < std::min(n, depart + longueur); ++i)
            s.lacune[i] = true;
    }
    for (int k = 0; k < invalides; ++k) {
        int i = t.entier(0, n - 1);
        while (s.lacune[i])
            i = t.entier(0, n - 1);
        s.invalide[i] = true;
    }
}

Journalier pluieLocale(TirageAleatoire& t, const TempsRegional& r, double facteur)
{
    const int n = int(r.humide.size());
    Journalier s;
    s.pluie.resize(n);
    s.efficace.resize(n);
    s.etp.resize(n);
    double reserve = 60.0;  // réserve utile du sol, 100 mm au plus
    for (int i = 0; i < n; ++i) {
        double p = 0.0;
        if (r.humide[i] ? t.evenement(0.92) : t.evenement(0.05))
            p = (r.humide[i] && r.quantite[i] > 0.0 ? r.quantite[i] * std::exp(t.normale(0.0, 0.35)) : t.gamma(0.7, 1.5)) * facteur;
        p = arrondi(p, 1);
        const double etp = arrondi(std::max(0.1, r.etp[i] + t.normale(0.0, 0.1)), 1);
        reserve += p - etp;
        double efficace = 0.0;
        if (reserve > 100.0) {
            efficace = reserve - 100.0;
            reserve = 100.0;
        }
        reserve = std::max(reserve, 0.0);
        s.pluie[i] = p;
        s.etp[i] = etp;
        s.efficace[i] = arrondi(efficace, 1);
    }
    lacunesEtInvalides(t, s, t.entier(2, 4), 45, 6);
    return s;
}

QVariant nul()
{
    return QVariant();
}

// Les colonnes des tables de mesures.
QList<ColonneTable> colonnesPluvio()
{
    return {{QStringLiteral("DateCreation"), TypeColonne::Date}, {QStringLiteral("Heure"), TypeColonne::Heure},
            {QStringLiteral("Pluie"), TypeColonne::Reel},        {QStringLiteral("Continuite"), TypeColonne::Entier},
            {QStringLiteral("ModeObtention"), TypeColonne::Texte}, {QStringLiteral("Validite"), TypeColonne::Entier},
            {QStringLiteral("Commentaire"), TypeColonne::Texte}, {QStringLiteral("PluieEfficace"), TypeColonne::Reel},
            {QStringLiteral("Etp"), TypeColonne::Reel},          {QStringLiteral("Valeur1"), TypeColonne::Reel},
            {QStringLiteral("Valeur2"), TypeColonne::Reel},      {QStringLiteral("Valeur3"), TypeColonne::Reel}};
}

QList<ColonneTable> colonnesMesures(const QStringList& valeurs)
{
    QList<ColonneTable> c = {{QStringLiteral("DateCreation"), TypeColonne::Date}, {QStringLiteral("Heure"), TypeColonne::Heure}};
    for (const QString& v : valeurs)
        c.append({v, TypeColonne::Reel});
    c.append({QStringLiteral("Validite"), TypeColonne::Entier});
    c.append({QStringLiteral("Continuite"), TypeColonne::Entier});
    c.append({QStringLiteral("ModeObtention"), TypeColonne::Texte});
    return c;
}

class Fabrique
{
public:
    Fabrique(BaseDonnees& base, quint32 graine, const BaseExemple::Progression& progression)
        : m_base(base)
        , m_tirage(graine)
        , m_progression(progression)
    {
    }

    bool fabriquer();
    QString erreur() const { return m_erreur; }

private:
    void avancer(const QString& legende, int pourcentage)
    {
        if (m_progression)
            m_progression(legende, pourcentage);
    }
    bool table(const QString& nom, const QList<ColonneTable>& colonnes, const Lignes& lignes, const QStringList& index = {})
    {
        if (!m_base.SupprimerTable(nom) || !m_base.CreerTable(nom, colonnes) || !m_base.InsererLignes(nom, lignes)
            || (!index.isEmpty() && !m_base.CreerIndex(nom, index))) {
            m_erreur = QStringLiteral("Table %1 : %2").arg(nom, m_base.DerniereErreur());
            return false;
        }
        return true;
    }
    bool pluvio(int k, const Journalier& s);
    bool piezometre(const QString& code, const Journalier& pluie, double profondeurBase, double remonteeMax, double tau,
                    double lissage, double alpha, std::vector<double>* niveau);
    bool riviere(const Journalier& pluie, const std::vector<double>& nappe);
    bool normales(const QList<Journalier>& series);
    bool reference(const Journalier& s);

    BaseDonnees& m_base;
    TirageAleatoire m_tirage;
    const BaseExemple::Progression& m_progression;
    QString m_erreur;
};

bool Fabrique::pluvio(int k, const Journalier& s)
{
    const QTime midi(12, 0);
    Lignes lignes;
    s.pourChaqueMesure([&](int i, int continuite) {
        const QDate d = debut.addDays(i);
        const double p = s.invalide[i] ? arrondi(m_tirage.uniforme(80.0, 250.0), 1) : s.pluie[i];
        lignes.append({d, midi, p, continuite, s.invalide[i] ? QVariant(QStringLiteral("I")) : nul(), 0, nul(),
                       s.efficace[i], s.etp[i], nul(), nul(), nul()});
    });
    return table(QStringLiteral("PLUVIO_") + pluviometres[k].code, colonnesPluvio(), lignes, {QStringLiteral("DateCreation")});
}

bool Fabrique::piezometre(const QString& code, const Journalier& pluie, double profondeurBase, double remonteeMax,
                          double tau, double lissage, double alpha, std::vector<double>* niveau)
{
    // La recharge (pluie efficace) arrive lissée et retardée dans la nappe,
    // qui se vide ensuite lentement.
    const QDate premier(1990, 1, 1);
    const int decalage = int(debut.daysTo(premier));
    const int n = int(pluie.pluie.size());
    Journalier s;
    s.pluie.assign(n - decalage, 0.0);
    double arrivee = 0.0, h = alpha * 0.7 * tau;
    const double vidange = std::exp(-1.0 / tau), retard = std::exp(-1.0 / lissage);
    niveau->assign(n, 0.0);
    for (int i = 0; i < n; ++i) {
        arrivee = arrivee * retard + pluie.efficace[i] * (1.0 - retard);
        h = h * vidange + alpha * arrivee;
        (*niveau)[i] = h;
        // La nappe ne monte pas au-dessus du sol : sa remontée s'amortit. Le niveau
        // est noté en profondeur négative : ajouté à la cote du sol, il donne celle
        // de l'eau, et il monte quand l'eau monte.
        const double remontee = remonteeMax * (1.0 - std::exp(-h / remonteeMax));
        if (i >= decalage)
            s.pluie[i - decalage] = arrondi(remontee - profondeurBase + m_tirage.normale(0.0, 0.01), 2);
    }
    lacunesEtInvalides(m_tirage, s, 2, 60, 4);
    const QTime releve(6, 0);
    Lignes lignes;
    s.pourChaqueMesure([&](int i, int continuite) {
        const double v = s.invalide[i] ? arrondi(s.pluie[i] - m_tirage.uniforme(3.0, 8.0), 2) : s.pluie[i];
        const int validite = m_tirage.evenement(0.005) ? 1 : 0;
        lignes.append({premier.addDays(i), releve, v, validite, continuite,
                       s.invalide[i] ? QVariant(QStringLiteral("I")) : nul()});
    });
    return table(QStringLiteral("PZ_") + code, colonnesMesures({QStringLiteral("Valeur")}), lignes,
                 {QStringLiteral("DateCreation"), QStringLiteral("Heure")});
}

bool Fabrique::riviere(const Journalier& pluie, const std::vector<double>& nappe)
{
    // Débit de base tenu par la nappe alluviale, crues rapides après la pluie ;
    // hauteur par une courbe de tarage.
    const QDate premier(1985, 1, 1);
    const int decalage = int(debut.daysTo(premier));
    const int n = int(pluie.pluie.size());
    Journalier s;
    s.pluie.assign(n - decalage, 0.0);
    double rapide = 0.0;
    const double tarissement = std::exp(-1.0 / 2.5);
    for (int i = 0; i < n; ++i) {
        // Le ruissellement vient surtout des sols saturés (pluie efficace).
        rapide = rapide * tarissement + 0.08 * pluie.efficace[i] + 0.01 * std::max(0.0, pluie.pluie[i] - 2.0);
        if (i >= decalage)
            s.pluie[i - decalage] = arrondi(std::max(0.05, 0.3 + 0.45 * nappe[i] + rapide * m_tirage.uniforme(0.9, 1.1)), 3);
    }
    lacunesEtInvalides(m_tirage, s, 2, 30, 3);
    const QTime midi(12, 0);
    Lignes lignes;
    s.pourChaqueMesure([&](int i, int continuite) {
        const double q = s.invalide[i] ? arrondi(s.pluie[i] * 12.0, 3) : s.pluie[i];
        lignes.append({premier.addDays(i), midi, q, arrondi(0.20 + 0.55 * std::sqrt(q), 2), 0, continuite,
                       s.invalide[i] ? QVariant(QStringLiteral("I")) : nul()});
    });
    return table(QStringLiteral("HYDRO_") + stationRiviere, colonnesMesures({QStringLiteral("Debit"), QStringLiteral("Hauteur")}),
                 lignes, {QStringLiteral("DateCreation"), QStringLiteral("Heure")});
}

bool Fabrique::normales(const QList<Journalier>& series)
{
    // Moyennes 1991-2020 des cumuls mensuels et annuels mesurés.
    Lignes lignes;
    for (int k = 0; k < series.size(); ++k) {
        const Journalier& s = series[k];
        double mois[13][3] = {};
        for (int i = 0; i < int(s.pluie.size()); ++i) {
            const QDate d = debut.addDays(i);
            if (d.year() < 1991 || d.year() > 2020 || s.lacune[i] || s.invalide[i])
                continue;
            for (int m : {d.month() - 1, 12}) {
                mois[m][0] += s.pluie[i];
                mois[m][1] += s.efficace[i];
                mois[m][2] += s.etp[i];
            }
        }
        for (int m = 0; m < 13; ++m)
            lignes.append({pluviometres[k].code, m + 1, arrondi(mois[m][0] / 30.0, 1), arrondi(mois[m][1] / 30.0, 1),
                           arrondi(mois[m][2] / 30.0, 1), nul(), nul(), nul()});
    }
    return table(QStringLiteral("PLUVIOMETRE_NORMALES"),
                 {{QStringLiteral("codePluviometre"), TypeColonne::Texte}, {QStringLiteral("mois"), TypeColonne::Entier},
                  {QStringLiteral("valeur"), TypeColonne::Reel},          {QStringLiteral("PluieEfficace"), TypeColonne::Reel},
                  {QStringLiteral("Etp"), TypeColonne::Reel},             {QStringLiteral("Valeur1"), TypeColonne::Reel},
                  {QStringLiteral("Valeur2"), TypeColonne::Reel},         {QStringLiteral("Valeur3"), TypeColonne::Reel}},
                 lignes);
}

bool Fabrique::reference(const Journalier& s)
{
    // L'année moyenne 1991-2020, jour par jour, reportée sur chaque année.
    double somme[367] = {};
    int compte[367] = {};
    auto rang = [](const QDate& d) { return QDate(2000, d.month(), d.day()).dayOfYear(); };
    for (int i = 0; i < int(s.pluie.size()); ++i) {
        const QDate d = debut.addDays(i);
        if (d.year() < 1991 || d.year() > 2020 || s.lacune[i] || s.invalide[i])
            continue;
        somme[rang(d)] += s.pluie[i];
        ++compte[rang(d)];
    }
    Lignes lignes;
    for (QDate d = debut; d <= fin; d = d.addDays(1)) {
        const int r = rang(d);
        lignes.append({d, compte[r] ? arrondi(somme[r] / compte[r], 1) : 0.0, nul()});
    }
    const QString code = pluviometres[0].code;
    return table(QStringLiteral("COURBE_REF_PLUVIO_") + code,
                 {{QStringLiteral("DateCreation"), TypeColonne::Date}, {QStringLiteral("Pluie"), TypeColonne::Reel},
                  {QStringLiteral("ModeObtention"), TypeColonne::Texte}},
                 lignes, {QStringLiteral("DateCreation")})
        && table(QStringLiteral("PLUVIOMETRES_ECHELLES"),
                 {{QStringLiteral("codePluvio"), TypeColonne::Texte},
                  {QStringLiteral("Min_annee"), TypeColonne::Reel},
                  {QStringLiteral("Max_annee"), TypeColonne::Reel},
                  {QStringLiteral("iterations_annee"), TypeColonne::Entier},
                  {QStringLiteral("grilleX_annee"), TypeColonne::Entier},
                  {QStringLiteral("grilleY_annee"), TypeColonne::Entier},
                  {QStringLiteral("unite"), TypeColonne::Texte}},
                 {{QStringLiteral("REF_") + code, 0.0, 120.0, 12, 1, 1, QStringLiteral("mm")}});
}

bool Fabrique::fabriquer()
{
    avancer(QStringLiteral("Calendrier"), 0);
    if (!TablesCalendrier::creer(m_base, BaseExemple::moisHydro, m_erreur))
        return false;

    const int jours = int(debut.daysTo(fin)) + 1;
    avancer(QStringLiteral("Temps de la région"), 5);
    const TempsRegional temps = tempsRegional(m_tirage, jours);

    QList<Journalier> series;
    for (int k = 0; k < pluviometres.size(); ++k) {
        avancer(QStringLiteral("Pluviomètre ") + pluviometres[k].nom, 10 + 15 * k);
        series << pluieLocale(m_tirage, temps, pluviometres[k].facteur);
        if (!pluvio(k, series.last()))
            return false;
    }
    std::vector<double> nappeCraie, nappeAlluvions;
    avancer(QStringLiteral("Piézomètre ") + piezoCraie, 55);
    if (!piezometre(piezoCraie, series[0], 21.5, 14.0, 150.0, 20.0, 0.035, &nappeCraie))
        return false;
    avancer(QStringLiteral("Piézomètre ") + piezoAlluvions, 65);
    if (!piezometre(piezoAlluvions, series[1], 6.0, 5.0, 40.0, 3.0, 0.05, &nappeAlluvions))
        return false;
    avancer(QStringLiteral("Station hydrométrique ") + stationRiviere, 75);
    if (!riviere(series[1], nappeAlluvions))
        return false;
    avancer(QStringLiteral("Normales et courbe de référence"), 85);
    if (!normales(series) || !reference(series[0]))
        return false;

    avancer(QStringLiteral("Liste des stations"), 95);
    Lignes stations;
    for (const BaseExemple::Station& s : BaseExemple::stations())
        stations.append({s.code, s.nom, s.genre, s.altitude ? QVariant(*s.altitude) : nul()});
    if (!table(QStringLiteral("STATIONS"),
               {{QStringLiteral("Code"), TypeColonne::Texte},
                {QStringLiteral("Nom"), TypeColonne::Texte},
                {QStringLiteral("Genre"), TypeColonne::Texte},
                {QStringLiteral("Altitude"), TypeColonne::Reel}},
               stations))
        return false;
    avancer(QStringLiteral("Base d'exemple terminée"), 100);
    return true;
}

} // namespace

QList<BaseExemple::Station> BaseExemple::stations()
{
    QList<Station> l;
    for (const Pluviometre& p : pluviometres)
        l.append({p.code, p.nom, GenresStation::nom(GenreStation::Genre::Pluvio), std::nullopt});
    l.append({piezoCraie, QStringLiteral("Forage du Moulin (craie)"), GenresStation::nom(GenreStation::Genre::Piezo), 112.0});
    l.append({piezoAlluvions, QStringLiteral("Puits des Prés (alluvions)"), GenresStation::nom(GenreStation::Genre::Piezo), 38.5});
    l.append({stationRiviere, QStringLiteral("L'Aubette à Port-Aubin"), GenresStation::nom(GenreStation::Genre::Hydro), std::nullopt});
    l.append({pluviometres[0].code, QStringLiteral("Année moyenne 1991-2020 à ") + pluviometres[0].nom,
              GenresStation::nom(GenreStation::Genre::Reference), std::nullopt});
    return l;
}

bool BaseExemple::remplir(BaseDonnees& base, quint32 graine, const Progression& progression, QString& erreur) noexcept
{
    try {
        return remplirSousGarde(base, graine, progression, erreur);
    } catch (...) {
        if (base.EnTransaction())
            base.Annuler();
        erreur = QStringLiteral("Base d'exemple : erreur interne.");
        return false;
    }
}

bool BaseExemple::remplirSousGarde(BaseDonnees& base, quint32 graine, const Progression& progression, QString& erreur)
{
    Fabrique f(base, graine, progression);
    if (!base.ToutOuRien([&] { return f.fabriquer(); })) {
        erreur = f.erreur().isEmpty() ? base.DerniereErreur() : f.erreur();
        return false;
    }
    return true;
}

bool BaseExemple::creerFichier(const QString& fichier, quint32 graine, const Progression& progression,
                               QString& erreur) noexcept
{
    FichierProvisoire partiel(fichier);
    if (!partiel.reserver(erreur))
        return false;
    {
        auto base = BaseSqlite::ouvrir(partiel.chemin(), erreur);
        if (!base || !remplir(*base, graine, progression, erreur))
            return false;
    }
    return partiel.mettreEnPlace(erreur);
}
