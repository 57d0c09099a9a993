// Le genre des expressions et leurs conversions : dates, nombres, textes.
#include "data/bases/Traducteur.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/bases/OutilsTraduction.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

using namespace OutilsTraduction;

std::optional<Traducteur::Code> Traducteur::versDate(const ExpressionSql& e, const Code& c, bool commeLitteralBase)
{
    switch (c.type) {
    case TypeValeur::Date:
    case TypeValeur::Inconnu:
        return Code{c.sql, TypeValeur::Date, c.constant, c.dateConstante};
    case TypeValeur::Texte:
        if (e.genre == Genre::Texte) {
            const auto d = commeLitteralBase ? dateLitterale(e.texte) : ConvertirEnDate(e.texte);
            if (!d)
                return echec(QStringLiteral("Date impossible : '%1'").arg(e.texte));
            return Code{litteralDate(*d), TypeValeur::Date, true, *d};
        }
        return Code{dateDepuisTexte(c.sql), TypeValeur::Date, false, std::nullopt};
    case TypeValeur::Entier:
    case TypeValeur::Reel:
    case TypeValeur::Booleen:
        break;
    }
    return echec(QStringLiteral("Un nombre ne peut servir de date"));
}

std::optional<Traducteur::Code> Traducteur::versNombre(const ExpressionSql& e, const Code& c)
{
    switch (c.type) {
    case TypeValeur::Entier:
    case TypeValeur::Reel:
    case TypeValeur::Inconnu:
        return c;
    case TypeValeur::Booleen:
        return Code{valeur(c), TypeValeur::Entier, false, std::nullopt};
    case TypeValeur::Texte:
        if (e.genre == Genre::Texte) {
            if (e.texte.trimmed().isEmpty())
                return Code{QStringLiteral("NULL"), TypeValeur::Inconnu, true, std::nullopt};
            const auto x = LireNombre(e.texte);
            if (!x)
                return echec(QStringLiteral("Nombre impossible : '%1'").arg(e.texte));
            const bool entier = *x == std::floor(*x) && std::fabs(*x) < 1e15;
            return Code{texteNombre(*x), entier ? TypeValeur::Entier : TypeValeur::Reel, true, std::nullopt};
        }
        return Code{nombreDepuisTexte(c.sql), TypeValeur::Reel, false, std::nullopt};
    case TypeValeur::Date:
        break;
    }
    return echec(QStringLiteral("Une date ne peut servir de nombre"));
}

std::optional<Traducteur::Code> Traducteur::numerique(const ExpressionSql& e, const Code& c)
{
    return versNombre(e, c);
}

Traducteur::Code Traducteur::versEntier(const Code& c) const
{
    if (c.type == TypeValeur::Entier)
        return c;
    return Code{arrondiEntier(c.sql), TypeValeur::Entier, false, std::nullopt};
}

QString Traducteur::texteBrut(const Code& c) const
{
    switch (c.type) {
    case TypeValeur::Texte:
        return c.sql;
    case TypeValeur::Entier:
        return c.constant ? litteralTexte(c.sql) : texteEntier(c.sql);
    case TypeValeur::Reel:
        if (c.constant) {
            bool ok = false;
            const double x = c.sql.toDouble(&ok);
            if (ok)
                return litteralTexte(TexteNombre(x));
        }
        return texteReel(c.sql);
    case TypeValeur::Date:
        if (c.dateConstante)
            return litteralTexte(TexteDateHeure(*c.dateConstante));
        return texteDate(c.sql);
    case TypeValeur::Booleen:
        return QStringLiteral("(CASE WHEN ") + c.sql + QStringLiteral(" THEN 'Vrai' ELSE 'Faux' END)");
    case TypeValeur::Inconnu:
        break;
    }
    if (c.constant)
        return QStringLiteral("NULL");
    return texteAutre(c.sql);
}

QString Traducteur::texte(const Code& c) const
{
    if (c.constant && c.type == TypeValeur::Inconnu)
        return QStringLiteral("''");
    if (c.constant || c.type == TypeValeur::Booleen)
        return texteBrut(c);
    return vide(texteBrut(c));
}

QString Traducteur::joindre(const QList<Morceau>& morceaux) const
{
    QStringList textes;
    for (const Morceau& m : morceaux)
        textes << m.texte;
    return u'(' + textes.join(QStringLiteral(" || ")) + u')';
}

QString Traducteur::valeur(const Code& c) const
{
    if (c.type == TypeValeur::Booleen)
        return QStringLiteral("(CASE WHEN ") + c.sql + QStringLiteral(" THEN -1 ELSE 0 END)");
    return c.sql;
}

std::optional<Traducteur::Code> Traducteur::affectation(const ExpressionSql& e, TypeValeur cible, const Portee& p)
{
    if (e.genre == Genre::Nul)
        return Code{QStringLiteral("NULL"), TypeValeur::Inconnu, true, std::nullopt};
    const auto c = expression(e, p);
    if (!c)
        return std::nullopt;
    switch (cible) {
    case TypeValeur::Date:
        if (e.genre == Genre::Texte && e.texte.trimmed().isEmpty())
            return Code{QStringLiteral("NULL"), TypeValeur::Inconnu, true, std::nullopt};
        // Une date seule écrite en texte est un texte de cellule, jour d'abord
        // (la saisie des points) ; une date avec son heure est un littéral de
        // la base, mois d'abord (FormatDateBase avec l'heure, sous PostgreSQL).
        return versDate(e, *c, e.genre == Genre::Texte && e.texte.contains(u'/') && e.texte.contains(u':'));
    case TypeValeur::Entier:
    case TypeValeur::Reel:
        return versNombre(e, *c);
    case TypeValeur::Texte:
        if (e.genre == Genre::Nombre)
            return Code{litteralTexte(e.texte), TypeValeur::Texte, true, std::nullopt};
        if (c->type == TypeValeur::Texte)
            return c;
        return Code{texteBrut(*c), TypeValeur::Texte, false, std::nullopt};
    case TypeValeur::Booleen:
    case TypeValeur::Inconnu:
        break;
    }
    return Code{valeur(*c), c->type, c->constant, c->dateConstante};
}
