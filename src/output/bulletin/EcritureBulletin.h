#pragma once

#include "output/bulletin/PdfBulletin.h"

#include <QString>

class BulletinMensuel;

// Les fichiers d'un bulletin, écrits sans rien laisser à moitié : le PDF est
// fait en mémoire, écrit à côté de sa place d'une seule écriture vérifiée (un
// disque plein au milieu ne passe pas inaperçu) et n'y arrive qu'une fois le
// classeur écrit. Un échec ou un arrêt ne laisse ni l'un ni l'autre, et les
// anciens fichiers restent. La ligne de commande et l'application passent
// toutes deux par là.
namespace EcritureBulletin {

// `classeur` vide : pas de classeur. Faux et `erreur` en français ; faux et
// `erreur` vide quand la progression a demandé l'arrêt.
bool ecrire(const BulletinMensuel& bulletin, const QString& pdf, const QString& classeur,
            const PdfBulletin::Progression& progression, QString& erreur);

} // namespace EcritureBulletin
