#include "data/bulletin/CalculBulletin.h"

#include "data/CalculsStatistiques.h"

#include <algorithm>
#include <cmath>

CalculBulletin::CalculBulletin(const ReleveMensuel& releve, const GenreBulletin& genre, QDate mois, int moisHydro,
                               const Normales& normales)
    : m_releve(releve)
    , m_genre(genre)
    , m_mois(QDate(mois.year(), mois.month(), 1))
    , m_moisHydro(moisHydro)
    , m_normales(normales)
{
}

LigneBulletin CalculBulletin::ligne(const QString& code, const QString& nom) const
{
    LigneBulletin l;
    l.code = code;
    l.nom = nom;
    l.genre = &m_genre;
    l.valeur = valeur(m_mois);
    placer(l);
    comparerALaNormale(l);
    cumulerAnneeHydrologique(l);
    tendance(l);
    contexte(l);
    return l;
}

int CalculBulletin::classe(double v, const std::array<std::optional<double>, 4>& q)
{
    if (!q[0] || v < *q[0])
        return 0;
    if (v < *q[1])
        return 1;
    if (v <= *q[2])
        return 2;
    return v <= *q[3] ? 3 : 4;
}

std::optional<double> CalculBulletin::valeur(QDate mois) const
{
    const ReleveMensuel::Mois* m = m_releve.mois(mois.year(), mois.month());
    return m ? std::optional(m->valeur) : std::nullopt;
}

std::array<std::optional<double>, 4> CalculBulletin::quintilesDe(const QList<double>& echantillon)
{
    return echantillon.size() >= effectifClasses ? CalculsStatistiques::quintiles(echantillon) : std::array<std::optional<double>, 4>{};
}

std::optional<int> CalculBulletin::classeParmi(const QList<double>& echantillon)
{
    if (echantillon.size() < effectifClasses)
        return std::nullopt;
    return classe(echantillon.constLast(), quintilesDe(echantillon));
}

void CalculBulletin::placer(LigneBulletin& l) const
{
    if (!l.valeur)
        return;
    const QList<double> e = m_releve.echantillon(m_mois.month(), m_mois.year(), l.valeur);
    const double propre = e.constLast();
    l.effectif = int(e.size());
    l.rang = 1 + int(std::count_if(e.cbegin(), e.cend(), [propre](double x) { return x < propre; }));
    l.classe = classeParmi(e);
}

void CalculBulletin::comparerALaNormale(LigneBulletin& l) const
{
    if (m_genre.normalesOfficielles)
        l.normale = m_normales[std::size_t(m_mois.month() - 1)];
    else if (m_genre.normaleDesMesures)
        l.normale = CalculsStatistiques::moyenne(m_releve.valeurs(m_mois.month(), m_mois.year()));
    if (l.valeur && l.normale && *l.normale != 0)
        l.rapport = 100.0 * *l.valeur / *l.normale;
}

QDate CalculBulletin::debutAnneeHydrologique() const
{
    const int annee = m_mois.month() >= m_moisHydro ? m_mois.year() : m_mois.year() - 1;
    return QDate(annee, m_moisHydro, 1);
}

// Du premier mois de l'année hydrologique au mois du bulletin ; la normale
// cumulée n'existe que si chacun de ces mois a la sienne.
void CalculBulletin::cumulerAnneeHydrologique(LigneBulletin& l) const
{
    if (!m_genre.cumulHydrologique || !l.valeur)
        return;
    double cumul = 0, normale = 0;
    bool normaleComplete = true;
    for (QDate m = debutAnneeHydrologique(); m <= m_mois; m = m.addMonths(1)) {
        cumul += valeur(m).value_or(0.0);
        const auto n = m_normales[std::size_t(m.month() - 1)];
        normaleComplete = normaleComplete && n;
        normale += n.value_or(0.0);
    }
    l.cumul = cumul;
    if (normaleComplete)
        l.normaleCumulee = normale;
}

void CalculBulletin::tendance(LigneBulletin& l) const
{
    const auto avant = valeur(m_mois.addMonths(-1));
    if (!m_genre.tendance || !l.valeur || !avant)
        return;
    const QList<double> e = m_releve.echantillon(m_mois.month(), m_mois.year(), l.valeur);
    const auto [bas, haut] = std::minmax_element(e.cbegin(), e.cend());
    const double ecart = *l.valeur - *avant;
    if (std::abs(ecart) <= partStable * (*haut - *bas))
        l.tendance = LigneBulletin::Tendance::Stable;
    else
        l.tendance = ecart > 0 ? LigneBulletin::Tendance::Hausse : LigneBulletin::Tendance::Baisse;
}

// La pluie se lit sur son année hydrologique ; un niveau ou un débit sur les douze derniers mois.
void CalculBulletin::contexte(LigneBulletin& l) const
{
    const QDate premier = m_genre.cumulHydrologique ? debutAnneeHydrologique() : m_mois.addMonths(-11);
    for (int i = 0; i < 12; ++i) {
        const QDate m = premier.addMonths(i);
        LigneBulletin::MoisContexte c;
        c.mois = m;
        if (m <= m_mois)
            c.valeur = valeur(m);
        if (c.valeur)
            c.classe = classeParmi(m_releve.echantillon(m.month(), m.year(), c.valeur));
        c.quintiles = quintilesDe(m_releve.echantillon(m.month(), 0, std::nullopt));
        if (m_genre.normalesOfficielles)
            c.normale = m_normales[std::size_t(m.month() - 1)];
        l.contexte.push_back(c);
    }
}
