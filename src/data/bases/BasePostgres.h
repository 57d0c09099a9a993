#pragma once

#include "data/bases/BaseAcces.h"
#include "data/bases/TraducteurPostgres.h"

#include <memory>
#include <optional>
#include <vector>

class AttenteServeur;
struct pg_conn;
struct pg_result;

// Le serveur de bases : une connexion PostgreSQL (libpq), ordres dans la
// formulation "POSTGRESQL" (littéraux 'MM/DD/YYYY', heures sur le 30/12/1899).
// Les fonctions des ordres sont créées dans le schéma propre à la connexion
// (pg_temp) : rien n'est ajouté à la base de l'hôte.
class BasePostgres : public BaseAcces
{
public:
    // `connexion` : chaîne de connexion libpq ("host=… port=… dbname=… user=…"
    // ou "postgresql://…"). Sans autre réglage dans le texte, la connexion
    // abandonne après `delaiConnexionS`, un verrou attendu après
    // `attenteVerrouS`, un ordre après `dureeOrdreS`. Le client, lui,
    // abandonne un serveur resté muet au-delà du délai des ordres de la
    // session, plus une marge (AttenteServeur).
    static std::unique_ptr<BasePostgres> ouvrir(const QString& connexion, QString& erreur);
    // La même connexion dont chaque transaction est en lecture seule et chaque ordre borné à 30 s ;
    // `pouvoirEnTrop` dit si le rôle pourrait écrire (superutilisateur, ou droit d'écrire sur une table).
    static std::unique_ptr<BasePostgres> ouvrirEnLecture(const QString& connexion, QString& erreur, bool& pouvoirEnTrop);
    // Le texte est une connexion PostgreSQL (et non un chemin de fichier).
    static bool estConnexion(const QString& texte);

    static constexpr int delaiConnexionS = 10;
    static constexpr int attenteVerrouS = 30;
    static constexpr int dureeOrdreS = 600;
    ~BasePostgres() override;

    QString typeBase() const override { return QStringLiteral("POSTGRESQL"); }
    // L'état des transactions qui écrivent sur le serveur (pg_current_snapshot) : une écriture
    // commencée ou validée le change, une lecture ne le change pas.
    QString versionDonnees() override;

protected:
    Traducteur& traducteur() override { return *m_traducteur; }
    bool lancer(const QString& sql, const QList<TypeValeur>& types, TableauValeurs* lignes) override;
    bool lancerColonnes(const QString& sql, const QList<TypeValeur>& types, ColonnesTypees& lignes) override;
    bool transaction(Transaction quoi) override;
    QString typeSql(TypeColonne type) const override;
    bool insererLignes(const QString& table, const QList<ColonneTable>& colonnes,
                       const QList<QVariantList>& lignes) override;
    bool parcourir(const QString& sql, int taille, const Lot& lot) override;
    bool ecrireLot(const QString& table, const QList<ColonneTable>& colonnes, const TableauValeurs& lignes) override;
    QList<ColonneTable> lireColonnes(const QString& table) override;
    bool ecrireEnregistrement(const QString& table, const QList<ColonneTable>& colonnes, const QVariantList& valeurs,
                              QVariant& identifiant) override;

private:
    struct LibererResultat
    {
        void operator()(pg_result* r) const;
    };
    using Resultat = std::unique_ptr<pg_result, LibererResultat>;

    explicit BasePostgres(pg_conn* connexion);
    // Les réglages de la session et les fonctions des ordres.
    bool preparer(QString& erreur);
    bool commencerLecture();
    // Un ordre (texte seul, ou avec ses valeurs), ses résultats attendus sous
    // la limite : le dernier, ou la première erreur, comme PQexec.
    Resultat envoyerOrdre(const QByteArray& sql);
    // La première cellule d'un ordre d'une ligne ; rien s'il échoue.
    std::optional<QByteArray> valeurUnique(const QByteArray& sql);
    Resultat envoyerOrdre(const QByteArray& sql, const std::vector<const char*>& valeurs, int format);
    Resultat recueillir();
    // Le texte d'un échec : celui du serveur, sinon celui de la connexion.
    QString echecServeur(const pg_result* r) const;
    // Un ordre et ses valeurs ; le résultat, ou rien après un échec (gardé par `erreur`).
    Resultat executerAvecValeurs(const QString& sql, const QList<QByteArray>& valeurs, const QList<bool>& nulles,
                                 const QList<TypeValeur>& types, bool lecture);
    bool lancerAvecValeurs(const QString& sql, const QList<QByteArray>& valeurs, const QList<bool>& nulles,
                           const QList<TypeValeur>& types, TableauValeurs* lignes);

    // COPY de lignes déjà écrites dans le format texte du serveur.
    bool envoyerCopie(const QString& table, const QList<ColonneTable>& colonnes, const QByteArray& donnees);
    // Abandonne l'ordre en cours et lit ce qui reste de ses réponses.
    void interrompre();

    pg_conn* m_connexion = nullptr;
    std::unique_ptr<AttenteServeur> m_attente;
    std::unique_ptr<TraducteurPostgres> m_traducteur;
};
