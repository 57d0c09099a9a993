// graphique importer : les mesures d'un fichier CSV ajoutées à la table d'une
// station, tout ou rien.
#include "AffichageProgression.h"
#include "Commandes.h"
#include "LigneCommande.h"
#include "data/bases/OuvertureBase.h"

#include "commun/TexteAffichable.h"
#include "data/NomVerifie.h"
#include "data/bases/BaseAcces.h"
#include "data/import/ImportMesures.h"
#include "data/import/LecteurCsv.h"

#include <QFile>
#include <QFileInfo>

int commandeImporter(const QStringList& arguments)
{
    LigneCommande l(arguments);
    QString erreur;
    ImportMesures::Demande demande;
    const QString texteBase = l.obligatoire(QStringLiteral("--base"), erreur);
    demande.code = l.obligatoire(QStringLiteral("--station"), erreur);
    demande.genre = l.obligatoire(QStringLiteral("--genre"), erreur);
    const QString csv = l.obligatoire(QStringLiteral("--csv"), erreur);
    demande.colonne = l.option(QStringLiteral("--colonne")).value_or(QString());
    demande.nom = l.option(QStringLiteral("--nom")).value_or(QString());
    if (const QString defaut = l.defaut(erreur); !defaut.isEmpty())
        return echec(defaut);
    if (!EstNomVerifie(demande.code))
        return echec(QStringLiteral("code de station refusé : « %1 » (lettres, chiffres, _ et -).").arg(TexteAffichable(demande.code)));
    if (!demande.colonne.isEmpty() && !EstNomVerifie(demande.colonne))
        return echec(QStringLiteral("nom de colonne refusé : « %1 ».").arg(TexteAffichable(demande.colonne)));
    if (QFileInfo(csv).isDir())
        return echec(QStringLiteral("« %1 » est un dossier, pas un fichier CSV.").arg(TexteAffichable(csv)));
    QFile fichier(csv);
    if (!fichier.open(QIODevice::ReadOnly))
        return echec(QStringLiteral("impossible de lire « %1 » : %2.").arg(TexteAffichable(csv), fichier.errorString()));

    auto base = ouvrirBase(texteBase, true, erreur);
    if (!base)
        return echec(erreur);
    AffichageProgression progression;
    const qint64 taille = fichier.size();
    LecteurCsv lecteur(fichier);
    ImportMesures::Bilan bilan;
    const bool ok = ImportMesures::importer(static_cast<BaseAcces&>(*base), lecteur, demande, bilan, erreur, [&](qint64) {
        if (taille > 0)
            progression.afficher(QStringLiteral("Import des mesures"), int(fichier.pos() * 100 / taille));
    });
    progression.terminer();
    if (!ok)
        return echec(erreur);
    ecrireLigne(bilan.texte());
    return sortieOk;
}
