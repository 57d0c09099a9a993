// graphique importer : les mesures d'un fichier CSV ajoutées à la table d'une
// station, tout ou rien.
#include "AffichageProgression.h"
#include "Commandes.h"
#include "LigneCommande.h"
#include "OuvertureBase.h"

#include "commun/TexteAffichable.h"
#include "data/NomVerifie.h"
#include "data/bases/BaseAcces.h"
#include "data/import/ImportMesures.h"
#include "data/import/LecteurCsv.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString bilanDoublons(const ImportMesures::Bilan& b)
{
    if (b.doublons == 0)
        return QString();
    QStringList paires;
    for (const auto& [ecartee, gardee] : b.premiersDoublons)
        paires << QStringLiteral("ligne %1 remplacée par la ligne %2").arg(ecartee).arg(gardee);
    if (b.doublons > b.premiersDoublons.size())
        paires << QStringLiteral("…");
    return QStringLiteral(" %1 ligne(s) du fichier répétaient une date et une heure : la dernière l'emporte (%2).")
        .arg(b.doublons)
        .arg(paires.join(QStringLiteral(", ")));
}

} // namespace

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
    ecrireLigne(QStringLiteral("%1 mesure(s) importée(s) dans %2 : %3 ajoutée(s), %4 remplacée(s) dans la base.%5")
                    .arg(bilan.mesures)
                    .arg(bilan.table)
                    .arg(bilan.ajoutees)
                    .arg(bilan.remplacees)
                    .arg(bilanDoublons(bilan)));
    return sortieOk;
}
