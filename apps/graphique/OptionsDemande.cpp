#include "OptionsDemande.h"

#include "LigneCommande.h"

#include "commun/Dates.h"
#include "commun/TexteAffichable.h"
#include "data/Periodes.h"

#include <QRegularExpression>

namespace {

QString cite(const QString& texte)
{
    return QStringLiteral("« %1 »").arg(TexteAffichable(texte));
}

bool entierDans(const QString& texte, int min, int max, int& valeur)
{
    bool ok = false;
    valeur = texte.trimmed().toInt(&ok);
    return ok && valeur >= min && valeur <= max;
}

} // namespace

OptionsDemande::OptionsDemande(LigneCommande& l, QString& manque, const std::optional<QString>& typeParDefaut)
    : m_type(typeParDefaut ? l.option(QStringLiteral("--type")).value_or(*typeParDefaut) : l.obligatoire(QStringLiteral("--type"), manque))
    , m_station(l.obligatoire(QStringLiteral("--station"), manque))
    , m_mesures(l.option(QStringLiteral("--mesures")).value_or(QStringLiteral("1")))
    , m_periodes(l.option(QStringLiteral("--periodes")).value_or(QStringLiteral("M")))
    , m_affichage(l.option(QStringLiteral("--affichage")).value_or(QString()))
    , m_variante(l.option(QStringLiteral("--variante")).value_or(QString()).toUpper())
    , m_debut(l.option(QStringLiteral("--debut")).value_or(QString()))
    , m_fin(l.option(QStringLiteral("--fin")).value_or(QString()))
    , m_annee(l.option(QStringLiteral("--annee")).value_or(QString()))
    , m_genre(l.option(QStringLiteral("--genre")))
    , m_stations(l.liste(QStringLiteral("--stations")).value_or(QStringList()))
    , m_cumul(l.drapeau(QStringLiteral("--cumul")))
    , m_statistiques(l, OptionsStatistiques::Portee::Graphique)
{
}

QString OptionsDemande::appliquer(HoteGraphique::Demande& d) const
{
    d.station = m_station;
    d.stations = m_stations;
    d.mesures = m_mesures;
    d.periodes = m_periodes;
    d.variante = m_variante;
    d.cumul = m_cumul;
    for (const QString& defaut : {verifierChoix(d), verifierGenre(d), verifierDates(d), m_statistiques.appliquer(d)})
        if (!defaut.isEmpty())
            return defaut;
    return QString();
}

// Les choix de la demande qui se vérifient par une liste ; le défaut de la première fautive.
QString OptionsDemande::verifierChoix(HoteGraphique::Demande& d) const
{
    const auto type = TypeGraphDepuisNom(m_type);
    if (!type)
        return QStringLiteral("genre de graphique inconnu : %1 (%2).").arg(cite(m_type), ListeNomsTypeGraph());
    d.type = *type;
    static const QRegularExpression chiffres(QStringLiteral("^[1-6]+$")), lettres(QStringLiteral("^[MDTAHS]$"));
    if (!chiffres.match(d.mesures).hasMatch())
        return QStringLiteral("mesure inconnue : %1 (chiffres de 1 à 6).").arg(cite(d.mesures));
    if (!lettres.match(d.periodes).hasMatch())
        return QStringLiteral("période inconnue : %1 (une lettre parmi M, D, T, A, H, S).").arg(cite(d.periodes));
    d.affichage = m_affichage.isEmpty() ? HoteGraphique::affichageParDefaut(d.type, d.variante) : m_affichage.toUpper();
    if (d.affichage != QStringLiteral("COURBE") && d.affichage != QStringLiteral("HISTO"))
        return QStringLiteral("affichage inconnu : %1 (COURBE ou HISTO).").arg(cite(m_affichage));
    const Variante variante = VarianteDepuisTexte(d.variante);
    if (variante != Variante::Aucune && !EstCumul(variante) && variante != Variante::Edition)
        return QStringLiteral("variante inconnue : %1 (CUMUL_ANNUEL, CUMUL_MENSUEL ou EDITION).").arg(cite(d.variante));
    return Periodes::refus(d.type, variante, d.periodes);
}

// --genre dit le genre de --station : celui que le genre de graphique trace.
QString OptionsDemande::verifierGenre(const HoteGraphique::Demande& d) const
{
    QString erreur;
    std::optional<GenreStation::Genre> genre;
    if (!m_genre || !(genre = StationsBase::lireGenre(*m_genre, erreur)))
        return erreur;
    const GenreStation::Genre attendu = HoteGraphique::genrePrincipal(d.type);
    if (*genre == attendu)
        return QString();
    return QStringLiteral("le graphique %1 se fait d'une station du genre %2 : --genre %3 n'y convient pas.")
        .arg(NomTypeGraph(d.type), GenresStation::nom(attendu), GenresStation::nom(*genre));
}

// Les dates lues une fois ; une date absente reste invalide.
QString OptionsDemande::verifierDates(HoteGraphique::Demande& d) const
{
    for (auto [texte, date] : {std::pair{&m_debut, &d.debut}, {&m_fin, &d.fin}}) {
        if (texte->isEmpty())
            continue;
        const auto lue = LireDate(*texte);
        if (!lue)
            return QStringLiteral("date incorrecte : %1 (format attendu JJ/MM/AAAA).").arg(cite(*texte));
        *date = *lue;
    }
    if (d.debut.isValid() && d.fin.isValid() && d.debut > d.fin)
        return QStringLiteral("la date de début (%1) est après la date de fin (%2).").arg(TexteDate(d.debut), TexteDate(d.fin));
    if (!m_annee.isEmpty() && !entierDans(m_annee, 1800, 2200, d.annee))
        return QStringLiteral("année incorrecte : %1.").arg(cite(m_annee));
    return QString();
}
