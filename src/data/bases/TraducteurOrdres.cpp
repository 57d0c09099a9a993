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
    bool ok = false;
    if (i.genre == InstructionSql::Genre::Selection) {
        ok = traduireSelection(i, t);
    } else {
        t.table = i.table;
        const QList<ColonneTable> colonnes = m_catalogue(i.table);
        if (colonnes.isEmpty())
            echec(QStringLiteral("Table inconnue : %1").arg(i.table));
        else if (i.genre == InstructionSql::Genre::Insertion)
            ok = traduireInsertion(i, colonnes, t);
        else
            ok = traduireModification(i, colonnes, t);
    }
    if (!ok) {
        erreur = m_erreur.isEmpty() ? QStringLiteral("Ordre non traduit") : m_erreur;
        return std::nullopt;
    }
    return t;
}

bool Traducteur::traduireSelection(const InstructionSql& i, Traduction& t)
{
    QList<ColonneVisible> sortie;
    const auto sql = requete(*i.requete, &sortie);
    if (!sql)
        return false;
    t.sql = *sql;
    for (const ColonneVisible& c : sortie)
        t.typesSortie << c.type;
    return true;
}

const ColonneTable* Traducteur::colonneCible(const QList<ColonneTable>& colonnes, const QString& nom)
{
    for (const ColonneTable& c : colonnes)
        if (memeNom(c.nom, nom))
            return &c;
    echec(QStringLiteral("Colonne inconnue : %1").arg(nom));
    return nullptr;
}

// Les colonnes que remplit un INSERT : celles nommées, ou sans liste les premières, par position.
bool Traducteur::ciblesInsertion(const InstructionSql& i, const QList<ColonneTable>& colonnes, QList<const ColonneTable*>& cibles)
{
    if (!i.colonnes.isEmpty()) {
        for (const QString& nom : i.colonnes) {
            const ColonneTable* c = colonneCible(colonnes, nom);
            if (!c)
                return false;
            cibles << c;
        }
        return true;
    }
    const int n = i.requete ? int(i.requete->elements.size()) : int(i.valeurs.size());
    if (n > colonnes.size()) {
        echec(QStringLiteral("%1 valeurs pour les %2 colonnes de %3").arg(n).arg(colonnes.size()).arg(i.table));
        return false;
    }
    for (int k = 0; k < n; ++k)
        cibles << &colonnes[k];
    return true;
}

bool Traducteur::traduireInsertion(const InstructionSql& i, const QList<ColonneTable>& colonnes, Traduction& t)
{
    QList<const ColonneTable*> cibles;
    if (!ciblesInsertion(i, colonnes, cibles))
        return false;
    QStringList noms;
    for (const ColonneTable* c : cibles)
        noms << identifiant(c->nom);
    t.sql = QStringLiteral("INSERT INTO ") + identifiant(i.table) + QStringLiteral(" (") + noms.join(QStringLiteral(", "))
        + QStringLiteral(") ");
    if (i.requete) {
        QList<ColonneVisible> sortie;
        const auto sql = requete(*i.requete, &sortie);
        if (!sql)
            return false;
        if (sortie.size() != cibles.size()) {
            echec(QStringLiteral("%1 colonnes pour %2 valeurs").arg(cibles.size()).arg(sortie.size()));
            return false;
        }
        t.sql += *sql;
        return true;
    }
    if (int(i.valeurs.size()) != cibles.size()) {
        echec(QStringLiteral("%1 colonnes pour %2 valeurs").arg(cibles.size()).arg(i.valeurs.size()));
        return false;
    }
    QStringList valeurs;
    const Portee aucune;
    for (int k = 0; k < cibles.size(); ++k) {
        const auto v = affectation(*i.valeurs[k], typeDeColonne(cibles[k]->type), aucune);
        if (!v)
            return false;
        valeurs << v->sql;
    }
    t.sql += QStringLiteral("VALUES (") + valeurs.join(QStringLiteral(", ")) + u')';
    return true;
}

// UPDATE et DELETE : sur une seule table, avec leur condition.
bool Traducteur::traduireModification(const InstructionSql& i, const QList<ColonneTable>& colonnes, Traduction& t)
{
    Portee p;
    SourceVisible s{i.table, {}};
    for (const ColonneTable& c : colonnes)
        s.colonnes.append({c.nom, typeDeColonne(c.type)});
    p.sources << s;
    if (i.genre == InstructionSql::Genre::MiseAJour) {
        QStringList affectations;
        for (int k = 0; k < i.colonnes.size(); ++k) {
            const ColonneTable* c = colonneCible(colonnes, i.colonnes[k]);
            const auto v = c ? affectation(*i.valeurs[k], typeDeColonne(c->type), p) : std::nullopt;
            if (!v)
                return false;
            affectations << identifiant(c->nom) + QStringLiteral(" = ") + v->sql;
        }
        t.sql = QStringLiteral("UPDATE ") + identifiant(i.table) + QStringLiteral(" SET ") + affectations.join(QStringLiteral(", "));
    } else {
        t.sql = QStringLiteral("DELETE FROM ") + identifiant(i.table);
    }
    if (i.condition) {
        const auto c = condition(*i.condition, p);
        if (!c)
            return false;
        t.sql += QStringLiteral(" WHERE ") + *c;
    }
    return true;
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
                sv.colonnes.append({c.nom, typeDeColonne(c.type), c.jamaisNulle});
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

std::optional<QString> Traducteur::requete(const RequeteSql& r, QList<ColonneVisible>* sortie)
{
    Portee p;
    QStringList from;
    if (!portee(r, p, from))
        return std::nullopt;
    QString sql;
    QList<ColonneVisible> colonnes;
    if (deuxEtages(r, p, from.value(0), sql, colonnes)) {
        if (sortie)
            *sortie = colonnes;
        return sql;
    }
    if (!m_erreur.isEmpty())
        return std::nullopt;

    QStringList elements, groupes, tris, termesTries;
    QList<TypeValeur> typesGroupes;
    QString filtre, avoir;
    if (!elementsSelection(r, p, elements, colonnes) || !conditionSql(r.condition.get(), p, QStringLiteral(" WHERE "), filtre)
        || !groupesSelection(r, p, groupes, typesGroupes)
        || !conditionSql(r.conditionGroupes.get(), p, QStringLiteral(" HAVING "), avoir))
        return std::nullopt;
    p.dansTri = true;
    // Un regroupement sans tri sort dans l'ordre de ses groupes : les chargeurs
    // lisent ses lignes dans cet ordre, sur les deux moteurs.
    if (r.tris.empty() && !r.distinct)
        for (int k = 0; k < groupes.size(); ++k) {
            termesTries << groupes[k];
            tris << groupes[k] + (typesGroupes[k] == TypeValeur::Texte ? collationTexte() : QString()) + nulsEnTete(false);
        }
    if (!trisSelection(r, p, int(colonnes.size()), tris, termesTries))
        return std::nullopt;
    groupesSelonLeTri(groupes, termesTries);

    sql = QStringLiteral("SELECT ") + (r.distinct ? QStringLiteral("DISTINCT ") : QString()) + elements.join(QStringLiteral(", "));
    if (!from.isEmpty() && !from.first().isEmpty())
        sql += QStringLiteral(" FROM ") + from.first();
    sql += filtre;
    if (!groupes.isEmpty())
        sql += QStringLiteral(" GROUP BY ") + groupes.join(QStringLiteral(", "));
    sql += avoir;
    if (!tris.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + tris.join(QStringLiteral(", "));
    if (sortie)
        *sortie = colonnes;
    return sql;
}

bool Traducteur::conditionSql(const ExpressionSql* e, const Portee& p, const QString& motCle, QString& sql)
{
    if (!e)
        return true;
    const auto c = condition(*e, p);
    if (!c)
        return false;
    sql = motCle + *c;
    return true;
}

// « * » ou « t.* » : les colonnes des sources nommées.
bool Traducteur::etoile(const RequeteSql::Element& el, const Portee& p, QStringList& elements, QList<ColonneVisible>& colonnes)
{
    bool trouve = false;
    for (const SourceVisible& s : p.sources) {
        if (!el.qualificatifEtoile.isEmpty() && !memeNom(s.nom, el.qualificatifEtoile))
            continue;
        trouve = true;
        colonnes << s.colonnes;
    }
    if (!trouve) {
        echec(el.qualificatifEtoile.isEmpty() ? QStringLiteral("« * » sans table")
                                              : QStringLiteral("Table ou alias inconnu : %1").arg(el.qualificatifEtoile));
        return false;
    }
    elements << (el.qualificatifEtoile.isEmpty() ? QStringLiteral("*") : identifiant(el.qualificatifEtoile) + QStringLiteral(".*"));
    return true;
}

bool Traducteur::elementsSelection(const RequeteSql& r, Portee& p, QStringList& elements, QList<ColonneVisible>& colonnes)
{
    for (const RequeteSql::Element& el : r.elements) {
        if (!el.expression) {
            if (!etoile(el, p, elements, colonnes))
                return false;
            continue;
        }
        const auto c = expression(*el.expression, p);
        if (!c)
            return false;
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
    return true;
}

bool Traducteur::groupesSelection(const RequeteSql& r, const Portee& p, QStringList& groupes, QList<TypeValeur>& types)
{
    for (const auto& g : r.groupes) {
        // Une constante ne sépare pas de groupes ; les moteurs la refusent ou lisent un nombre comme une position.
        if (litteral(*g))
            continue;
        const auto c = expression(*g, p);
        if (!c)
            return false;
        groupes << valeur(*c);
        types << c->type;
    }
    return true;
}

bool Traducteur::trisSelection(const RequeteSql& r, const Portee& p, int nombreChamps, QStringList& tris, QStringList& termesTries)
{
    for (const RequeteSql::Tri& t : r.tris) {
        const ExpressionSql& e = *t.expression;
        QString terme;
        bool sansNul = false;
        if (e.genre == Genre::Nombre) {
            bool ok = false;
            const int position = e.texte.toInt(&ok);
            if (!ok || position < 1 || position > nombreChamps) {
                echec(QStringLiteral("ORDER BY %1 : pas de champ à cette position").arg(e.texte));
                return false;
            }
            terme = QString::number(position);
            termesTries << QString();
        } else if (litteral(e)) {
            continue;
        } else {
            const auto c = expression(e, p);
            if (!c)
                return false;
            terme = valeur(*c);
            termesTries << terme;
            // Sans NULL à placer, le tri est celui de la clé : le moteur la parcourt au lieu de trier.
            sansNul = c->jamaisNul;
            // Le même ordre des textes sur chaque moteur ; DISTINCT veut l'expression nue.
            if (c->type == TypeValeur::Texte && !r.distinct)
                terme += collationTexte();
        }
        tris << terme + (t.descendant ? QStringLiteral(" DESC") : QString()) + (sansNul ? QString() : nulsEnTete(t.descendant));
    }
    return true;
}

// Les groupes dans l'ordre du tri, quand le tri ne porte que sur eux : le
// moteur n'a alors qu'un seul tri à faire.
void Traducteur::groupesSelonLeTri(QStringList& groupes, const QStringList& termesTries)
{
    if (groupes.isEmpty() || termesTries.isEmpty()
        || !std::all_of(termesTries.cbegin(), termesTries.cend(), [&](const QString& t) { return groupes.contains(t); }))
        return;
    QStringList ordonnes;
    for (const QString& t : termesTries)
        if (!ordonnes.contains(t))
            ordonnes << t;
    for (const QString& g : groupes)
        if (!ordonnes.contains(g))
            ordonnes << g;
    groupes = ordonnes;
}
