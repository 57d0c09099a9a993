#include "data/BaseDeTest.h"

#include "data/bases/BaseSqlite.h"

#include <QTemporaryDir>

struct BaseDeTest::Etat
{
    QTemporaryDir dossier;
    std::unique_ptr<BaseSqlite> base;
    QString raison;
};

BaseDeTest::BaseDeTest()
    : m_etat(std::make_unique<Etat>())
{
    m_etat->base = BaseSqlite::ouvrir(m_etat->dossier.filePath(QStringLiteral("essai.sqlite")), m_etat->raison);
}

BaseDeTest::~BaseDeTest() = default;

BaseDonnees* BaseDeTest::base() const
{
    return m_etat->base.get();
}

std::unique_ptr<BaseDonnees> BaseDeTest::autreConnexion() const
{
    QString raison;
    return BaseSqlite::ouvrir(m_etat->dossier.filePath(QStringLiteral("essai.sqlite")), raison);
}

QString BaseDeTest::raison() const
{
    return m_etat->raison;
}

bool BaseDeTest::facultative() const
{
    return false;
}
