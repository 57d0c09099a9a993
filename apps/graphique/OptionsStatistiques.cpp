#include "OptionsStatistiques.h"

#include "LigneCommande.h"

#include "commun/TexteAffichable.h"

OptionsStatistiques::OptionsStatistiques(LigneCommande& ligne, Portee portee)
    : m_mois(ligne.option(QStringLiteral("--mois-hydro")))
    , m_retenu(StatistiquesRetenues::relire())
{
    if (portee == Portee::MoisSeulement)
        return;
    m_annees = ligne.option(QStringLiteral("--annees-statistiques"));
    m_normales = ligne.option(QStringLiteral("--normales"));
}

QString OptionsStatistiques::appliquer(HoteGraphique::Demande& d) const
{
    int mois = 0;
    for (const QString& defaut : {annees(d), moisHydro(mois), normales(d)})
        if (!defaut.isEmpty())
            return defaut;
    if (mois > 0)
        d.moisHydro = mois;
    return QString();
}

QString OptionsStatistiques::moisHydro(int& mois) const
{
    QString defaut;
    const auto lu = m_mois ? StatistiquesRetenues::lireMois(*m_mois, defaut) : std::optional(m_retenu.moisHydro);
    mois = lu.value_or(0);
    return defaut;
}

// "auto" rend aux années choisies d'après les mesures un choix retenu autrement.
QString OptionsStatistiques::annees(HoteGraphique::Demande& d) const
{
    std::optional<std::pair<int, int>> annees;
    QString defaut;
    if (!m_annees && m_retenu.premiereAnnee > 0)
        annees = std::pair{m_retenu.premiereAnnee, m_retenu.derniereAnnee};
    else if (m_annees && m_annees->trimmed().compare(QStringLiteral("auto"), Qt::CaseInsensitive) != 0)
        annees = StatistiquesRetenues::lireAnnees(*m_annees, defaut);
    if (annees) {
        d.premiereAnneeStatistique = QString::number(annees->first);
        d.derniereAnneeStatistique = QString::number(annees->second);
    }
    return defaut;
}

QString OptionsStatistiques::normales(HoteGraphique::Demande& d) const
{
    if (!m_normales) {
        d.normalesOfficielles = m_retenu.normalesOfficielles;
        return QString();
    }
    const QString choix = m_normales->trimmed().toLower();
    if (choix != QStringLiteral("officielles") && choix != QStringLiteral("mediane") && choix != QStringLiteral("médiane"))
        return QStringLiteral("normales inconnues : « %1 » (officielles ou mediane).").arg(TexteAffichable(*m_normales, 40));
    d.normalesOfficielles = choix == QStringLiteral("officielles");
    return QString();
}
