#pragma once

#include "data/ColonneTable.h"
#include "data/bases/InstructionSql.h"
#include "data/bases/TypeValeur.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// Fait d'un ordre de la formulation Access un seul ordre d'un moteur. Les
// noms sont résolus sur les tables (le catalogue), chaque expression reçoit
// un genre, et les règles de la formulation Access sont tenues : `&` joint les formes texte
// (dates "DD/MM/YYYY", heures "hh:nn:ss"), un nombre comparé à un texte
// littéral se compare en nombre, une date comparée à un texte littéral le lit
// mois d'abord comme un littéral de la base, une date seule écrite en texte
// dans une colonne date se lit jour d'abord comme un texte de cellule (avec son
// heure, c'est un littéral de la base, mois d'abord), un nombre en condition
// est vrai s'il n'est pas 0, un regroupement sans tri sort dans l'ordre de
// ses groupes. Chaque moteur dit comment s'écrit chaque morceau.
class Traducteur
{
public:
    // Les colonnes d'une table dans leur ordre ; vide quand elle n'existe pas.
    using Catalogue = std::function<QList<ColonneTable>(const QString& table)>;

    struct Traduction
    {
        QString sql;
        QList<TypeValeur> typesSortie;      // SELECT : le genre de chaque champ
        QString table;                      // la table écrite, ou lue par un jeu
        QList<ColonneTable> colonnesTable;  // jeu : toutes les colonnes de la table
    };

    enum class PartieDate { Annee, Mois, Jour, Heure, Minute, Seconde };

    explicit Traducteur(Catalogue catalogue);
    virtual ~Traducteur();

    std::optional<Traduction> traduire(const InstructionSql& instruction, QString& erreur);
    // Un SELECT sur une table, lu pour modification : l'identité de la ligne,
    // puis toutes les colonnes de la table dans leur ordre.
    std::optional<Traduction> traduirePourJeu(const InstructionSql& instruction, QString& erreur);

    static TypeValeur typeDeColonne(TypeColonne type);
    // Un littéral date de la base : mois d'abord ("MM/DD/YYYY[ hh:nn:ss]"),
    // jour d'abord seulement si la lecture mois d'abord est impossible ; une
    // heure seule tombe le 30/12/1899.
    static std::optional<QDateTime> dateLitterale(const QString& texte);

    // Comment le moteur écrit chaque morceau.
    virtual QString identifiant(const QString& nom) const = 0;
    QString litteralTexte(const QString& texte) const;
    virtual QString litteralDate(const QDateTime& d) const = 0;
    // NULL vient en tête d'un tri croissant, sur chaque moteur : les lignes sortent dans le même ordre.
    virtual QString nulsEnTete(bool) const { return QString(); }

protected:
    // Un opérande de `&` : son texte de cellule déjà écrit, et sa valeur brute.
    struct Morceau
    {
        QString texte;
        QString brut;
        TypeValeur type = TypeValeur::Inconnu;
        bool constant = false;
    };
    // La jonction de textes de `&` ; par défaut, les textes joints par ||.
    virtual QString joindre(const QList<Morceau>& morceaux) const;

    virtual QString vide(const QString& texte) const = 0;  // NULL en ''
    virtual QString texteEntier(const QString& x) const = 0;
    virtual QString texteReel(const QString& x) const = 0;
    virtual QString texteDate(const QString& x) const = 0;
    virtual QString texteAutre(const QString& x) const = 0;
    virtual QString partieDate(PartieDate partie, const QString& x) const = 0;
    virtual QString dateDepuisTexte(const QString& x) const = 0;
    virtual QString jourSeul(const QString& x) const = 0;
    virtual QString heureSeule(const QString& x) const = 0;
    virtual QString combiner(const QString& date, const QString& heure) const = 0;
    virtual QString ajouterJours(const QString& date, const QString& jours) const = 0;
    virtual QString jourMois(const QString& date) const = 0;  // "DD/MM/"
    virtual QString instr(const QString& debut, const QString& texte, const QString& cherche) const = 0;
    virtual QString nombreDepuisTexte(const QString& x) const = 0;
    virtual QString arrondiEntier(const QString& x) const = 0;  // moitiés au pair
    virtual QString val(const QString& x) const = 0;
    virtual QString plancher(const QString& x) const = 0;
    virtual QString tronque(const QString& x) const = 0;
    virtual QString puissance(const QString& a, const QString& b) const = 0;
    virtual QString division(const QString& a, const QString& b) const = 0;
    virtual QString sousTexte(const QString& texte, const QString& debut, const QString& longueur) const = 0;
    virtual QString gauche(const QString& texte, const QString& n) const = 0;
    virtual QString droite(const QString& texte, const QString& n) const = 0;
    virtual QString formatNombre(const QString& x, const QString& motif, int entiers, int decimales) const = 0;
    // Vide quand le moteur ne sait pas écrire ce motif.
    virtual QString formatDate(const QString& x, const QString& motif) const = 0;
    virtual QString collationTexte() const { return QString(); }
    virtual QString comme(const QString& texte, const QString& motif) const = 0;  // LIKE, sans tenir compte de la casse
    virtual QString identiteLigne() const = 0;
    // Ce qui empêche le moteur de descendre un filtre dans une sous-requête.
    virtual QString barriereSousRequete() const = 0;

private:
    friend class FonctionsSql;
    friend class RegroupementDeuxEtages;

    struct Code
    {
        QString sql;
        TypeValeur type = TypeValeur::Inconnu;
        bool constant = false;
        std::optional<QDateTime> dateConstante;  // une date connue dès la traduction
        bool jamaisNul = false;                   // colonne NOT NULL d'une table
    };
    struct ColonneVisible
    {
        QString nom;
        TypeValeur type = TypeValeur::Inconnu;
        bool jamaisNulle = false;
    };
    struct SourceVisible
    {
        QString nom;  // alias, ou nom de table
        QList<ColonneVisible> colonnes;
    };
    struct Portee
    {
        QList<SourceVisible> sources;
        QStringList alias;  // de la liste du SELECT, visibles dans ORDER BY
        QList<TypeValeur> typesAlias;
        bool dansTri = false;
    };

    bool traduireSelection(const InstructionSql& i, Traduction& t);
    bool traduireInsertion(const InstructionSql& i, const QList<ColonneTable>& colonnes, Traduction& t);
    bool traduireModification(const InstructionSql& i, const QList<ColonneTable>& colonnes, Traduction& t);
    bool ciblesInsertion(const InstructionSql& i, const QList<ColonneTable>& colonnes, QList<const ColonneTable*>& cibles);
    const ColonneTable* colonneCible(const QList<ColonneTable>& colonnes, const QString& nom);
    std::optional<QString> requete(const RequeteSql& r, QList<ColonneVisible>* sortie);
    bool conditionSql(const ExpressionSql* e, const Portee& p, const QString& motCle, QString& sql);
    bool etoile(const RequeteSql::Element& el, const Portee& p, QStringList& elements, QList<ColonneVisible>& colonnes);
    bool elementsSelection(const RequeteSql& r, Portee& p, QStringList& elements, QList<ColonneVisible>& colonnes);
    bool groupesSelection(const RequeteSql& r, const Portee& p, QStringList& groupes, QList<TypeValeur>& types);
    bool trisSelection(const RequeteSql& r, const Portee& p, int nombreChamps, QStringList& tris, QStringList& termesTries);
    static void groupesSelonLeTri(QStringList& groupes, const QStringList& termesTries);
    bool deuxEtages(const RequeteSql& r, Portee& p, const QString& from, QString& sql, QList<ColonneVisible>& colonnes);
    bool portee(const RequeteSql& r, Portee& p, QStringList& fromSql);
    std::optional<Code> expression(const ExpressionSql& e, const Portee& p);
    std::optional<QString> condition(const ExpressionSql& e, const Portee& p);
    std::optional<Code> colonne(const ExpressionSql& e, const Portee& p);
    std::optional<Code> appel(const ExpressionSql& e, const Portee& p);
    std::optional<Code> binaire(const ExpressionSql& e, const Portee& p);
    std::optional<Code> concatenation(const ExpressionSql& e, const Portee& p);
    std::optional<Code> comme(const ExpressionSql& e, const Code& a);
    bool sommeDateOuTexte(const ExpressionSql& e, const Code& a, const Code& b, std::optional<Code>& resultat);
    std::optional<Code> arithmetique(const ExpressionSql& e, const Code& a, const Code& b);
    std::optional<QString> comparer(const QString& op, const ExpressionSql& a, const ExpressionSql& b, const Portee& p);
    bool jointureJour(const ExpressionSql& e, const Portee& p, QString& sql);
    bool anneeComparee(const QString& op, const ExpressionSql& ea, const ExpressionSql& eb, const Portee& p, QString& sql);
    bool instantCompare(const QString& op, const ExpressionSql& ea, const ExpressionSql& eb, const Portee& p, QString& sql);
    std::optional<Code> affectation(const ExpressionSql& e, TypeValeur cible, const Portee& p);

    std::optional<Code> versDate(const ExpressionSql& e, const Code& c, bool commeLitteralBase);
    std::optional<Code> versNombre(const ExpressionSql& e, const Code& c);
    std::optional<Code> numerique(const ExpressionSql& e, const Code& c);
    Code versEntier(const Code& c) const;
    QString texte(const Code& c) const;      // NULL en ''
    QString texteBrut(const Code& c) const;  // NULL reste NULL
    QString valeur(const Code& c) const;  // une condition prise comme valeur : -1 ou 0

    std::nullopt_t echec(const QString& texte);

    Catalogue m_catalogue;
    QString m_erreur;
};
