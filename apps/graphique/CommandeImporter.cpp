// graphique importer : les mesures d'un fichier CSV ajoutées à la table d'une
// station, ou celles d'un fichier public de plusieurs stations, tout ou rien.
#include "AffichageProgression.h"
#include "Commandes.h"
#include "LigneCommande.h"
#include "data/bases/OuvertureBase.h"

#include "data/bases/BaseAcces.h"
#include "data/import/ImportArchive.h"
#include "data/import/ImportMesures.h"

namespace {

void montrer(AffichageProgression& progression, const ImportArchive::Avancement& a)
{
    if (a.stationsFaites > 0)
        progression.afficher(QStringLiteral("Écriture : %1/%2 stations").arg(a.stationsFaites).arg(a.stations),
                             a.stationsFaites * 100 / std::max(1, a.stations));
    else
        progression.afficher(QStringLiteral("Lecture : %1 lignes, %2 stations").arg(a.lignesLues).arg(a.stations), a.pourcent);
}

int importerArchive(LigneCommande& l, const QString& format)
{
    QString erreur;
    ImportArchive::Demande demande;
    demande.format = format;
    const QString texteBase = l.obligatoire(QStringLiteral("--base"), erreur);
    const QString fichier = l.obligatoire(QStringLiteral("--csv"), erreur);
    demande.stations = l.liste(QStringLiteral("--station")).value_or(QStringList());
    if (const QString defaut = l.defaut(erreur); !defaut.isEmpty())
        return echec(defaut);
    if (const QString defaut = ImportArchive::verifier(fichier, demande); !defaut.isEmpty())
        return echec(defaut);
    auto base = ouvrirBase(texteBase, true, erreur);
    if (!base)
        return echec(erreur);
    AffichageProgression progression;
    ImportArchive::Bilan bilan;
    const bool ok = ImportArchive::importer(static_cast<BaseAcces&>(*base), fichier, demande, bilan, erreur,
                                            [&](const ImportArchive::Avancement& a) { montrer(progression, a); });
    progression.terminer();
    if (!ok)
        return echec(erreur);
    ecrireLigne(bilan.texte());
    return sortieOk;
}

} // namespace

int commandeImporter(const QStringList& arguments)
{
    LigneCommande l(arguments);
    if (const auto format = l.option(QStringLiteral("--format")))
        return importerArchive(l, *format);
    QString erreur;
    ImportMesures::Demande demande;
    const QString texteBase = l.obligatoire(QStringLiteral("--base"), erreur);
    demande.code = l.obligatoire(QStringLiteral("--station"), erreur);
    // Le genre s'inscrit en minuscules dans STATIONS, quelle que soit la casse donnée.
    demande.genre = l.obligatoire(QStringLiteral("--genre"), erreur).toLower();
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
        return true;
    });
    progression.terminer();
    if (!ok)
        return echec(erreur);
    ecrireLigne(bilan.texte());
    return sortieOk;
}
