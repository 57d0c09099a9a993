#include "settings/Aide.h"

#include "commun/AppelParNom.h"
#include "commun/ValeursProcessus.h"
#include "commun/messages/Messages.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <optional>

namespace {

// xdg-open rend la main aussitôt s'il ne trouve rien pour ouvrir le document, et ne
// la rend qu'à la fermeture de l'application qu'il lance parfois : un interpréteur
// le lance, l'observe une seconde puis rend son issue, et le laisse vivre au-delà
// (ni cette application ni son processus n'attendent le navigateur).
std::optional<bool> ouvrirParXdgOpen(const QUrl& adresse)
{
    const QString programme = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (programme.isEmpty())
        return std::nullopt;
    QProcess processus;
    // Ses plaintes sont en anglais : l'appelant dit l'échec en français.
    processus.setStandardOutputFile(QProcess::nullDevice());
    processus.setStandardErrorFile(QProcess::nullDevice());
    const QString observation = QStringLiteral("\"$0\" \"$1\" & lance=$!; for i in 1 2 3 4 5 6 7 8 9 10; do "
                                               "kill -0 $lance 2>/dev/null || break; sleep 0.1; done; "
                                               "kill -0 $lance 2>/dev/null && exit 0; wait $lance");
    processus.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), observation, programme, adresse.toString()});
    if (!processus.waitForFinished(5000)) {
        processus.kill();
        processus.waitForFinished(1000);
        return false;
    }
    return processus.exitStatus() == QProcess::NormalExit && processus.exitCode() == 0;
}

OuvreurDocument& ouvreurCourant()
{
    static OuvreurDocument ouvreur = [](const QUrl& adresse) {
        if (const auto ouvert = ouvrirParXdgOpen(adresse))
            return *ouvert;
        // Un bureau sans application associée l'écrit en anglais sur le terminal : l'appelant le dit en français.
        const QtMessageHandler avant = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        const bool ouvert = QDesktopServices::openUrl(adresse);
        qInstallMessageHandler(avant);
        return ouvert;
    };
    return ouvreur;
}

QString codeProduit(const QString& projet)
{
    for (const char* code : {"VANT", "KOR", "ORB"}) {
        const QString c = QString::fromLatin1(code);
        if (projet == c || projet == c + QStringLiteral("Reader"))
            return c;
    }
    return projet;
}

} // namespace

bool OuvrirDocument(const QUrl& adresse)
{
    const OuvreurDocument& o = ouvreurCourant();
    return o && o(adresse);
}

OuvreurDocument DefinirOuvreurDocument(OuvreurDocument ouvreur)
{
    OuvreurDocument ancien = std::move(ouvreurCourant());
    ouvreurCourant() = std::move(ouvreur);
    return ancien;
}

void OuvrirAide(qint16 sujet)
{
    const ValeursProcessus& processus = ValeursProcessus::courantes();
    bool trouve = false;
    QString fichierAide = LireMembre(processus.fenetrePrincipale, QStringLiteral("fichierAide"), &trouve).toString();
    // Fenêtre hôte sans ce membre : le fichier d'aide donné à l'initialisation.
    if (!trouve)
        fichierAide = processus.fichierAide;
    if (fichierAide.isEmpty()) {
        AfficherMessage(QString(),
                        QStringLiteral("L'aide n'est pas installée ou le paramètrage n'est pas correct. "
                                       "Merci de vérifier le chemin dans l'écran d'administration."));
        return;
    }

    const QString code = codeProduit(processus.nomProjet);
    const QString page = sujet == 0
        ? code + QStringLiteral("_help.htm")
        : QStringLiteral("docs_") + code.toLower() + u'/' + code + QStringLiteral("_help_") + QString::number(sujet)
            + QStringLiteral(".htm");

    if (fichierAide.toUpper().startsWith(QStringLiteral("HTTP"))) {
        const QString adresse = fichierAide.toLower() + page;
        if (!OuvrirDocument(QUrl(adresse)))
            AfficherMessage(QStringLiteral("erreur"), QStringLiteral("Impossible d'ouvrir le fichier d'aide: ") + adresse);
        return;
    }

    const QString suffixe = code + QStringLiteral("_help.htm");
    const QString dossier = fichierAide.left(std::max<qsizetype>(0, fichierAide.size() - suffixe.size()));
    QString chemin = dossier + page;
    if (!QFileInfo::exists(chemin))
        chemin = fichierAide;
    if (!OuvrirDocument(QUrl::fromLocalFile(chemin)))
        AfficherMessage(QStringLiteral("erreur"), QStringLiteral("Impossible d'ouvrir le fichier d'aide: ") + chemin);
}
