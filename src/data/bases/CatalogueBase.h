#pragma once

#include "data/ColonneTable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class BaseAcces;

// Ce que tient une base, lu dans le catalogue de son moteur : ses tables,
// leurs colonnes, leur clé, leurs index et leur nombre de lignes.
class CatalogueBase
{
public:
    struct Table
    {
        QString nom;
        QList<ColonneTable> colonnes;
        QStringList cle;
        QList<QStringList> index;
        qint64 lignes = 0;
    };

    // Les ordres du catalogue d'un moteur.
    struct Dialecte;

    explicit CatalogueBase(BaseAcces& base);

    // Toutes les tables que les ordres de la connexion voient ; rien en cas d'échec.
    std::optional<QStringList> tables();
    std::optional<Table> decrire(const QString& table);
    // La même description sans le compte des lignes ; rien pour une table absente.
    std::optional<Table> structure(const QString& table);
    std::optional<qint64> compter(const QString& table);
    // Les statistiques du planificateur (PostgreSQL ; SQLite s'en passe).
    bool statistiques(const QString& table);
    // Les noms sont rendus en minuscules (PostgreSQL).
    bool minuscules() const;

private:
    std::optional<QStringList> colonne(const QString& sql);
    std::optional<QList<QStringList>> index(const QString& table);
    QString litteral(const QString& table) const;

    BaseAcces& m_base;
    const Dialecte& m_dialecte;
};
