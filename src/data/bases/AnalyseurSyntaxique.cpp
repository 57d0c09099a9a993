#include "data/bases/AnalyseurSyntaxique.h"

#include "commun/TexteAffichable.h"
#include "data/bases/AnalyseurLexical.h"
#include "data/bases/Traducteur.h"

#include <QSet>

namespace {

using Expr = std::unique_ptr<ExpressionSql>;

const QSet<QString>& motsCles()
{
    static const QSet<QString> mots = {
        QStringLiteral("select"), QStringLiteral("distinct"), QStringLiteral("all"),    QStringLiteral("from"),
        QStringLiteral("where"),  QStringLiteral("group"),    QStringLiteral("by"),     QStringLiteral("having"),
        QStringLiteral("order"),  QStringLiteral("asc"),      QStringLiteral("desc"),   QStringLiteral("as"),
        QStringLiteral("and"),    QStringLiteral("or"),       QStringLiteral("not"),    QStringLiteral("is"),
        QStringLiteral("null"),   QStringLiteral("in"),       QStringLiteral("between"), QStringLiteral("like"),
        QStringLiteral("on"),     QStringLiteral("join"),     QStringLiteral("inner"),  QStringLiteral("left"),
        QStringLiteral("right"),  QStringLiteral("union"),    QStringLiteral("insert"), QStringLiteral("into"),
        QStringLiteral("values"), QStringLiteral("update"),   QStringLiteral("set"),    QStringLiteral("delete"),
        QStringLiteral("mod"),    QStringLiteral("top"),      QStringLiteral("xor"),    QStringLiteral("drop"),
        QStringLiteral("create"), QStringLiteral("alter")};
    return mots;
}

} // namespace

AnalyseurSyntaxique::AnalyseurSyntaxique(QList<JetonSql> jetons, const QString& sql)
    : m_jetons(std::move(jetons))
    , m_sql(sql)
{
}

std::unique_ptr<InstructionSql> AnalyseurSyntaxique::analyser(const QString& sql, QString& erreur)
{
    if (sql.size() > longueurMax) {
        erreur = QStringLiteral("ordre trop long : %1 caractères (%2 au plus)").arg(sql.size()).arg(longueurMax);
        return nullptr;
    }
    auto jetons = AnalyseurLexical::decouper(sql, erreur);
    if (!jetons)
        return nullptr;
    AnalyseurSyntaxique a(std::move(*jetons), sql);
    auto i = a.instruction();
    if (!i) {
        erreur = a.m_erreur;
        return nullptr;
    }
    return i;
}

Expr AnalyseurSyntaxique::binaire(const QString& op, Expr a, Expr b)
{
    auto e = std::make_unique<ExpressionSql>(ExpressionSql::Genre::Binaire, op);
    e->ajouter(std::move(a));
    e->ajouter(std::move(b));
    return borne(std::move(e));
}

Expr AnalyseurSyntaxique::borne(Expr e)
{
    if (e && e->hauteur > hauteurMax)
        return echec(QStringLiteral("expression trop longue : plus de %1 opérations enchaînées").arg(hauteurMax));
    return e;
}

const JetonSql& AnalyseurSyntaxique::suivant(int decalage) const
{
    const int p = std::min(m_position + decalage, int(m_jetons.size()) - 1);
    return m_jetons.at(p);
}

bool AnalyseurSyntaxique::motCle(const char* mot, int decalage) const
{
    const JetonSql& j = suivant(decalage);
    return j.genre == JetonSql::Genre::Identifiant && !j.entreCrochets
        && j.texte.compare(QLatin1String(mot), Qt::CaseInsensitive) == 0;
}

bool AnalyseurSyntaxique::accepterMotCle(const char* mot)
{
    if (!motCle(mot))
        return false;
    ++m_position;
    return true;
}

bool AnalyseurSyntaxique::symbole(const char* s, int decalage) const
{
    const JetonSql& j = suivant(decalage);
    return j.genre == JetonSql::Genre::Symbole && j.texte == QLatin1String(s);
}

bool AnalyseurSyntaxique::accepterSymbole(const char* s)
{
    if (!symbole(s))
        return false;
    ++m_position;
    return true;
}

std::nullptr_t AnalyseurSyntaxique::echec(const QString& quoi)
{
    if (m_erreur.isEmpty()) {
        const JetonSql& j = courant();
        if (j.genre == JetonSql::Genre::Fin)
            m_erreur = QStringLiteral("%1 : fin de l'ordre atteinte").arg(quoi);
        else
            m_erreur = QStringLiteral("%1 à la position %2 : « %3 »").arg(quoi).arg(j.position + 1).arg(TexteAffichable(m_sql.mid(j.position, 20)));
    }
    return nullptr;
}

bool AnalyseurSyntaxique::attendreMotCle(const char* mot)
{
    if (accepterMotCle(mot))
        return true;
    echec(QStringLiteral("%1 attendu").arg(QString::fromLatin1(mot).toUpper()));
    return false;
}

bool AnalyseurSyntaxique::attendreSymbole(const char* s)
{
    if (accepterSymbole(s))
        return true;
    echec(QStringLiteral("« %1 » attendu").arg(QLatin1String(s)));
    return false;
}

bool AnalyseurSyntaxique::nomLibre(int decalage) const
{
    const JetonSql& j = suivant(decalage);
    if (j.genre != JetonSql::Genre::Identifiant)
        return false;
    return j.entreCrochets || !motsCles().contains(j.texte.toLower());
}

QString AnalyseurSyntaxique::nom()
{
    if (!nomLibre()) {
        echec(QStringLiteral("Nom attendu"));
        return QString();
    }
    return m_jetons.at(m_position++).texte;
}

std::unique_ptr<InstructionSql> AnalyseurSyntaxique::instruction()
{
    auto i = std::make_unique<InstructionSql>();
    bool lu = false;
    if (motCle("select")) {
        i->genre = InstructionSql::Genre::Selection;
        i->requete = requete();
        lu = i->requete != nullptr;
    } else if (accepterMotCle("insert")) {
        i->genre = InstructionSql::Genre::Insertion;
        lu = insertion(*i);
    } else if (accepterMotCle("update")) {
        i->genre = InstructionSql::Genre::MiseAJour;
        lu = miseAJour(*i);
    } else if (accepterMotCle("delete")) {
        i->genre = InstructionSql::Genre::Suppression;
        accepterSymbole("*");
        i->table = attendreMotCle("from") ? nom() : QString();
        lu = !i->table.isEmpty() && conditionFacultative(i->condition);
    } else {
        return echec(QStringLiteral("SELECT, INSERT, UPDATE ou DELETE attendu"));
    }
    if (!lu)
        return nullptr;
    accepterSymbole(";");
    if (courant().genre != JetonSql::Genre::Fin) {
        if (m_position > 0 && m_jetons.at(m_position - 1).texte == QStringLiteral(";"))
            return echec(QStringLiteral("Un seul ordre par texte : la suite est refusée"));
        return echec(QStringLiteral("Fin de l'ordre attendue"));
    }
    return i;
}

bool AnalyseurSyntaxique::conditionFacultative(std::unique_ptr<ExpressionSql>& condition)
{
    if (!accepterMotCle("where"))
        return true;
    condition = expression();
    return condition != nullptr;
}

// Une liste entre virgules ; faux au premier élément fautif.
bool AnalyseurSyntaxique::liste(const std::function<bool()>& element)
{
    do {
        if (!element())
            return false;
    } while (accepterSymbole(","));
    return true;
}

bool AnalyseurSyntaxique::insertion(InstructionSql& i)
{
    if (!attendreMotCle("into"))
        return false;
    i.table = nom();
    if (i.table.isEmpty())
        return false;
    if (accepterSymbole("(")) {
        const bool colonnes = liste([&] {
            const QString c = nom();
            i.colonnes << c;
            return !c.isEmpty();
        });
        if (!colonnes || !attendreSymbole(")"))
            return false;
    }
    if (accepterMotCle("values"))
        return attendreSymbole("(") && liste([&] {
                   auto v = expression();
                   const bool ok = v != nullptr;
                   i.valeurs.push_back(std::move(v));
                   return ok;
               })
            && attendreSymbole(")");
    if (motCle("select")) {
        i.requete = requete();
        return i.requete != nullptr;
    }
    echec(QStringLiteral("VALUES ou SELECT attendu"));
    return false;
}

bool AnalyseurSyntaxique::miseAJour(InstructionSql& i)
{
    i.table = nom();
    if (i.table.isEmpty() || !attendreMotCle("set"))
        return false;
    const bool affectations = liste([&] {
        const QString c = nom();
        if (c.isEmpty() || !attendreSymbole("="))
            return false;
        auto v = expression();
        if (!v)
            return false;
        i.colonnes << c;
        i.valeurs.push_back(std::move(v));
        return true;
    });
    return affectations && conditionFacultative(i.condition);
}

std::unique_ptr<RequeteSql> AnalyseurSyntaxique::requete()
{
    const Niveau niveau(*this);
    if (niveau.depasse())
        return echec(QStringLiteral("ordre trop imbriqué : plus de %1 niveaux").arg(imbricationMax));
    if (!attendreMotCle("select"))
        return nullptr;
    auto r = std::make_unique<RequeteSql>();
    if (accepterMotCle("distinct"))
        r->distinct = true;
    else
        accepterMotCle("all");
    if (motCle("top"))
        return echec(QStringLiteral("TOP n'est pas pris en charge"));
    if (!liste([&] { return elementSelection(*r); }) || !sources(*r) || !conditionFacultative(r->condition) || !groupesEtAvoir(*r)
        || !tris(*r))
        return nullptr;
    if (motCle("union"))
        return echec(QStringLiteral("UNION n'est pas pris en charge"));
    return r;
}

// *, t.*, ou une expression avec son nom facultatif.
bool AnalyseurSyntaxique::elementSelection(RequeteSql& r)
{
    RequeteSql::Element el;
    if (accepterSymbole("*")) {
        r.elements.push_back(std::move(el));
        return true;
    }
    if (nomLibre() && symbole(".", 1) && symbole("*", 2)) {
        el.qualificatifEtoile = nom();
        m_position += 2;
        r.elements.push_back(std::move(el));
        return true;
    }
    el.expression = expression();
    if (!el.expression)
        return false;
    if (accepterMotCle("as")) {
        el.alias = nom();
        if (el.alias.isEmpty())
            return false;
    } else if (nomLibre()) {
        el.alias = nom();
    }
    r.elements.push_back(std::move(el));
    return true;
}

bool AnalyseurSyntaxique::sources(RequeteSql& r)
{
    if (!accepterMotCle("from"))
        return true;
    if (!liste([&] { return source(r); }))
        return false;
    if (motCle("join") || motCle("inner") || motCle("left") || motCle("right")) {
        echec(QStringLiteral("Les jointures JOIN ne sont pas prises en charge"));
        return false;
    }
    return true;
}

bool AnalyseurSyntaxique::groupesEtAvoir(RequeteSql& r)
{
    if (accepterMotCle("group")) {
        if (!attendreMotCle("by"))
            return false;
        const bool groupes = liste([&] {
            auto g = expression();
            const bool ok = g != nullptr;
            r.groupes.push_back(std::move(g));
            return ok;
        });
        if (!groupes)
            return false;
    }
    if (!accepterMotCle("having"))
        return true;
    r.conditionGroupes = expression();
    return r.conditionGroupes != nullptr;
}

bool AnalyseurSyntaxique::tris(RequeteSql& r)
{
    if (!accepterMotCle("order"))
        return true;
    if (!attendreMotCle("by"))
        return false;
    return liste([&] {
        RequeteSql::Tri t;
        t.expression = expression();
        if (!t.expression)
            return false;
        if (accepterMotCle("desc"))
            t.descendant = true;
        else
            accepterMotCle("asc");
        r.tris.push_back(std::move(t));
        return true;
    });
}

bool AnalyseurSyntaxique::source(RequeteSql& r)
{
    RequeteSql::Source s;
    if (accepterSymbole("(")) {
        s.sousRequete = requete();
        if (!s.sousRequete || !attendreSymbole(")"))
            return false;
    } else {
        s.table = nom();
        if (s.table.isEmpty())
            return false;
    }
    if (accepterMotCle("as")) {
        s.alias = nom();
        if (s.alias.isEmpty())
            return false;
    } else if (nomLibre()) {
        s.alias = nom();
    }
    if (s.sousRequete && s.alias.isEmpty()) {
        echec(QStringLiteral("Une sous-requête demande un nom"));
        return false;
    }
    r.sources.push_back(std::move(s));
    return true;
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::expression()
{
    const Niveau niveau(*this);
    if (niveau.depasse())
        return echec(QStringLiteral("ordre trop imbriqué : plus de %1 niveaux").arg(imbricationMax));
    return borne(ou());
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::ou()
{
    auto g = et();
    while (g && (motCle("or") || motCle("xor"))) {
        const QString op = m_jetons.at(m_position++).texte.toLower();
        auto d = et();
        if (!d)
            return nullptr;
        g = binaire(op, std::move(g), std::move(d));
    }
    return g;
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::et()
{
    auto g = non();
    while (g && accepterMotCle("and")) {
        auto d = non();
        if (!d)
            return nullptr;
        g = binaire(QStringLiteral("and"), std::move(g), std::move(d));
    }
    return g;
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::non()
{
    if (accepterMotCle("not")) {
        const Niveau niveau(*this);
        if (niveau.depasse())
            return echec(QStringLiteral("ordre trop imbriqué : plus de %1 niveaux").arg(imbricationMax));
        auto e = non();
        if (!e)
            return nullptr;
        auto n = std::make_unique<ExpressionSql>(ExpressionSql::Genre::Unaire, QStringLiteral("not"));
        n->ajouter(std::move(e));
        return n;
    }
    return comparaison();
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::comparaison()
{
    auto g = concatenation();
    if (!g)
        return nullptr;
    static const char* const operateurs[] = {"=", "<>", "<", ">", "<=", ">="};
    for (const char* op : operateurs) {
        if (accepterSymbole(op)) {
            auto d = concatenation();
            if (!d)
                return nullptr;
            return binaire(QString::fromLatin1(op), std::move(g), std::move(d));
        }
    }
    if (accepterMotCle("is")) {
        auto e = std::make_unique<ExpressionSql>(ExpressionSql::Genre::EstNul);
        e->negation = accepterMotCle("not");
        if (!attendreMotCle("null"))
            return nullptr;
        e->ajouter(std::move(g));
        return e;
    }
    const bool negation = motCle("not") && (motCle("between", 1) || motCle("in", 1) || motCle("like", 1));
    if (negation)
        ++m_position;
    if (accepterMotCle("between")) {
        auto bas = concatenation();
        if (!bas || !attendreMotCle("and"))
            return nullptr;
        auto haut = concatenation();
        if (!haut)
            return nullptr;
        auto e = std::make_unique<ExpressionSql>(ExpressionSql::Genre::Entre);
        e->negation = negation;
        e->ajouter(std::move(g));
        e->ajouter(std::move(bas));
        e->ajouter(std::move(haut));
        return e;
    }
    if (accepterMotCle("in")) {
        if (!attendreSymbole("("))
            return nullptr;
        auto e = std::make_unique<ExpressionSql>(ExpressionSql::Genre::Dans);
        e->negation = negation;
        e->ajouter(std::move(g));
        do {
            auto v = concatenation();
            if (!v)
                return nullptr;
            e->ajouter(std::move(v));
        } while (accepterSymbole(","));
        if (!attendreSymbole(")"))
            return nullptr;
        return e;
    }
    if (accepterMotCle("like")) {
        auto motif = concatenation();
        if (!motif)
            return nullptr;
        auto e = binaire(QStringLiteral("like"), std::move(g), std::move(motif));
        e->negation = negation;
        return e;
    }
    return g;
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::concatenation()
{
    auto g = addition();
    while (g && accepterSymbole("&")) {
        auto d = addition();
        if (!d)
            return nullptr;
        g = binaire(QStringLiteral("&"), std::move(g), std::move(d));
    }
    return g;
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::addition()
{
    auto g = modulo();
    while (g && (symbole("+") || symbole("-"))) {
        const QString op = m_jetons.at(m_position++).texte;
        auto d = modulo();
        if (!d)
            return nullptr;
        g = binaire(op, std::move(g), std::move(d));
    }
    return g;
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::modulo()
{
    auto g = divisionEntiere();
    while (g && accepterMotCle("mod")) {
        auto d = divisionEntiere();
        if (!d)
            return nullptr;
        g = binaire(QStringLiteral("mod"), std::move(g), std::move(d));
    }
    return g;
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::divisionEntiere()
{
    auto g = multiplication();
    while (g && accepterSymbole("\\")) {
        auto d = multiplication();
        if (!d)
            return nullptr;
        g = binaire(QStringLiteral("\\"), std::move(g), std::move(d));
    }
    return g;
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::multiplication()
{
    auto g = unaire();
    while (g && (symbole("*") || symbole("/"))) {
        const QString op = m_jetons.at(m_position++).texte;
        auto d = unaire();
        if (!d)
            return nullptr;
        g = binaire(op, std::move(g), std::move(d));
    }
    return g;
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::unaire()
{
    if (symbole("-") || symbole("+")) {
        const Niveau niveau(*this);
        if (niveau.depasse())
            return echec(QStringLiteral("ordre trop imbriqué : plus de %1 niveaux").arg(imbricationMax));
        const QString op = m_jetons.at(m_position++).texte;
        auto e = unaire();
        if (!e)
            return nullptr;
        if (op == QStringLiteral("+"))
            return e;
        // -12.5 reste un littéral, tel qu'écrit.
        if (e->genre == ExpressionSql::Genre::Nombre && !e->texte.startsWith(u'-')) {
            e->texte.prepend(u'-');
            return e;
        }
        auto n = std::make_unique<ExpressionSql>(ExpressionSql::Genre::Unaire, op);
        n->ajouter(std::move(e));
        return n;
    }
    return puissance();
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::puissance()
{
    auto g = primaire();
    while (g && accepterSymbole("^")) {
        auto d = primaire();
        if (!d)
            return nullptr;
        g = binaire(QStringLiteral("^"), std::move(g), std::move(d));
    }
    return g;
}

std::unique_ptr<ExpressionSql> AnalyseurSyntaxique::primaire()
{
    const JetonSql j = courant();
    switch (j.genre) {
    case JetonSql::Genre::Nombre:
        ++m_position;
        return std::make_unique<ExpressionSql>(ExpressionSql::Genre::Nombre, j.texte);
    case JetonSql::Genre::Texte:
        ++m_position;
        return std::make_unique<ExpressionSql>(ExpressionSql::Genre::Texte, j.texte);
    case JetonSql::Genre::Date: {
        const auto d = Traducteur::dateLitterale(j.texte);
        if (!d)
            return echec(QStringLiteral("Date littérale impossible"));
        ++m_position;
        auto e = std::make_unique<ExpressionSql>(ExpressionSql::Genre::Date, j.texte);
        e->date = *d;
        return e;
    }
    case JetonSql::Genre::Symbole:
        if (accepterSymbole("(")) {
            if (motCle("select"))
                return echec(QStringLiteral("Les sous-requêtes dans une expression ne sont pas prises en charge"));
            auto e = expression();
            if (!e || !attendreSymbole(")"))
                return nullptr;
            return e;
        }
        if (accepterSymbole("*"))
            return std::make_unique<ExpressionSql>(ExpressionSql::Genre::Etoile);
        return echec(QStringLiteral("Expression attendue"));
    case JetonSql::Genre::Identifiant:
        break;
    case JetonSql::Genre::Fin:
        return echec(QStringLiteral("Expression attendue"));
    }

    if (motCle("null")) {
        ++m_position;
        return std::make_unique<ExpressionSql>(ExpressionSql::Genre::Nul);
    }
    // Left et Right sont aussi des mots-clés de jointure.
    const bool fonctionMotCle = (motCle("left") || motCle("right")) && symbole("(", 1);
    if (!nomLibre() && !fonctionMotCle)
        return echec(QStringLiteral("Expression attendue"));
    const QString premier = fonctionMotCle ? m_jetons.at(m_position++).texte : nom();
    if (accepterSymbole("(")) {
        auto e = std::make_unique<ExpressionSql>(ExpressionSql::Genre::Appel, premier.toLower());
        if (!accepterSymbole(")")) {
            if (accepterMotCle("distinct"))
                return echec(QStringLiteral("DISTINCT dans une fonction n'est pas pris en charge"));
            do {
                auto a = expression();
                if (!a)
                    return nullptr;
                e->ajouter(std::move(a));
            } while (accepterSymbole(","));
            if (!attendreSymbole(")"))
                return nullptr;
        }
        return e;
    }
    if (accepterSymbole(".")) {
        if (accepterSymbole("*")) {
            auto e = std::make_unique<ExpressionSql>(ExpressionSql::Genre::Etoile);
            e->qualificatif = premier;
            return e;
        }
        const QString second = nom();
        if (second.isEmpty())
            return nullptr;
        auto e = std::make_unique<ExpressionSql>(ExpressionSql::Genre::Colonne, second);
        e->qualificatif = premier;
        return e;
    }
    return std::make_unique<ExpressionSql>(ExpressionSql::Genre::Colonne, premier);
}
