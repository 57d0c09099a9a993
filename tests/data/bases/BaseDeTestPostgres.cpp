#include "data/BaseDeTest.h"

#include "data/bases/BasePostgres.h"

#include <QCoreApplication>
#include <QRandomGenerator>

struct BaseDeTest::Etat
{
    std::unique_ptr<BasePostgres> base;
    QString schema;
    QString raison;
    bool facultative = false;
};

BaseDeTest::BaseDeTest()
    : m_etat(std::make_unique<Etat>())
{
    const QString connexion = qEnvironmentVariable("GRAPHIQUE_PG");
    if (connexion.isEmpty()) {
        m_etat->raison = QStringLiteral("GRAPHIQUE_PG absente : scripts/tester.sh lance un serveur PostgreSQL pour ces tests.");
        m_etat->facultative = !qEnvironmentVariableIsSet("GRAPHIQUE_PG_EXIGE");
        return;
    }
    m_etat->base = BasePostgres::ouvrir(connexion, m_etat->raison);
    if (!m_etat->base)
        return;
    // Un schéma par test : les tests tournent en parallèle sur le même serveur.
    m_etat->schema = QStringLiteral("essai_%1_%2")
                         .arg(QCoreApplication::applicationPid())
                         .arg(QRandomGenerator::global()->generate());
    if (!m_etat->base->ExecuterNatif(QStringLiteral("CREATE SCHEMA ") + m_etat->schema)
        || !m_etat->base->ExecuterNatif(QStringLiteral("SET search_path TO ") + m_etat->schema)) {
        m_etat->raison = m_etat->base->DerniereErreur();
        m_etat->base.reset();
    }
}

BaseDeTest::~BaseDeTest()
{
    if (m_etat->base) {
        if (m_etat->base->EnTransaction())
            m_etat->base->Annuler();
        m_etat->base->ExecuterNatif(QStringLiteral("DROP SCHEMA ") + m_etat->schema + QStringLiteral(" CASCADE"));
    }
}

BaseDonnees* BaseDeTest::base() const
{
    return m_etat->base.get();
}

std::unique_ptr<BaseDonnees> BaseDeTest::autreConnexion() const
{
    QString raison;
    auto autre = BasePostgres::ouvrir(qEnvironmentVariable("GRAPHIQUE_PG"), raison);
    if (autre && !autre->ExecuterNatif(QStringLiteral("SET search_path TO ") + m_etat->schema))
        autre.reset();
    return autre;
}

QString BaseDeTest::raison() const
{
    return m_etat->raison;
}

bool BaseDeTest::facultative() const
{
    return m_etat->facultative;
}
