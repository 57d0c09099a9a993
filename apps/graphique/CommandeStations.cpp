// graphique stations : les stations d'une base et l'étendue de leurs données.
#include "commun/Dates.h"
#include "Commandes.h"
#include "LigneCommande.h"
#include "data/bases/OuvertureBase.h"

#include "commun/TexteAffichable.h"
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
    const auto stations = HoteGraphique::lireStations(base.get());
    if (!stations)
        return echec(QStringLiteral("impossible de lire la liste des stations : %1").arg(base->DerniereErreur()));
    for (const HoteGraphique::Station& s : *stations) {
        const auto [debut, fin] = HoteGraphique::etendue(base.get(), s);
        // Les textes de la base sont montrés nettoyés : ni échappement du terminal, ni tabulation.
        ecrireLigne(QStringList{TexteAffichable(s.genre), TexteAffichable(s.code), TexteAffichable(s.nom, 200), TexteDate(debut), TexteDate(fin)}.join(u'\t'));
    }
    // Une table illisible (base endommagée, table manquante) ne passe pas pour une station sans données.
    if (const auto& e = base->PremierEchec())
        return echec(QStringLiteral("une partie de la base n'a pas pu être lue : %1").arg(e->erreur));
    return sortieOk;
}
