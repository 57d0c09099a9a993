#pragma once

#include "data/bases/InstructionSql.h"
#include "data/bases/JetonSql.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

// Lit un ordre de la formulation Access : SELECT (sous-requêtes dans FROM,
// GROUP BY, HAVING, ORDER BY), INSERT INTO … VALUES / SELECT,
// UPDATE … SET, DELETE FROM. Les opérateurs se lient du plus fort au plus faible : ^,
// - unaire, * /, \, Mod, + -, &, comparaisons, Not, And, Or. Un texte qui
// contient plus d'un ordre est refusé (un seul ";" peut le terminer).
//
// Un ordre hostile ne doit pas épuiser la pile : la longueur du texte,
// l'imbrication (parenthèses, fonctions, Not, signes, sous-requêtes) et la
// hauteur des expressions (a + b + c … forme un arbre aussi haut que la chaîne
// est longue) sont bornées, et un ordre qui les dépasse est refusé.
class AnalyseurSyntaxique
{
public:
    static constexpr qsizetype longueurMax = 1 << 20;
    static constexpr int imbricationMax = 100;
    static constexpr int hauteurMax = 256;

    static std::unique_ptr<InstructionSql> analyser(const QString& sql, QString& erreur);

private:
    explicit AnalyseurSyntaxique(QList<JetonSql> jetons, const QString& sql);

    std::unique_ptr<InstructionSql> instruction();
    bool insertion(InstructionSql& i);
    bool miseAJour(InstructionSql& i);
    bool conditionFacultative(std::unique_ptr<ExpressionSql>& condition);
    bool liste(const std::function<bool()>& element);
    std::unique_ptr<RequeteSql> requete();
    bool elementSelection(RequeteSql& r);
    bool sources(RequeteSql& r);
    bool groupesEtAvoir(RequeteSql& r);
    bool tris(RequeteSql& r);
    bool source(RequeteSql& r);
    std::unique_ptr<ExpressionSql> expression();
    std::unique_ptr<ExpressionSql> ou();
    std::unique_ptr<ExpressionSql> et();
    std::unique_ptr<ExpressionSql> non();
    std::unique_ptr<ExpressionSql> comparaison();
    std::unique_ptr<ExpressionSql> concatenation();
    std::unique_ptr<ExpressionSql> addition();
    std::unique_ptr<ExpressionSql> modulo();
    std::unique_ptr<ExpressionSql> divisionEntiere();
    std::unique_ptr<ExpressionSql> multiplication();
    std::unique_ptr<ExpressionSql> unaire();
    std::unique_ptr<ExpressionSql> puissance();
    std::unique_ptr<ExpressionSql> primaire();

    const JetonSql& courant() const { return m_jetons.at(m_position); }
    const JetonSql& suivant(int decalage = 1) const;
    bool motCle(const char* mot, int decalage = 0) const;
    bool accepterMotCle(const char* mot);
    bool symbole(const char* s, int decalage = 0) const;
    bool accepterSymbole(const char* s);
    bool attendreMotCle(const char* mot);
    bool attendreSymbole(const char* s);
    bool nomLibre(int decalage = 0) const;  // un identifiant qui n'est pas un mot-clé
    QString nom();                          // en lit un, ou échoue
    std::nullptr_t echec(const QString& quoi);
    std::unique_ptr<ExpressionSql> binaire(const QString& op, std::unique_ptr<ExpressionSql> a,
                                           std::unique_ptr<ExpressionSql> b);
    std::unique_ptr<ExpressionSql> borne(std::unique_ptr<ExpressionSql> e);

    // Un niveau d'imbrication de plus, le temps d'une règle récursive.
    class Niveau
    {
    public:
        explicit Niveau(AnalyseurSyntaxique& a)
            : m_a(a)
        {
            ++m_a.m_imbrication;
        }
        ~Niveau() { --m_a.m_imbrication; }
        Niveau(const Niveau&) = delete;
        Niveau& operator=(const Niveau&) = delete;
        bool depasse() const { return m_a.m_imbrication > imbricationMax; }

    private:
        AnalyseurSyntaxique& m_a;
    };

    QList<JetonSql> m_jetons;
    const QString& m_sql;
    int m_position = 0;
    int m_imbrication = 0;
    QString m_erreur;
};
