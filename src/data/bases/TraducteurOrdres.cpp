// Assemblage des ordres : INSERT, UPDATE, DELETE, et SELECT avec ses sources, ses
// groupes et ses tris.
#include "data/bases/Traducteur.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/bases/OutilsTraduction.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

using namespace OutilsTraduction;

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
