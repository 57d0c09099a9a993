#pragma once

#include "data/bases/BaseAcces.h"
#include "data/bases/TraducteurSqlite.h"

#include <memory>

struct sqlite3;

// La base embarquée : un fichier SQLite, ordres dans la formulation "ACCESS".
class BaseSqlite : public BaseAcces
{
public:
    // Ouvre le fichier, ou le crée quand `creer` ; rien et un message en
    // français en cas d'échec. Sans `creer`, le fichier doit être une base :
    // un fichier vide, un dossier ou un périphérique sont refusés.
    static std::unique_ptr<BaseSqlite> ouvrir(const QString& fichier, QString& erreur, bool creer = true);
    // Le même fichier ouvert sans droit d'écrire : aucun ordre ne peut le modifier.
    static std::unique_ptr<BaseSqlite> ouvrirEnLecture(const QString& fichier, QString& erreur);
    ~BaseSqlite() override;

    // Attente d'une base occupée par un autre programme avant d'abandonner.
    static constexpr int attenteVerrouMs = 30000;

    QString typeBase() const override { return QStringLiteral("ACCESS"); }
    const QString& fichier() const { return m_fichier; }
    // L'inode, la taille et la date du fichier et de son journal.
    QString versionDonnees() override;
    static QString identiteFichier(const QString& fichier);

protected:
    Traducteur& traducteur() override { return *m_traducteur; }
    bool lancer(const QString& sql, const QList<TypeValeur>& types, TableauValeurs* lignes) override;
    bool lancerColonnes(const QString& sql, const QList<TypeValeur>& types, ColonnesTypees& lignes) override;
    bool transaction(Transaction quoi) override;
    QString typeSql(TypeColonne type) const override;
    QString suffixeTableACle() const override;
    bool schemaChange() override;
    bool preparerTemporaires() override;
    bool insererLignes(const QString& table, const QList<ColonneTable>& colonnes,
                       const QList<QVariantList>& lignes) override;
    bool parcourir(const QString& sql, int taille, const Lot& lot) override;
    bool ecrireLot(const QString& table, const QList<ColonneTable>& colonnes, const TableauValeurs& lignes) override;
    QList<ColonneTable> lireColonnes(const QString& table) override;
    bool ecrireEnregistrement(const QString& table, const QList<ColonneTable>& colonnes, const QVariantList& valeurs,
                              QVariant& identifiant) override;

private:
    BaseSqlite(sqlite3* base, QString fichier);
    static std::unique_ptr<BaseSqlite> ouvrirAvec(const QString& fichier, QString& erreur, bool creer, int drapeaux);
    bool erreurSqlite(const QString& contexte);
    // Exécute un ordre avec des valeurs liées dans l'ordre (dates en texte ISO).
    bool lancerAvecValeurs(const QString& sql, const QVariantList& valeurs);
    QString ordreInsertion(const QString& table, const QList<ColonneTable>& colonnes) const;

    sqlite3* m_base = nullptr;
    QString m_fichier;
    std::unique_ptr<TraducteurSqlite> m_traducteur;
    int m_versionSchema = -1;
};
