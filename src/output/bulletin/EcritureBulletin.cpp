#include "output/bulletin/EcritureBulletin.h"

#include "commun/FichierProvisoire.h"
#include "output/bulletin/ClasseurBulletin.h"
#include "commun/RaisonSysteme.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace EcritureBulletin {

namespace {

QString impossible(const QString& chemin, const QString& raison)
{
    return QStringLiteral("Impossible d'écrire « %1 » : %2").arg(QDir::toNativeSeparators(chemin), raison);
}

// Le PDF, fait en mémoire, écrit d'un coup dans le provisoire déjà ouvert ;
// faux et `erreur` vide quand la progression a demandé l'arrêt.
bool ecrirePdf(const BulletinMensuel& bulletin, QFile& fichier, const QString& cible,
               const PdfBulletin::Progression& progression, QString& erreur)
{
    QBuffer memoire;
    memoire.open(QIODevice::WriteOnly);
    if (!PdfBulletin::ecrire(bulletin, memoire, progression)) {
        erreur.clear();
        return false;
    }
    if (!EcrireTout(fichier, memoire.data()) || !fichier.flush()) {
        erreur = impossible(cible, RaisonFichier(fichier) + u'.');
        return false;
    }
    fichier.close();
    return true;
}

bool ecrireClasseur(const BulletinMensuel& bulletin, const QString& classeur, const PdfBulletin::Progression& progression,
                    QString& erreur)
{
    if (progression && !progression(QStringLiteral("Classeur de synthèse"), 100)) {
        erreur.clear();
        return false;
    }
    return ClasseurBulletin::construire(bulletin).enregistrer(QFileInfo(classeur).absoluteFilePath(), erreur);
}

} // namespace

bool ecrire(const BulletinMensuel& bulletin, const QString& pdf, const QString& classeur,
            const PdfBulletin::Progression& progression, QString& erreur)
{
    const QString cible = QFileInfo(pdf).absoluteFilePath();
    FichierProvisoire provisoire(cible);
    QString raison;
    // Créé d'abord : un dossier où l'on ne peut écrire se dit avant le long calcul des pages.
    const int descripteur = provisoire.creer(raison);
    QFile fichier;
    if (descripteur < 0 || !fichier.open(descripteur, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        erreur = impossible(cible, raison.isEmpty() ? RaisonFichier(fichier) : raison);
        return false;
    }
    if (!ecrirePdf(bulletin, fichier, cible, progression, erreur)
        || (!classeur.isEmpty() && !ecrireClasseur(bulletin, classeur, progression, erreur)))
        return false;
    if (!provisoire.mettreEnPlace(raison)) {
        if (!classeur.isEmpty())
            QFile::remove(classeur);
        erreur = impossible(cible, raison);
        return false;
    }
    return true;
}

} // namespace EcritureBulletin
