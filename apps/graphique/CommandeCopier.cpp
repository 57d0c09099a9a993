// graphique copier : les tables du système d'une base dans une autre, d'un
// moteur à l'autre (fichier SQLite ou serveur PostgreSQL).
#include "AffichageProgression.h"
#include "Commandes.h"
#include "FichierSortie.h"
#include "LigneCommande.h"

#include "commun/FichierProvisoire.h"
#include "commun/TexteAffichable.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/CopieBase.h"
#include "data/bases/OuvertureBase.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <optional>

namespace {

// La cible : un fichier SQLite neuf est écrit à côté puis renommé, pour
// qu'une copie interrompue ne laisse rien à sa place.
struct Cible
{
    std::unique_ptr<BaseDonnees> base;
    std::optional<FichierProvisoire> partiel;
};

bool ouvrirCible(const QString& texte, Cible& cible, QString& erreur)
{
    if (estConnexionPostgres(texte) || QFileInfo::exists(texte)) {
        cible.base = ouvrirBase(texte, false, erreur);
        return cible.base != nullptr;
    }
    if (!QFileInfo(QFileInfo(texte).absolutePath()).isDir()) {
        erreur = QStringLiteral("le dossier « %1 » n'existe pas.").arg(TexteAffichable(QFileInfo(texte).absolutePath()));
        return false;
    }
    cible.partiel.emplace(texte);
    if (!cible.partiel->reserver(erreur))
        return false;
    cible.base = ouvrirBase(cible.partiel->chemin(), true, erreur);
    return cible.base != nullptr;
}

// Le fichier neuf prend sa place ; en cas d'échec il disparaît. Un fichier
// apparu à sa place pendant la copie n'est remplacé que sur demande.
bool terminerCible(Cible& cible, bool reussi, bool remplacer, QString& erreur)
{
    if (!cible.partiel)
        return reussi;
    cible.base.reset();
    if (!reussi) {
        cible.partiel->abandonner();
        return false;
    }
    return cible.partiel->mettreEnPlace(erreur, remplacer);
}

void ecrireBilan(const QList<CopieBase::Bilan>& bilans)
{
    const QLocale francais(QLocale::French);
    qint64 total = 0;
    for (const CopieBase::Bilan& b : bilans) {
        ecrireLigne(QStringLiteral("%1\t%2 ligne(s)\tsomme %3").arg(b.table, francais.toString(b.lignes), b.somme));
        total += b.lignes;
    }
    ecrireLigne(QStringLiteral("Copie vérifiée : %1 tables, %2 lignes ; dans chaque table, même nombre de lignes et même "
                               "somme de contrôle dans la source et dans la cible.")
                    .arg(bilans.size())
                    .arg(francais.toString(total)));
}

} // namespace

int commandeCopier(const QStringList& arguments)
{
    LigneCommande l(arguments);
    QString erreur;
    const QString de = l.obligatoire(QStringLiteral("--de"), erreur);
    const QString vers = l.obligatoire(QStringLiteral("--vers"), erreur);
    const bool remplacer = l.drapeau(QStringLiteral("--remplacer"));
    if (const QString defaut = l.defaut(erreur); !defaut.isEmpty())
        return echec(defaut);
    if (!estConnexionPostgres(vers) && FichierSortie::surLaBase(vers, de))
        return echec(QStringLiteral("la source et la cible sont la même base."));
    auto source = ouvrirBase(de, false, erreur);
    if (!source)
        return echec(QStringLiteral("source : %1").arg(erreur));
    Cible cible;
    if (!ouvrirCible(vers, cible, erreur))
        return echec(QStringLiteral("cible : %1").arg(erreur));

    AffichageProgression progression;
    CopieBase copie(dynamic_cast<BaseAcces&>(*source), dynamic_cast<BaseAcces&>(*cible.base),
                    [&progression](const QString& legende, int pourcent) { progression.afficher(legende, pourcent); });
    QList<CopieBase::Bilan> bilans;
    const bool copiee = copie.copier(remplacer, bilans, erreur);
    progression.terminer();
    if (!terminerCible(cible, copiee, remplacer, erreur))
        return echec(QStringLiteral("copie impossible, la cible est restée telle qu'elle était : %1").arg(erreur));
    ecrireBilan(bilans);
    return sortieOk;
}
