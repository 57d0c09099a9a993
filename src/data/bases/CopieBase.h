#pragma once

#include "data/bases/CatalogueBase.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class BaseAcces;
class SommeControle;

// Copie les tables du système d'une base dans une autre, d'un moteur à
// l'autre ou sur le même : structure (colonnes, clé, index), lignes, puis
// statistiques du planificateur. La source est lue d'un bout à l'autre dans
// le même état ; la cible est écrite en une transaction, validée seulement
// quand chaque table relue donne le nombre de lignes et la somme de contrôle
// de la source. Sinon rien n'y reste. Une table de mesures que le système ne
// saurait lire fait refuser la copie entière avant toute écriture.
class CopieBase
{
public:
    using Progression = std::function<void(const QString& legende, int pourcentage)>;
    struct Bilan
    {
        QString table;  // nom dans la cible
        qint64 lignes = 0;
        QString somme;
    };

    CopieBase(BaseAcces& source, BaseAcces& cible, Progression progression = {});

    // `remplacer` : une table de la cible qui tient déjà des lignes est
    // remplacée ; sans lui, la copie est refusée avant toute écriture.
    bool copier(bool remplacer, QList<Bilan>& bilans, QString& erreur) noexcept;

    // Les tables du système qui tiennent des lignes dans une base, parmi
    // `noms` (toutes quand vide) ; rien quand le catalogue ne se lit pas.
    static std::optional<QStringList> tablesOccupees(BaseAcces& base, const QStringList& noms = {});

    static constexpr int tailleLot = 20000;

private:
    bool verifierNoms(const QStringList& tables);
    bool decrireSource();
    bool lireCodes();
    bool verifierUnicite();
    bool verifierCible(bool remplacer);
    bool toutCopier(QList<Bilan>& bilans);
    bool copierTable(const CatalogueBase::Table& source, Bilan& bilan);
    bool creerTable(const CatalogueBase::Table& cible, bool& creee);
    bool transferer(const CatalogueBase::Table& source, const CatalogueBase::Table& cible, SommeControle& somme);
    bool relire(const CatalogueBase::Table& cible, SommeControle& somme);
    CatalogueBase::Table tableCible(const CatalogueBase::Table& source) const;
    QString selection(BaseAcces& base, const CatalogueBase::Table& table) const;
    void avancer(const QString& legende, qint64 lignes);
    bool echec(const QString& texte);

    BaseAcces& m_source;
    BaseAcces& m_cible;
    Progression m_progression;
    CatalogueBase m_catalogueSource;
    CatalogueBase m_catalogueCible;
    QList<CatalogueBase::Table> m_tables;
    QStringList m_codes;
    qint64 m_total = 0;
    qint64 m_fait = 0;
    QString m_erreur;
};
