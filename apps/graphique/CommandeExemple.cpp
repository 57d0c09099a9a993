// graphique exemple : la base d'exemple, identique pour une même graine, dans
// un fichier SQLite ou sur un serveur PostgreSQL.
#include "AffichageProgression.h"
#include "Commandes.h"
#include "FichierSortie.h"
#include "LigneCommande.h"
#include "data/bases/OuvertureBase.h"

#include "data/BaseDonnees.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/BaseExemple.h"
#include "data/bases/CopieBase.h"

#include "commun/TexteAffichable.h"

#include <QFileInfo>

namespace {

// Sur le serveur, la base d'exemple s'écrit à côté des données d'une équipe :
// elle ne remplace des lignes que sur demande.
QString exempleServeur(const QString& connexion, quint32 graine, bool remplacer, const BaseExemple::Progression& progression)
{
    QString erreur;
    auto base = ouvrirBase(connexion, false, erreur);
    if (!base)
        return erreur;
    const auto occupees = CopieBase::tablesOccupees(dynamic_cast<BaseAcces&>(*base));
    if (!occupees)
        return QStringLiteral("impossible de lire le catalogue de la base : %1").arg(base->DerniereErreur());
    if (!occupees->isEmpty() && !remplacer)
        return QStringLiteral("la base tient déjà des données de graphiques (%1) : --remplacer y écrit la base d'exemple.")
            .arg(occupees->mid(0, 3).join(QStringLiteral(", ")));
    if (!BaseExemple::remplir(*base, graine, progression, erreur))
        return QStringLiteral("impossible de faire la base d'exemple : %1").arg(erreur);
    return QString();
}

QString exempleFichier(const QString& fichier, quint32 graine, bool remplacer, const BaseExemple::Progression& progression)
{
    // La base neuve prend la place du fichier : jamais celle d'un périphérique, d'un tube ou d'un dossier.
    if (const QString defaut = FichierSortie::defaut(fichier); !defaut.isEmpty())
        return defaut;
    // Une faute de frappe ne doit pas effacer la base d'une équipe : comme sur le serveur, il faut le demander.
    if (QFileInfo(fichier).size() > 0 && !remplacer)
        return QStringLiteral("le fichier « %1 » existe déjà : --remplacer le remplace par la base d'exemple.")
            .arg(TexteAffichable(fichier));
    if (!QFileInfo(QFileInfo(fichier).absolutePath()).isDir())
        return QStringLiteral("le dossier « %1 » n'existe pas.").arg(QFileInfo(fichier).absolutePath());
    QString erreur;
    if (!BaseExemple::creerFichier(fichier, graine, progression, erreur))
        return QStringLiteral("impossible de faire la base d'exemple : %1").arg(erreur);
    return QString();
}

} // namespace

int commandeExemple(const QStringList& arguments)
{
    LigneCommande l(arguments);
    QString erreur;
    const QString texteBase = l.obligatoire(QStringLiteral("--base"), erreur);
    const QString graine = l.option(QStringLiteral("--graine")).value_or(QString::number(BaseExemple::graineParDefaut));
    const bool remplacer = l.drapeau(QStringLiteral("--remplacer"));
    if (const QString defaut = l.defaut(erreur); !defaut.isEmpty())
        return echec(defaut);
    bool ok = false;
    const quint32 g = graine.toUInt(&ok);
    if (!ok)
        return echec(QStringLiteral("graine incorrecte : « %1 » (un entier positif).").arg(graine));

    AffichageProgression progression;
    const BaseExemple::Progression avancer = [&progression](const QString& legende, int pourcent) {
        progression.afficher(legende, pourcent);
    };
    const bool serveur = estConnexionPostgres(texteBase);
    erreur = serveur ? exempleServeur(texteBase, g, remplacer, avancer) : exempleFichier(texteBase, g, remplacer, avancer);
    progression.terminer();
    if (!erreur.isEmpty())
        return echec(erreur);
    ecrireLigne(serveur ? QStringLiteral("Base d'exemple écrite sur le serveur PostgreSQL.")
                        : QStringLiteral("Base d'exemple écrite : %1").arg(texteBase));
    return sortieOk;
}
