// Un regroupement par des textes joints (X & year(DateCreation)) se fait en
// deux temps : d'abord par leurs opérandes, colonnes et parties de dates,
// puis par les textes joints, sur les seules lignes du premier temps. Le
// résultat est le même pour SUM, COUNT, MIN et MAX ; les autres requêtes
// restent d'un seul tenant.
#include "data/bases/Traducteur.h"

#include "data/bases/OutilsTraduction.h"

using namespace OutilsTraduction;

class RegroupementDeuxEtages
{
public:
    using Code = Traducteur::Code;

    RegroupementDeuxEtages(Traducteur& t, const RequeteSql& r, Traducteur::Portee& p)
        : m_t(t)
        , m_r(r)
        , m_p(p)
        , m_erreurAvant(t.m_erreur)
    {
    }

    // Faux quand la requête ne s'y prête pas : elle se traduit alors d'un seul tenant.
    bool traduire(const QString& from, QString& sql, QList<Traducteur::ColonneVisible>& colonnes)
    {
        QStringList exterieurs, tris, groupes;
        QString condition;
        if (!decomposerGroupes() || !champs(exterieurs, colonnes) || !trier(colonnes, tris, groupes) || !filtre(condition))
            return false;
        const QString interieur = QStringLiteral("SELECT ") + m_interieurs.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + from
            + condition + QStringLiteral(" GROUP BY ") + m_atomesSql.join(QStringLiteral(", "));
        sql = QStringLiteral("SELECT ") + exterieurs.join(QStringLiteral(", ")) + QStringLiteral(" FROM (") + interieur
            + m_t.barriereSousRequete() + QStringLiteral(") AS ") + m_t.identifiant(QStringLiteral("etages"))
            + QStringLiteral(" GROUP BY ") + groupes.join(QStringLiteral(", "));
        if (!tris.isEmpty())
            sql += QStringLiteral(" ORDER BY ") + tris.join(QStringLiteral(", "));
        return true;
    }

private:
    struct Terme
    {
        QString origine;         // le terme écrit d'un seul tenant
        QList<int> atomes;       // leurs places, -1 pour une constante
        QList<Code> constantes;  // aux places -1
        bool chaine = false;
        TypeValeur type = TypeValeur::Inconnu;
    };

    // Ce qui ne se traduit pas ici se traduit d'un seul tenant, qui dira l'erreur.
    std::optional<Code> essai(const ExpressionSql& e)
    {
        auto c = m_t.expression(e, m_p);
        if (!c)
            m_t.m_erreur = m_erreurAvant;
        return c;
    }

    int atome(const Code& c)
    {
        const QString v = m_t.valeur(c);
        int i = int(m_atomesSql.indexOf(v));
        if (i < 0) {
            i = int(m_atomes.size());
            m_atomes << c;
            m_atomesSql << v;
            m_interieurs << v + QStringLiteral(" AS ") + nomAtome(i);
        }
        return i;
    }

    QString nomAtome(int i) const { return m_t.identifiant(QStringLiteral("g%1").arg(i)); }

    // Les opérandes d'une chaîne de &, de gauche à droite.
    static std::vector<const ExpressionSql*> operandes(const ExpressionSql& g)
    {
        std::vector<const ExpressionSql*> pile{g.enfants[1].get()};
        const ExpressionSql* gauche = g.enfants[0].get();
        while (gauche->genre == Genre::Binaire && gauche->texte == QStringLiteral("&")) {
            pile.push_back(gauche->enfants[1].get());
            gauche = gauche->enfants[0].get();
        }
        pile.push_back(gauche);
        return {pile.rbegin(), pile.rend()};
    }

    bool terme(const ExpressionSql& g, Terme& t)
    {
        const auto entier = essai(g);
        if (!entier || entier->type == TypeValeur::Booleen)
            return false;
        t.origine = m_t.valeur(*entier);
        t.type = entier->type;
        if (g.genre != Genre::Binaire || g.texte != QStringLiteral("&")) {
            t.atomes << atome(*entier);
            return true;
        }
        for (const ExpressionSql* x : operandes(g)) {
            const auto c = essai(*x);
            if (!c || c->type == TypeValeur::Booleen)
                return false;
            if (c->constant) {
                t.atomes << -1;
                t.constantes << *c;
            } else {
                t.atomes << atome(*c);
            }
        }
        t.chaine = true;
        return true;
    }

    bool decomposerGroupes()
    {
        if (m_r.distinct || m_r.conditionGroupes || m_r.groupes.empty() || m_r.sources.empty())
            return false;
        bool uneChaine = false;
        for (const auto& g : m_r.groupes) {
            if (litteral(*g))
                continue;
            Terme t;
            if (!terme(*g, t))
                return false;
            uneChaine = uneChaine || t.chaine;
            m_termes << t;
        }
        return uneChaine;
    }

    QString refaire(const Terme& t) const
    {
        if (!t.chaine)
            return nomAtome(t.atomes[0]);
        QList<Traducteur::Morceau> morceaux;
        int k = 0;
        for (int i : t.atomes) {
            const Code c = i < 0 ? t.constantes[k++] : Code{nomAtome(i), m_atomes[i].type, false, std::nullopt};
            morceaux.append({m_t.texte(c), c.sql, c.type, c.constant});
        }
        return m_t.joindre(morceaux);
    }

    int termeDe(const QString& v) const
    {
        for (int i = 0; i < m_termes.size(); ++i)
            if (m_termes[i].origine == v)
                return i;
        return -1;
    }

    // Un champ : un agrégat décomposable, une constante ou un terme du regroupement.
    bool champ(const ExpressionSql& e, QString& sql, TypeValeur& type)
    {
        const auto c = essai(e);
        if (!c)
            return false;
        type = c->type;
        const QString& f = e.texte;
        const bool agregat = e.genre == Genre::Appel && e.enfants.size() == 1
            && (f == QStringLiteral("sum") || f == QStringLiteral("min") || f == QStringLiteral("max") || f == QStringLiteral("count"));
        if (agregat) {
            const QString nom = m_t.identifiant(QStringLiteral("a%1").arg(m_interieurs.size()));
            m_interieurs << c->sql + QStringLiteral(" AS ") + nom;
            sql = (f == QStringLiteral("count") ? QStringLiteral("sum") : f) + u'(' + nom + u')';
            return true;
        }
        if (c->constant) {
            sql = m_t.valeur(*c);
            return true;
        }
        const int t = termeDe(m_t.valeur(*c));
        if (t < 0)
            return false;
        sql = refaire(m_termes[t]);
        return true;
    }

    bool champs(QStringList& exterieurs, QList<Traducteur::ColonneVisible>& sorties)
    {
        for (const RequeteSql::Element& el : m_r.elements) {
            if (!el.expression)
                return false;
            QString sql;
            TypeValeur type;
            if (!champ(*el.expression, sql, type))
                return false;
            QString nom;
            if (!el.alias.isEmpty()) {
                nom = el.alias;
                sql += QStringLiteral(" AS ") + m_t.identifiant(el.alias);
            } else if (el.expression->genre == Genre::Colonne) {
                nom = el.expression->texte;
            }
            exterieurs << sql;
            sorties.append({nom, type});
        }
        return true;
    }

    QString trieTerme(int i, bool descendant) const
    {
        return refaire(m_termes[i]) + (m_termes[i].type == TypeValeur::Texte ? m_t.collationTexte() : QString())
            + (descendant ? QStringLiteral(" DESC") : QString()) + m_t.nulsEnTete(descendant);
    }

    // Le tri ne porte que sur des termes du regroupement ou des positions ;
    // les groupes du second temps suivent l'ordre du tri.
    bool trier(const QList<Traducteur::ColonneVisible>& sorties, QStringList& tris, QStringList& groupes)
    {
        QList<int> ordre;
        for (const RequeteSql::Tri& t : m_r.tris) {
            const ExpressionSql& e = *t.expression;
            if (e.genre == Genre::Nombre) {
                bool ok = false;
                const int position = e.texte.toInt(&ok);
                if (!ok || position < 1 || position > sorties.size())
                    return false;
                tris << QString::number(position) + (t.descendant ? QStringLiteral(" DESC") : QString()) + m_t.nulsEnTete(t.descendant);
                continue;
            }
            if (litteral(e))
                continue;
            const auto c = essai(e);
            const int i = c ? termeDe(m_t.valeur(*c)) : -1;
            if (i < 0)
                return false;
            ordre << i;
            tris << trieTerme(i, t.descendant);
        }
        for (int i = 0; i < m_termes.size(); ++i) {
            if (m_r.tris.empty()) {
                ordre << i;
                tris << trieTerme(i, false);
            } else if (!ordre.contains(i)) {
                ordre << i;
            }
        }
        for (int i : ordre)
            if (!groupes.contains(refaire(m_termes[i])))
                groupes << refaire(m_termes[i]);
        return true;
    }

    bool filtre(QString& sql)
    {
        if (!m_r.condition)
            return true;
        const auto c = m_t.condition(*m_r.condition, m_p);
        if (!c) {
            m_t.m_erreur = m_erreurAvant;
            return false;
        }
        sql = QStringLiteral(" WHERE ") + *c;
        return true;
    }

    Traducteur& m_t;
    const RequeteSql& m_r;
    Traducteur::Portee& m_p;
    const QString m_erreurAvant;
    QList<Code> m_atomes;
    QStringList m_atomesSql;
    QStringList m_interieurs;  // les colonnes du premier temps : atomes, puis agrégats
    QList<Terme> m_termes;
};

bool Traducteur::deuxEtages(const RequeteSql& r, Portee& p, const QString& from, QString& sql, QList<ColonneVisible>& colonnes)
{
    return RegroupementDeuxEtages(*this, r, p).traduire(from, sql, colonnes);
}
