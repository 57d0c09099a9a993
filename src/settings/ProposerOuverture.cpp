#include "settings/ProposerOuverture.h"

#include "settings/Aide.h"
#include "settings/messages/Messages.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

void ProposerOuverture(const QString& chemin)
{
    const QString natif = QDir::toNativeSeparators(QFileInfo(chemin).absoluteFilePath());
    const QString question = QStringLiteral("Le classeur est enregistré sous :\n%1\n\nL'ouvrir maintenant ?").arg(natif);
    if (AfficherMessage(QStringLiteral("question"), question) != BoutonMessage::Oui)
        return;
    if (!OuvrirDocument(QUrl::fromLocalFile(chemin)))
        AfficherMessage(QStringLiteral("erreur"),
                        QStringLiteral("Aucune application de ce poste ne sait ouvrir « %1 ».\n"
                                       "Le classeur reste enregistré sous :\n%2")
                            .arg(QFileInfo(chemin).fileName(), natif));
}
