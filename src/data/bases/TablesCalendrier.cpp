#include "data/bases/TablesCalendrier.h"

#include "commun/Dates.h"
#include "data/BaseDonnees.h"

namespace {

QString jourMois(int jour, int mois)
{
    return FormatDate(QDate(2000, mois, jour), QStringLiteral("dd/mm/"));
}

QString inverse(int jour, int mois)
{
    return FormatDate(QDate(2000, mois, jour), QStringLiteral("/mm/dd"));
}

bool remplir(BaseDonnees& base, int moisHydro, int premiereAnnee, int derniereAnnee)
{
    const QList<ColonneTable> colonnes = {
        {QStringLiteral("jour"), TypeColonne::Texte},      {QStringLiteral("Jour_inverse"), TypeColonne::Texte},
        {QStringLiteral("Decade"), TypeColonne::Texte},    {QStringLiteral("Decade_inverse"), TypeColonne::Texte},
        {QStringLiteral("Mois"), TypeColonne::Texte},      {QStringLiteral("Mois_inverse"), TypeColonne::Texte},
        {QStringLiteral("Trimestre"), TypeColonne::Texte}, {QStringLiteral("Trimestre_inverse"), TypeColonne::Texte},
        {QStringLiteral("Annee"), TypeColonne::Texte},     {QStringLiteral("Annee_inverse"), TypeColonne::Texte},
        {QStringLiteral("Hydro"), TypeColonne::Texte},     {QStringLiteral("Hydro_inverse"), TypeColonne::Texte}};
    if (!base.SupprimerTable(QStringLiteral("PERIODES")) || !base.SupprimerTable(QStringLiteral("ANNEES"))
        || !base.CreerTable(QStringLiteral("PERIODES"), colonnes, {QStringLiteral("jour")})
        || !base.CreerTable(QStringLiteral("ANNEES"), {{QStringLiteral("Num_Annee"), TypeColonne::Entier}},
                            {QStringLiteral("Num_Annee")}))
        return false;

    QList<QVariantList> jours;
    // 2000 est bissextile : ses 366 jours sont ceux de toute année.
    for (QDate d(2000, 1, 1); d.year() == 2000; d = d.addDays(1)) {
        const int j = d.day(), m = d.month();
        const int decade = j <= 10 ? 1 : j <= 20 ? 11 : 21;
        const int trimestre = (m - 1) / 3 * 3 + 1;
        const int hydro = m >= moisHydro ? 2 : 1;
        jours.append({jourMois(j, m), inverse(j, m), jourMois(decade, m), inverse(decade, m), jourMois(1, m),
                      inverse(1, m), jourMois(1, trimestre), inverse(1, trimestre), jourMois(1, 1), inverse(1, 1),
                      jourMois(1, hydro), inverse(1, hydro)});
    }
    QList<QVariantList> annees;
    for (int a = premiereAnnee; a <= derniereAnnee; ++a)
        annees.append(QVariantList{a});
    return base.InsererLignes(QStringLiteral("PERIODES"), jours) && base.InsererLignes(QStringLiteral("ANNEES"), annees);
}

} // namespace

bool TablesCalendrier::creer(BaseDonnees& base, int moisHydro, QString& erreur, int premiereAnnee,
                             int derniereAnnee) noexcept
{
    if (moisHydro < 1 || moisHydro > 12) {
        erreur = QStringLiteral("Mois de début de l'année hydrologique impossible : %1 (1 à 12).").arg(moisHydro);
        return false;
    }
    if (premiereAnnee < 100 || premiereAnnee > derniereAnnee || derniereAnnee > 9999) {
        erreur = QStringLiteral("Années du calendrier impossibles : %1 à %2.").arg(premiereAnnee).arg(derniereAnnee);
        return false;
    }
    if (!base.ToutOuRien([&] { return remplir(base, moisHydro, premiereAnnee, derniereAnnee); })) {
        erreur = base.DerniereErreur().isEmpty() ? QStringLiteral("Calendrier : erreur interne.") : base.DerniereErreur();
        return false;
    }
    return true;
}
