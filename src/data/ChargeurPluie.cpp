#include "data/ChargeurPluie.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Horloge.h"
#include "commun/Nombres.h"
#include "data/AgregationPluie.h"
#include "data/BaseDonnees.h"
#include "data/FenetreProgression.h"
#include "data/Litteraux.h"
#include "data/NomVerifie.h"
#include "model/Classe_Graphiques.h"

#include <algorithm>

namespace ChargeurPluie {

namespace {

int nouvelleCourbe(Classe_Graphiques& c, const QString& cle, int couleur)
{
    auto courbe = std::make_shared<Classe_Graphique>();
    courbe->setCle(cle);
    courbe->setTitre(cle);
    courbe->setCouleur(couleur);
    courbe->setAfficher(true);
    c.AjouterCourbe(courbe);
    return c.noCourbe(cle);
}

int ajouterCourbe(Classe_Graphiques& c, const QString& cle, int couleur, const TableauValeurs& points)
{
    const int position = nouvelleCourbe(c, cle, couleur);
    c.AjouterValeurs(position, QVariant::fromValue(points));
    return position;
}

int ajouterCourbe(Classe_Graphiques& c, const QString& cle, int couleur, ColonnesTypees points)
{
    const int position = nouvelleCourbe(c, cle, couleur);
    if (const CourbePtr courbe = c.GetCourbe(position))
        courbe->AjouterValeurs(std::move(points));
    return position;
}

// Un seul point, tous ses champs vides.
ColonnesTypees pointVide()
{
    ColonnesTypees p(AgregationPluie::lignesPoint, 1);
    for (int l = 0; l < p.lignes(); ++l)
        p.colonne(l).ajouterNul();
    return p;
}

QDate memeJourEn(int annee, const QDate& jour)
{
    QDate d(annee, jour.month(), jour.day());
    return d.isValid() ? d : QDate(annee, jour.month(), 28);
}

} // namespace

namespace {

// Les totaux par année hydrologique ; le graphique annuel, lui, garde ses mois.
bool totauxHydro(const Demande& d)
{
    return d.codePeriode == Periode::Hydro && d.colonnePeriode == QStringLiteral("Hydro");
}

OrdreSql requeteDonnees(const Demande& d, const NomVerifie& x, const NomVerifie& colonne, const NomVerifie& table)
{
    if (d.mode == 1 || d.mode == 7)
        return AgregationPluie::requeteBornesAnnees(x, colonne, table, d.debut, d.fin);
    if (totauxHydro(d))
        return AgregationPluie::requeteHydro(x, colonne, table, d.debut, d.fin);
    return AgregationPluie::requeteParPeriode(x, colonne, table, d.debut, d.fin);
}

// Un point par période de l'étendue, les sommes posées sur le squelette des périodes.
ColonnesTypees points(const Demande& d, const NomVerifie& x, const OrdreSql& requete, BaseDonnees* base,
                      FenetreProgression* fenetre, double& maximum)
{
    const bool hydro = totauxHydro(d);
    ColonnesTypees donnees, squelette;
    const qint32 nDonnees = ExtraireLignes(base, requete, donnees);
    const qint32 nSquelette = ExtraireLignes(base, AgregationPluie::requeteSquelette(x, d.debut, d.fin, hydro, d.moisHydro), squelette);
    if (nSquelette <= 0)
        return pointVide();
    const auto progression = [fenetre](const QString& m) {
        if (fenetre) {
            fenetre->message(m);
            fenetre->servir();
        }
    };
    ColonnesTypees p = AgregationPluie::fusionner(donnees, nDonnees, squelette, nSquelette, d.cumul, maximum, progression);
    if (hydro && d.mode != 1)
        p = ColonnesTypees::depuis(AgregationPluie::reetiqueterHydro(p.tableau(), maximum));
    return p;
}

// La superposition nomme ses courbes par la station, le graphique des pluies d'un graphique double par les deux.
QString cleCourbe(const Demande& d)
{
    if (d.mode == 4)
        return d.nomStation;
    return d.mode == 5 ? d.titre + u' ' + d.nomStation : d.titre;
}

} // namespace

int agreger(Classe_Graphiques& c, const Demande& d, BaseDonnees* base, FenetreProgression* fenetre)
{
    static constexpr int modes[] = {0, 1, 4, 5, 7};
    if (std::find(std::begin(modes), std::end(modes), d.mode) == std::end(modes))
        return 0;
    const auto table = NomVerifie::table(d.prefixeTable, d.code);
    const auto colonne = NomVerifie::depuis(d.colonne), x = NomVerifie::depuis(d.colonnePeriode);
    if (!table || !colonne || !x)
        return 0;
    c.setMinDonnees(0);
    double maximum = double(CLng(c.MaxDonnees()).value_or(0));
    ColonnesTypees serie = points(d, *x, requeteDonnees(d, *x, *colonne, *table), base, fenetre, maximum);
    if (d.mode == 5 && d.debut.isValid() && d.fin.isValid())
        serie = AgregationPluie::avecDecalage(std::move(serie), AgregationPluie::decalageTete(d.codePeriode, d.fin.year() - d.debut.year() + 1));
    c.setMaxDonnees(AgregationPluie::maximumFinal(maximum));
    if (c.EchelleYAuto()) {
        c.setMinY(c.MinDonnees());
        c.setMaxY(c.MaxDonnees());
    }

    if (d.viderAvant)
        c.ViderCollection();
    return ajouterCourbe(c, cleCourbe(d), d.couleur, std::move(serie));
}

std::pair<QDate, QDate> fenetreCumulAnnuel(int annee, bool hydro, int moisHydro, const QDate& aujourdhui)
{
    QDate debut(annee, 1, 1);
    if (hydro)
        debut = QDate(aujourdhui > QDate(aujourdhui.year(), moisHydro, 1) ? annee : annee - 1, moisHydro, 1);
    return {debut, memeJourEn(annee, aujourdhui)};
}

void comparerCumulsAnnuels(Classe_Graphiques& c, int premiere, int derniere, const QString& code,
                           const QString& colonne, bool hydro, int moisHydro, BaseDonnees* base)
{
    const auto table = NomVerifie::table(QStringLiteral("PLUVIO_"), code);
    const auto nomColonne = NomVerifie::depuis(colonne);
    if (!table || !nomColonne)
        return;
    const QDate aujourdhui = Horloge::aujourdhui();
    struct Point
    {
        QString date;
        double somme;
    };
    QList<Point> points;
    for (int annee = premiere; annee <= derniere; ++annee) {
        const auto [debut, fin] = fenetreCumulAnnuel(annee, hydro, moisHydro, aujourdhui);
        TableauValeurs lignes;
        const OrdreSql sql = "SELECT SUM(" + *nomColonne + ") FROM " + *table + " WHERE DateCreation >= "
            + FormatDateBase(debut) + " AND DateCreation <=" + FormatDateBase(fin)
            + " AND (ModeObtention<>'I' OR ModeObtention IS NULL)";
        const qint32 n = ExtraireLignes(base, sql, lignes);
        const double somme = n > 0 ? LireNombre(lignes.valeur(0, 0)).value_or(0.0) : 0.0;
        points.append({TexteDate(fin), somme});
    }
    std::stable_sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.somme < b.somme; });
    TableauValeurs t(6, int(points.size()));
    double maximum = 10;
    for (int i = 0; i < points.size(); ++i) {
        t(0, i) = points[i].date;
        t(1, i) = QStringLiteral("00:00:00");
        t(2, i) = points[i].somme;
        t(3, i) = t(4, i) = t(5, i) = QString();
        maximum = std::max(maximum, points[i].somme);
    }
    c.setMinDonnees(0);
    c.setMaxDonnees(maximum);
    if (c.EchelleYAuto()) {
        c.setMinY(0);
        c.setMaxY(maximum);
    }
    ajouterCourbe(c, QStringLiteral("Comparatif"), 1, t);
}

void totauxMensuels(Classe_Graphiques& c, int premiere, int derniere, const QString& code, const QString& colonne,
                    bool hydro, int moisHydro, BaseDonnees* base)
{
    const auto table = NomVerifie::table(QStringLiteral("PLUVIO_"), code);
    const auto nomColonne = NomVerifie::depuis(colonne);
    if (!table || !nomColonne || derniere < premiere)
        return;
    // Une année hydrologique part de son premier mois dans l'année précédente.
    const QString debut = hydro ? TexteDate(QDate(premiere - 1, moisHydro, 1)) : QStringLiteral("01/01/") + QString::number(premiere);
    const QString fin = hydro ? TexteDate(QDate(derniere, moisHydro, 1).addDays(-1)) : QStringLiteral("31/12/") + QString::number(derniere);
    const OrdreSql bornes = " where DateCreation>=" + FormatDateBase(debut) + " AND DateCreation<=" + FormatDateBase(fin);

    TableauValeurs lignes;
    double maximum = 0;
    const OrdreSql sqlMaximum = "SELECT dateAnnee, sum(valeur) from (SELECT month(DateCreation) as dateMois, "
                                "year(dateCreation) as dateAnnee, sum("
        + *nomColonne + ") as valeur From " + *table + bornes
        + " group by  month(DateCreation), year(dateCreation)) as pluvio Group By dateAnnee order by sum(valeur) DESC";
    if (ExtraireLignes(base, sqlMaximum, lignes) > 0) {
        const double total = LireNombre(lignes.valeur(1, 0)).value_or(0.0);
        if (total > 0)
            maximum = (Round(total / 100) + 1) * 100;
    }

    OrdreSql sql;
    if (hydro) {
        sql = "SELECT dateMois + '/' + dateAnnee, avg(valeur) FROM (SELECT month(DateCreation) as dateMois, "
              "year(dateCreation) as dateAnnee ,sum("
            + *nomColonne + ") as valeur From " + *table + bornes
            + " GROUP BY month(DateCreation), year(dateCreation)) as pluvio  GROUP BY dateMois + '/' + dateAnnee "
              "ORDER BY dateMois + '/' + dateAnnee ASC";
    } else {
        const OrdreSql interieur = TypeBaseCourant() == QStringLiteral("ACCESS")
            ? OrdreSql("SELECT dateMois + '/' + dateAnnee, avg(valeur) from (SELECT cstr(month(DateCreation)) as dateMois, "
                       "cstr(year(dateCreation)) as dateAnnee ,sum(")
            : OrdreSql("SELECT dateMois + '/' + dateAnnee, avg(valeur) from (SELECT month(DateCreation) as dateMois, "
                       "year(dateCreation) as dateAnnee ,sum(");
        sql = interieur + *nomColonne + ") as valeur From " + *table + bornes
            + " group by  month(DateCreation), year(dateCreation))  as pluvio Group By dateMois + '/' + dateAnnee "
              "order by dateMois + '/' + dateAnnee ASC";
    }
    const int nbAnnees = derniere - premiere + 1;
    std::vector<TableauValeurs> mois(12, TableauValeurs(6, nbAnnees));
    for (int m = 0; m < 12; ++m)
        for (int i = 0; i < nbAnnees; ++i) {
            mois[std::size_t(m)](0, i) = QStringLiteral("01/01/") + QString::number(premiere + i);
            mois[std::size_t(m)](1, i) = QString();
        }
    const qint32 n = ExtraireLignes(base, sql, lignes);
    for (int r = 0; r < n; ++r) {
        const QString etiquette = TexteCellule(lignes.valeur(0, r)).trimmed();
        const int m = etiquette.left(2).section(u'/', 0, 0).trimmed().toInt();
        int annee = etiquette.right(4).toInt();
        if (hydro && m >= moisHydro)
            ++annee;
        const int i = annee - premiere;
        if (m < 1 || m > 12 || i < 0 || i >= nbAnnees)
            continue;
        const double total = LireNombre(lignes.valeur(1, r)).value_or(0.0);
        mois[std::size_t(m - 1)](2, i) = total;
        maximum = std::max(maximum, total);
    }
    c.setMinDonnees(0);
    c.setMaxDonnees(maximum);
    for (int m = 1; m <= 12; ++m)
        ajouterCourbe(c, NomMois(m), m, mois[std::size_t(m - 1)]);
}

} // namespace ChargeurPluie
