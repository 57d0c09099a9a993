#include "settings/StatistiquesRetenues.h"

#include "commun/TexteAffichable.h"
#include "commun/parametres/Parametres.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

const QString nomAnnees = QStringLiteral("AnneesStatistiques");
const QString nomMois = QStringLiteral("MoisAnneeHydro");
const QString nomNormales = QStringLiteral("NormalesOfficielles");

QString cite(const QString& texte)
{
    return QStringLiteral("« %1 »").arg(TexteAffichable(texte, 40));
}

// « Août » comme « aout » : un nom de mois se compare sans accents ni casse.
QString sansAccents(const QString& texte)
{
    QString s = texte.trimmed().toLower().normalized(QString::NormalizationForm_D);
    s.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return s;
}

} // namespace

StatistiquesRetenues::Choix StatistiquesRetenues::relire()
{
    Choix c;
    QString ignore;
    // Un paramètre abîmé (modifié à la main) vaut l'absence de choix.
    if (const auto annees = lireAnnees(LireParametre(nomAnnees), ignore)) {
        c.premiereAnnee = annees->first;
        c.derniereAnnee = annees->second;
    }
    c.moisHydro = lireMois(LireParametre(nomMois), ignore).value_or(0);
    c.normalesOfficielles = LireParametre(nomNormales) == QStringLiteral("1");
    return c;
}

bool StatistiquesRetenues::retenir(const Choix& c)
{
    const bool annees = c.premiereAnnee > 0 && c.derniereAnnee > 0;
    return EcrireParametre(nomAnnees, annees ? QStringLiteral("%1-%2").arg(c.premiereAnnee).arg(c.derniereAnnee) : QString())
        && EcrireParametre(nomMois, c.moisHydro > 0 ? QString::number(c.moisHydro) : QString())
        && EcrireParametre(nomNormales, c.normalesOfficielles ? QStringLiteral("1") : QStringLiteral("0"));
}

QString StatistiquesRetenues::defautAnnees(int premiere, int derniere)
{
    if (premiere < anneeMin || premiere > anneeMax || derniere < anneeMin || derniere > anneeMax)
        return QStringLiteral("les années de statistiques vont de %1 à %2.").arg(anneeMin).arg(anneeMax);
    if (premiere > derniere)
        return QStringLiteral("la première année de statistiques (%1) est après la dernière (%2).").arg(premiere).arg(derniere);
    return QString();
}

std::optional<std::pair<int, int>> StatistiquesRetenues::lireAnnees(const QString& texte, QString& erreur)
{
    static const QRegularExpression forme(QStringLiteral("^(\\d{4})(?:\\s*[-–]\\s*(\\d{4}))?$"));
    const auto m = forme.match(texte.trimmed());
    if (!m.hasMatch()) {
        erreur = QStringLiteral("années de statistiques incorrectes : %1 (attendu AAAA-AAAA, par exemple 1991-2020).").arg(cite(texte));
        return std::nullopt;
    }
    const int premiere = m.captured(1).toInt();
    const int derniere = m.captured(2).isEmpty() ? premiere : m.captured(2).toInt();
    erreur = defautAnnees(premiere, derniere);
    return erreur.isEmpty() ? std::optional(std::pair{premiere, derniere}) : std::nullopt;
}

std::optional<int> StatistiquesRetenues::lireMois(const QString& texte, QString& erreur)
{
    bool nombre = false;
    int mois = texte.trimmed().toInt(&nombre);
    const QLocale francais(QLocale::French);
    for (int m = 1; m <= 12 && !nombre; ++m)
        if (sansAccents(texte) == sansAccents(francais.monthName(m)))
            mois = m;
    if (mois >= 1 && mois <= 12)
        return mois;
    erreur = QStringLiteral("premier mois de l'année hydrologique incorrect : %1 (de 1 à 12, ou son nom : octobre).").arg(cite(texte));
    return std::nullopt;
}
