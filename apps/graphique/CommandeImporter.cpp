// graphique importer : les mesures d'un fichier CSV ajoutées à la table d'une
// station, tout ou rien.
#include "AffichageProgression.h"
#include "Commandes.h"
#include "LigneCommande.h"
#include "data/bases/OuvertureBase.h"

#include "data/bases/BaseAcces.h"
#include "data/import/ImportMesures.h"

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
    if (const QString defaut = ImportMesures::verifier(csv, demande); !defaut.isEmpty())
        return echec(defaut);
    auto base = ouvrirBase(texteBase, true, erreur);
    if (!base)
        return echec(erreur);
    AffichageProgression progression;
    ImportMesures::Bilan bilan;
    const bool ok = ImportMesures::importerFichier(static_cast<BaseAcces&>(*base), csv, demande, bilan, erreur, [&](int p) {
        progression.afficher(QStringLiteral("Import des mesures"), p);
    });
    progression.terminer();
    if (!ok)
        return echec(erreur);
    ecrireLigne(bilan.texte());
    return sortieOk;
}

