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
    static const std::array<Lettre, 6> table = {{{u'M', "Mois"},
                                                 {u'D', "Décade"},
                                                 {u'T', "Trimestre"},
                                                 {u'A', "Année"},
                                                 {u'H', "Année hydrologique"},
                                                 {u'S', "Sans regroupement"}}};
    return table;
}

bool convient(TypeGraph type, const QString& variante, QChar lettre)
{
    const bool cumul = variante == QStringLiteral("CUMUL_ANNUEL") || variante == QStringLiteral("CUMUL_MENSUEL");
    return type != TypeGraph::Annee || cumul || lettre == u'M' || lettre == u'H';
}

QString refus(TypeGraph type, const QString& variante, const QString& chaine)
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
    const bool annee = type == TypeGraph::Annee;
    if (chaine.contains(u'M'))
        return {QStringLiteral("MOIS"), QStringLiteral("Mois"), QStringLiteral("M")};
    if (chaine.contains(u'D'))
        return {QStringLiteral("DECADE"), QStringLiteral("Decade"), QStringLiteral("VIDE")};
    if (chaine.contains(u'T'))
        return {QStringLiteral("TRIMESTRE"), QStringLiteral("Trimestre"), QStringLiteral("T")};
    if (chaine.contains(u'A'))
        return {QStringLiteral("ANNEE"), QStringLiteral("Annee"), QStringLiteral("A")};
    // Le graphique annuel en année hydrologique garde ses douze mois, pris dès le premier mois de l'année.
    if (chaine.contains(u'H'))
        return {QStringLiteral("HYDRO"), annee ? QStringLiteral("Mois") : QStringLiteral("Hydro"),
                annee ? QStringLiteral("M") : QStringLiteral("A")};
    if (chaine.contains(u'S'))
        return {annee ? QStringLiteral("ANNEE") : QStringLiteral("SANS"), QStringLiteral("Jour"), QStringLiteral("VIDE")};
    if (calculAuto)
        return {QStringLiteral("MOIS"), QStringLiteral("Mois"), QStringLiteral("A")};
    return {QStringLiteral("SANS"), QStringLiteral("Jour"), QString(), true};
}

std::optional<Plage> normaliser(const QString& codePeriode, TypeGraph type, const QString& dateDebut,
                                const QString& dateFin, const QString& annee, const QString& moisHydroTexte)
{
    const int m = moisHydro(moisHydroTexte);
    Plage p;
    if (codePeriode == QStringLiteral("HYDRO") && type == TypeGraph::Annee) {
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
    const auto d1 = LireDate(dateDebut.trimmed()), d2 = LireDate(dateFin.trimmed());
    if (!d1 || !d2)
        return std::nullopt;
    if (codePeriode == QStringLiteral("HYDRO")) {
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
    if (codePeriode == QStringLiteral("ANNEE")) {
        p.debut = QDate(d1->year(), 1, 1);
        p.fin = QDate(d2->year(), 12, 31);
        return p;
    }
    p.debut = *d1;
    p.fin = *d2;
    if (codePeriode == QStringLiteral("MOIS") || codePeriode == QStringLiteral("TRIMESTRE"))
        return p;
    p.uniteAxeX = QStringLiteral("FIXE");
    if (d1->year() == d2->year() && d1->month() == d2->month())
        p.pasAxeX = int(DateDiff(Intervalle::Jour, *d1, *d2));
    else if (d1->year() == d2->year())
        p.pasAxeX = 11;
    else
        p.pasAxeX = int(DateDiff(Intervalle::Annee, *d1, *d2));
    return p;
}

std::optional<Plage> plageDeuxGraphiques(const QString& dateDebut, const QString& dateFin)
{
    const auto d1 = LireDate(dateDebut.trimmed()), d2 = LireDate(dateFin.trimmed());
    if (!d1 || !d2)
        return std::nullopt;
    Plage p;
    const qint64 mois = DateDiff(Intervalle::Mois, *d1, *d2);
    const QDate premier(d1->year(), d1->month(), 1);
    if (d1->year() == d2->year() && d1->month() == d2->month()) {
        p.debut = premier;
        p.fin = premier.addMonths(1);
        p.uniteAxeX = QStringLiteral("VIDE");
        p.pasAxeX = 5;
    } else if (d1->year() == d2->year()) {
        p.debut = QDate(d1->year(), 1, 1);
        p.fin = QDate(d1->year(), 12, 31);
        p.uniteAxeX = QStringLiteral("DEF");
        p.pasAxeX = int(mois);
    } else if (mois < 40) {
        p.debut = premier;
        p.fin = QDate(d2->year(), d2->month(), 1).addMonths(1).addDays(-1);
        p.uniteAxeX = QString();
        p.pasAxeX = int(mois);
    } else {
        p.debut = QDate(d1->year(), 1, 1);
        p.fin = QDate(d2->year(), 12, 31);
        p.uniteAxeX = QStringLiteral("A");
        p.pasAxeX = int(DateDiff(Intervalle::Annee, *d1, *d2));
    }
    return p;
}

} // namespace Periodes
