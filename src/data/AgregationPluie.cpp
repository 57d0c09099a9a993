#include "data/AgregationPluie.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/Litteraux.h"

namespace AgregationPluie {

namespace {

OrdreSql anneeDe(const QDate& date)
{
    return date.isValid() ? OrdreSql::entier(date.year()) : OrdreSql();
}

OrdreSql groupementEtOrdre(const NomVerifie& x)
{
    return " GROUP BY " + x + " & year(DateCreation), '12:00:00' , '', '', '', year(DateCreation) & " + x
        + "_inverse ORDER BY year(DateCreation) & " + x + "_inverse, " + x + " & year(DateCreation), '12:00:00' , '', '', ''";
}

OrdreSql debutSelection(const NomVerifie& x, const NomVerifie& colonne, const NomVerifie& table)
{
    return "SELECT " + x + " & year(DateCreation), '12:00:00', SUM(" + colonne + ") , '', '', '', year(DateCreation) & " + x
        + "_inverse FROM " + table + ", PERIODES WHERE ";
}

double entier(double v)
{
    return double(CLng(v).value_or(0));
}

// Round((Int(v) + 5) / 100, 1) × 100, en entier : à peu près la dizaine au-dessus de v.
double dizaineAuDessus(double v)
{
    return entier(Round((Int(v) + 5) / 100.0, 1) * 100);
}

} // namespace

OrdreSql requeteBornesAnnees(const NomVerifie& x, const NomVerifie& c, const NomVerifie& table, const QDate& debut,
                             const QDate& fin)
{
    return debutSelection(x, c, table) + "year(DateCreation) >= '" + anneeDe(debut) + "' AND year(DateCreation) <='"
        + anneeDe(fin)
        + "' AND Instr(1,DateCreation,jour) AND (ModeObtention<>'I' OR ModeObtention IS NULL) AND DateCreation >="
        + FormatDateBase(debut, true) + " AND DateCreation <=" + FormatDateBase(fin, true) + groupementEtOrdre(x);
}

OrdreSql requeteParPeriode(const NomVerifie& x, const NomVerifie& c, const NomVerifie& table, const QDate& debut,
                           const QDate& fin)
{
    const OrdreSql jointure = TypeBaseCourant() == QStringLiteral("ORACLE")
        ? OrdreSql("' AND Instr(1, to_char(DateCreation, 'DD/MM/YYYY'), jour) > 0")
        : OrdreSql("' AND Instr(1, DateCreation, jour)");
    return debutSelection(x, c, table) + "year(DateCreation) >= '" + anneeDe(debut) + "' AND year(DateCreation) <='"
        + anneeDe(fin) + jointure + " AND (ModeObtention<>'I' OR ModeObtention IS NULL) AND CVDATE(DateCreation) >="
        + FormatDateBase(debut, true) + " AND CVDATE(DateCreation) <=" + FormatDateBase(fin, true) + groupementEtOrdre(x);
}

OrdreSql requeteHydro(const NomVerifie& x, const NomVerifie& c, const NomVerifie& table, const QDate& debut,
                      const QDate& fin)
{
    return debutSelection(x, c, table)
        + "Instr(1,DateCreation,jour) AND (ModeObtention<>'I' OR ModeObtention IS NULL) AND DateCreation >="
        + FormatDateBase(debut) + " AND DateCreation <=" + FormatDateBase(fin) + groupementEtOrdre(x);
}

OrdreSql requeteSquelette(const NomVerifie& x, const QDate& debut, const QDate& fin, bool hydro, int moisHydro)
{
    QDate s = debut, e = fin;
    OrdreSql filtre;
    if (hydro) {
        if (debut.isValid() && fin.isValid()) {
            s = QDate(debut.year(), debut.month() >= moisHydro ? 2 : 1, 1);
            e = QDate(fin.year(), fin.month() > moisHydro ? 2 : 1, 1);
        }
        filtre = "CVDate(DateCreation)";
    } else {
        const QString type = TypeBaseCourant();
        filtre = type == QStringLiteral("ACCESS") ? OrdreSql("dateValue(DateCreation)")
            : type == QStringLiteral("ORACLE")    ? OrdreSql("to_date(DateCreation, 'DD/MM/YYYY')")
                                                  : OrdreSql("CVDate(DateCreation)");
    }
    const OrdreSql ls = FormatDateBase(s), le = FormatDateBase(e);
    return "select distinct * from (SELECT DISTINCT " + x + " & Num_Annee  as DateCreation, Num_Annee & " + x
        + "_inverse as  date_inverse FROM PERIODES, ANNEES WHERE (jour<>'29/02/' or cint(num_annee) mod 400 = 0 or "
          "(cint(num_annee) mod 4 = 0 and cint(num_annee) mod 100 <> 0)) AND Num_annee >= year("
        + ls + ") AND Num_annee <= year(" + le + ")) AS SReq WHERE " + filtre + " >=" + ls + " AND " + filtre + " <=" + le
        + " ORDER BY date_inverse";
}

void monterMaximum(double v, double& m)
{
    const double avant = m;
    if (Int(v) > m)
        m = dizaineAuDessus(v);
    if (v > m) {
        m = dizaineAuDessus(v);
        m += m < 200 ? 10 : 100;
    }
    // Un grand maximum monte par 500, mais seulement quand il change : appliquée
    // à chaque point, la règle monterait l'axe de 500 par point.
    if (m != avant && m > 1000)
        m = Int((m + 500) / 500) * 500;
}

double maximumFinal(double m)
{
    const double centaines = Round(m / 100, 0);
    if (centaines * 100 != m)
        return (centaines + 1) * 100;
    return m;
}

namespace {

// Le texte (TexteCellule) d'un champ, vide hors des champs.
QStringView texteChamp(const ColonnesTypees& t, int ligne, int point, QString& tampon)
{
    if (ligne < t.lignes())
        return t.colonne(ligne).texteCellule(point, tampon);
    tampon.clear();
    return tampon;
}

// Les sept champs d'un point, la valeur remplacée par `valeur`.
void copierPoint(ColonnesTypees& points, const ColonnesTypees& donnees, int j, double valeur)
{
    for (int l = 0; l < lignesPoint; ++l) {
        ColonneTypee& sortie = points.colonne(l);
        if (l == 2)
            sortie.ajouterReel(valeur);
        else if (l < donnees.lignes())
            sortie.ajouterDepuis(donnees.colonne(l), j);
        else
            sortie.ajouterNul();
    }
}

// Le point d'une période sans somme : sa date et sa clé prises au squelette.
void pointDuSquelette(ColonnesTypees& points, const ColonnesTypees& squelette, int i, double valeur)
{
    for (int l : {0, 6}) {
        const int champ = l == 0 ? 0 : 1;
        if (champ < squelette.lignes())
            points.colonne(l).ajouterDepuis(squelette.colonne(champ), i);
        else
            points.colonne(l).ajouterNul();
    }
    points.colonne(1).ajouterTexte(u"12:00:00");
    points.colonne(2).ajouterReel(valeur);
    for (int l : {3, 4, 5})
        points.colonne(l).ajouterTexte(QStringView());
}

// La somme de la ligne j dans le courant `r`.
void sommer(const ColonnesTypees& donnees, int j, bool cumul, std::optional<double>& r)
{
    if (donnees.lignes() <= 2 || donnees.colonne(2).estVide(j))
        return;
    const double s = donnees.colonne(2).nombre(j).value_or(0.0);
    r = !r ? s : (cumul ? *r + s : s);
}

} // namespace

ColonnesTypees fusionner(const ColonnesTypees& donnees, int nombreDonnees, const ColonnesTypees& squelette,
                         int nombreSquelette, bool cumul, double& maximum, const Progression& progression)
{
    ColonnesTypees points(lignesPoint, std::max(nombreSquelette, 0));
    std::optional<double> r;
    int j = 0;
    QString tCle, tA, tB;
    for (int i = 0; i < nombreSquelette; ++i) {
        const QStringView cle = texteChamp(squelette, 1, i, tCle);
        // Les sommes d'une période absente du squelette n'ont pas de place.
        while (j < nombreDonnees && texteChamp(donnees, 6, j, tA) < cle)
            ++j;
        bool place = false;
        if (j < nombreDonnees) {
            if (!cumul && (j == 0 || texteChamp(donnees, 0, j, tA) != texteChamp(donnees, 0, j - 1, tB)))
                r = 0.0;
            if (texteChamp(donnees, 6, j, tA) == cle) {
                sommer(donnees, j, cumul, r);
                copierPoint(points, donnees, j++, r.value_or(0.0));
                place = true;
            }
        }
        if (!place) {
            if (!r || !cumul)
                r = 0.0;
            pointDuSquelette(points, squelette, i, *r);
        }
        monterMaximum(points.colonne(2).reel(i), maximum);
        if (progression && (i + 1) % 234 == 0)
            progression(QStringLiteral("Préparation de l'horizon de regroupement %1/%2").arg(i + 1).arg(nombreSquelette));
    }
    return points;
}

TableauValeurs reetiqueterHydro(const TableauValeurs& points, double& maximum)
{
    TableauValeurs sortie(lignesPoint, points.points());
    int position = 0;
    bool ecrit = false;
    for (int i = 0; i < points.points(); ++i) {
        const QVariant& cellule = points(0, i);
        const QString date = TexteCellule(cellule);
        const auto d = cellule.typeId() == QMetaType::QDate ? std::optional(cellule.toDate()) : LireDate(date.left(10));
        // La partie du 1er février rejoint celle du 1er janvier de l'année suivante (voir l'en-tête).
        const bool partieSuivante = d && d->day() == 1 && d->month() == 2;
        const QString etiquette = partieSuivante ? TexteDate(QDate(d->year() + 1, 1, 1)) : date;
        const QString actuelle = TexteCellule(sortie(0, position));
        if (ecrit && !actuelle.isEmpty() && actuelle != etiquette)
            ++position;
        for (int l : {1, 3, 4, 5})
            sortie(l, position) = points(l, i);
        const double v = EstVide(points(2, i)) ? 0.0 : LireNombre(points(2, i)).value_or(0.0);
        if (partieSuivante) {
            sortie(2, position) = v;
            sortie(6, position) = QString::number(d->year() + 1) + QStringLiteral("/01/01");
        } else {
            sortie(2, position) = (EstVide(sortie(2, position)) ? 0.0 : sortie(2, position).toDouble()) + v;
            sortie(6, position) = points(6, i);
        }
        sortie(0, position) = etiquette;
        ecrit = true;
        monterMaximum(sortie(2, position).toDouble(), maximum);
    }
    sortie.redimensionnerPoints(ecrit ? position + 1 : 0);
    return sortie;
}

int decalageTete(Periode code, int n)
{
    switch (code) {
    case Periode::Mois: return n == 1 ? 1 : int(Int(n / 10.0 + 1)) + n;
    case Periode::Trimestre: return int(Int(n / 3.0)) + 1;
    case Periode::Annee: return n == 1 ? 0 : int(Int(n / 15.0 + 1));
    case Periode::Hydro: return n == 1 ? 0 : int(Int(n / 15.0 + 1)) + 1;
    default: return 0;
    }
}

ColonnesTypees avecDecalage(ColonnesTypees points, int decalage)
{
    if (decalage <= 0)
        return points;
    ColonnesTypees t(points.lignes(), points.points() + decalage);
    for (int l = 0; l < points.lignes(); ++l) {
        for (int i = 0; i < decalage; ++i)
            t.colonne(l).ajouterNul();
        for (int i = 0; i < points.points(); ++i)
            t.colonne(l).ajouterDepuis(points.colonne(l), i);
    }
    return t;
}

} // namespace AgregationPluie
