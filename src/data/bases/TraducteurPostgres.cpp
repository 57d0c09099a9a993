#include "data/bases/TraducteurPostgres.h"

#include "data/bases/ValeurColonne.h"

TraducteurPostgres::TraducteurPostgres(Catalogue catalogue, QChar separateur)
    : Traducteur(std::move(catalogue))
    , m_separateur(separateur)
{
}

QString TraducteurPostgres::identifiant(const QString& nom) const
{
    QString n = nom.toLower();
    n.replace(u'"', QStringLiteral("\"\""));
    return u'"' + n + u'"';
}

QString TraducteurPostgres::litteralDate(const QDateTime& d) const
{
    return QStringLiteral("TIMESTAMP ") + litteralTexte(ValeurColonne::iso(d, true));
}

QString TraducteurPostgres::joindre(const QList<Morceau>& morceaux) const
{
    // concat() compte NULL pour '' et écrit les entiers en chiffres seuls, comme TexteNombre.
    QStringList arguments;
    for (const Morceau& m : morceaux) {
        if (m.type == TypeValeur::Entier || m.type == TypeValeur::Texte)
            arguments << m.brut;
        else if (m.type == TypeValeur::Reel && !m.constant)
            arguments << texteReel(m.brut);
        else
            arguments << m.texte;
    }
    return QStringLiteral("concat(") + arguments.join(QStringLiteral(", ")) + u')';
}

QString TraducteurPostgres::vide(const QString& texte) const
{
    return QStringLiteral("coalesce(") + texte + QStringLiteral(", '')");
}

QString TraducteurPostgres::texteEntier(const QString& x) const
{
    return QStringLiteral("CAST(") + x + QStringLiteral(" AS text)");
}

QString TraducteurPostgres::texteReel(const QString& x) const
{
    // Le passage par numeric garde 15 chiffres significatifs, comme TexteNombre.
    const QString t = QStringLiteral("CAST(CAST(") + x + QStringLiteral(" AS numeric) AS text)");
    if (m_separateur == u'.')
        return t;
    return QStringLiteral("replace(") + t + QStringLiteral(", '.', ") + litteralTexte(QString(m_separateur)) + u')';
}

QString TraducteurPostgres::texteDate(const QString& x) const
{
    return QStringLiteral("pg_temp.texte_date(CAST(") + x + QStringLiteral(" AS timestamp))");
}

QString TraducteurPostgres::texteAutre(const QString& x) const
{
    return QStringLiteral("CAST(") + x + QStringLiteral(" AS text)");
}

QString TraducteurPostgres::partieDate(PartieDate partie, const QString& x) const
{
    const char* champ = "year";
    switch (partie) {
    case PartieDate::Annee: champ = "year"; break;
    case PartieDate::Mois: champ = "month"; break;
    case PartieDate::Jour: champ = "day"; break;
    case PartieDate::Heure: champ = "hour"; break;
    case PartieDate::Minute: champ = "minute"; break;
    case PartieDate::Seconde: champ = "second"; break;
    }
    // Seules les secondes peuvent porter une fraction.
    if (partie == PartieDate::Seconde)
        return QStringLiteral("CAST(floor(date_part('second', %1)) AS integer)").arg(x);
    return QStringLiteral("CAST(date_part('%1', %2) AS integer)").arg(QLatin1String(champ), x);
}

QString TraducteurPostgres::dateDepuisTexte(const QString& x) const
{
    // Le texte "DD/MM/YYYY" d'un mois possible se lit sans appel de fonction ;
    // tout autre texte passe par pg_temp.cvdate.
    return QStringLiteral("(CASE WHEN length(%1) = 10 AND substr(%1, 4, 2) <= '12' "
                          "THEN CAST(to_date(%1, 'DD/MM/YYYY') AS timestamp) ELSE pg_temp.cvdate(%1) END)")
        .arg(x);
}

QString TraducteurPostgres::jourSeul(const QString& x) const
{
    return QStringLiteral("date_trunc('day', CAST(") + x + QStringLiteral(" AS timestamp))");
}

QString TraducteurPostgres::heureSeule(const QString& x) const
{
    return QStringLiteral("(DATE '1899-12-30' + CAST(CAST(") + x + QStringLiteral(" AS timestamp) AS time))");
}

QString TraducteurPostgres::combiner(const QString& date, const QString& heure) const
{
    return QStringLiteral("(CAST(") + date + QStringLiteral(" AS date) + CAST(CAST(") + heure
        + QStringLiteral(" AS timestamp) AS time))");
}

QString TraducteurPostgres::ajouterJours(const QString& date, const QString& jours) const
{
    return QStringLiteral("(CAST(") + date + QStringLiteral(" AS timestamp) + CAST(") + jours
        + QStringLiteral(" AS float8) * INTERVAL '1 day')");
}

QString TraducteurPostgres::jourMois(const QString& date) const
{
    // Sans la conversion, to_char d'une date passerait par le fuseau horaire.
    return QStringLiteral("to_char(CAST(") + date + QStringLiteral(" AS timestamp), 'DD/MM/')");
}

QString TraducteurPostgres::instr(const QString& debut, const QString& texte, const QString& cherche) const
{
    if (debut.isEmpty())
        return QStringLiteral("strpos(") + texte + QStringLiteral(", ") + cherche + u')';
    return QStringLiteral("pg_temp.instr(CAST(") + debut + QStringLiteral(" AS integer), ") + texte + QStringLiteral(", ")
        + cherche + u')';
}

QString TraducteurPostgres::nombreDepuisTexte(const QString& x) const
{
    return QStringLiteral("pg_temp.nombre(") + x + u')';
}

QString TraducteurPostgres::arrondiEntier(const QString& x) const
{
    // round() d'un float8 arrondit les moitiés au pair, comme CInt.
    return QStringLiteral("CAST(round(CAST(") + x + QStringLiteral(" AS float8)) AS bigint)");
}

QString TraducteurPostgres::val(const QString& x) const
{
    return QStringLiteral("pg_temp.val(") + x + u')';
}

QString TraducteurPostgres::plancher(const QString& x) const
{
    return QStringLiteral("floor(CAST(") + x + QStringLiteral(" AS float8))");
}

QString TraducteurPostgres::tronque(const QString& x) const
{
    return QStringLiteral("trunc(CAST(") + x + QStringLiteral(" AS float8))");
}

QString TraducteurPostgres::puissance(const QString& a, const QString& b) const
{
    return QStringLiteral("power(CAST(") + a + QStringLiteral(" AS float8), CAST(") + b + QStringLiteral(" AS float8))");
}

QString TraducteurPostgres::division(const QString& a, const QString& b) const
{
    return QStringLiteral("(CAST(") + a + QStringLiteral(" AS float8) / ") + b + u')';
}

QString TraducteurPostgres::sousTexte(const QString& texte, const QString& debut, const QString& longueur) const
{
    return QStringLiteral("substr(") + texte + QStringLiteral(", CAST(") + debut + QStringLiteral(" AS integer)")
        + (longueur.isEmpty() ? QString() : QStringLiteral(", CAST(") + longueur + QStringLiteral(" AS integer)")) + u')';
}

QString TraducteurPostgres::gauche(const QString& texte, const QString& n) const
{
    return QStringLiteral("left(") + texte + QStringLiteral(", CAST(") + n + QStringLiteral(" AS integer))");
}

QString TraducteurPostgres::droite(const QString& texte, const QString& n) const
{
    return QStringLiteral("right(") + texte + QStringLiteral(", CAST(") + n + QStringLiteral(" AS integer))");
}

QString TraducteurPostgres::formatNombre(const QString& x, const QString&, int entiers, int decimales) const
{
    QString motif = QStringLiteral("FM") + QString(std::max(0, 16 - entiers), u'9') + QString(entiers, u'0');
    if (decimales > 0)
        motif += u'.' + QString(decimales, u'0');
    const QString t = QStringLiteral("to_char(CAST(") + x + QStringLiteral(" AS numeric), ") + litteralTexte(motif) + u')';
    if (decimales == 0 || m_separateur == u'.')
        return t;
    return QStringLiteral("replace(") + t + QStringLiteral(", '.', ") + litteralTexte(QString(m_separateur)) + u')';
}

namespace {

const QString lettresDate = QStringLiteral("dmyhns");

QChar lettreSuivante(const QString& motif, int depuis)
{
    for (int k = depuis; k < motif.size(); ++k)
        if (lettresDate.contains(motif.at(k).toLower()))
            return motif.at(k).toLower();
    return QChar();
}

// Le champ de to_char d'une lettre répétée `n` fois ; vide si to_char n'en a pas.
QString champToChar(QChar l, int n, bool minutes)
{
    struct Champ
    {
        char16_t lettre;
        const char* un;
        const char* deux;
    };
    static constexpr Champ champs[] = {
        {u'd', "FMDD", "DD"}, {u'h', "FMHH24", "HH24"}, {u'n', "FMMI", "MI"}, {u's', "FMSS", "SS"},
    };
    if (l == u'y')
        return n == 2 ? QStringLiteral("YY") : n == 4 ? QStringLiteral("YYYY") : QString();
    if (n > 2)
        return QString();
    if (l == u'm')
        l = minutes ? u'n' : u'm';
    if (l == u'm')
        return n == 1 ? QStringLiteral("FMMM") : QStringLiteral("MM");
    for (const Champ& c : champs)
        if (l == c.lettre)
            return QString::fromLatin1(n == 1 ? c.un : c.deux);
    return QString();
}

} // namespace

QString TraducteurPostgres::formatDate(const QString& x, const QString& motif) const
{
    // Les lettres des motifs de Format deviennent celles de to_char ; "m" est la minute
    // juste après une heure ou juste avant des secondes.
    QString sortie;
    QChar precedente;
    for (int i = 0; i < motif.size();) {
        const QChar l = motif.at(i).toLower();
        int n = 1;
        while (i + n < motif.size() && motif.at(i + n).toLower() == l)
            ++n;
        if (!lettresDate.contains(l)) {
            sortie += QString(n, motif.at(i));
            i += n;
            continue;
        }
        const QString champ = champToChar(l, n, precedente == u'h' || lettreSuivante(motif, i + n) == u's');
        if (champ.isEmpty())
            return QString();
        sortie += champ;
        precedente = l;
        i += n;
    }
    return QStringLiteral("to_char(CAST(") + x + QStringLiteral(" AS timestamp), ") + litteralTexte(sortie) + u')';
}

QString TraducteurPostgres::comme(const QString& texte, const QString& motif) const
{
    return u'(' + texte + QStringLiteral(" ILIKE ") + motif + u')';
}

QString TraducteurPostgres::identiteLigne() const
{
    return QStringLiteral("ctid");
}

QString TraducteurPostgres::collationTexte() const
{
    return QStringLiteral(" COLLATE \"C\"");
}

QString TraducteurPostgres::nulsEnTete(bool descendant) const
{
    return descendant ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST");
}

QString TraducteurPostgres::barriereSousRequete() const
{
    return QStringLiteral(" OFFSET 0");
}
