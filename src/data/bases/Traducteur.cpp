#include "data/bases/Traducteur.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

using Genre = ExpressionSql::Genre;

bool estNumerique(TypeValeur t)
{
    return t == TypeValeur::Entier || t == TypeValeur::Reel;
}

bool litteral(const ExpressionSql& e)
{
    return e.genre == Genre::Nombre || e.genre == Genre::Texte || e.genre == Genre::Date || e.genre == Genre::Nul;
}

bool memeNom(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString texteNombre(double x)
{
    if (x == std::floor(x) && std::fabs(x) < 1e15)
        return QString::number(qint64(x));
    return QString::number(x, 'g', 17);
}

const QStringList operateursComparaison = {QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("<"),
                                           QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">=")};

} // namespace

Traducteur::Traducteur(Catalogue catalogue)
    : m_catalogue(std::move(catalogue))
{
}

Traducteur::~Traducteur() = default;

TypeValeur Traducteur::typeDeColonne(TypeColonne type)
{
    switch (type) {
    case TypeColonne::Date:
    case TypeColonne::Heure:
    case TypeColonne::DateHeure:
        return TypeValeur::Date;
    case TypeColonne::Entier:
        return TypeValeur::Entier;
    case TypeColonne::Reel:
        return TypeValeur::Reel;
    case TypeColonne::Texte:
        return TypeValeur::Texte;
    case TypeColonne::Booleen:
        return TypeValeur::Booleen;
    case TypeColonne::Autre:
        break;
    }
    return TypeValeur::Inconnu;
}

std::optional<QDateTime> Traducteur::dateLitterale(const QString& texte)
{
    const QString t = texte.trimmed();
    const int a = int(t.indexOf(u'/'));
    const int b = a < 0 ? -1 : int(t.indexOf(u'/', a + 1));
    if (a > 0 && b > a)
        return ConvertirEnDate(t.mid(a + 1, b - a - 1) + u'/' + t.left(a) + t.mid(b));
    return ConvertirEnDate(t);
}

QString Traducteur::litteralTexte(const QString& texte) const
{
    QString t = texte;
    t.replace(u'\'', QStringLiteral("''"));
    return u'\'' + t + u'\'';
}

std::nullopt_t Traducteur::echec(const QString& texte)
{
    if (m_erreur.isEmpty())
        m_erreur = texte;
    return std::nullopt;
}

// -------------------------------------------------------------------- ordres

std::optional<Traducteur::Traduction> Traducteur::traduire(const InstructionSql& i, QString& erreur)
{
    m_erreur.clear();
    Traduction t;
    auto fin = [&](bool ok) -> std::optional<Traduction> {
        if (!ok) {
            erreur = m_erreur.isEmpty() ? QStringLiteral("Ordre non traduit") : m_erreur;
            return std::nullopt;
        }
        return t;
    };

    if (i.genre == InstructionSql::Genre::Selection) {
        QList<ColonneVisible> sortie;
        const auto sql = requete(*i.requete, &sortie);
        if (!sql)
            return fin(false);
        t.sql = *sql;
        for (const ColonneVisible& c : sortie)
            t.typesSortie << c.type;
        return fin(true);
    }

    t.table = i.table;
    const QList<ColonneTable> colonnes = m_catalogue(i.table);
    if (colonnes.isEmpty()) {
        echec(QStringLiteral("Table inconnue : %1").arg(i.table));
        return fin(false);
    }
    Portee p;
    SourceVisible s{i.table, {}};
    for (const ColonneTable& c : colonnes)
        s.colonnes.append({c.nom, typeDeColonne(c.type)});
    p.sources << s;

    auto cible = [&](const QString& nom) -> const ColonneTable* {
        for (const ColonneTable& c : colonnes)
            if (memeNom(c.nom, nom))
                return &c;
        echec(QStringLiteral("Colonne inconnue : %1").arg(nom));
        return nullptr;
    };

    switch (i.genre) {
    case InstructionSql::Genre::Insertion: {
        QList<const ColonneTable*> cibles;
        if (!i.colonnes.isEmpty()) {
            for (const QString& nom : i.colonnes) {
                const ColonneTable* c = cible(nom);
                if (!c)
                    return fin(false);
                cibles << c;
            }
        } else {
            // Sans liste, les valeurs remplissent les colonnes par leur position.
            const int n = i.requete ? int(i.requete->elements.size()) : int(i.valeurs.size());
            if (n > colonnes.size()) {
                echec(QStringLiteral("%1 valeurs pour les %2 colonnes de %3").arg(n).arg(colonnes.size()).arg(i.table));
                return fin(false);
            }
            for (int k = 0; k < n; ++k)
                cibles << &colonnes[k];
        }
        QStringList noms;
        for (const ColonneTable* c : cibles)
            noms << identifiant(c->nom);
        t.sql = QStringLiteral("INSERT INTO ") + identifiant(i.table) + QStringLiteral(" (") + noms.join(QStringLiteral(", "))
            + QStringLiteral(") ");
        if (i.requete) {
            QList<ColonneVisible> sortie;
            const auto sql = requete(*i.requete, &sortie);
            if (!sql)
                return fin(false);
            if (sortie.size() != cibles.size()) {
                echec(QStringLiteral("%1 colonnes pour %2 valeurs").arg(cibles.size()).arg(sortie.size()));
                return fin(false);
            }
            t.sql += *sql;
            return fin(true);
        }
        if (int(i.valeurs.size()) != cibles.size()) {
            echec(QStringLiteral("%1 colonnes pour %2 valeurs").arg(cibles.size()).arg(i.valeurs.size()));
            return fin(false);
        }
        QStringList valeurs;
        const Portee aucune;
        for (int k = 0; k < cibles.size(); ++k) {
            const auto v = affectation(*i.valeurs[k], typeDeColonne(cibles[k]->type), aucune);
            if (!v)
                return fin(false);
            valeurs << v->sql;
        }
        t.sql += QStringLiteral("VALUES (") + valeurs.join(QStringLiteral(", ")) + u')';
        return fin(true);
    }
    case InstructionSql::Genre::MiseAJour: {
        QStringList affectations;
        for (int k = 0; k < i.colonnes.size(); ++k) {
            const ColonneTable* c = cible(i.colonnes[k]);
            if (!c)
                return fin(false);
            const auto v = affectation(*i.valeurs[k], typeDeColonne(c->type), p);
            if (!v)
                return fin(false);
            affectations << identifiant(c->nom) + QStringLiteral(" = ") + v->sql;
        }
        t.sql = QStringLiteral("UPDATE ") + identifiant(i.table) + QStringLiteral(" SET ")
            + affectations.join(QStringLiteral(", "));
        break;
    }
    case InstructionSql::Genre::Suppression:
        t.sql = QStringLiteral("DELETE FROM ") + identifiant(i.table);
        break;
    case InstructionSql::Genre::Selection:
        break;
    }
    if (i.condition) {
        const auto c = condition(*i.condition, p);
        if (!c)
            return fin(false);
        t.sql += QStringLiteral(" WHERE ") + *c;
    }
    return fin(true);
}

std::optional<Traducteur::Traduction> Traducteur::traduirePourJeu(const InstructionSql& i, QString& erreur)
{
    m_erreur.clear();
    auto refus = [&](const QString& texte) -> std::optional<Traduction> {
        erreur = m_erreur.isEmpty() ? texte : m_erreur;
        return std::nullopt;
    };
    if (i.genre != InstructionSql::Genre::Selection)
        return refus(QStringLiteral("Un jeu d'enregistrements s'ouvre sur un SELECT"));
    const RequeteSql& r = *i.requete;
    if (r.sources.size() != 1 || r.sources[0].sousRequete || r.distinct || !r.groupes.empty() || r.conditionGroupes)
        return refus(QStringLiteral("Un jeu d'enregistrements modifiable porte sur une seule table, sans regroupement"));
    Portee p;
    QStringList from;
    if (!portee(r, p, from))
        return refus(QString());

    Traduction t;
    t.table = r.sources[0].table;
    t.colonnesTable = m_catalogue(t.table);
    QStringList champs{identiteLigne()};
    t.typesSortie << TypeValeur::Inconnu;
    for (const ColonneTable& c : t.colonnesTable) {
        champs << identifiant(p.sources[0].nom) + u'.' + identifiant(c.nom);
        t.typesSortie << typeDeColonne(c.type);
    }
    // Chaque élément doit nommer quelque chose de réel, même si tout est lu.
    for (const RequeteSql::Element& el : r.elements)
        if (el.expression && !expression(*el.expression, p))
            return refus(QString());
    t.sql = QStringLiteral("SELECT ") + champs.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + from.join(QString());
    if (r.condition) {
        const auto c = condition(*r.condition, p);
        if (!c)
            return refus(QString());
        t.sql += QStringLiteral(" WHERE ") + *c;
    }
    QStringList tris;
    for (const RequeteSql::Tri& tri : r.tris) {
        if (litteral(*tri.expression))
            continue;
        const auto c = expression(*tri.expression, p);
        if (!c)
            return refus(QString());
        tris << valeur(*c) + (tri.descendant ? QStringLiteral(" DESC") : QString());
    }
    if (!tris.isEmpty())
        t.sql += QStringLiteral(" ORDER BY ") + tris.join(QStringLiteral(", "));
    return t;
}

// ------------------------------------------------------------------- SELECT

bool Traducteur::portee(const RequeteSql& r, Portee& p, QStringList& fromSql)
{
    for (const RequeteSql::Source& s : r.sources) {
        SourceVisible sv;
        if (s.sousRequete) {
            QList<ColonneVisible> colonnes;
            const auto sql = requete(*s.sousRequete, &colonnes);
            if (!sql)
                return false;
            sv.nom = s.alias;
            sv.colonnes = colonnes;
            // Une sous-requête qui regroupe se calcule d'abord : le filtre du
            // dessus porte alors sur ses groupes et non sur chaque ligne.
            const bool regroupe = s.sousRequete->distinct || !s.sousRequete->groupes.empty();
            fromSql << u'(' + *sql + (regroupe ? barriereSousRequete() : QString()) + QStringLiteral(") AS ")
                    + identifiant(s.alias);
        } else {
            const QList<ColonneTable> colonnes = m_catalogue(s.table);
            if (colonnes.isEmpty()) {
                echec(QStringLiteral("Table inconnue : %1").arg(s.table));
                return false;
            }
            sv.nom = s.alias.isEmpty() ? s.table : s.alias;
            for (const ColonneTable& c : colonnes)
                sv.colonnes.append({c.nom, typeDeColonne(c.type)});
            fromSql << identifiant(s.table) + (s.alias.isEmpty() ? QString() : QStringLiteral(" AS ") + identifiant(s.alias));
        }
        for (const SourceVisible& autre : p.sources)
            if (memeNom(autre.nom, sv.nom)) {
                echec(QStringLiteral("Source nommée deux fois : %1").arg(sv.nom));
                return false;
            }
        p.sources << sv;
    }
    fromSql = QStringList{fromSql.join(QStringLiteral(", "))};
    return true;
}

// Un regroupement par des textes joints (X & year(DateCreation)) se fait en
// deux temps : d'abord par leurs opérandes, colonnes et parties de dates,
// puis par les textes joints, sur les seules lignes du premier temps. Le
// résultat est le même pour SUM, COUNT, MIN et MAX ; les autres requêtes
// restent d'un seul tenant.
bool Traducteur::deuxEtages(const RequeteSql& r, Portee& p, const QString& from, QString& sql,
                            QList<ColonneVisible>& colonnes)
{
    if (r.distinct || r.conditionGroupes || r.groupes.empty() || r.sources.empty())
        return false;
    // Ce qui ne se traduit pas ici se traduit d'un seul tenant, qui dira l'erreur.
    const QString erreurAvant = m_erreur;
    auto essai = [&](const ExpressionSql& e) {
        auto c = expression(e, p);
        if (!c)
            m_erreur = erreurAvant;
        return c;
    };
    struct Terme
    {
        QString origine;             // le terme écrit d'un seul tenant
        QList<int> atomes;           // leurs places, -1 pour une constante
        QList<Code> constantes;      // aux places -1
        bool chaine = false;
        TypeValeur type = TypeValeur::Inconnu;
    };
    QList<Code> atomes;
    QStringList atomesSql;
    auto atome = [&](const Code& c) {
        const QString v = valeur(c);
        int i = int(atomesSql.indexOf(v));
        if (i < 0) {
            i = int(atomes.size());
            atomes << c;
            atomesSql << v;
        }
        return i;
    };
    QList<Terme> termes;
    bool uneChaine = false;
    for (const auto& g : r.groupes) {
        if (litteral(*g))
            continue;
        const auto entier = essai(*g);
        if (!entier || entier->type == TypeValeur::Booleen)
            return false;
        Terme t;
        t.origine = valeur(*entier);
        t.type = entier->type;
        if (g->genre == Genre::Binaire && g->texte == QStringLiteral("&")) {
            std::vector<const ExpressionSql*> pile{g->enfants[1].get()};
            const ExpressionSql* gauche = g->enfants[0].get();
            while (gauche->genre == Genre::Binaire && gauche->texte == QStringLiteral("&")) {
                pile.push_back(gauche->enfants[1].get());
                gauche = gauche->enfants[0].get();
            }
            pile.push_back(gauche);
            for (auto it = pile.rbegin(); it != pile.rend(); ++it) {
                const auto c = essai(**it);
                if (!c || c->type == TypeValeur::Booleen)
                    return false;
                if (c->constant) {
                    t.atomes << -1;
                    t.constantes << *c;
                } else {
                    t.atomes << atome(*c);
                }
            }
            t.chaine = uneChaine = true;
        } else {
            t.atomes << atome(*entier);
        }
        termes << t;
    }
    if (!uneChaine)
        return false;

    auto nomAtome = [&](int i) { return identifiant(QStringLiteral("g%1").arg(i)); };
    auto refaire = [&](const Terme& t) {
        if (!t.chaine)
            return nomAtome(t.atomes[0]);
        QList<Morceau> morceaux;
        int k = 0;
        for (int i : t.atomes) {
            const Code c = i < 0 ? t.constantes[k++] : Code{nomAtome(i), atomes[i].type, false, std::nullopt};
            morceaux.append({texte(c), c.sql, c.type, c.constant});
        }
        return joindre(morceaux);
    };
    auto termeDe = [&](const QString& v) -> int {
        for (int i = 0; i < termes.size(); ++i)
            if (termes[i].origine == v)
                return i;
        return -1;
    };

    // Les champs : constantes, termes du regroupement, agrégats décomposables.
    QStringList interieurs, exterieurs;
    QList<ColonneVisible> sorties;
    for (int i = 0; i < atomes.size(); ++i)
        interieurs << atomesSql[i] + QStringLiteral(" AS ") + nomAtome(i);
    for (const RequeteSql::Element& el : r.elements) {
        if (!el.expression)
            return false;
        const ExpressionSql& e = *el.expression;
        QString champ;
        TypeValeur type;
        const QString f = e.texte;
        if (e.genre == Genre::Appel && e.enfants.size() == 1
            && (f == QStringLiteral("sum") || f == QStringLiteral("min") || f == QStringLiteral("max") || f == QStringLiteral("count"))) {
            const auto c = essai(e);
            if (!c)
                return false;
            const QString nom = identifiant(QStringLiteral("a%1").arg(interieurs.size()));
            interieurs << c->sql + QStringLiteral(" AS ") + nom;
            champ = (f == QStringLiteral("count") ? QStringLiteral("sum") : f) + u'(' + nom + u')';
            type = c->type;
        } else {
            const auto c = essai(e);
            if (!c)
                return false;
            if (c->constant) {
                champ = valeur(*c);
            } else {
                const int t = termeDe(valeur(*c));
                if (t < 0)
                    return false;
                champ = refaire(termes[t]);
            }
            type = c->type;
        }
        QString nom;
        if (!el.alias.isEmpty()) {
            nom = el.alias;
            champ += QStringLiteral(" AS ") + identifiant(el.alias);
        } else if (e.genre == Genre::Colonne) {
            nom = e.texte;
        }
        exterieurs << champ;
        sorties.append({nom, type});
    }

    // Le tri ne porte que sur des termes du regroupement ou des positions.
    QStringList tris;
    QList<int> ordreTermes;
    for (const RequeteSql::Tri& t : r.tris) {
        const ExpressionSql& e = *t.expression;
        QString terme;
        if (e.genre == Genre::Nombre) {
            bool ok = false;
            const int position = e.texte.toInt(&ok);
            if (!ok || position < 1 || position > sorties.size())
                return false;
            terme = QString::number(position);
        } else if (litteral(e)) {
            continue;
        } else {
            const auto c = essai(e);
            if (!c)
                return false;
            const int i = termeDe(valeur(*c));
            if (i < 0)
                return false;
            ordreTermes << i;
            terme = refaire(termes[i]) + (termes[i].type == TypeValeur::Texte ? collationTexte() : QString());
        }
        tris << terme + (t.descendant ? QStringLiteral(" DESC") : QString()) + nulsEnTete(t.descendant);
    }
    if (r.tris.empty())
        for (int i = 0; i < termes.size(); ++i) {
            ordreTermes << i;
            tris << refaire(termes[i]) + (termes[i].type == TypeValeur::Texte ? collationTexte() : QString()) + nulsEnTete(false);
        }
    for (int i = 0; i < termes.size(); ++i)
        if (!ordreTermes.contains(i))
            ordreTermes << i;
    QStringList groupes;
    for (int i : ordreTermes)
        if (!groupes.contains(refaire(termes[i])))
            groupes << refaire(termes[i]);

    QString interieur = QStringLiteral("SELECT ") + interieurs.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + from;
    if (r.condition) {
        const auto c = condition(*r.condition, p);
        if (!c) {
            m_erreur = erreurAvant;
            return false;
        }
        interieur += QStringLiteral(" WHERE ") + *c;
    }
    interieur += QStringLiteral(" GROUP BY ") + atomesSql.join(QStringLiteral(", "));
    sql = QStringLiteral("SELECT ") + exterieurs.join(QStringLiteral(", ")) + QStringLiteral(" FROM (") + interieur
        + barriereSousRequete() + QStringLiteral(") AS ") + identifiant(QStringLiteral("etages")) + QStringLiteral(" GROUP BY ")
        + groupes.join(QStringLiteral(", "));
    if (!tris.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + tris.join(QStringLiteral(", "));
    colonnes = sorties;
    return true;
}

std::optional<QString> Traducteur::requete(const RequeteSql& r, QList<ColonneVisible>* sortie)
{
    Portee p;
    QStringList from;
    if (!portee(r, p, from))
        return std::nullopt;
    {
        QString sql;
        QList<ColonneVisible> colonnes;
        if (deuxEtages(r, p, from.value(0), sql, colonnes)) {
            if (sortie)
                *sortie = colonnes;
            return sql;
        }
        if (!m_erreur.isEmpty())
            return std::nullopt;
    }

    QStringList elements;
    QList<ColonneVisible> colonnes;
    for (const RequeteSql::Element& el : r.elements) {
        if (!el.expression) {
            bool trouve = false;
            for (const SourceVisible& s : p.sources) {
                if (!el.qualificatifEtoile.isEmpty() && !memeNom(s.nom, el.qualificatifEtoile))
                    continue;
                trouve = true;
                colonnes << s.colonnes;
            }
            if (!trouve)
                return echec(el.qualificatifEtoile.isEmpty() ? QStringLiteral("« * » sans table")
                                                             : QStringLiteral("Table ou alias inconnu : %1").arg(el.qualificatifEtoile));
            elements << (el.qualificatifEtoile.isEmpty() ? QStringLiteral("*") : identifiant(el.qualificatifEtoile) + QStringLiteral(".*"));
            continue;
        }
        const auto c = expression(*el.expression, p);
        if (!c)
            return std::nullopt;
        QString sql = valeur(*c);
        QString nom;
        if (!el.alias.isEmpty()) {
            nom = el.alias;
            sql += QStringLiteral(" AS ") + identifiant(el.alias);
        } else if (el.expression->genre == Genre::Colonne) {
            nom = el.expression->texte;
        }
        colonnes.append({nom, c->type == TypeValeur::Booleen ? TypeValeur::Entier : c->type});
        p.alias << nom;
        p.typesAlias << colonnes.last().type;
        elements << sql;
    }

    QString sql = QStringLiteral("SELECT ") + (r.distinct ? QStringLiteral("DISTINCT ") : QString())
        + elements.join(QStringLiteral(", "));
    if (!from.isEmpty() && !from.first().isEmpty())
        sql += QStringLiteral(" FROM ") + from.first();
    if (r.condition) {
        const auto c = condition(*r.condition, p);
        if (!c)
            return std::nullopt;
        sql += QStringLiteral(" WHERE ") + *c;
    }
    QStringList groupes;
    QList<TypeValeur> typesGroupes;
    for (const auto& g : r.groupes) {
        // Une constante ne sépare pas de groupes ; les moteurs la refusent ou lisent un nombre comme une position.
        if (litteral(*g))
            continue;
        const auto c = expression(*g, p);
        if (!c)
            return std::nullopt;
        groupes << valeur(*c);
        typesGroupes << c->type;
    }
    QString avoir;
    if (r.conditionGroupes) {
        const auto c = condition(*r.conditionGroupes, p);
        if (!c)
            return std::nullopt;
        avoir = QStringLiteral(" HAVING ") + *c;
    }
    QStringList tris, termesTries;
    p.dansTri = true;
    // Un regroupement sans tri sort dans l'ordre de ses groupes, comme le
    // rendait le moteur d'origine et comme les chargeurs le lisent.
    if (r.tris.empty() && !r.distinct) {
        for (int k = 0; k < groupes.size(); ++k) {
            termesTries << groupes[k];
            tris << groupes[k] + (typesGroupes[k] == TypeValeur::Texte ? collationTexte() : QString()) + nulsEnTete(false);
        }
    }
    for (const RequeteSql::Tri& t : r.tris) {
        const ExpressionSql& e = *t.expression;
        QString terme;
        if (e.genre == Genre::Nombre) {
            bool ok = false;
            const int position = e.texte.toInt(&ok);
            if (!ok || position < 1 || position > colonnes.size())
                return echec(QStringLiteral("ORDER BY %1 : pas de champ à cette position").arg(e.texte));
            terme = QString::number(position);
            termesTries << QString();
        } else if (litteral(e)) {
            continue;
        } else {
            const auto c = expression(e, p);
            if (!c)
                return std::nullopt;
            terme = valeur(*c);
            termesTries << terme;
            // Le même ordre des textes sur chaque moteur ; DISTINCT veut l'expression nue.
            if (c->type == TypeValeur::Texte && !r.distinct)
                terme += collationTexte();
        }
        tris << terme + (t.descendant ? QStringLiteral(" DESC") : QString()) + nulsEnTete(t.descendant);
    }
    // Les groupes dans l'ordre du tri, quand le tri ne porte que sur eux :
    // le moteur n'a alors qu'un seul tri à faire.
    if (!groupes.isEmpty() && !termesTries.isEmpty()
        && std::all_of(termesTries.cbegin(), termesTries.cend(), [&](const QString& t) { return groupes.contains(t); })) {
        QStringList ordonnes;
        for (const QString& t : termesTries)
            if (!ordonnes.contains(t))
                ordonnes << t;
        for (const QString& g : groupes)
            if (!ordonnes.contains(g))
                ordonnes << g;
        groupes = ordonnes;
    }
    if (!groupes.isEmpty())
        sql += QStringLiteral(" GROUP BY ") + groupes.join(QStringLiteral(", "));
    sql += avoir;
    if (!tris.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + tris.join(QStringLiteral(", "));
    if (sortie)
        *sortie = colonnes;
    return sql;
}

// -------------------------------------------------------------- expressions

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
    return Code{identifiant(source->nom) + u'.' + identifiant(col->nom), col->type, false, std::nullopt};
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
    if (operateursComparaison.contains(op)) {
        const auto c = comparer(op, ea, eb, p);
        if (!c)
            return std::nullopt;
        return Code{*c, TypeValeur::Booleen, false, std::nullopt};
    }

    if (op == QStringLiteral("&")) {
        // Une chaîne a & b & c s'écrit d'un seul tenant.
        QList<Morceau> morceaux;
        std::vector<const ExpressionSql*> pile{&eb};
        const ExpressionSql* gauche = &ea;
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
    const auto a = expression(ea, p);
    const auto b = a ? expression(eb, p) : std::nullopt;
    if (!b)
        return std::nullopt;

    if (op == QStringLiteral("like")) {
        if (eb.genre != Genre::Texte)
            return echec(QStringLiteral("LIKE attend un motif en texte"));
        QString motif = eb.texte;
        motif.replace(u'*', u'%').replace(u'?', u'_');
        const QString sql = comme(texteBrut(*a), litteralTexte(motif));
        return Code{e.negation ? QStringLiteral("(NOT ") + sql + u')' : sql, TypeValeur::Booleen, false, std::nullopt};
    }

    if (op == QStringLiteral("+") || op == QStringLiteral("-")) {
        if (a->type == TypeValeur::Date && b->type != TypeValeur::Date) {
            const auto n = numerique(eb, *b);
            if (!n)
                return std::nullopt;
            return Code{ajouterJours(a->sql, op == QStringLiteral("-") ? QStringLiteral("(-") + n->sql + u')' : n->sql),
                        TypeValeur::Date, false, std::nullopt};
        }
        if (op == QStringLiteral("+") && b->type == TypeValeur::Date && a->type != TypeValeur::Date) {
            const auto n = numerique(ea, *a);
            if (!n)
                return std::nullopt;
            return Code{ajouterJours(b->sql, n->sql), TypeValeur::Date, false, std::nullopt};
        }
        if (op == QStringLiteral("+") && (a->type == TypeValeur::Texte || b->type == TypeValeur::Texte)) {
            // Un nombre et un texte qui se lit comme tel s'additionnent ; le reste se joint en texte.
            const bool aNombre = estNumerique(a->type) || (ea.genre == Genre::Texte && LireNombre(ea.texte));
            const bool bNombre = estNumerique(b->type) || (eb.genre == Genre::Texte && LireNombre(eb.texte));
            const bool unNombre = estNumerique(a->type) || estNumerique(b->type);
            if (!(aNombre && bNombre && unNombre))
                return Code{joindre({{texte(*a), a->sql, a->type, a->constant}, {texte(*b), b->sql, b->type, b->constant}}),
                            TypeValeur::Texte, false, std::nullopt};
        }
    }

    const auto na = numerique(ea, *a);
    const auto nb = na ? numerique(eb, *b) : std::nullopt;
    if (!nb)
        return std::nullopt;
    const TypeValeur type = na->type == TypeValeur::Entier && nb->type == TypeValeur::Entier ? TypeValeur::Entier : TypeValeur::Reel;
    if (op == QStringLiteral("+") || op == QStringLiteral("-") || op == QStringLiteral("*"))
        return Code{u'(' + na->sql + u' ' + op + u' ' + nb->sql + u')', type, false, std::nullopt};
    if (op == QStringLiteral("/"))
        return Code{division(na->sql, nb->sql), TypeValeur::Reel, false, std::nullopt};
    if (op == QStringLiteral("\\"))
        return Code{u'(' + versEntier(*na).sql + QStringLiteral(" / ") + versEntier(*nb).sql + u')', TypeValeur::Entier, false,
                    std::nullopt};
    if (op == QStringLiteral("mod"))
        return Code{u'(' + versEntier(*na).sql + QStringLiteral(" % ") + versEntier(*nb).sql + u')', TypeValeur::Entier, false,
                    std::nullopt};
    if (op == QStringLiteral("^"))
        return Code{puissance(na->sql, nb->sql), TypeValeur::Reel, false, std::nullopt};
    return echec(QStringLiteral("Opérateur non pris en charge : %1").arg(op));
}

std::optional<Traducteur::Code> Traducteur::appel(const ExpressionSql& e, const Portee& p)
{
    const QString& f = e.texte;
    const int n = int(e.enfants.size());
    auto arite = [&](int min, int max) {
        if (n < min || n > max) {
            echec(QStringLiteral("%1 : %2 argument(s) au lieu de %3").arg(f).arg(n).arg(min == max ? QString::number(min)
                                                                                              : QStringLiteral("%1 à %2").arg(min).arg(max)));
            return false;
        }
        return true;
    };
    auto arg = [&](int k) { return expression(*e.enfants[k], p); };

    // Agrégats.
    if (f == QStringLiteral("count")) {
        if (!arite(1, 1))
            return std::nullopt;
        if (e.enfants[0]->genre == Genre::Etoile)
            return Code{QStringLiteral("count(*)"), TypeValeur::Entier, false, std::nullopt};
        const auto c = arg(0);
        if (!c)
            return std::nullopt;
        return Code{QStringLiteral("count(") + valeur(*c) + u')', TypeValeur::Entier, false, std::nullopt};
    }
    if (f == QStringLiteral("min") || f == QStringLiteral("max") || f == QStringLiteral("sum") || f == QStringLiteral("avg")) {
        if (!arite(1, 1))
            return std::nullopt;
        auto c = arg(0);
        if (!c)
            return std::nullopt;
        if (f == QStringLiteral("min") || f == QStringLiteral("max"))
            return Code{f + u'(' + valeur(*c) + u')', c->type, false, std::nullopt};
        c = numerique(*e.enfants[0], *c);
        if (!c)
            return std::nullopt;
        const TypeValeur t = f == QStringLiteral("sum") && c->type == TypeValeur::Entier ? TypeValeur::Entier : TypeValeur::Reel;
        return Code{f + u'(' + c->sql + u')', t, false, std::nullopt};
    }

    // Parties d'une date.
    static const QHash<QString, PartieDate> parties = {
        {QStringLiteral("year"), PartieDate::Annee},    {QStringLiteral("month"), PartieDate::Mois},
        {QStringLiteral("day"), PartieDate::Jour},      {QStringLiteral("hour"), PartieDate::Heure},
        {QStringLiteral("minute"), PartieDate::Minute}, {QStringLiteral("second"), PartieDate::Seconde}};
    if (parties.contains(f)) {
        if (!arite(1, 1))
            return std::nullopt;
        const auto c = arg(0);
        const auto d = c ? versDate(*e.enfants[0], *c, false) : std::nullopt;
        if (!d)
            return std::nullopt;
        const PartieDate partie = parties.value(f);
        if (d->dateConstante) {
            const QDateTime& v = *d->dateConstante;
            int x = 0;
            switch (partie) {
            case PartieDate::Annee: x = v.date().year(); break;
            case PartieDate::Mois: x = v.date().month(); break;
            case PartieDate::Jour: x = v.date().day(); break;
            case PartieDate::Heure: x = v.time().hour(); break;
            case PartieDate::Minute: x = v.time().minute(); break;
            case PartieDate::Seconde: x = v.time().second(); break;
            }
            return Code{QString::number(x), TypeValeur::Entier, true, std::nullopt};
        }
        return Code{partieDate(partie, d->sql), TypeValeur::Entier, false, std::nullopt};
    }

    if (f == QStringLiteral("cvdate") || f == QStringLiteral("cdate") || f == QStringLiteral("datevalue")
        || f == QStringLiteral("timevalue")) {
        if (!arite(1, 1))
            return std::nullopt;
        const ExpressionSql& a = *e.enfants[0];
        // CVDATE(DateCreation & ' ' & Heure) : le jour de l'une joint à l'heure de l'autre.
        if (f != QStringLiteral("timevalue") && a.genre == Genre::Binaire && a.texte == QStringLiteral("&")
            && a.enfants[0]->genre == Genre::Binaire && a.enfants[0]->texte == QStringLiteral("&")
            && a.enfants[0]->enfants[1]->genre == Genre::Texte && a.enfants[0]->enfants[1]->texte == QStringLiteral(" ")) {
            const auto jour = expression(*a.enfants[0]->enfants[0], p);
            const auto heure = jour ? expression(*a.enfants[1], p) : std::nullopt;
            if (!heure)
                return std::nullopt;
            if (jour->type == TypeValeur::Date && heure->type == TypeValeur::Date) {
                const QString sql = combiner(jour->sql, heure->sql);
                return Code{f == QStringLiteral("datevalue") ? jourSeul(sql) : sql, TypeValeur::Date, false, std::nullopt};
            }
        }
        const auto c = arg(0);
        auto d = c ? versDate(a, *c, false) : std::nullopt;
        if (!d)
            return std::nullopt;
        if (f == QStringLiteral("datevalue")) {
            if (d->dateConstante)
                return Code{litteralDate(DateHeure(d->dateConstante->date())), TypeValeur::Date, true,
                            DateHeure(d->dateConstante->date())};
            return Code{jourSeul(d->sql), TypeValeur::Date, false, std::nullopt};
        }
        if (f == QStringLiteral("timevalue"))
            return Code{heureSeule(d->sql), TypeValeur::Date, false, std::nullopt};
        return d;
    }

    if (f == QStringLiteral("instr")) {
        if (!arite(2, 3))
            return std::nullopt;
        QString debut;
        int k = 0;
        if (n == 3) {
            const auto c = arg(0);
            const auto x = c ? numerique(*e.enfants[0], *c) : std::nullopt;
            if (!x)
                return std::nullopt;
            debut = versEntier(*x).sql;
            k = 1;
        }
        const auto s = arg(k);
        const auto t = s ? arg(k + 1) : std::nullopt;
        if (!t)
            return std::nullopt;
        return Code{instr(debut == QStringLiteral("1") ? QString() : debut, texteBrut(*s), texteBrut(*t)), TypeValeur::Entier,
                    false, std::nullopt};
    }

    if (f == QStringLiteral("format")) {
        if (!arite(2, 2))
            return std::nullopt;
        if (e.enfants[1]->genre != Genre::Texte)
            return echec(QStringLiteral("Format : le motif doit être un texte"));
        const QString motif = e.enfants[1]->texte;
        const auto c = arg(0);
        if (!c)
            return std::nullopt;
        static const QRegularExpression motifNombre(QStringLiteral("^#*0+(\\.0+)?$"));
        const auto m = motifNombre.match(motif);
        if (m.hasMatch() && c->type != TypeValeur::Date) {
            const auto x = versNombre(*e.enfants[0], *c);
            if (!x)
                return std::nullopt;
            const int point = int(motif.indexOf(u'.'));
            const int entiers = int(motif.left(point < 0 ? motif.size() : point).count(u'0'));
            const int decimales = point < 0 ? 0 : int(motif.size()) - point - 1;
            return Code{formatNombre(x->sql, motif, entiers, decimales), TypeValeur::Texte, false, std::nullopt};
        }
        // Motifs de date communs aux deux moteurs : d dd m mm yy yyyy h hh n nn s ss.
        static const QRegularExpression motifDate(
            QStringLiteral("^(?:(?:d|m|h|n|s){1,2}|yy|yyyy|[/:\\- .])+$"), QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression suite(QStringLiteral("(d{3,}|m{3,}|h{3,}|n{3,}|s{3,}|y{5,}|(?<!y)y(?!y)|(?<!y)yyy(?!y))"),
                                              QRegularExpression::CaseInsensitiveOption);
        if (!motifDate.match(motif).hasMatch() || suite.match(motif).hasMatch())
            return echec(QStringLiteral("Format : motif « %1 » non pris en charge").arg(motif));
        const auto d = versDate(*e.enfants[0], *c, false);
        if (!d)
            return std::nullopt;
        const QString sql = formatDate(d->sql, motif);
        if (sql.isEmpty())
            return echec(QStringLiteral("Format : motif « %1 » non pris en charge").arg(motif));
        return Code{sql, TypeValeur::Texte, false, std::nullopt};
    }

    if (f == QStringLiteral("trim") || f == QStringLiteral("ltrim") || f == QStringLiteral("rtrim")
        || f == QStringLiteral("ucase") || f == QStringLiteral("lcase") || f == QStringLiteral("len")
        || f == QStringLiteral("cstr")) {
        if (!arite(1, 1))
            return std::nullopt;
        const auto c = arg(0);
        if (!c)
            return std::nullopt;
        // Comme dans le runtime, ces fonctions rendent NULL pour NULL.
        const QString t = texteBrut(*c);
        if (f == QStringLiteral("cstr"))
            return Code{t, TypeValeur::Texte, false, std::nullopt};
        if (f == QStringLiteral("len"))
            return Code{QStringLiteral("length(") + t + u')', TypeValeur::Entier, false, std::nullopt};
        const QString nom = f == QStringLiteral("ucase") ? QStringLiteral("upper") : f == QStringLiteral("lcase") ? QStringLiteral("lower") : f;
        return Code{nom + u'(' + t + u')', TypeValeur::Texte, false, std::nullopt};
    }

    if (f == QStringLiteral("mid") || f == QStringLiteral("left") || f == QStringLiteral("right")) {
        if (!arite(2, f == QStringLiteral("mid") ? 3 : 2))
            return std::nullopt;
        const auto s = arg(0);
        if (!s)
            return std::nullopt;
        QStringList nombres;
        for (int k = 1; k < n; ++k) {
            const auto c = arg(k);
            const auto x = c ? numerique(*e.enfants[k], *c) : std::nullopt;
            if (!x)
                return std::nullopt;
            nombres << versEntier(*x).sql;
        }
        const QString t = texteBrut(*s);
        if (f == QStringLiteral("left"))
            return Code{gauche(t, nombres[0]), TypeValeur::Texte, false, std::nullopt};
        if (f == QStringLiteral("right"))
            return Code{droite(t, nombres[0]), TypeValeur::Texte, false, std::nullopt};
        return Code{sousTexte(t, nombres[0], nombres.value(1)), TypeValeur::Texte, false, std::nullopt};
    }

    if (f == QStringLiteral("cint") || f == QStringLiteral("clng") || f == QStringLiteral("cdbl") || f == QStringLiteral("csng")
        || f == QStringLiteral("int") || f == QStringLiteral("fix") || f == QStringLiteral("abs") || f == QStringLiteral("val")) {
        if (!arite(1, 1))
            return std::nullopt;
        const auto c = arg(0);
        if (!c)
            return std::nullopt;
        if (f == QStringLiteral("val"))
            return Code{val(texte(*c)), TypeValeur::Reel, false, std::nullopt};
        const auto x = versNombre(*e.enfants[0], *c);
        if (!x)
            return std::nullopt;
        if (f == QStringLiteral("cint") || f == QStringLiteral("clng"))
            return versEntier(*x);
        if (f == QStringLiteral("cdbl") || f == QStringLiteral("csng"))
            return Code{x->sql, x->type == TypeValeur::Inconnu ? TypeValeur::Reel : x->type, x->constant, std::nullopt};
        if (x->type == TypeValeur::Entier && f != QStringLiteral("abs"))
            return x;
        if (f == QStringLiteral("abs"))
            return Code{QStringLiteral("abs(") + x->sql + u')', x->type, false, std::nullopt};
        return Code{f == QStringLiteral("int") ? plancher(x->sql) : tronque(x->sql), TypeValeur::Reel, false, std::nullopt};
    }

    if (f == QStringLiteral("iif")) {
        if (!arite(3, 3))
            return std::nullopt;
        const auto c = condition(*e.enfants[0], p);
        const auto a = c ? arg(1) : std::nullopt;
        const auto b = a ? arg(2) : std::nullopt;
        if (!b)
            return std::nullopt;
        const TypeValeur t = a->type == b->type ? a->type : TypeValeur::Inconnu;
        return Code{QStringLiteral("(CASE WHEN ") + *c + QStringLiteral(" THEN ") + valeur(*a) + QStringLiteral(" ELSE ")
                        + valeur(*b) + QStringLiteral(" END)"),
                    t, false, std::nullopt};
    }
    if (f == QStringLiteral("nz")) {
        if (!arite(1, 2))
            return std::nullopt;
        const auto a = arg(0);
        if (!a)
            return std::nullopt;
        QString defaut = a->type == TypeValeur::Texte ? QStringLiteral("''") : QStringLiteral("0");
        if (n == 2) {
            const auto b = arg(1);
            if (!b)
                return std::nullopt;
            defaut = valeur(*b);
        }
        return Code{QStringLiteral("coalesce(") + valeur(*a) + QStringLiteral(", ") + defaut + u')', a->type, false, std::nullopt};
    }
    return echec(QStringLiteral("Fonction inconnue : %1").arg(f));
}

// -------------------------------------------------------------- conversions

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
        // Une date seule écrite en texte est celle du runtime, jour d'abord
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
