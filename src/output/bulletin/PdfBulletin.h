#pragma once

#include <QString>
#include <functional>

class BulletinMensuel;
class QIODevice;

// Le bulletin en PDF A4 : la synthèse colorée par classe sur la première page
// (et les suivantes s'il le faut), puis une page par station avec son mois
// dans son contexte.
namespace PdfBulletin {

// Légende et avancement de 0 à 100 ; faux pour arrêter.
using Progression = std::function<bool(const QString& legende, int pourcentage)>;

// Faux quand l'écriture échoue ou qu'on l'arrête.
bool ecrire(const BulletinMensuel& bulletin, QIODevice& sortie, const Progression& progression);

} // namespace PdfBulletin
