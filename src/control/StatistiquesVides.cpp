#include "control/StatistiquesVides.h"

#include "commun/AppelParNom.h"
#include "commun/Cellule.h"
#include "control/CtlGraphique.h"
#include "control/EnteteStations.h"
#include "data/ChargeurStatistiques.h"
#include "model/Classe_Graphiques.h"

#include <algorithm>

namespace {

const QString normales = QStringLiteral("Normales MétéoFrance");
const QString sansNormales = QStringLiteral("ce pluviomètre n'a pas de normales");
const QStringList statistiques = {QStringLiteral("Min"),           QStringLiteral("Moyenne"),        QStringLiteral("Max"),
                                  QStringLiteral("1er Quintile "), QStringLiteral("2ème Quintile "), QStringLiteral("3ème Quintile "),
                                  QStringLiteral("4ème Quintile "), QStringLiteral("Médiane"),       normales};

bool sansValeur(const Classe_Graphique& courbe)
{
    for (int i = 0; i < courbe.NbValeurs(); ++i)
        if (!EstVide(courbe.cellule(2, i)))
            return false;
    return true;
}

int anneeDuChamp(QObject* formulaire, const char* nom)
{
    return LireMembre(LireMembre(formulaire, QString::fromLatin1(nom)).value<QObject*>(), QStringLiteral("Text")).toString().toInt();
}

} // namespace

void StatistiquesVides::masquer(CtlGraphique& ctl, QObject* formulaire, BaseDonnees* base)
{
    m_masquees.clear();
    const bool annee = Traits(ctl.TypeGraphique()).annuel && !EstCumul(ctl.variante());
    m_comparaison = Traits(ctl.TypeGraphique()).ecarts;
    // Un chargement arrêté montre son cadre vide : rien n'est redessiné.
    if ((!annee && !m_comparaison) || ctl.annulation())
        return;
    m_premiere = anneeDuChamp(formulaire, "txtDateDebStatistique");
    m_derniere = anneeDuChamp(formulaire, "txtDateFinStatistique");
    m_officielles = ctl.isStatistiquesMeteoFrance();
    Classe_Graphiques& c = ctl.CollCourbes();
    m_masquees = m_comparaison ? comparaisonSansNormale(ctl, base) : statistiquesSansValeur(ctl);
    for (const QString& cle : std::as_const(m_masquees))
        ctl.masqueCourbe(qint16(c.noCourbe(cle)));
    if (m_masquees.isEmpty())
        return;
    // Redessiné comme au chargement : l'affichage, puis l'aspect retenu pour le genre.
    ctl.AffichageGraphique(false, false, c.CodePeriode());
    ctl.appliquerAffichageRetenu();
}

// Les statistiques montrées du graphique annuel dont aucun mois n'a de valeur.
QStringList StatistiquesVides::statistiquesSansValeur(CtlGraphique& ctl)
{
    Classe_Graphiques& c = ctl.CollCourbes();
    QStringList vides;
    int mesuresMontrees = 0;
    for (const QString& cle : statistiques) {
        const CourbePtr courbe = c.GetCourbe(c.noCourbe(cle));
        if (!courbe || !courbe->Afficher())
            continue;
        mesuresMontrees += cle != normales;
        if (sansValeur(*courbe))
            vides << cle;
    }
    m_mesuresToutesVides = vides.size() - int(vides.contains(normales)) == mesuresMontrees;
    return vides;
}

// Les écarts de la comparaison quand ce à quoi elle compare (normales ou médianes) n'a aucune
// valeur : chaque point serait sa propre valeur, non un écart.
QStringList StatistiquesVides::comparaisonSansNormale(CtlGraphique& ctl, BaseDonnees* base) const
{
    Classe_Graphiques& c = ctl.CollCourbes();
    const CourbePtr serie = c.GetCourbe(1);
    if (!serie || !serie->Afficher() || serie->NbValeurs() == 0)
        return {};
    // La série de la comparaison porte le nom de sa colonne de mesure pour titre.
    const auto reference = ChargeurStatistiques::valeursMensuelles(m_premiere, m_derniere, ctl.RecupSprEntete()->CodeStation(), base,
                                                                   false, false, 10, serie->Titre(),
                                                                   c.periode() == Periode::Mois, m_officielles);
    const bool vide = std::none_of(reference.cbegin(), reference.cend(), [](const auto& v) { return v.has_value(); });
    return vide ? QStringList{serie->Cle()} : QStringList{};
}

QString StatistiquesVides::raisonSansMesures() const
{
    // Choisies d'après les données, les années s'arrêtent avant la dernière année mesurée.
    if (m_premiere > m_derniere)
        return QStringLiteral("il faut au moins une année de mesures avant %1").arg(m_derniere + 1);
    if (m_premiere == m_derniere)
        return QStringLiteral("aucune mesure en %1, l'année des statistiques").arg(m_premiere);
    return QStringLiteral("aucune mesure de %1 à %2, les années des statistiques").arg(m_premiere).arg(m_derniere);
}

QString StatistiquesVides::avis(CtlGraphique& ctl) const
{
    Classe_Graphiques& c = ctl.CollCourbes();
    QStringList mesures;
    bool sansNormale = false;
    for (const QString& cle : m_masquees) {
        const CourbePtr courbe = c.GetCourbe(c.noCourbe(cle));
        if (!courbe || courbe->Afficher())
            continue;
        if (cle == normales && !m_comparaison)
            sansNormale = true;
        else
            mesures << courbe->Titre().trimmed();
    }
    if (m_comparaison)
        return mesures.isEmpty() ? QString()
                                 : QStringLiteral("Comparaison à la normale non tracée : %1.").arg(m_officielles ? sansNormales : raisonSansMesures());
    const QString raison = m_mesuresToutesVides ? raisonSansMesures() : QStringLiteral("pas de valeur pour %1").arg(mesures.join(QStringLiteral(", ")));
    if (!mesures.isEmpty() && sansNormale)
        return QStringLiteral("Statistiques et normales non tracées : %1 ; %2.").arg(raison, sansNormales);
    if (!mesures.isEmpty())
        return QStringLiteral("Statistiques non tracées : %1.").arg(raison);
    return sansNormale ? QStringLiteral("Normales non tracées : %1.").arg(sansNormales) : QString();
}
