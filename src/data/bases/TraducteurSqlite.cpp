#include "data/bases/TraducteurSqlite.h"

#include "data/bases/ValeurColonne.h"

QString TraducteurSqlite::identifiant(const QString& nom) const
{
    QString n = nom;
    n.replace(u'"', QStringLiteral("\"\""));
    return u'"' + n + u'"';
}

QString TraducteurSqlite::litteralDate(const QDateTime& d) const
{
    return litteralTexte(ValeurColonne::iso(d));
}

QString TraducteurSqlite::joindre(const QList<Morceau>& morceaux) const
{
    // Une seule fonction pour toute la chaîne : NULL y compte pour '', les
    // nombres y prennent leur texte de cellule.
    QStringList arguments;
    for (const Morceau& m : morceaux)
        arguments << (m.type == TypeValeur::Date || m.type == TypeValeur::Booleen ? m.texte : m.brut);
    return QStringLiteral("acces_joindre(") + arguments.join(QStringLiteral(", ")) + u')';
}

QString TraducteurSqlite::vide(const QString& texte) const
{
    return QStringLiteral("ifnull(") + texte + QStringLiteral(", '')");
}

QString TraducteurSqlite::texteEntier(const QString& x) const
{
    return QStringLiteral("CAST(") + x + QStringLiteral(" AS TEXT)");
}

QString TraducteurSqlite::texteReel(const QString& x) const
{
    return QStringLiteral("acces_texte_nombre(") + x + u')';
}

QString TraducteurSqlite::texteDate(const QString& x) const
{
    return QStringLiteral("acces_texte_date(") + x + u')';
}

QString TraducteurSqlite::texteAutre(const QString& x) const
{
    return QStringLiteral("acces_texte_nombre(") + x + u')';
}

QString TraducteurSqlite::partieDate(PartieDate partie, const QString& x) const
{
    // Le texte ISO tient chaque partie à une place fixe ; une heure absente se lit 0.
    int debut = 1, longueur = 2;
    switch (partie) {
    case PartieDate::Annee: debut = 1; longueur = 4; break;
    case PartieDate::Mois: debut = 6; break;
    case PartieDate::Jour: debut = 9; break;
    case PartieDate::Heure: debut = 12; break;
    case PartieDate::Minute: debut = 15; break;
    case PartieDate::Seconde: debut = 18; break;
    }
    return QStringLiteral("CAST(substr(%1, %2, %3) AS INTEGER)").arg(x).arg(debut).arg(longueur);
}

QString TraducteurSqlite::dateDepuisTexte(const QString& x) const
{
    return QStringLiteral("acces_cvdate(") + x + u')';
}

QString TraducteurSqlite::jourSeul(const QString& x) const
{
    return QStringLiteral("substr(") + x + QStringLiteral(", 1, 10)");
}

QString TraducteurSqlite::heureSeule(const QString& x) const
{
    return QStringLiteral("('1899-12-30' || substr(") + x + QStringLiteral(", 11))");
}

QString TraducteurSqlite::combiner(const QString& date, const QString& heure) const
{
    // "YYYY-MM-DD" et le " hh:mm:ss" de l'heure, absent à minuit.
    return QStringLiteral("(substr(") + date + QStringLiteral(", 1, 10) || substr(") + heure + QStringLiteral(", 11))");
}

QString TraducteurSqlite::ajouterJours(const QString& date, const QString& jours) const
{
    return QStringLiteral("acces_ajouter_jours(") + date + QStringLiteral(", ") + jours + u')';
}

QString TraducteurSqlite::jourMois(const QString& date) const
{
    return QStringLiteral("acces_jour_mois(") + date + u')';
}

QString TraducteurSqlite::instr(const QString& debut, const QString& texte, const QString& cherche) const
{
    if (debut.isEmpty())
        return QStringLiteral("instr(") + texte + QStringLiteral(", ") + cherche + u')';
    return QStringLiteral("acces_instr(") + debut + QStringLiteral(", ") + texte + QStringLiteral(", ") + cherche + u')';
}

QString TraducteurSqlite::nombreDepuisTexte(const QString& x) const
{
    return QStringLiteral("acces_nombre(") + x + u')';
}

QString TraducteurSqlite::arrondiEntier(const QString& x) const
{
    return QStringLiteral("acces_cint(") + x + u')';
}

QString TraducteurSqlite::val(const QString& x) const
{
    return QStringLiteral("acces_val(") + x + u')';
}

QString TraducteurSqlite::plancher(const QString& x) const
{
    return QStringLiteral("acces_int(") + x + u')';
}

QString TraducteurSqlite::tronque(const QString& x) const
{
    return QStringLiteral("acces_fix(") + x + u')';
}

QString TraducteurSqlite::puissance(const QString& a, const QString& b) const
{
    return QStringLiteral("acces_puissance(") + a + QStringLiteral(", ") + b + u')';
}

QString TraducteurSqlite::division(const QString& a, const QString& b) const
{
    return QStringLiteral("(CAST(") + a + QStringLiteral(" AS REAL) / ") + b + u')';
}

QString TraducteurSqlite::sousTexte(const QString& texte, const QString& debut, const QString& longueur) const
{
    return QStringLiteral("substr(") + texte + QStringLiteral(", ") + debut
        + (longueur.isEmpty() ? QString() : QStringLiteral(", ") + longueur) + u')';
}

QString TraducteurSqlite::gauche(const QString& texte, const QString& n) const
{
    return QStringLiteral("substr(") + texte + QStringLiteral(", 1, ") + n + u')';
}

QString TraducteurSqlite::droite(const QString& texte, const QString& n) const
{
    return QStringLiteral("(CASE WHEN %2 > 0 THEN substr(%1, -(%2)) ELSE '' END)").arg(texte, n);
}

QString TraducteurSqlite::formatNombre(const QString& x, const QString& motif, int, int) const
{
    return QStringLiteral("acces_format(") + x + QStringLiteral(", ") + litteralTexte(motif) + u')';
}

QString TraducteurSqlite::formatDate(const QString& x, const QString& motif) const
{
    return QStringLiteral("acces_format_date(") + x + QStringLiteral(", ") + litteralTexte(motif) + u')';
}

QString TraducteurSqlite::comme(const QString& texte, const QString& motif) const
{
    return u'(' + texte + QStringLiteral(" LIKE ") + motif + u')';
}

QString TraducteurSqlite::identiteLigne() const
{
    return QStringLiteral("rowid");
}

QString TraducteurSqlite::barriereSousRequete() const
{
    return QStringLiteral(" LIMIT -1");
}
