#include "render/FctGraphique.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "model/Classe_Graphiques.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"
#include "settings/messages/Valeurs.h"

#include <QList>

namespace FctGraphique {

namespace {

const QString policeAxes = QStringLiteral("Comic Sans MS");

QString annee2(int annee)
{
    return FormatDate(QDate(std::max(annee, 100), 1, 1), QStringLiteral("YY"));
}

void police(MoteurGraphique& g, int classe, int taille)
{
    g.ecrire(Prop::ClasseTexte, classe);
    g.ecrire(Prop::PolicePolice, policeAxes);
    g.ecrire(Prop::TaillePolice, taille);
}

// L'étendue de l'axe, d'après les dates de chargement ou celles d'affichage.
bool periode(Classe_Graphiques& c, QDate& d1, QDate& d2, QString& debut, QString& fin)
{
    QString t1, t2;
    if (c.EchelleXAuto()) {
        t1 = c.DateDebutChargement();
        t2 = c.DateFinChargement();
    } else {
        if (c.DateDebutAffichage().isEmpty()) {
            c.setDateDebutAffichage(c.DateDebutChargement());
            c.setDateFinAffichage(c.DateFinChargement());
        }
        t1 = c.DateDebutAffichage();
        t2 = c.DateFinAffichage();
    }
    const auto a = LireDate(t1.trimmed().left(10)), b = LireDate(t2.trimmed().left(10));
    if (!a || !b) {
        debut.clear();
        fin.clear();
        return false;
    }
    d1 = *a;
    d2 = *b;
    return true;
}

QDate premierDuMois(const QDate& d)
{
    return QDate(d.year(), d.month(), 1);
}

// Nombre de pas pour les unités qui s'en remettent à l'étendue ; l'unité peut devenir "A".
void pasSelonPeriode(Classe_Graphiques& c, const QDate& d1, const QDate& d2, bool piezo)
{
    bool annees = false;
    const int pas = NombrePas(int(DateDiff(Intervalle::Annee, d1, d2)), DateDiff(Intervalle::Jour, d1, d2),
                              DateDiff(Intervalle::Mois, d1, d2), c.PasAxeX(), piezo, &annees);
    if (annees)
        c.setUniteAxeX(QStringLiteral("A"));
    c.setPasAxeX(qint16(pas));
}

bool uniteLibre(const QString& u)
{
    return u != QStringLiteral("M") && u != QStringLiteral("T") && u != QStringLiteral("A");
}

// Libellés de "VIDE" : n + 1 dates réparties régulièrement sur l'étendue.
QStringList libellesReguliers(const QDate& d1, qint64 jours, int n)
{
    QStringList l;
    for (int i = 0; i <= n; ++i)
        l << TexteDate(DateAdd(Intervalle::Jour, double(i) * double(jours) / n, d1));
    return l;
}

QStringList libellesTrimestres(const QDate& d1, int annees)
{
    const int ub = (annees + 1) * 4 - 1;
    QStringList l;
    for (int i = 0; i <= ub; ++i)
        l << (ub < 5 ? QString::number(i)
                     : QString::number(i % 4 + 1) + u'/' + QString::number(d1.year() + i / 4));
    return l;
}

// Écrit le nombre de libellés, leur police, les libellés et la liste en TAB.
void envoyer(Classe_Graphiques& c, MoteurGraphique& g, const QStringList& libelles, int nombreLibelles, int supplement,
             const QDate& d1, const QDate& d2)
{
    const int ub = int(libelles.size()) - 1;
    g.ecrire(Prop::GraduationsX, 2);
    g.ecrire(Prop::PlacementLibellesX, 2);
    g.ecrire(Prop::NbLibellesX, nombreLibelles);
    police(g, 2, 85);
    const int n = g.lire(Prop::NbLibellesX).toInt() + supplement;
    for (int i = 1; i <= n && i - 1 <= ub; ++i)
        g.ecrireIndexe(Prop::LibelleX, i, libelles[i - 1]);
    EnvoyerLibellesAxe(g, ub + 1, libelles);
    if (c.EchelleXAuto()) {
        c.setDateDebutAffichage(TexteDate(d1));
        c.setDateFinAffichage(TexteDate(d2));
        c.setPasAxeX(qint16(g.lire(Prop::NbLibellesX).toInt()));
    }
}

QString libellePoint(const QVariant& date, const QString& codePeriode, qint64 jours)
{
    const auto d = DateDepuisCellule(date);
    if (!d)
        return QString();
    if (codePeriode == QStringLiteral("MOIS") || codePeriode == QStringLiteral("HYDRO"))
        return FormatDate(*d, QStringLiteral("MM/YY"));
    if (codePeriode == QStringLiteral("ANNEE"))
        return FormatDate(*d, QStringLiteral("YY"));
    if (codePeriode == QStringLiteral("TRIMESTRE"))
        return FormatDate(*d, QStringLiteral("q-YY"));
    if (codePeriode == QStringLiteral("DECADE"))
        return FormatDate(*d, QStringLiteral("DD/MM/YY"));
    if (codePeriode == QStringLiteral("SANS"))
        return FormatDate(*d, jours <= 7 ? QStringLiteral("DD/MM hh:mm")
                                         : jours <= 365 ? QStringLiteral("DD/MM") : QStringLiteral("DD/MM/YY"));
    return QString();
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

int EnvoyerLibellesAxe(MoteurGraphique& graphique, int nombre, const QStringList& libelles)
{
    if (nombre != libelles.size())
        return -1;
    return graphique.VBAGLabels(nombre, libelles.join(u'\t'));
}

void InitAxeDates(Classe_Graphiques& c, MoteurGraphique& g, QString& debut, QString& fin, bool superposition,
                  bool cumulAnnuel)
{
    QDate d1, d2;
    if (!periode(c, d1, d2, debut, fin))
        return;
    QString unite = c.UniteAxeX();
    if (uniteLibre(unite)) {
        pasSelonPeriode(c, d1, d2, false);
        if (unite == QStringLiteral("VIDE"))
            unite = c.UniteAxeX();
    }
    const int annees = int(DateDiff(Intervalle::Annee, d1, d2));
    const qint64 jours = DateDiff(Intervalle::Jour, d1, d2);
    const bool hydro = c.CodePeriode() == QStringLiteral("HYDRO");
    bool libellesHydro = false;

    QStringList l;
    if (unite == QStringLiteral("VIDE")) {
        l = libellesReguliers(d1, jours, std::max<int>(c.PasAxeX(), 1));
    } else if (unite == QStringLiteral("M")) {
        d1 = premierDuMois(d1);
        d2 = premierDuMois(d2);
        const int m = int(DateDiff(Intervalle::Mois, d1, d2));
        const int ub = superposition ? m + 1 : m - 1;
        for (int i = 0; i <= ub; ++i) {
            const QDate d = DateAdd(Intervalle::Mois, i - 1, d1);
            if (ub > 48)
                l << FormatDate(d, QStringLiteral("MM/YY"));
            else
                l << (i == 0 ? QString() : MoisAbrege(d.month()));
        }
    } else if (unite == QStringLiteral("T")) {
        l = libellesTrimestres(d1, annees);
    } else if (unite == QStringLiteral("A")) {
        if (annees == 0) {
            for (int i = 0; i <= 11; ++i)
                l << MoisAbrege(DateAdd(Intervalle::Mois, i, d1).month());
        } else {
            libellesHydro = hydro && !cumulAnnuel;
            for (int i = 0; i <= annees; ++i)
                l << (libellesHydro ? annee2(d1.year() + i) + u'-' + annee2(d1.year() + i + 1) : annee2(d1.year() + i));
        }
    } else {
        const int n = std::max<int>(c.PasAxeX(), 1) + 1;
        const qint64 secondes = DateDiff(Intervalle::Seconde, DateHeure(d1), DateHeure(d2));
        for (int i = 0; i <= n; ++i) {
            if (jours <= 7)
                l << FormatDate(DateAdd(Intervalle::Seconde, double(i) * double(secondes) / n, DateHeure(d1)),
                                QStringLiteral("DD/MM hh:mm"));
            else if (jours <= 365)
                l << FormatDate(DateAdd(Intervalle::Jour, double(i) * double(jours) / n, d1), QStringLiteral("DD/MM"));
            else
                l << FormatDate(DateAdd(Intervalle::Jour, double(i) * double(jours + 1) / n, d1),
                                QStringLiteral("DD/MM/YY"));
        }
    }

    const int ub = int(l.size()) - 1;
    const int nombre = ub < 21 ? ((hydro || superposition) ? ub : ub + 1) : 1;
    envoyer(c, g, l, nombre, superposition ? 1 : 0, d1, d2);

    // Un libellé par point de la première courbe.
    const CourbePtr premiere = c.GetCourbe(1);
    if (premiere) {
        const int n = premiere->NbValeurs();
        g.ecrire(Prop::NbPoints, n);
        // Une longue série mensuelle prend le mois de chaque point : la liste de l'axe
        // commence un mois avant le premier point, et seul un cumul a un point de
        // tête à cette place.
        const bool libellesAxe = libellesHydro || superposition;
        for (int j = 0; j < n; ++j) {
            if (libellesAxe) {
                if (j <= ub)
                    g.ecrireIndexe(Prop::LibelleX, j + 1, l[j]);
            } else {
                const QString t = libellePoint(premiere->cellule(0, j), c.CodePeriode(), jours);
                if (!t.isNull())
                    g.ecrireIndexe(Prop::LibelleX, j + 1, t);
            }
        }
    }
    debut = TexteDate(d1);
    fin = TexteDate(d2);
}

void InitAxeDatesPiezo(Classe_Graphiques& c, MoteurGraphique& g, QString& debut, QString& fin)
{
    QDate d1, d2;
    if (!periode(c, d1, d2, debut, fin))
        return;
    QString unite = c.UniteAxeX();
    const bool libre = uniteLibre(unite);
    if (libre) {
        pasSelonPeriode(c, d1, d2, true);
        if (unite == QStringLiteral("VIDE"))
            unite = c.UniteAxeX();
    }
    const int annees = int(DateDiff(Intervalle::Annee, d1, d2));
    const qint64 jours = DateDiff(Intervalle::Jour, d1, d2);
    const int pas = std::max<int>(c.PasAxeX(), 1);

    QStringList l;
    if (unite == QStringLiteral("VIDE")) {
        l = libellesReguliers(d1, jours, pas);
    } else if (unite == QStringLiteral("M")) {
        d1 = premierDuMois(d1);
        d2 = premierDuMois(d2);
        const int ub = int(DateDiff(Intervalle::Mois, d1, d2)) + 1;
        for (int i = 0; i <= ub; ++i)
            l << MoisAbrege(DateAdd(Intervalle::Mois, i, d1).month());
    } else if (unite == QStringLiteral("A")) {
        const int ub = annees + 1;
        const QString marge(ub <= 12 ? 16 : ub <= 20 ? 10 : 4, u' ');
        for (int i = 0; i <= ub; ++i)
            l << (c.CodePeriode() == QStringLiteral("HYDRO")
                      ? marge + annee2(d1.year() + i) + u'-' + annee2(d1.year() + i + 1)
                      : annee2(d1.year() + i));
    } else if (unite == QStringLiteral("T")) {
        l = libellesTrimestres(d1, annees);
    } else {
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
    }
    const int ub = int(l.size()) - 1;
    envoyer(c, g, l, ub < 41 ? ub : 1, 0, d1, d2);
    debut = TexteDate(d1);
    fin = TexteDate(d2);
}

void InitAxeDatesSuperpose(Classe_Graphiques& c, MoteurGraphique& g, QString& debut, QString& fin)
{
    InitAxeDatesPiezo(c, g, debut, fin);
    g.ecrire(Prop::CouleurElement, 15);
    g.ecrire(Prop::Element, 4);
}

void InitEchellePluvio(Classe_Graphiques& c, MoteurGraphique& g, double minimum, double maximum)
{
    g.ecrire(Prop::AxeY, 0);
    if (minimum == 0 && maximum == 0) {
        minimum = c.MinDonnees();
        maximum = c.MaxDonnees();
        if (minimum == 0 && maximum == 0)
            maximum = 10;
    }
    g.ecrire(Prop::ModeEchelleY, 2);
    g.ecrire(Prop::DivisionsY, c.NbSeparations());
    g.ecrire(Prop::AxeY, 0);
    g.ecrire(Prop::YMax, maximum);
    g.ecrire(Prop::YMin, minimum);
    police(g, 1, 125);
    g.ecrire(Prop::TitreYGauche, QStringLiteral("Précipitations en mm"));
}

namespace {

// Bornes de l'axe d'une collection : celles de ses données, ou celles de l'utilisateur hors échelle automatique.
std::pair<double, double> bornes(Classe_Graphiques& c)
{
    if (c.MinDonnees() == c.MaxDonnees())
        c.setMaxDonnees(c.MinDonnees() + 10);
    if (c.EchelleYAuto())
        return {c.MinDonnees(), c.MaxDonnees()};
    return {c.MinY(), c.MaxY()};
}

} // namespace

void InitEchellesPiezo(Classe_Graphiques& piezo, Classe_Graphiques& pluie, MoteurGraphique& g, bool cote,
                       double minimum, double maximum)
{
    if (minimum == 0 && maximum == 0 && piezo.MinDonnees() == 0 && piezo.MaxDonnees() == 0)
        piezo.setMaxDonnees(10);
    g.ecrire(Prop::ModeEchelleY, 2);
    g.ecrire(Prop::PlacementJeux, 2);
    police(g, 2, 85);

    g.ecrire(Prop::AxeY, 0);
    g.ecrire(Prop::DivisionsY, piezo.NbSeparations());
    const auto [bas, haut] = bornes(piezo);
    g.ecrire(Prop::YMax, haut);
    g.ecrire(Prop::YMin, bas);
    qint16 type = 999;
    const double facteur = cote ? 1.0 : double(CoefficientEchelle(type));
    {
        const int n = g.lire(Prop::DivisionsY).toInt();
        const double mx = g.lire(Prop::YMax).toDouble(), mn = g.lire(Prop::YMin).toDouble();
        for (int i = 1; i <= n + 1; ++i)
            g.ecrireIndexe(Prop::LibelleGauche, i, TexteNombre(Round(((mx - mn) * (i - 1) / n + mn) * facteur, 2)));
    }

    g.ecrire(Prop::AxeY, 1);
    g.ecrire(Prop::DivisionsY, pluie.NbSeparations());
    const auto [basPluie, hautPluie] = bornes(pluie);
    g.ecrire(Prop::YMax, hautPluie);
    g.ecrire(Prop::YMin, basPluie);
    {
        const int n = g.lire(Prop::DivisionsY).toInt();
        const double pasPluie = (g.lire(Prop::YMax).toDouble() - g.lire(Prop::YMin).toDouble()) / n;
        for (int i = 1; i <= n + 1; ++i) {
            g.ecrire(Prop::Point, i);
            g.ecrire(Prop::LibelleDroit, TexteNombre(Round(basPluie + (i - 1) * pasPluie, 2)));
        }
    }

    police(g, 0, 125);
    g.ecrire(Prop::TitreGraphique, QStringLiteral(" "));
    g.ecrire(Prop::TitreX, QStringLiteral(" "));
    police(g, 1, 125);
    g.ecrire(Prop::TitreYGauche, cote ? QStringLiteral("Cote en NGF") : QStringLiteral("Profondeur en m"));
    g.ecrire(Prop::TitreYDroite, QStringLiteral("Précipitations en mm"));
}

void InitEchellesSuperpose(Classe_Graphiques& a, Classe_Graphiques& b, MoteurGraphique& g, double minimum,
                           double maximum)
{
    InitEchellesPiezo(a, b, g, false, 0, 0);
    g.ecrire(Prop::AxeY, 0);
    g.ecrire(Prop::DivisionsY, b.NbSeparations());
    const auto [bas, haut] = bornes(b);
    g.ecrire(Prop::YMax, haut);
    g.ecrire(Prop::YMin, bas);
    if (minimum == 0 && maximum == 0) {
        minimum = a.MinDonnees();
        maximum = a.MaxDonnees();
        if (minimum == 0 && maximum == 0) {
            maximum = 10;
            a.setMaxDonnees(10);
        }
    }
    g.ecrire(Prop::Point, 1);
    g.ecrire(Prop::LibelleDroit, FormatNombre(minimum, QStringLiteral("#.0")));
    g.ecrire(Prop::CouleurElement, 15);
    g.ecrire(Prop::Element, 6);
    police(g, 0, 125);
    g.ecrire(Prop::TitreGraphique, QStringLiteral(" "));
    g.ecrire(Prop::TitreX, QStringLiteral(" "));
    police(g, 1, 125);
    g.ecrire(Prop::TitreYGauche, QStringLiteral(" "));
    g.ecrire(Prop::TitreYDroite, QStringLiteral(" "));
}

} // namespace FctGraphique
