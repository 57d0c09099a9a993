#pragma once

// Le serveur PostgreSQL jetable de l'exécution, et des schémas neufs pour un
// essai seul, effacés à sa fin.
#include "data/bases/BasePostgres.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

class ServeurDeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_connexion = qEnvironmentVariable("GRAPHIQUE_PG");
        if (m_connexion.isEmpty()) {
            if (qEnvironmentVariableIsSet("GRAPHIQUE_PG_EXIGE"))
                FAIL() << "GRAPHIQUE_PG absente";
            GTEST_SKIP() << "GRAPHIQUE_PG absente : scripts/tester.sh lance un serveur PostgreSQL pour ces tests.";
        }
        QString erreur;
        m_admin = BasePostgres::ouvrir(m_connexion, erreur);
        ASSERT_TRUE(m_admin) << erreur.toStdString();
        preparer();
    }
    // Ce que l'essai prépare sur le serveur ; jamais appelé sans serveur.
    virtual void preparer() {}
    void TearDown() override
    {
        if (!m_admin)
            return;
        for (const QString& s : m_schemas)
            m_admin->ExecuterNatif("DROP SCHEMA " + s + " CASCADE");
    }

    // Un schéma neuf, nommé d'après `prefixe`, effacé à la fin de l'essai.
    QString nouveauSchema(const QString& prefixe)
    {
        const QString s =
            QStringLiteral("%1_%2_%3").arg(prefixe).arg(QCoreApplication::applicationPid()).arg(QRandomGenerator::global()->generate());
        EXPECT_TRUE(m_admin->ExecuterNatif("CREATE SCHEMA " + s));
        m_schemas << s;
        return s;
    }
    // La connexion qui mène à un schéma, avec d'autres réglages éventuels (" -c …").
    QString connexion(const QString& schema, const QString& reglages = QString()) const
    {
        return m_connexion + QStringLiteral(" options='-c search_path=%1%2'").arg(schema, reglages);
    }

    QString m_connexion;
    std::unique_ptr<BasePostgres> m_admin;
    QStringList m_schemas;
};
