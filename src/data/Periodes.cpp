#include "data/Periodes.h"

#include "commun/Dates.h"

namespace Periodes {

int moisHydro(const QString& texte)
{
    bool ok = false;
    const int m = texte.trimmed().toInt(&ok);
    return ok && m >= 1 && m <= 12 ? m : 10;
}

QString messageAnneeHydro(const QString& moisHydroTexte)
{
    const int m = moisHydro(moisHydroTexte);
    // Le mois tel que l'hôte l'écrit ("4" ou "04") ; un mois illisible est celui retenu à sa place.
    const QString texte = moisHydroTexte.trimmed();
    const QString mois = texte.toInt() == m ? texte : QString::number(m);
    // Un début en janvier finit en décembre, pas au mois 0.
    return QStringLiteral("Pour calculer le graphique, les dates vont être ajustées automatiquement en années "
                          "hydrogéologiques du 01/")
        + mois + QStringLiteral(" et/ou au 30 (ou 31)/") + QString::number(m == 1 ? 12 : m - 1)
        + QStringLiteral(" de l'année suivante.");
}

const std::array<Lettre, 6>& lettres()
{
    static const std::array<Lettre, 6> table = {{{u'M', "Mois", Periode::Mois, "Mois", UniteAxe::Mois},
                                                 {u'D', "Décade", Periode::Decade, "Decade", UniteAxe::Vide},
                                                 {u'T', "Trimestre", Periode::Trimestre, "Trimestre", UniteAxe::Trimestre},
                                                 {u'A', "Année", Periode::Annee, "Annee", UniteAxe::Annee},
                                                 {u'H', "Année hydrologique", Periode::Hydro, "Hydro", UniteAxe::Annee},
                                                 {u'S', "Sans regroupement", Periode::Sans, "Jour", UniteAxe::Vide}}};
    return table;
}

bool convient(TypeGraph type, Variante variante, QChar lettre)
{
    return !Traits(type).annuel || EstCumul(variante) || lettre == u'M' || lettre == u'H';
}

std::optional<Periode> periodeDesLettres(const QString& chaine)
{
    for (const Lettre& l : lettres())
        if (chaine.contains(l.lettre))
            return l.periode;
    return std::nullopt;
}

QString refus(TypeGraph type, Variante variante, const QString& chaine)
{
    for (const Lettre& l : lettres()) {
        if (!chaine.contains(l.lettre))
            continue;
        if (convient(type, variante, l.lettre))
            return QString();
        return QStringLiteral("période « %1 » refusée : le graphique annuel compare les douze mois de l'année à leurs "
                              "statistiques, par Mois (M) ou par Année hydrologique (H).")
            .arg(QString::fromUtf8(l.libelle));
    }
    return QString();
}

Choix choisir(const QString& chaine, TypeGraph type, bool calculAuto)
{
    const bool annee = Traits(type).annuel;
    for (const Lettre& l : lettres()) {
        if (!chaine.contains(l.lettre))
            continue;
        Choix c{l.periode, QString::fromLatin1(l.colonne), l.unite};
        // Le graphique annuel en année hydrologique garde ses douze mois, pris dès le premier mois de l'année.
        if (annee && l.periode == Periode::Hydro)
            c = {Periode::Hydro, QStringLiteral("Mois"), UniteAxe::Mois};
        if (annee && l.periode == Periode::Sans)
            c.codePeriode = Periode::Annee;
        return c;
    }
    if (calculAuto)
        return {Periode::Mois, QStringLiteral("Mois"), UniteAxe::Annee};
    return {Periode::Sans, QStringLiteral("Jour"), UniteAxe::Aucune, true};
}

std::optional<Plage> normaliser(Periode codePeriode, TypeGraph type, const QDate& dateDebut, const QDate& dateFin,
                                const QString& annee, const QString& moisHydroTexte)
{
    const int m = moisHydro(moisHydroTexte);
    Plage p;
    if (codePeriode == Periode::Hydro && Traits(type).annuel) {
        bool ok = false;
        const int y = annee.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        p.debut = QDate(y - 1, m, 1);
        p.fin = QDate(y, m, 1).addDays(-1);
        p.pasAxeX = 12;
        p.champsModifies = true;
        return p;
    }
    if (!dateDebut.isValid() || !dateFin.isValid())
        return std::nullopt;
    const QDate *d1 = &dateDebut, *d2 = &dateFin;
    if (codePeriode == Periode::Hydro) {
        QDate debut(d1->year(), m, 1);
        const bool recule = *d1 < debut;
        if (recule)
            debut = debut.addYears(-1);
        const QDate veille = QDate(debut.year(), m, 1).addDays(-1);
        const QDate fin(d2->year(), veille.month(), veille.day());
        p.debut = debut;
        p.fin = fin.isValid() ? fin : QDate(d2->year(), veille.month(), 28);
        p.message = recule || p.fin != *d2;
        p.champsModifies = true;
        return p;
    }
    if (codePeriode == Periode::Annee) {
        p.debut = QDate(d1->year(), 1, 1);
        p.fin = QDate(d2->year(), 12, 31);
        return p;
    }
    p.debut = *d1;
    p.fin = *d2;
    if (codePeriode == Periode::Mois || codePeriode == Periode::Trimestre)
        return p;
    p.uniteAxeX = UniteAxe::Fixe;
    if (d1->year() == d2->year() && d1->month() == d2->month())
        p.pasAxeX = int(DateDiff(Intervalle::Jour, *d1, *d2));
    else if (d1->year() == d2->year())
        p.pasAxeX = 11;
    else
        p.pasAxeX = int(DateDiff(Intervalle::Annee, *d1, *d2));
    return p;
}

std::optional<Plage> plageDeuxGraphiques(const QDate& dateDebut, const QDate& dateFin)
{
    if (!dateDebut.isValid() || !dateFin.isValid())
        return std::nullopt;
    const QDate *d1 = &dateDebut, *d2 = &dateFin;
    Plage p;
    const qint64 mois = DateDiff(Intervalle::Mois, *d1, *d2);
    const QDate premier(d1->year(), d1->month(), 1);
    if (d1->year() == d2->year() && d1->month() == d2->month()) {
        p.debut = premier;
        p.fin = premier.addMonths(1);
        p.uniteAxeX = UniteAxe::Vide;
        p.pasAxeX = 5;
    } else if (d1->year() == d2->year()) {
        p.debut = QDate(d1->year(), 1, 1);
        p.fin = QDate(d1->year(), 12, 31);
        p.uniteAxeX = UniteAxe::Def;
        p.pasAxeX = int(mois);
    } else if (mois < 40) {
        p.debut = premier;
        p.fin = QDate(d2->year(), d2->month(), 1).addMonths(1).addDays(-1);
        p.uniteAxeX = UniteAxe::Aucune;
        p.pasAxeX = int(mois);
    } else {
        p.debut = QDate(d1->year(), 1, 1);
        p.fin = QDate(d2->year(), 12, 31);
        p.uniteAxeX = UniteAxe::Annee;
        p.pasAxeX = int(DateDiff(Intervalle::Annee, *d1, *d2));
    }
    return p;
}

} // namespace Periodes
