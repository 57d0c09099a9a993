#include "render/AxeDates.h"

#include "commun/Dates.h"

namespace AxeDates {

namespace {

QString annee2(int annee)
{
    return FormatDate(QDate(std::max(annee, 100), 1, 1), QStringLiteral("YY"));
}

QDate premierDuMois(const QDate& d)
{
    return QDate(d.year(), d.month(), 1);
}

bool uniteLibre(UniteAxe u)
{
    return u != UniteAxe::Mois && u != UniteAxe::Trimestre && u != UniteAxe::Annee;
}

// Une unité libre prend un pas d'après l'étendue, et peut passer aux années ;
// l'unité "VIDE" suit alors ce changement, une autre unité libre garde son tracé.
void pasSelonEtendue(const Demande& d, bool piezo, Axe& axe, UniteAxe& unite, int& pas)
{
    if (!uniteLibre(unite))
        return;
    bool annees = false;
    pas = NombrePas(int(DateDiff(Intervalle::Annee, d.debut, d.fin)), DateDiff(Intervalle::Jour, d.debut, d.fin),
                    DateDiff(Intervalle::Mois, d.debut, d.fin), pas, piezo, &annees);
    axe.pas = pas;
    if (annees)
        axe.unite = UniteAxe::Annee;
    if (unite == UniteAxe::Vide && annees)
        unite = UniteAxe::Annee;
}

// "VIDE" : n + 1 dates réparties régulièrement sur l'étendue.
QStringList reguliers(const QDate& d1, qint64 jours, int n)
{
    QStringList l;
    for (int i = 0; i <= n; ++i)
        l << TexteDate(DateAdd(Intervalle::Jour, double(i) * double(jours) / n, d1));
    return l;
}

QStringList trimestres(const QDate& d1, int annees)
{
    const int ub = (annees + 1) * 4 - 1;
    QStringList l;
    for (int i = 0; i <= ub; ++i)
        l << (ub < 5 ? QString::number(i) : QString::number(i % 4 + 1) + u'/' + QString::number(d1.year() + i / 4));
    return l;
}

// Une longue série mensuelle (49 mois ou plus) montre "MM/YY" ; la liste
// commence un mois avant le premier point.
QStringList moisParPeriodes(Axe& axe, bool superposition)
{
    axe.debut = premierDuMois(axe.debut);
    axe.fin = premierDuMois(axe.fin);
    const int m = int(DateDiff(Intervalle::Mois, axe.debut, axe.fin));
    const int ub = superposition ? m + 1 : m - 1;
    QStringList l;
    for (int i = 0; i <= ub; ++i) {
        const QDate d = DateAdd(Intervalle::Mois, i - 1, axe.debut);
        l << (ub > 48 ? FormatDate(d, QStringLiteral("MM/YY")) : i == 0 ? QString() : MoisAbrege(d.month()));
    }
    return l;
}

QStringList anneesParPeriodes(const Demande& d, Axe& axe, int annees)
{
    QStringList l;
    if (annees == 0) {
        for (int i = 0; i <= 11; ++i)
            l << MoisAbrege(DateAdd(Intervalle::Mois, i, axe.debut).month());
        return l;
    }
    axe.libellesDesPoints = d.hydro && !d.cumulAnnuel;
    for (int i = 0; i <= annees; ++i)
        l << (axe.libellesDesPoints ? annee2(axe.debut.year() + i) + u'-' + annee2(axe.debut.year() + i + 1)
                                    : annee2(axe.debut.year() + i));
    return l;
}

// Une unité libre : n + 1 instants, heures sur une semaine, jours sur un an, dates au-delà.
QStringList libresParPeriodes(const QDate& d1, const QDate& d2, qint64 jours, int pas)
{
    const int n = std::max(pas, 1) + 1;
    const qint64 secondes = DateDiff(Intervalle::Seconde, DateHeure(d1), DateHeure(d2));
    QStringList l;
    for (int i = 0; i <= n; ++i) {
        if (jours <= 7)
            l << FormatDate(DateAdd(Intervalle::Seconde, double(i) * double(secondes) / n, DateHeure(d1)), QStringLiteral("DD/MM hh:mm"));
        else if (jours <= 365)
            l << FormatDate(DateAdd(Intervalle::Jour, double(i) * double(jours) / n, d1), QStringLiteral("DD/MM"));
        else
            l << FormatDate(DateAdd(Intervalle::Jour, double(i) * double(jours + 1) / n, d1), QStringLiteral("DD/MM/YY"));
    }
    return l;
}

QStringList libresDates(const QDate& d1, int annees, qint64 jours, int pas)
{
    QStringList l;
    for (int i = 0; i <= pas; ++i) {
        if (annees > 6)
            l << (annees > 10 ? annee2(d1.year() + i) : QString::number(d1.year() + i));
        else if (jours == 1)
            l << FormatDate(DateAdd(Intervalle::Jour, double(i) * double(jours) / pas, d1), QStringLiteral("MM/YYYY"));
        else if (jours <= 30)
            l << FormatDate(DateAdd(Intervalle::Jour, double(i) * double(jours) / pas, d1), QStringLiteral("DD/MM/YY"));
        else
            l << FormatDate(DateAdd(Intervalle::Mois, i, d1), QStringLiteral("MM/YYYY"));
    }
    return l;
}

} // namespace

int NombrePas(int annees, qint64 jours, qint64 mois, int pasActuel, bool piezo, bool* passeEnAnnees)
{
    if (passeEnAnnees)
        *passeEnAnnees = false;
    int pas = pasActuel;
    if (annees > 10) {
        pas = annees;
        if (passeEnAnnees)
            *passeEnAnnees = true;
    } else if (annees > 6) {
        pas = annees;
    } else if (jours == 1) {
        pas = 1;
    } else if (jours <= 10) {
        pas = int(jours);
    } else if (jours <= 30) {
        pas = 5;
    } else if (annees <= 1 || piezo) {
        pas = int(mois) + 1;
    }
    return std::max(pas, 1);
}

namespace {

// Le début commun aux deux familles : bornes, unité et pas selon l'étendue, durée en jours.
struct Depart
{
    Axe axe;
    UniteAxe unite;
    int pas = 0;
    int annees = 0;
};

Depart depart(const Demande& d, bool piezo)
{
    Depart r{Axe{}, d.unite, d.pas, int(DateDiff(Intervalle::Annee, d.debut, d.fin))};
    r.axe.debut = d.debut;
    r.axe.fin = d.fin;
    pasSelonEtendue(d, piezo, r.axe, r.unite, r.pas);
    r.axe.jours = DateDiff(Intervalle::Jour, d.debut, d.fin);
    return r;
}

} // namespace

Axe parPeriodes(const Demande& d)
{
    auto [axe, unite, pas, annees] = depart(d, false);
    if (unite == UniteAxe::Vide)
        axe.libelles = reguliers(d.debut, axe.jours, std::max(pas, 1));
    else if (unite == UniteAxe::Mois)
        axe.libelles = moisParPeriodes(axe, d.superposition);
    else if (unite == UniteAxe::Trimestre)
        axe.libelles = trimestres(d.debut, annees);
    else if (unite == UniteAxe::Annee)
        axe.libelles = anneesParPeriodes(d, axe, annees);
    else
        axe.libelles = libresParPeriodes(d.debut, d.fin, axe.jours, pas);
    const int ub = int(axe.libelles.size()) - 1;
    axe.nombreLibelles = ub < 21 ? ((d.hydro || d.superposition) ? ub : ub + 1) : 1;
    axe.supplement = d.superposition ? 1 : 0;
    axe.libellesDesPoints = axe.libellesDesPoints || d.superposition;
    return axe;
}

Axe pointsDates(const Demande& d)
{
    auto [axe, unite, pas, annees] = depart(d, true);
    pas = std::max(pas, 1);
    QStringList& l = axe.libelles;
    if (unite == UniteAxe::Vide) {
        l = reguliers(d.debut, axe.jours, pas);
    } else if (unite == UniteAxe::Mois) {
        axe.debut = premierDuMois(d.debut);
        axe.fin = premierDuMois(d.fin);
        const int ub = int(DateDiff(Intervalle::Mois, axe.debut, axe.fin)) + 1;
        for (int i = 0; i <= ub; ++i)
            l << MoisAbrege(DateAdd(Intervalle::Mois, i, axe.debut).month());
    } else if (unite == UniteAxe::Annee) {
        const int ub = annees + 1;
        const QString marge(ub <= 12 ? 16 : ub <= 20 ? 10 : 4, u' ');
        for (int i = 0; i <= ub; ++i)
            l << (d.hydro ? marge + annee2(d.debut.year() + i) + u'-' + annee2(d.debut.year() + i + 1) : annee2(d.debut.year() + i));
    } else if (unite == UniteAxe::Trimestre) {
        l = trimestres(d.debut, annees);
    } else {
        l = libresDates(d.debut, annees, axe.jours, pas);
    }
    const int ub = int(l.size()) - 1;
    axe.nombreLibelles = ub < 41 ? ub : 1;
    return axe;
}

} // namespace AxeDates
