#include "settings/OuvertureFichierEcrit.h"

#include "commun/messages/Messages.h"
#include "settings/Aide.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

void OuvrirFichierEcrit(const QString& chemin)
{
    if (OuvrirDocument(QUrl::fromLocalFile(chemin)))
        return;
    const QString natif = QDir::toNativeSeparators(QFileInfo(chemin).absoluteFilePath());
    // Le fichier est bien écrit : une information, pas une erreur.
    AfficherMessage(QStringLiteral("aide"), QStringLiteral("Aucune application de ce poste ne sait ouvrir « %1 ».\n"
                                                             "Le fichier est enregistré sous :\n%2")
                                                  .arg(QFileInfo(chemin).fileName(), natif));
}
