#pragma once

#include "data/BaseDonnees.h"
#include "data/bases/Traducteur.h"

#include <QHash>
#include <functional>
#include <optional>

// Ce que partagent les deux moteurs : chaque ordre de la formulation Access est
// lu (un seul ordre), traduit par le traducteur du moteur en un seul ordre
// natif, exécuté, et ses lignes rendues sous les formes des cellules.
class BaseAcces : public BaseDonnees
{
public:
    // Un ordre natif de nos outils et de nos mesures, hors formulation.
    bool ExecuterNatif(const QString& sql, TableauValeurs* lignes = nullptr) noexcept;
    // Un nom de table ou de colonne écrit pour le moteur (entre guillemets).
    QString Identifiant(const QString& nom) { return traducteur().identifiant(nom); }
    // Une table de passage, propre à la connexion, effacée à sa fermeture.
    bool CreerTableTemporaire(const QString& table, const QList<ColonneTable>& colonnes) noexcept;

    // Les lignes d'un ordre natif par lots d'au plus `taille` enregistrements,
    // en (champ, enregistrement) et telles que le moteur les rend : une grande
    // table passe sans tenir en mémoire. `lot` rend faux pour tout arrêter.
    using Lot = std::function<bool(const TableauValeurs& lignes)>;
    bool ParcourirNatif(const QString& sql, int taille, const Lot& lot) noexcept;
    // Des lignes déjà sous la forme de leurs colonnes (QDateTime, qint64,
    // double, QString, invalide pour NULL), écrites telles quelles : un texte
    // vide reste un texte vide.
    bool EcrireLot(const QString& table, const QList<ColonneTable>& colonnes, const TableauValeurs& lignes) noexcept;

protected:
    BaseAcces() = default;

    virtual Traducteur& traducteur() = 0;
    // Exécute un ordre natif ; avec `lignes`, en rend les lignes en (champ,
    // enregistrement), les champs de genre Date en texte de date (TexteDateHeure).
    virtual bool lancer(const QString& sql, const QList<TypeValeur>& types, TableauValeurs* lignes) = 0;
    // Un SELECT natif, ses lignes en colonnes ; sans mieux, celles de `lancer`.
    virtual bool lancerColonnes(const QString& sql, const QList<TypeValeur>& types, ColonnesTypees& lignes);

    // Le type natif d'une colonne, et ce que le moteur ajoute à une table à clé.
    virtual QString typeSql(TypeColonne type) const = 0;
    virtual QString suffixeTableACle() const { return QString(); }
    // Les colonnes telles que le moteur les décrit ; vide quand la table manque,
    // vide aussi quand la lecture échoue, mais avec l'erreur gardée (`erreur`).
    virtual QList<ColonneTable> lireColonnes(const QString& table) = 0;
    // Vrai quand le schéma a pu changer par un autre chemin depuis la dernière lecture.
    virtual bool schemaChange() { return false; }
    // Avant la première table de passage de la connexion.
    virtual bool preparerTemporaires() { return true; }
    virtual bool parcourir(const QString& sql, int taille, const Lot& lot) = 0;
    virtual bool ecrireLot(const QString& table, const QList<ColonneTable>& colonnes, const TableauValeurs& lignes) = 0;

    bool creerTable(const QString& table, const QList<ColonneTable>& colonnes, const QStringList& clePrimaire) override;
    bool supprimerTable(const QString& table) override;
    bool creerIndex(const QString& table, const QStringList& colonnes) override;
    QList<ColonneTable> colonnesTable(const QString& table) override;

    bool extraire(const QString& sql, TableauValeurs& lignes, qint32& nombre) override;
    bool extraireColonnes(const QString& sql, ColonnesTypees& lignes, qint32& nombre) override;
    bool executer(const QString& sql) override;
    std::unique_ptr<JeuEnregistrements> ouvrirJeu(const QString& sql, qint32& nombre) override;

private:
    template <typename Lignes, typename Lancement>
    bool lireSelection(const QString& sql, Lignes& lignes, qint32& nombre, Lancement lancerSelection);
    QString identifiants(const QStringList& noms);
    QString definitions(const QList<ColonneTable>& colonnes);
    std::optional<Traducteur::Traduction> traduire(const QString& sql, bool pourJeu, bool* selection = nullptr);

    QHash<QString, QList<ColonneTable>> m_catalogue;
};
