// graphique exemple : la base d'exemple, identique pour une même graine.
#include "AffichageProgression.h"
#include "Commandes.h"
#include "LigneCommande.h"
#include "data/bases/OuvertureBase.h"

#include "data/bases/BaseExemple.h"

#include <QFileInfo>

int commandeExemple(const QStringList& arguments)
{
    LigneCommande l(arguments);
    QString erreur;
    const QString fichier = l.obligatoire(QStringLiteral("--base"), erreur);
    const QString graine = l.option(QStringLiteral("--graine")).value_or(QStringLiteral("1"));
    if (const QString defaut = l.defaut(erreur); !defaut.isEmpty())
        return echec(defaut);
    if (estConnexionPostgres(fichier))
        return echec(QStringLiteral("la base d'exemple est un fichier SQLite : --base attend un nom de fichier."));
    bool ok = false;
    const quint32 g = graine.toUInt(&ok);
    if (!ok)
        return echec(QStringLiteral("graine incorrecte : « %1 » (un entier positif).").arg(graine));
    if (!QFileInfo(QFileInfo(fichier).absolutePath()).isDir())
        return echec(QStringLiteral("le dossier « %1 » n'existe pas.").arg(QFileInfo(fichier).absolutePath()));

    AffichageProgression progression;
    if (!BaseExemple::creerFichier(fichier, g, [&](const QString& legende, int pourcent) { progression.afficher(legende, pourcent); },
                                   erreur))
        return echec(QStringLiteral("impossible de faire la base d'exemple : %1").arg(erreur));
    progression.terminer();
    ecrireLigne(QStringLiteral("Base d'exemple écrite : %1").arg(fichier));
    return sortieOk;
}
