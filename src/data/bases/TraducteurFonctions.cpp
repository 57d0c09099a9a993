// Les fonctions de la formulation Access : une table du nom à sa traduction,
// par familles (agrégats, parties de dates, conversions de dates, textes,
// nombres, formats, choix).
#include "data/bases/Traducteur.h"

#include "commun/Dates.h"
#include "data/bases/OutilsTraduction.h"

#include <QHash>
#include <QRegularExpression>

using namespace OutilsTraduction;

// Les traductions des fonctions, amies du traducteur dont elles emploient les conversions.
class FonctionsSql
{
public:
    using Code = Traducteur::Code;
    using Resultat = std::optional<Code>;

    // Un appel en cours de traduction : la fonction, ses arguments, la portée des noms.
    struct Appel
    {
        Traducteur& t;
        const ExpressionSql& e;
        const Traducteur::Portee& p;
        const QString& nom;
        int n;

        const ExpressionSql& enfant(int k) const { return *e.enfants[std::size_t(k)]; }
        Resultat arg(int k) const { return t.expression(enfant(k), p); }
        Resultat nombre(int k) const
        {
            const auto c = arg(k);
            return c ? t.numerique(enfant(k), *c) : std::nullopt;
        }
    };
    using Traduction = Resultat (*)(const Appel&);
    struct Fonction
    {
        int min, max;
        Traduction traduction;
    };

    static Resultat appeler(Traducteur& t, const ExpressionSql& e, const Traducteur::Portee& p);

private:
    static const QHash<QString, Fonction>& table();

    static Resultat compte(const Appel& a);
    static Resultat extremum(const Appel& a);
    static Resultat sommeOuMoyenne(const Appel& a);
    static Resultat partieDate(const Appel& a);
    static Resultat versDate(const Appel& a);
    static Resultat dateJointe(const Appel& a);
    static Resultat instr(const Appel& a);
    static Resultat format(const Appel& a);
    static Resultat formatDate(const Appel& a, const Code& c, const QString& motif);
    static Resultat texteSimple(const Appel& a);
    static Resultat sousTexte(const Appel& a);
    static Resultat valeurTexte(const Appel& a);
    static Resultat conversionNombre(const Appel& a);
    static Resultat arrondiNombre(const Appel& a);
    static Resultat iif(const Appel& a);
    static Resultat nz(const Appel& a);

    static Code code(const QString& sql, TypeValeur type) { return Code{sql, type, false, std::nullopt}; }
};

const QHash<QString, FonctionsSql::Fonction>& FonctionsSql::table()
{
    static const QHash<QString, Fonction> fonctions = {
        // Agrégats.
        {QStringLiteral("count"), {1, 1, compte}},
        {QStringLiteral("min"), {1, 1, extremum}},
        {QStringLiteral("max"), {1, 1, extremum}},
        {QStringLiteral("sum"), {1, 1, sommeOuMoyenne}},
        {QStringLiteral("avg"), {1, 1, sommeOuMoyenne}},
        // Parties d'une date.
        {QStringLiteral("year"), {1, 1, partieDate}},
        {QStringLiteral("month"), {1, 1, partieDate}},
        {QStringLiteral("day"), {1, 1, partieDate}},
        {QStringLiteral("hour"), {1, 1, partieDate}},
        {QStringLiteral("minute"), {1, 1, partieDate}},
        {QStringLiteral("second"), {1, 1, partieDate}},
        // Conversions en date.
        {QStringLiteral("cvdate"), {1, 1, versDate}},
        {QStringLiteral("cdate"), {1, 1, versDate}},
        {QStringLiteral("datevalue"), {1, 1, versDate}},
        {QStringLiteral("timevalue"), {1, 1, versDate}},
        // Textes.
        {QStringLiteral("instr"), {2, 3, instr}},
        {QStringLiteral("trim"), {1, 1, texteSimple}},
        {QStringLiteral("ltrim"), {1, 1, texteSimple}},
        {QStringLiteral("rtrim"), {1, 1, texteSimple}},
        {QStringLiteral("ucase"), {1, 1, texteSimple}},
        {QStringLiteral("lcase"), {1, 1, texteSimple}},
        {QStringLiteral("len"), {1, 1, texteSimple}},
        {QStringLiteral("cstr"), {1, 1, texteSimple}},
        {QStringLiteral("mid"), {2, 3, sousTexte}},
        {QStringLiteral("left"), {2, 2, sousTexte}},
        {QStringLiteral("right"), {2, 2, sousTexte}},
        // Nombres.
        {QStringLiteral("val"), {1, 1, valeurTexte}},
        {QStringLiteral("cint"), {1, 1, conversionNombre}},
        {QStringLiteral("clng"), {1, 1, conversionNombre}},
        {QStringLiteral("cdbl"), {1, 1, conversionNombre}},
        {QStringLiteral("csng"), {1, 1, conversionNombre}},
        {QStringLiteral("int"), {1, 1, arrondiNombre}},
        {QStringLiteral("fix"), {1, 1, arrondiNombre}},
        {QStringLiteral("abs"), {1, 1, arrondiNombre}},
        // Formats.
        {QStringLiteral("format"), {2, 2, format}},
        // Choix.
        {QStringLiteral("iif"), {3, 3, iif}},
        {QStringLiteral("nz"), {1, 2, nz}},
    };
    return fonctions;
}

FonctionsSql::Resultat FonctionsSql::appeler(Traducteur& t, const ExpressionSql& e, const Traducteur::Portee& p)
{
    const auto f = table().constFind(e.texte);
    if (f == table().constEnd())
        return t.echec(QStringLiteral("Fonction inconnue : %1").arg(e.texte));
    const int n = int(e.enfants.size());
    if (n < f->min || n > f->max)
        return t.echec(QStringLiteral("%1 : %2 argument(s) au lieu de %3")
                           .arg(e.texte)
                           .arg(n)
                           .arg(f->min == f->max ? QString::number(f->min) : QStringLiteral("%1 à %2").arg(f->min).arg(f->max)));
    return f->traduction(Appel{t, e, p, e.texte, n});
}

// ------------------------------------------------------------------ agrégats

FonctionsSql::Resultat FonctionsSql::compte(const Appel& a)
{
    if (a.enfant(0).genre == Genre::Etoile)
        return code(QStringLiteral("count(*)"), TypeValeur::Entier);
    const auto c = a.arg(0);
    if (!c)
        return std::nullopt;
    return code(QStringLiteral("count(") + a.t.valeur(*c) + u')', TypeValeur::Entier);
}

FonctionsSql::Resultat FonctionsSql::extremum(const Appel& a)
{
    const auto c = a.arg(0);
    if (!c)
        return std::nullopt;
    return code(a.nom + u'(' + a.t.valeur(*c) + u')', c->type);
}

FonctionsSql::Resultat FonctionsSql::sommeOuMoyenne(const Appel& a)
{
    const auto c = a.nombre(0);
    if (!c)
        return std::nullopt;
    const TypeValeur t = a.nom == QStringLiteral("sum") && c->type == TypeValeur::Entier ? TypeValeur::Entier : TypeValeur::Reel;
    return code(a.nom + u'(' + c->sql + u')', t);
}

// ------------------------------------------------------------------- dates

FonctionsSql::Resultat FonctionsSql::partieDate(const Appel& a)
{
    using Partie = Traducteur::PartieDate;
    static const QHash<QString, Partie> parties = {
        {QStringLiteral("year"), Partie::Annee},    {QStringLiteral("month"), Partie::Mois},
        {QStringLiteral("day"), Partie::Jour},      {QStringLiteral("hour"), Partie::Heure},
        {QStringLiteral("minute"), Partie::Minute}, {QStringLiteral("second"), Partie::Seconde}};
    const auto c = a.arg(0);
    const auto d = c ? a.t.versDate(a.enfant(0), *c, false) : std::nullopt;
    if (!d)
        return std::nullopt;
    const Partie partie = parties.value(a.nom);
    if (!d->dateConstante)
        return code(a.t.partieDate(partie, d->sql), TypeValeur::Entier);
    // Une date connue dès la traduction donne sa partie toute faite.
    const QDateTime& v = *d->dateConstante;
    const int valeurs[] = {v.date().year(), v.date().month(), v.date().day(), v.time().hour(), v.time().minute(), v.time().second()};
    return Code{QString::number(valeurs[int(partie)]), TypeValeur::Entier, true, std::nullopt};
}

// CVDATE(DateCreation & ' ' & Heure) : le jour de l'une joint à l'heure de l'autre ; rien pour une autre forme.
FonctionsSql::Resultat FonctionsSql::dateJointe(const Appel& a)
{
    const ExpressionSql& x = a.enfant(0);
    const bool jointe = a.nom != QStringLiteral("timevalue") && x.genre == Genre::Binaire && x.texte == QStringLiteral("&")
        && x.enfants[0]->genre == Genre::Binaire && x.enfants[0]->texte == QStringLiteral("&")
        && x.enfants[0]->enfants[1]->genre == Genre::Texte && x.enfants[0]->enfants[1]->texte == QStringLiteral(" ");
    if (!jointe)
        return std::nullopt;
    const auto jour = a.t.expression(*x.enfants[0]->enfants[0], a.p);
    const auto heure = jour ? a.t.expression(*x.enfants[1], a.p) : std::nullopt;
    if (!heure || jour->type != TypeValeur::Date || heure->type != TypeValeur::Date)
        return std::nullopt;
    const QString sql = a.t.combiner(jour->sql, heure->sql);
    return code(a.nom == QStringLiteral("datevalue") ? a.t.jourSeul(sql) : sql, TypeValeur::Date);
}

FonctionsSql::Resultat FonctionsSql::versDate(const Appel& a)
{
    const QString erreurAvant = a.t.m_erreur;
    if (auto jointe = dateJointe(a))
        return jointe;
    if (a.t.m_erreur != erreurAvant)
        return std::nullopt;
    const auto c = a.arg(0);
    auto d = c ? a.t.versDate(a.enfant(0), *c, false) : std::nullopt;
    if (!d)
        return std::nullopt;
    if (a.nom == QStringLiteral("datevalue")) {
        if (d->dateConstante)
            return Code{a.t.litteralDate(DateHeure(d->dateConstante->date())), TypeValeur::Date, true,
                        DateHeure(d->dateConstante->date())};
        return code(a.t.jourSeul(d->sql), TypeValeur::Date);
    }
    if (a.nom == QStringLiteral("timevalue"))
        return code(a.t.heureSeule(d->sql), TypeValeur::Date);
    return d;
}

// ------------------------------------------------------------------ textes

FonctionsSql::Resultat FonctionsSql::instr(const Appel& a)
{
    QString debut;
    int k = 0;
    if (a.n == 3) {
        const auto x = a.nombre(0);
        if (!x)
            return std::nullopt;
        debut = a.t.versEntier(*x).sql;
        k = 1;
    }
    const auto s = a.arg(k);
    const auto t = s ? a.arg(k + 1) : std::nullopt;
    if (!t)
        return std::nullopt;
    return code(a.t.instr(debut == QStringLiteral("1") ? QString() : debut, a.t.texteBrut(*s), a.t.texteBrut(*t)), TypeValeur::Entier);
}

FonctionsSql::Resultat FonctionsSql::texteSimple(const Appel& a)
{
    const auto c = a.arg(0);
    if (!c)
        return std::nullopt;
    // Ces fonctions rendent NULL pour NULL : une valeur absente le reste une fois convertie.
    const QString t = a.t.texteBrut(*c);
    if (a.nom == QStringLiteral("cstr"))
        return code(t, TypeValeur::Texte);
    if (a.nom == QStringLiteral("len"))
        return code(QStringLiteral("length(") + t + u')', TypeValeur::Entier);
    const QString nom = a.nom == QStringLiteral("ucase") ? QStringLiteral("upper")
        : a.nom == QStringLiteral("lcase")              ? QStringLiteral("lower")
                                                        : a.nom;
    return code(nom + u'(' + t + u')', TypeValeur::Texte);
}

FonctionsSql::Resultat FonctionsSql::sousTexte(const Appel& a)
{
    const auto s = a.arg(0);
    if (!s)
        return std::nullopt;
    QStringList nombres;
    for (int k = 1; k < a.n; ++k) {
        const auto x = a.nombre(k);
        if (!x)
            return std::nullopt;
        nombres << a.t.versEntier(*x).sql;
    }
    const QString t = a.t.texteBrut(*s);
    if (a.nom == QStringLiteral("left"))
        return code(a.t.gauche(t, nombres[0]), TypeValeur::Texte);
    if (a.nom == QStringLiteral("right"))
        return code(a.t.droite(t, nombres[0]), TypeValeur::Texte);
    return code(a.t.sousTexte(t, nombres[0], nombres.value(1)), TypeValeur::Texte);
}

// ----------------------------------------------------------------- nombres

FonctionsSql::Resultat FonctionsSql::valeurTexte(const Appel& a)
{
    const auto c = a.arg(0);
    if (!c)
        return std::nullopt;
    return code(a.t.val(a.t.texte(*c)), TypeValeur::Reel);
}

FonctionsSql::Resultat FonctionsSql::conversionNombre(const Appel& a)
{
    const auto c = a.arg(0);
    const auto x = c ? a.t.versNombre(a.enfant(0), *c) : std::nullopt;
    if (!x)
        return std::nullopt;
    if (a.nom == QStringLiteral("cint") || a.nom == QStringLiteral("clng"))
        return a.t.versEntier(*x);
    return Code{x->sql, x->type == TypeValeur::Inconnu ? TypeValeur::Reel : x->type, x->constant, std::nullopt};
}

FonctionsSql::Resultat FonctionsSql::arrondiNombre(const Appel& a)
{
    const auto c = a.arg(0);
    const auto x = c ? a.t.versNombre(a.enfant(0), *c) : std::nullopt;
    if (!x)
        return std::nullopt;
    if (a.nom == QStringLiteral("abs"))
        return code(QStringLiteral("abs(") + x->sql + u')', x->type);
    if (x->type == TypeValeur::Entier)
        return x;
    return code(a.nom == QStringLiteral("int") ? a.t.plancher(x->sql) : a.t.tronque(x->sql), TypeValeur::Reel);
}

// ------------------------------------------------------------------ formats

FonctionsSql::Resultat FonctionsSql::format(const Appel& a)
{
    if (a.enfant(1).genre != Genre::Texte)
        return a.t.echec(QStringLiteral("Format : le motif doit être un texte"));
    const QString motif = a.enfant(1).texte;
    const auto c = a.arg(0);
    if (!c)
        return std::nullopt;
    static const QRegularExpression motifNombre(QStringLiteral("^#*0+(\\.0+)?$"));
    if (!motifNombre.match(motif).hasMatch() || c->type == TypeValeur::Date)
        return formatDate(a, *c, motif);
    const auto x = a.t.versNombre(a.enfant(0), *c);
    if (!x)
        return std::nullopt;
    const int point = int(motif.indexOf(u'.'));
    const int entiers = int(motif.left(point < 0 ? motif.size() : point).count(u'0'));
    const int decimales = point < 0 ? 0 : int(motif.size()) - point - 1;
    return code(a.t.formatNombre(x->sql, motif, entiers, decimales), TypeValeur::Texte);
}

FonctionsSql::Resultat FonctionsSql::formatDate(const Appel& a, const Code& c, const QString& motif)
{
    // Motifs de date communs aux deux moteurs : d dd m mm yy yyyy h hh n nn s ss.
    static const QRegularExpression motifDate(QStringLiteral("^(?:(?:d|m|h|n|s){1,2}|yy|yyyy|[/:\\- .])+$"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression suite(QStringLiteral("(d{3,}|m{3,}|h{3,}|n{3,}|s{3,}|y{5,}|(?<!y)y(?!y)|(?<!y)yyy(?!y))"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (!motifDate.match(motif).hasMatch() || suite.match(motif).hasMatch())
        return a.t.echec(QStringLiteral("Format : motif « %1 » non pris en charge").arg(motif));
    const auto d = a.t.versDate(a.enfant(0), c, false);
    if (!d)
        return std::nullopt;
    const QString sql = a.t.formatDate(d->sql, motif);
    if (sql.isEmpty())
        return a.t.echec(QStringLiteral("Format : motif « %1 » non pris en charge").arg(motif));
    return code(sql, TypeValeur::Texte);
}

// ------------------------------------------------------------------- choix

FonctionsSql::Resultat FonctionsSql::iif(const Appel& a)
{
    const auto c = a.t.condition(a.enfant(0), a.p);
    const auto oui = c ? a.arg(1) : std::nullopt;
    const auto non = oui ? a.arg(2) : std::nullopt;
    if (!non)
        return std::nullopt;
    const TypeValeur t = oui->type == non->type ? oui->type : TypeValeur::Inconnu;
    return code(QStringLiteral("(CASE WHEN ") + *c + QStringLiteral(" THEN ") + a.t.valeur(*oui) + QStringLiteral(" ELSE ")
                    + a.t.valeur(*non) + QStringLiteral(" END)"),
                t);
}

FonctionsSql::Resultat FonctionsSql::nz(const Appel& a)
{
    const auto x = a.arg(0);
    if (!x)
        return std::nullopt;
    QString defaut = x->type == TypeValeur::Texte ? QStringLiteral("''") : QStringLiteral("0");
    if (a.n == 2) {
        const auto y = a.arg(1);
        if (!y)
            return std::nullopt;
        defaut = a.t.valeur(*y);
    }
    return code(QStringLiteral("coalesce(") + a.t.valeur(*x) + QStringLiteral(", ") + defaut + u')', x->type);
}

std::optional<Traducteur::Code> Traducteur::appel(const ExpressionSql& e, const Portee& p)
{
    return FonctionsSql::appeler(*this, e, p);
}
