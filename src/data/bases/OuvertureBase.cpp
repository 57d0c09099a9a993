#include "data/bases/OuvertureBase.h"

#include "commun/TexteAffichable.h"
#include "data/BaseDonnees.h"
#include "data/bases/BasePostgres.h"
#include "data/bases/BaseSqlite.h"
#include "commun/MotDePasse.h"

#include <QFileInfo>
#include <functional>

bool estConnexionPostgres(const QString& texte)
{
    // Un fichier qui existe reste un fichier, même si son chemin porte « host= ».
    return !QFileInfo::exists(texte) && BasePostgres::estConnexion(texte);
}

namespace {

using Ouverture = std::function<std::unique_ptr<BaseDonnees>(QString& raison)>;

// L'ouverture du moteur que le texte désigne ; son échec dit en français, sans mot de passe.
std::unique_ptr<BaseDonnees> ouvrirSelon(const QString& texte, QString& erreur, const Ouverture& postgres, const Ouverture& sqlite)
{
    QString raison;
    if (estConnexionPostgres(texte)) {
        auto base = postgres(raison);
        if (!base)
            erreur = QStringLiteral("impossible d'ouvrir la base PostgreSQL : %1").arg(raison);
        return base;
    }
    auto base = sqlite(raison);
    if (!base)
        erreur = QStringLiteral("impossible d'ouvrir la base « %1 » : %2").arg(TexteAffichable(MotDePasse::retirer(texte)), raison);
    return base;
}

} // namespace

std::unique_ptr<BaseDonnees> ouvrirBase(const QString& texte, bool creer, QString& erreur)
{
    return ouvrirSelon(
        texte, erreur, [&](QString& raison) { return std::unique_ptr<BaseDonnees>(BasePostgres::ouvrir(texte, raison)); },
        [&](QString& raison) { return std::unique_ptr<BaseDonnees>(BaseSqlite::ouvrir(texte, raison, creer)); });
}

std::unique_ptr<BaseDonnees> ouvrirBaseEnLecture(const QString& texte, QString& erreur, bool& pouvoirEnTrop)
{
    pouvoirEnTrop = false;
    return ouvrirSelon(
        texte, erreur,
        [&](QString& raison) { return std::unique_ptr<BaseDonnees>(BasePostgres::ouvrirEnLecture(texte, raison, pouvoirEnTrop)); },
        [&](QString& raison) { return std::unique_ptr<BaseDonnees>(BaseSqlite::ouvrirEnLecture(texte, raison)); });
}
