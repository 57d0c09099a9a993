#pragma once

#include "commun/ColonnesTypees.h"
#include "commun/TableauValeurs.h"
#include "data/ColonneTable.h"
#include "data/OrdreSql.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>

class BaseDonneesPrive;
class JeuEnregistrements;

// L'objet base de données : toute lecture et toute écriture du système passe par lui.
// Les ordres arrivent en un seul texte, dans la formulation de `typeBase()` ; un échec
// répond 0 ligne et faux, jamais une exception, et garde son texte dans
// `DerniereErreur()`. Chaque ordre est écrit dans la trace "graphique.sql".
class BaseDonnees
{
public:
    using Observateur = std::function<void(const QString& ordre)>;

    virtual ~BaseDonnees();
    BaseDonnees(const BaseDonnees&) = delete;
    BaseDonnees& operator=(const BaseDonnees&) = delete;

    // Exécute un SELECT : les lignes en (champ, enregistrement), les champs dans l'ordre
    // de la liste, et leur nombre. NULL donne une cellule invalide, une date le texte
    // "DD/MM/YYYY", une heure "hh:nn:ss", un nombre un nombre.
    bool ExtraireRecords(const OrdreSql& sql, TableauValeurs& lignes, qint32& nombre) noexcept;
    // Le même SELECT, ses lignes rangées colonne par colonne : les mêmes cellules,
    // sans une cellule tenue par valeur (une longue série).
    bool ExtraireColonnes(const OrdreSql& sql, ColonnesTypees& lignes, qint32& nombre) noexcept;
    // Exécute un INSERT, un UPDATE ou un DELETE.
    bool Execute(const OrdreSql& sql) noexcept;
    // Ouvre en modification les lignes d'un SELECT sur une table ; `nombre` reçoit
    // combien ont été trouvées.
    bool AccesBase(const OrdreSql& sql, std::unique_ptr<JeuEnregistrements>& jeu, qint32& nombre) noexcept;

    // Un enregistrement fait de plusieurs ordres : rien n'en reste sans
    // validation, et `Valider` refuse (et annule) dès qu'un ordre de la
    // transaction a échoué. Après `Annuler`, la dernière erreur reste celle
    // de l'échec.
    bool Commencer() noexcept;
    bool Valider() noexcept;
    bool Annuler() noexcept;
    bool EnTransaction() const noexcept;
    // Le travail tout ou rien : dans sa transaction, validée s'il réussit,
    // annulée sinon (une exception comprise). Dans une transaction déjà
    // ouverte, il en fait partie et c'est elle qui décide.
    bool ToutOuRien(const std::function<bool()>& travail) noexcept;
    // Les ordres de `lecture` voient la base d'un seul instant : ce que d'autres
    // valident pendant qu'elle dure n'y paraît pas (une transaction de lecture
    // sur SQLite, en lecture répétable et seule sur PostgreSQL). Dans une
    // transaction déjà ouverte, elle en fait partie. Faux, sans rien lire,
    // quand cet instant ne peut être fixé (`DerniereErreur` dit pourquoi).
    bool LectureCoherente(const std::function<void()>& lecture);

    QString DerniereErreur() const;

    // Le premier ordre refusé ou en échec depuis `OublierEchecs` : les
    // chargeurs prennent un échec pour « aucune ligne », celui qui les appelle
    // peut ainsi dire qu'un ordre a échoué plutôt que montrer un graphique vide.
    struct Echec
    {
        QString ordre;
        QString erreur;
    };
    const std::optional<Echec>& PremierEchec() const;
    void OublierEchecs();
    // Appelé avec chaque ordre tel que l'appelant l'a envoyé, avant toute chose.
    void setObservateur(Observateur observateur);

    // Une marque qui change dès que d'autres ont validé des changements ; vide quand le moteur ne sait pas la donner.
    virtual QString versionDonnees() { return QString(); }

    // "ACCESS" ou "POSTGRESQL" : la formulation des ordres que cette base accepte.
    virtual QString typeBase() const = 0;

    // Tables des outils du système (calendrier, base d'exemple) ; les noms sont
    // vérifiés, les valeurs données sous les formes des cellules (dates en texte
    // "DD/MM/YYYY" ou en valeurs date, nombres, textes, invalide pour NULL).
    bool CreerTable(const QString& table, const QList<ColonneTable>& colonnes,
                    const QStringList& clePrimaire = {}) noexcept;
    bool SupprimerTable(const QString& table) noexcept;
    bool CreerIndex(const QString& table, const QStringList& colonnes) noexcept;
    bool InsererLignes(const QString& table, const QList<QVariantList>& lignes) noexcept;
    // Les lignes ne donnent que les colonnes nommées, dans cet ordre ; les autres restent vides.
    bool InsererLignes(const QString& table, const QStringList& noms, const QList<QVariantList>& lignes) noexcept;
    // Les colonnes d'une table, dans leur ordre ; vide quand elle n'existe pas.
    QList<ColonneTable> ColonnesTable(const QString& table) noexcept;

protected:
    BaseDonnees();

    enum class Transaction { Commencer, Valider, Annuler, Lecture };

    // Ce que fait chaque genre de base ; appelé sous la garde des opérations
    // publiques, qui ont déjà tracé l'ordre.
    virtual bool extraire(const QString& sql, TableauValeurs& lignes, qint32& nombre) = 0;
    // Sans mieux, les cellules de `extraire` rangées en colonnes.
    virtual bool extraireColonnes(const QString& sql, ColonnesTypees& lignes, qint32& nombre);
    virtual bool executer(const QString& sql) = 0;
    virtual std::unique_ptr<JeuEnregistrements> ouvrirJeu(const QString& sql, qint32& nombre) = 0;
    virtual bool transaction(Transaction quoi) = 0;
    virtual bool creerTable(const QString& table, const QList<ColonneTable>& colonnes,
                            const QStringList& clePrimaire) = 0;
    virtual bool supprimerTable(const QString& table) = 0;
    virtual bool creerIndex(const QString& table, const QStringList& colonnes) = 0;
    bool insererCompletes(const QString& table, const QList<ColonneTable>& colonnes, const QList<QVariantList>& lignes);
    virtual bool insererLignes(const QString& table, const QList<ColonneTable>& colonnes,
                               const QList<QVariantList>& lignes) = 0;
    virtual QList<ColonneTable> colonnesTable(const QString& table) = 0;

    // Écrit un enregistrement d'un jeu : un nouveau quand `identifiant` est
    // invalide (il reçoit alors celui du nouveau), sinon celui qu'il désigne.
    virtual bool ecrireEnregistrement(const QString& table, const QList<ColonneTable>& colonnes,
                                      const QVariantList& valeurs, QVariant& identifiant) = 0;

    // Garde le texte d'un échec (et le trace) ; toujours faux, pour `return erreur(…)`.
    bool erreur(const QString& texte);
    void effacerErreur();

    // Un jeu d'enregistrements ne sert que tant que sa base existe.
    std::weak_ptr<BaseDonnees*> vie() const;

private:
    friend class JeuEnregistrements;

    bool garde(const char* operation, const std::function<bool()>& corps) noexcept;
    std::optional<QList<ColonneTable>> colonnesPourInsertion(const QString& table);
    bool ordre(const char* operation, const QString& sql, const std::function<bool()>& corps) noexcept;
    void observer(const QString& sql);

    std::unique_ptr<BaseDonneesPrive> d;
};

// Les lignes d'un SELECT pour un chargeur : sans base, ou quand l'ordre échoue,
// aucune ligne (l'erreur reste lisible dans `DerniereErreur`).
qint32 ExtraireLignes(BaseDonnees* base, const OrdreSql& sql, TableauValeurs& lignes);
qint32 ExtraireLignes(BaseDonnees* base, const OrdreSql& sql, ColonnesTypees& lignes);
