#include "data/import/FormatArchive.h"


namespace {

using F = FormatArchive;
using G = GenreStation::Genre;

// Les colonnes de chaque format, dans l'ordre des rôles ; nullptr : rôle non lu.
constexpr FormatArchive formats[] = {
    {"meteo-quotidien", G::Pluvio, F::Dates::AAAAMMJJ, 1.0,
     {{F::Code, "NUM_POSTE", true}, {F::Nom, "NOM_USUEL", false}, {F::Altitude, "ALTI", false}, {F::Date, "AAAAMMJJ", true},
      {F::Valeur, "RR", true}, {F::Qualite, "QRR", false}, {F::Niveau, nullptr, false}, {F::Grandeur, nullptr, false}}},
    {"piezo-chroniques", G::Piezo, F::Dates::AAAA_MM_JJ, -1.0,
     {{F::Code, "code_bss", true}, {F::Nom, nullptr, false}, {F::Altitude, nullptr, false}, {F::Date, "date_mesure", true},
      {F::Valeur, "profondeur_nappe", true}, {F::Qualite, nullptr, false}, {F::Niveau, "niveau_nappe_eau", false},
      {F::Grandeur, nullptr, false}}},
    {"hydro-elab", G::Hydro, F::Dates::AAAA_MM_JJ, 1000.0,
     {{F::Code, "code_station", true}, {F::Nom, nullptr, false}, {F::Altitude, nullptr, false}, {F::Date, "date_obs_elab", true},
      {F::Valeur, "resultat_obs_elab", true}, {F::Qualite, nullptr, false}, {F::Niveau, nullptr, false},
      {F::Grandeur, "grandeur_hydro_elab", true}}},
};

// Les grandeurs élaborées lues : débits moyens journaliers et mensuels.
struct GrandeurElaboree
{
    const char* nom;
    const char* colonne;
    bool mensuelle;
};
constexpr GrandeurElaboree grandeurs[] = {
    {"QmJ", "Debit", false}, {"QmnJ", "Debit", false}, {"QmM", "DebitMensuel", true},
};

} // namespace

QString FormatArchive::entetes() const
{
    QStringList requises, autres;
    for (const Colonne& c : colonnes)
        if (c.entete)
            (c.requise ? requises : autres) << QString::fromLatin1(c.entete);
    return (requises + autres).join(QStringLiteral(", "));
}

QString FormatArchive::colonnePour(QByteArrayView grandeur) const
{
    if (!colonnes[Grandeur].entete)
        return QString::fromLatin1(GenresStation::de(genre).colonneMesure);
    for (const GrandeurElaboree& g : grandeurs)
        if (grandeur == QByteArrayView(g.nom))
            return QString::fromLatin1(g.colonne);
    return QString();
}

QDate FormatArchive::jourRange(QByteArrayView grandeur, const QDate& date) const
{
    for (const GrandeurElaboree& g : grandeurs)
        if (g.mensuelle && colonnes[Grandeur].entete && grandeur == QByteArrayView(g.nom))
            return QDate(date.year(), date.month(), 1);
    return date;
}

std::optional<FormatArchive> FormatArchive::depuisNom(const QString& nom)
{
    for (const FormatArchive& f : formats)
        if (nom == QLatin1String(f.nom))
            return f;
    return std::nullopt;
}

QString FormatArchive::noms()
{
    QStringList l;
    for (const FormatArchive& f : formats)
        l << f.texte();
    return l.join(QStringLiteral(", "));
}

QString FormatArchive::codeTable(const QString& codeFichier)
{
    QString c = codeFichier;
    return c.replace(u'/', u'_');
}
