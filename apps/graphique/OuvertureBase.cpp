#include "OuvertureBase.h"

#include "data/BaseDonnees.h"
#include "data/bases/BasePostgres.h"
#include "data/bases/BaseSqlite.h"

#include <QFileInfo>

bool estConnexionPostgres(const QString& texte)
{
    const QString t = texte.trimmed();
    return t.startsWith(QStringLiteral("postgresql://")) || t.startsWith(QStringLiteral("postgres://"))
        || t.contains(QStringLiteral("dbname=")) || t.contains(QStringLiteral("host="));
}

std::unique_ptr<BaseDonnees> ouvrirBase(const QString& texte, bool creer, QString& erreur)
{
    QString raison;
    if (estConnexionPostgres(texte)) {
        auto base = BasePostgres::ouvrir(texte, raison);
        if (!base)
            erreur = QStringLiteral("impossible d'ouvrir la base PostgreSQL : %1").arg(raison.trimmed());
        return base;
    }
    const QFileInfo fichier(texte);
    if (!creer && !fichier.isFile()) {
        erreur = QStringLiteral("impossible d'ouvrir la base « %1 » : le fichier n'existe pas.").arg(texte);
        return nullptr;
    }
    auto base = BaseSqlite::ouvrir(texte, raison);
    if (!base)
        erreur = QStringLiteral("impossible d'ouvrir la base « %1 » : %2").arg(texte, raison.trimmed());
    return base;
}
