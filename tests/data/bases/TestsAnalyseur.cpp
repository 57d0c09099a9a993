// Lecture des ordres : ce qui est compris, et ce qui est refusé avant tout moteur.
#include "data/bases/AnalyseurLexical.h"
#include "data/bases/AnalyseurSyntaxique.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<InstructionSql> lire(const QString& sql, QString* erreur = nullptr)
{
    QString e;
    auto i = AnalyseurSyntaxique::analyser(sql, e);
    if (erreur)
        *erreur = e;
    return i;
}

// L'arbre d'une expression écrit avec toutes ses parenthèses.
QString arbre(const ExpressionSql& e)
{
    switch (e.genre) {
    case ExpressionSql::Genre::Binaire:
        return u'(' + arbre(*e.enfants[0]) + u' ' + e.texte + u' ' + arbre(*e.enfants[1]) + u')';
    case ExpressionSql::Genre::Unaire:
        return u'(' + e.texte + u' ' + arbre(*e.enfants[0]) + u')';
    case ExpressionSql::Genre::Appel: {
        QStringList a;
        for (const auto& x : e.enfants)
            a << arbre(*x);
        return e.texte + u'(' + a.join(QStringLiteral(", ")) + u')';
    }
    case ExpressionSql::Genre::Texte:
        return u'\'' + e.texte + u'\'';
    case ExpressionSql::Genre::Date:
        return e.date.toString(QStringLiteral("'#'yyyy-MM-dd hh:mm:ss'#'"));
    case ExpressionSql::Genre::Colonne:
        return e.qualificatif.isEmpty() ? e.texte : e.qualificatif + u'.' + e.texte;
    case ExpressionSql::Genre::EstNul:
        return u'(' + arbre(*e.enfants[0]) + (e.negation ? QStringLiteral(" IS NOT NULL)") : QStringLiteral(" IS NULL)"));
    default:
        return e.texte;
    }
}

QString condition(const QString& expression)
{
    const auto i = lire("SELECT a FROM t WHERE " + expression);
    return i ? arbre(*i->requete->condition) : QStringLiteral("refusé");
}

TEST(Analyseur, LesOperateursSeLientCommeDansLeRuntime)
{
    EXPECT_EQ(condition("X & year(d) >= '2004' AND NOT m IS NULL OR b"),
              "((((X & year(d)) >= '2004') and (not (m IS NULL))) or b)");
    EXPECT_EQ(condition("a + b & c * d - e"), "((a + b) & ((c * d) - e))");
    EXPECT_EQ(condition("cint(n) mod 4 = 0 and cint(n) mod 100 <> 0"), "(((cint(n) mod 4) = 0) and ((cint(n) mod 100) <> 0))");
    EXPECT_EQ(condition("a mod b + c"), "((a mod b) + c)");
    EXPECT_EQ(condition("-2 ^ 2 = -x"), "((- (2 ^ 2)) = (- x))");
    // Un nombre négatif reste un littéral, tel qu'écrit après le signe plus.
    EXPECT_EQ(condition("Valeur+-2.5 > 0"), "((Valeur + -2.5) > 0)");
    EXPECT_EQ(condition("Val (Mid(mois, 1, 2)) = [Date]"), "(val(mid(mois, 1, 2)) = Date)");
    EXPECT_EQ(condition("PLUVIO_AB-12.Pluie > Valeur-1"), "(PLUVIO_AB-12.Pluie > (Valeur - 1))");
    EXPECT_EQ(condition("Left(a, 1) = Right(b, 2)"), "(left(a, 1) = right(b, 2))");
    // Les littéraux date se lisent mois d'abord ; une heure seule tombe le 30/12/1899.
    EXPECT_EQ(condition("d >= #03/05/2004# AND h = #08:30:00# AND x < #12/31/2004 23:59:59#"),
              "(((d >= #2004-03-05 00:00:00#) and (h = #1899-12-30 08:30:00#)) and (x < #2004-12-31 23:59:59#))");
    EXPECT_EQ(condition("d = #31/12/2004#"), "(d = #2004-12-31 00:00:00#)");
    EXPECT_EQ(condition("c = E'C:\\\\dossier' OR c = 'l''eau' OR c = \"guillemets\""),
              "(((c = 'C:\\dossier') or (c = 'l'eau')) or (c = 'guillemets'))");
}

// Les formes que les chargeurs écrivent (DISTINCT, sous-requête nommée par AS, champs nommés,
// INSERT par position, UPDATE, DELETE) se vérifient par leurs résultats (Formulation, Contrat) ;
// ici, une sous-requête nommée sans AS, le tri par positions et un ";" final.
TEST(Analyseur, LesFormesDOrdres)
{
    const auto s = lire("SELECT annee, mesures.valeur FROM (SELECT Year(d) as annee FROM T GROUP BY Year(d)) mesures ORDER bY 1,2 DESC;");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->requete->sources[0].alias, "mesures");
    ASSERT_EQ(s->requete->tris.size(), 2u);
    EXPECT_TRUE(s->requete->tris[1].descendant);
    EXPECT_FALSE(s->requete->tris[0].descendant);
}

TEST(Analyseur, CeQuiEstRefuseAvantToutMoteur)
{
    const QList<std::pair<const char*, const char*>> refus = {
        {"SELECT a FROM T; DROP TABLE ANNEES", "Un seul ordre"},
        {"SELECT a FROM T;;", "Un seul ordre"},
        {"SELECT a FROM T -- la suite", "Commentaire"},
        {"SELECT a /* x */ FROM T", "Commentaire"},
        {"DROP TABLE ANNEES", "attendu"},
        {"SELECT a FROM T WHERE b = 'non fermé", "non fermé"},
        {"SELECT a FROM T WHERE d = #02/30/2004#", "Date littérale"},
        {"SELECT a FROM T WHERE d = #03/05/2004", "Date non fermée"},
        {"SELECT a FROM (SELECT b FROM U)", "nom"},
        {"SELECT a FROM T INNER JOIN U ON T.a = U.a", "JOIN"},
        {"SELECT TOP 5 a FROM T", "TOP"},
        {"SELECT a FROM T UNION SELECT b FROM U", "UNION"},
        {"SELECT 12abc FROM T", "Nombre"},
        {"SELECT a FROM T WHERE a = ?", "Caractère"},
        {"SELECT (SELECT 1) FROM T", "sous-requêtes"},
        {"", "attendu"},
    };
    for (const auto& [sql, motif] : refus) {
        QString erreur;
        EXPECT_FALSE(lire(QString::fromUtf8(sql), &erreur)) << sql;
        EXPECT_TRUE(erreur.contains(QString::fromUtf8(motif), Qt::CaseInsensitive)) << sql << " : " << erreur.toStdString();
    }
    // Un seul ";" final est permis.
    EXPECT_TRUE(lire(QStringLiteral("SELECT a FROM T ;")));
    // Le tiret n'entre que dans les noms de tables de stations.
    QString erreur;
    const auto jetons = AnalyseurLexical::decouper(QStringLiteral("PZ_00754X0012-B HYDRO_A-1-2 Valeur-1 COURBE_REF_PLUVIO_X-9"), erreur);
    ASSERT_TRUE(jetons);
    QStringList textes;
    for (const JetonSql& j : *jetons)
        textes << j.texte;
    EXPECT_EQ(textes, QStringList({"PZ_00754X0012-B", "HYDRO_A-1-2", "Valeur", "-", "1", "COURBE_REF_PLUVIO_X-9", ""}));
}

QString repete(const QString& motif, int n)
{
    return motif.repeated(n);
}

TEST(Analyseur, LesOrdresHostilesSontBornesSansEpuiserLaPile)
{
    const int n = 5000;
    const struct
    {
        QString sql;
        const char* motif;
    } hostiles[] = {
        {"SELECT " + repete("(", n) + "1" + repete(")", n) + " FROM T", "trop imbriqué"},
        {"SELECT a FROM T WHERE " + repete("NOT ", n) + "a = 1", "trop imbriqué"},
        {"SELECT " + repete("- ", n) + "a FROM T", "trop imbriqué"},
        {"SELECT " + repete("abs(", n) + "1" + repete(")", n) + " FROM T", "trop imbriqué"},
        {"SELECT * FROM " + repete("(SELECT * FROM ", 500) + "T" + repete(") AS x", 500), "trop imbriqué"},
        {"SELECT 1" + repete(" + 1", 3000) + " FROM T", "trop longue"},
        {"SELECT a FROM T WHERE a IN (" + repete("1, ", 1 << 19) + "1)", "trop long"},
    };
    for (const auto& h : hostiles) {
        QString erreur;
        EXPECT_FALSE(lire(h.sql, &erreur)) << h.sql.left(60).toStdString();
        EXPECT_TRUE(erreur.contains(QString::fromUtf8(h.motif))) << erreur.toStdString();
    }
    // En deçà des bornes, tout passe : les ordres du système en sont loin.
    // La requête et sa liste comptent déjà deux niveaux.
    const int p = AnalyseurSyntaxique::imbricationMax - 2;
    EXPECT_TRUE(lire("SELECT " + repete("(", p) + "1" + repete(")", p) + " FROM T"));
    EXPECT_TRUE(lire("SELECT 1" + repete(" + 1", AnalyseurSyntaxique::hauteurMax - 2) + " FROM T"));
    EXPECT_TRUE(lire("SELECT a FROM T WHERE a IN (" + repete("1, ", 10000) + "1)"));
}

} // namespace
