// graphique stations: the stations of a database with the span of their data.
#include "Commandes.h"
#include "LigneCommande.h"
#include "OuvertureBase.h"

#include "control/HoteGraphique.h"
#include "data/BaseDonnees.h"

int commandeStations(const QStringList& arguments)
{
    LigneCommande l(arguments);
    QString erreur;
    const QString texteBase = l.obligatoire(QStringLiteral("--base"), erreur);
    if (const QString defaut = l.defaut(erreur); !defaut.isEmpty())
        return echec(defaut);
    auto base = ouvrirBase(texteBase, false, erreur);
    if (!base)
        return echec(erreur);
    for (const HoteGraphique::Station& s : HoteGraphique::lireStations(base.get())) {
        const auto [debut, fin] = HoteGraphique::etendue(base.get(), s);
        ecrireLigne(QStringList{s.genre, s.code, s.nom, debut, fin}.join(u'\t'));
    }
    return sortieOk;
}
