// Traduction des expressions : colonnes, opérateurs, comparaisons.
#include "data/bases/Traducteur.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/bases/OutilsTraduction.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

using namespace OutilsTraduction;

std::optional<Traducteur::Code> Traducteur::colonne(const ExpressionSql& e, const Portee& p)
{
    auto chercher = [&](const QString& nom, const SourceVisible*& source, const ColonneVisible*& col) {
        int trouvees = 0;
        bool qualificatifConnu = e.qualificatif.isEmpty();
        for (const SourceVisible& s : p.sources) {
            if (!e.qualificatif.isEmpty() && !memeNom(s.nom, e.qualificatif))
                continue;
            qualificatifConnu = true;
            for (const ColonneVisible& c : s.colonnes) {
                if (!c.nom.isEmpty() && memeNom(c.nom, nom)) {
                    if (trouvees == 0 || source != &s) {
                        ++trouvees;
                        source = &s;
                        col = &c;
                    }
                    break;
                }
            }
        }
        if (!qualificatifConnu)
            return -1;
        return trouvees;
    };

    const SourceVisible* source = nullptr;
    const ColonneVisible* col = nullptr;
    int n = chercher(e.texte, source, col);
    if (n < 0)
        return echec(QStringLiteral("Table ou alias inconnu : %1").arg(e.qualificatif));
    if (n == 0 && p.dansTri && e.qualificatif.isEmpty()) {
        for (int k = 0; k < p.alias.size(); ++k)
            if (!p.alias[k].isEmpty() && memeNom(p.alias[k], e.texte))
                return Code{identifiant(p.alias[k]), p.typesAlias[k], false, std::nullopt};
    }
    // La recherche d'enregistrement de la sauvegarde de la grille nomme la colonne date "Date".
    if (n == 0 && memeNom(e.texte, QStringLiteral("Date")))
        n = chercher(QStringLiteral("DateCreation"), source, col);
    if (n == 0)
        return echec(QStringLiteral("Colonne inconnue : %1").arg(e.texte));
    if (n > 1)
        return echec(QStringLiteral("Colonne ambiguë : %1").arg(e.texte));
    return Code{identifiant(source->nom) + u'.' + identifiant(col->nom), col->type, false, std::nullopt, col->jamaisNulle};
}

std::optional<Traducteur::Code> Traducteur::expression(const ExpressionSql& e, const Portee& p)
{
    switch (e.genre) {
    case Genre::Nombre: {
        bool entier = !e.texte.contains(u'.') && !e.texte.contains(u'e', Qt::CaseInsensitive);
        if (entier) {
            bool ok = false;
            e.texte.toLongLong(&ok);
            entier = ok;
        }
        return Code{e.texte, entier ? TypeValeur::Entier : TypeValeur::Reel, true, std::nullopt};
    }
    case Genre::Texte:
        return Code{litteralTexte(e.texte), TypeValeur::Texte, true, std::nullopt};
    case Genre::Date:
        return Code{litteralDate(e.date), TypeValeur::Date, true, e.date};
    case Genre::Nul:
        return Code{QStringLiteral("NULL"), TypeValeur::Inconnu, true, std::nullopt};
    case Genre::Colonne:
        return colonne(e, p);
    case Genre::Etoile:
        return echec(QStringLiteral("« * » hors de Count(*)"));
    case Genre::Appel:
        return appel(e, p);
    case Genre::Unaire: {
        if (e.texte == QStringLiteral("not")) {
            const auto c = condition(*e.enfants[0], p);
            if (!c)
                return std::nullopt;
            return Code{QStringLiteral("(NOT ") + *c + u')', TypeValeur::Booleen, false, std::nullopt};
        }
        const auto c = expression(*e.enfants[0], p);
        if (!c)
            return std::nullopt;
        const auto n = numerique(*e.enfants[0], *c);
        if (!n)
            return std::nullopt;
        return Code{QStringLiteral("(-") + n->sql + u')', n->type == TypeValeur::Entier ? TypeValeur::Entier : TypeValeur::Reel,
                    false, std::nullopt};
    }
    case Genre::Binaire:
        return binaire(e, p);
    case Genre::EstNul: {
        const auto c = expression(*e.enfants[0], p);
        if (!c)
            return std::nullopt;
        return Code{u'(' + valeur(*c) + (e.negation ? QStringLiteral(" IS NOT NULL)") : QStringLiteral(" IS NULL)")),
                    TypeValeur::Booleen, false, std::nullopt};
    }
    case Genre::Entre: {
        const auto bas = comparer(QStringLiteral(">="), *e.enfants[0], *e.enfants[1], p);
        const auto haut = bas ? comparer(QStringLiteral("<="), *e.enfants[0], *e.enfants[2], p) : std::nullopt;
        if (!haut)
            return std::nullopt;
        const QString sql = u'(' + *bas + QStringLiteral(" AND ") + *haut + u')';
        return Code{e.negation ? QStringLiteral("(NOT ") + sql + u')' : sql, TypeValeur::Booleen, false, std::nullopt};
    }
    case Genre::Dans: {
        QStringList termes;
        for (size_t k = 1; k < e.enfants.size(); ++k) {
            const auto c = comparer(QStringLiteral("="), *e.enfants[0], *e.enfants[k], p);
            if (!c)
                return std::nullopt;
            termes << *c;
        }
        const QString sql = u'(' + termes.join(QStringLiteral(" OR ")) + u')';
        return Code{e.negation ? QStringLiteral("(NOT ") + sql + u')' : sql, TypeValeur::Booleen, false, std::nullopt};
    }
    }
    return echec(QStringLiteral("Expression non prise en charge"));
}

std::optional<QString> Traducteur::condition(const ExpressionSql& e, const Portee& p)
{
    QString jointure;
    if (jointureJour(e, p, jointure))
        return jointure;
    if (!m_erreur.isEmpty())
        return std::nullopt;
    const auto c = expression(e, p);
    if (!c)
        return std::nullopt;
    switch (c->type) {
    case TypeValeur::Booleen:
        return c->sql;
    case TypeValeur::Entier:
    case TypeValeur::Reel:
    case TypeValeur::Inconnu:
        return u'(' + c->sql + QStringLiteral(" <> 0)");
    case TypeValeur::Texte:
        return u'(' + nombreDepuisTexte(c->sql) + QStringLiteral(" <> 0)");
    case TypeValeur::Date:
        break;
    }
    return echec(QStringLiteral("Une date ne peut servir de condition"));
}

// Instr(1, DateCreation, jour) en condition : le jour de l'année du calendrier
// trouvé au début du texte de la date, soit une égalité que le moteur joint
// par un index au lieu de chercher dans chaque paire de lignes.
bool Traducteur::jointureJour(const ExpressionSql& e, const Portee& p, QString& sql)
{
    if (e.genre != Genre::Appel || e.texte != QStringLiteral("instr"))
        return false;
    const ExpressionSql* texteCherche = nullptr;
    const ExpressionSql* cherche = nullptr;
    if (e.enfants.size() == 3 && e.enfants[0]->genre == Genre::Nombre && e.enfants[0]->texte == QStringLiteral("1")) {
        texteCherche = e.enfants[1].get();
        cherche = e.enfants[2].get();
    } else if (e.enfants.size() == 2) {
        texteCherche = e.enfants[0].get();
        cherche = e.enfants[1].get();
    } else {
        return false;
    }
    if (cherche->genre != Genre::Colonne || !memeNom(cherche->texte, QStringLiteral("jour")))
        return false;
    const auto date = expression(*texteCherche, p);
    const auto jour = date ? expression(*cherche, p) : std::nullopt;
    if (!jour)
        return false;
    if (date->type != TypeValeur::Date || jour->type != TypeValeur::Texte)
        return false;
    sql = u'(' + jour->sql + QStringLiteral(" = ") + jourMois(date->sql) + u')';
    return true;
}

// Year(date) comparé à une année écrite : la même condition sur la date
// elle-même, entre deux 1er janvier, que le moteur lit dans un index.
bool Traducteur::anneeComparee(const QString& op, const ExpressionSql& ea, const ExpressionSql& eb, const Portee& p,
                               QString& sql)
{
    if (ea.genre != Genre::Appel || ea.texte != QStringLiteral("year") || ea.enfants.size() != 1)
        return false;
    std::optional<double> n;
    if (eb.genre == Genre::Nombre || eb.genre == Genre::Texte)
        n = LireNombre(eb.texte);
    if (!n || *n != std::floor(*n) || *n < 100 || *n > 9998)
        return false;
    const auto c = expression(*ea.enfants[0], p);
    if (!c)
        return false;
    const auto d = versDate(*ea.enfants[0], *c, false);
    if (!d || d->dateConstante)
        return false;
    const int annee = int(*n);
    const QString debut = litteralDate(DateHeure(QDate(annee, 1, 1)));
    const QString suivante = litteralDate(DateHeure(QDate(annee + 1, 1, 1)));
    const QString x = d->sql;
    if (op == QStringLiteral(">="))
        sql = u'(' + x + QStringLiteral(" >= ") + debut + u')';
    else if (op == QStringLiteral(">"))
        sql = u'(' + x + QStringLiteral(" >= ") + suivante + u')';
    else if (op == QStringLiteral("<="))
        sql = u'(' + x + QStringLiteral(" < ") + suivante + u')';
    else if (op == QStringLiteral("<"))
        sql = u'(' + x + QStringLiteral(" < ") + debut + u')';
    else if (op == QStringLiteral("="))
        sql = QStringLiteral("(%1 >= %2 AND %1 < %3)").arg(x, debut, suivante);
    else
        sql = QStringLiteral("(NOT (%1 >= %2 AND %1 < %3))").arg(x, debut, suivante);
    return true;
}

// CVDATE(jour & ' ' & heure) comparé à un instant écrit : le jour seul range
// d'abord la ligne, par une comparaison que le moteur fait vite et lit dans un
// index ; l'instant joint ne se calcule que pour le jour même de la borne.
// Une heure NULL laisse l'instant NULL, comme sans ce détour.
bool Traducteur::instantCompare(const QString& op, const ExpressionSql& ea, const ExpressionSql& eb, const Portee& p,
                                QString& sql)
{
    if (op == QStringLiteral("<>") || ea.genre != Genre::Appel
        || (ea.texte != QStringLiteral("cvdate") && ea.texte != QStringLiteral("cdate")) || ea.enfants.size() != 1)
        return false;
    const ExpressionSql& a = *ea.enfants[0];
    if (a.genre != Genre::Binaire || a.texte != QStringLiteral("&") || a.enfants[0]->genre != Genre::Binaire
        || a.enfants[0]->texte != QStringLiteral("&") || a.enfants[0]->enfants[1]->genre != Genre::Texte
        || a.enfants[0]->enfants[1]->texte != QStringLiteral(" "))
        return false;
    if (eb.genre != Genre::Date && eb.genre != Genre::Texte)
        return false;
    const auto borne = expression(eb, p);
    const auto instant = borne ? versDate(eb, *borne, true) : std::nullopt;
    if (!instant || !instant->dateConstante)
        return false;
    const auto jour = expression(*a.enfants[0]->enfants[0], p);
    const auto heure = jour ? expression(*a.enfants[1], p) : std::nullopt;
    if (!heure || jour->type != TypeValeur::Date || heure->type != TypeValeur::Date || jour->constant)
        return false;
    const auto x = expression(ea, p);
    if (!x)
        return false;
    const QDate d = instant->dateConstante->date();
    const QString debut = litteralDate(DateHeure(d)), lendemain = litteralDate(DateHeure(d.addDays(1)));
    const QString exact = u'(' + valeur(*x) + u' ' + op + u' ' + valeur(*instant) + u')';
    const QString& j = jour->sql;
    if (op == QStringLiteral(">=") || op == QStringLiteral(">"))
        sql = QStringLiteral("(%1 IS NOT NULL AND %2 >= %3 AND (%2 >= %4 OR %5))").arg(heure->sql, j, debut, lendemain, exact);
    else if (op == QStringLiteral("<=") || op == QStringLiteral("<"))
        sql = QStringLiteral("(%1 IS NOT NULL AND %2 < %3 AND (%2 < %4 OR %5))").arg(heure->sql, j, lendemain, debut, exact);
    else
        sql = QStringLiteral("(%1 >= %2 AND %1 < %3 AND %4)").arg(j, debut, lendemain, exact);
    return true;
}

std::optional<QString> Traducteur::comparer(const QString& op, const ExpressionSql& ea, const ExpressionSql& eb,
                                            const Portee& p)
{
    static const QHash<QString, QString> inverse = {{QStringLiteral("="), QStringLiteral("=")},
                                                    {QStringLiteral("<>"), QStringLiteral("<>")},
                                                    {QStringLiteral("<"), QStringLiteral(">")},
                                                    {QStringLiteral(">"), QStringLiteral("<")},
                                                    {QStringLiteral("<="), QStringLiteral(">=")},
                                                    {QStringLiteral(">="), QStringLiteral("<=")}};
    QString annee;
    if (anneeComparee(op, ea, eb, p, annee) || anneeComparee(inverse.value(op), eb, ea, p, annee)
        || instantCompare(op, ea, eb, p, annee) || instantCompare(inverse.value(op), eb, ea, p, annee))
        return annee;
    if (!m_erreur.isEmpty())
        return std::nullopt;
    auto a = expression(ea, p);
    auto b = a ? expression(eb, p) : std::nullopt;
    if (!b)
        return std::nullopt;
    if (a->type == TypeValeur::Date && b->type != TypeValeur::Date && b->type != TypeValeur::Inconnu) {
        b = versDate(eb, *b, true);
    } else if (b->type == TypeValeur::Date && a->type != TypeValeur::Date && a->type != TypeValeur::Inconnu) {
        a = versDate(ea, *a, true);
    } else if (estNumerique(a->type) && b->type == TypeValeur::Texte) {
        if (ea.genre == Genre::Nombre && !b->constant)
            a = Code{litteralTexte(ea.texte), TypeValeur::Texte, true, std::nullopt};
        else
            b = versNombre(eb, *b);
    } else if (estNumerique(b->type) && a->type == TypeValeur::Texte) {
        // Un code écrit sans guillemets face à une colonne texte : comparé tel qu'écrit.
        if (eb.genre == Genre::Nombre && !a->constant)
            b = Code{litteralTexte(eb.texte), TypeValeur::Texte, true, std::nullopt};
        else
            a = versNombre(ea, *a);
    }
    if (!a || !b)
        return std::nullopt;
    const bool ordre = op != QStringLiteral("=") && op != QStringLiteral("<>");
    const QString collation = ordre && a->type == TypeValeur::Texte && b->type == TypeValeur::Texte ? collationTexte() : QString();
    return u'(' + valeur(*a) + u' ' + op + u' ' + valeur(*b) + collation + u')';
}

std::optional<Traducteur::Code> Traducteur::binaire(const ExpressionSql& e, const Portee& p)
{
    const QString& op = e.texte;
    const ExpressionSql& ea = *e.enfants[0];
    const ExpressionSql& eb = *e.enfants[1];
    if (op == QStringLiteral("and") || op == QStringLiteral("or")) {
        const auto a = condition(ea, p);
        const auto b = a ? condition(eb, p) : std::nullopt;
        if (!b)
            return std::nullopt;
        return Code{u'(' + *a + (op == QStringLiteral("and") ? QStringLiteral(" AND ") : QStringLiteral(" OR ")) + *b + u')',
                    TypeValeur::Booleen, false, std::nullopt};
    }
    if (op == QStringLiteral("xor"))
        return echec(QStringLiteral("XOR n'est pas pris en charge"));
    if (operateursComparaison().contains(op)) {
        const auto c = comparer(op, ea, eb, p);
        if (!c)
            return std::nullopt;
        return Code{*c, TypeValeur::Booleen, false, std::nullopt};
    }
    if (op == QStringLiteral("&"))
        return concatenation(e, p);
    const auto a = expression(ea, p);
    const auto b = a ? expression(eb, p) : std::nullopt;
    if (!b)
        return std::nullopt;
    if (op == QStringLiteral("like"))
        return comme(e, *a);
    std::optional<Code> somme;
    if (sommeDateOuTexte(e, *a, *b, somme))
        return somme;
    return arithmetique(e, *a, *b);
}

// Une chaîne a & b & c s'écrit d'un seul tenant.
std::optional<Traducteur::Code> Traducteur::concatenation(const ExpressionSql& e, const Portee& p)
{
    QList<Morceau> morceaux;
    std::vector<const ExpressionSql*> pile{e.enfants[1].get()};
    const ExpressionSql* gauche = e.enfants[0].get();
    while (gauche->genre == Genre::Binaire && gauche->texte == QStringLiteral("&")) {
        pile.push_back(gauche->enfants[1].get());
        gauche = gauche->enfants[0].get();
    }
    pile.push_back(gauche);
    for (auto it = pile.rbegin(); it != pile.rend(); ++it) {
        const auto c = expression(**it, p);
        if (!c)
            return std::nullopt;
        morceaux.append({texte(*c), c->type == TypeValeur::Booleen ? valeur(*c) : c->sql, c->type, c->constant});
    }
    return Code{joindre(morceaux), TypeValeur::Texte, false, std::nullopt};
}

std::optional<Traducteur::Code> Traducteur::comme(const ExpressionSql& e, const Code& a)
{
    const ExpressionSql& eb = *e.enfants[1];
    if (eb.genre != Genre::Texte)
        return echec(QStringLiteral("LIKE attend un motif en texte"));
    QString motif = eb.texte;
    motif.replace(u'*', u'%').replace(u'?', u'_');
    const QString sql = comme(texteBrut(a), litteralTexte(motif));
    return Code{e.negation ? QStringLiteral("(NOT ") + sql + u')' : sql, TypeValeur::Booleen, false, std::nullopt};
}

// + et - entre une date et un nombre de jours ; + entre textes qui ne sont pas
// tous deux des nombres : la jonction. Faux pour une opération entre nombres.
bool Traducteur::sommeDateOuTexte(const ExpressionSql& e, const Code& a, const Code& b, std::optional<Code>& resultat)
{
    const QString& op = e.texte;
    const ExpressionSql& ea = *e.enfants[0];
    const ExpressionSql& eb = *e.enfants[1];
    if (op != QStringLiteral("+") && op != QStringLiteral("-"))
        return false;
    if (a.type == TypeValeur::Date && b.type != TypeValeur::Date) {
        const auto n = numerique(eb, b);
        if (n)
            resultat = Code{ajouterJours(a.sql, op == QStringLiteral("-") ? QStringLiteral("(-") + n->sql + u')' : n->sql),
                            TypeValeur::Date, false, std::nullopt};
        return true;
    }
    if (op == QStringLiteral("+") && b.type == TypeValeur::Date && a.type != TypeValeur::Date) {
        const auto n = numerique(ea, a);
        if (n)
            resultat = Code{ajouterJours(b.sql, n->sql), TypeValeur::Date, false, std::nullopt};
        return true;
    }
    if (op != QStringLiteral("+") || (a.type != TypeValeur::Texte && b.type != TypeValeur::Texte))
        return false;
    // Un nombre et un texte qui se lit comme tel s'additionnent ; le reste se joint en texte.
    const bool aNombre = estNumerique(a.type) || (ea.genre == Genre::Texte && LireNombre(ea.texte));
    const bool bNombre = estNumerique(b.type) || (eb.genre == Genre::Texte && LireNombre(eb.texte));
    const bool unNombre = estNumerique(a.type) || estNumerique(b.type);
    if (aNombre && bNombre && unNombre)
        return false;
    resultat = Code{joindre({{texte(a), a.sql, a.type, a.constant}, {texte(b), b.sql, b.type, b.constant}}), TypeValeur::Texte, false,
                    std::nullopt};
    return true;
}

std::optional<Traducteur::Code> Traducteur::arithmetique(const ExpressionSql& e, const Code& a, const Code& b)
{
    const QString& op = e.texte;
    const auto na = numerique(*e.enfants[0], a);
    const auto nb = na ? numerique(*e.enfants[1], b) : std::nullopt;
    if (!nb)
        return std::nullopt;
    const TypeValeur type = na->type == TypeValeur::Entier && nb->type == TypeValeur::Entier ? TypeValeur::Entier : TypeValeur::Reel;
    if (op == QStringLiteral("+") || op == QStringLiteral("-") || op == QStringLiteral("*"))
        return Code{u'(' + na->sql + u' ' + op + u' ' + nb->sql + u')', type, false, std::nullopt};
    if (op == QStringLiteral("/"))
        return Code{division(na->sql, nb->sql), TypeValeur::Reel, false, std::nullopt};
    if (op == QStringLiteral("\\") || op == QStringLiteral("mod"))
        return Code{u'(' + versEntier(*na).sql + (op == QStringLiteral("mod") ? QStringLiteral(" % ") : QStringLiteral(" / "))
                        + versEntier(*nb).sql + u')',
                    TypeValeur::Entier, false, std::nullopt};
    if (op == QStringLiteral("^"))
        return Code{puissance(na->sql, nb->sql), TypeValeur::Reel, false, std::nullopt};
    return echec(QStringLiteral("Opérateur non pris en charge : %1").arg(op));
}
