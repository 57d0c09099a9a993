#include "AideBureau.h"

#include "EmplacementAide.h"

#include "commun/messages/Messages.h"
#include "settings/Aide.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

void AideBureau::ouvrir(const QString& page)
{
    const EmplacementAide aide(QCoreApplication::applicationDirPath());
    const QString accueil = aide.pageAccueil();
    if (accueil.isEmpty()) {
        AfficherMessage(QStringLiteral("erreur"), aide.messageIntrouvable());
        return;
    }
    const QString chemin = QFileInfo(accueil).dir().filePath(QStringLiteral("docs_kor/") + page);
    if (!OuvrirDocument(QUrl::fromLocalFile(chemin)))
        AfficherMessage(QStringLiteral("erreur"), QStringLiteral("Impossible d'ouvrir le fichier d'aide: %1\n"
                                                                 "Aucun navigateur de ce poste ne l'ouvre : ouvrez ce fichier à la main.")
                                                      .arg(QDir::toNativeSeparators(chemin)));
}

void AideBureau::brancher(QDialog& dialogue, QDialogButtonBox& boutons, const QString& page)
{
    QPushButton* aide = boutons.addButton(QDialogButtonBox::Help);
    aide->setText(QStringLiteral("&Aide"));
    // Le bouton Aide ne ferme pas le dialogue : ce qui est saisi reste.
    QObject::connect(&boutons, &QDialogButtonBox::helpRequested, &dialogue, [page] { ouvrir(page); });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, &dialogue);
    QObject::connect(f1, &QShortcut::activated, &dialogue, [page] { ouvrir(page); });
}
