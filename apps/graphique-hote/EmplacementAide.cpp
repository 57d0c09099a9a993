#include "EmplacementAide.h"

#include <QDir>
#include <QFileInfo>

QString EmplacementAide::nomPageAccueil()
{
    return QStringLiteral("KOR_help.htm");
}

EmplacementAide::EmplacementAide(const QString& dossierProgramme)
    : m_dossiers{QDir::cleanPath(dossierProgramme + QStringLiteral("/../share/graphique/aide")),
                 QDir::cleanPath(QStringLiteral(GRAPHIQUE_AIDE_SOURCES))}
{
}

QString EmplacementAide::pageAccueil() const
{
    for (const QString& dossier : m_dossiers) {
        const QString page = dossier + u'/' + nomPageAccueil();
        if (QFileInfo(page).isFile())
            return page;
    }
    return QString();
}

QString EmplacementAide::messageIntrouvable() const
{
    QStringList lieux;
    for (const QString& dossier : m_dossiers)
        lieux << QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(dossier));
    return QStringLiteral("L'aide n'est pas installée : la page « %1 » n'a été trouvée ni dans %2. "
                          "Réinstallez l'application ou copiez le manuel dans le premier de ces dossiers.")
        .arg(nomPageAccueil(), lieux.join(QStringLiteral(" ni dans ")));
}
