#include "data/bases/OuvertureBase.h"

#include "commun/TexteAffichable.h"
#include "data/BaseDonnees.h"
#include "data/bases/BasePostgres.h"
#include "data/bases/BaseSqlite.h"
#include "commun/MotDePasse.h"

#include <QFileInfo>

bool estConnexionPostgres(const QString& texte)
{
    // Un fichier qui existe reste un fichier, même si son chemin porte « host= ».
    return !QFileInfo::exists(texte) && BasePostgres::estConnexion(texte);
}

std::unique_ptr<BaseDonnees> ouvrirBase(const QString& texte, bool creer, QString& erreur)
{
    QString raison;
    if (estConnexionPostgres(texte)) {
        auto base = BasePostgres::ouvrir(texte, raison);
        if (!base)
            erreur = QStringLiteral("impossible d'ouvrir la base PostgreSQL : %1").arg(raison);
        return base;
    }
    auto base = BaseSqlite::ouvrir(texte, raison, creer);
    if (!base)
        erreur = QStringLiteral("impossible d'ouvrir la base « %1 » : %2").arg(TexteAffichable(MotDePasse::retirer(texte)), raison);
    return base;
}
