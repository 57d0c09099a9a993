// Programme en ligne de commande du composant de graphiques.
#include "AideProgramme.h"
#include "Commandes.h"
#include "LigneCommande.h"

#include "commun/FichierProvisoire.h"
#include "commun/MemoireProcessus.h"
#include "commun/TexteAffichable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// Les avertissements des bibliothèques (« libpng error: Write Error »…) ne
// s'ajoutent pas à la ligne en français qui dit l'échec ; les traces du
// système (catégories « graphique. ») passent quand on les demande.
void messagesQt(QtMsgType type, const QMessageLogContext& contexte, const QString& message)
{
    const bool systeme = contexte.category && std::strncmp(contexte.category, "graphique.", 10) == 0;
    if (!systeme && qEnvironmentVariableIsEmpty("GRAPHIQUE_MESSAGES_QT") && type != QtFatalMsg)
        return;
    std::fputs((message + u'\n').toLocal8Bit().constData(), stderr);
}

bool estAide(const QString& argument)
{
    return argument == QStringLiteral("-h") || argument == QStringLiteral("--aide");
}

// La page entière, ou la part d'une commande suivie de -h ou --aide, avant
// toute vérification de ses options ; rien sinon.
std::optional<QString> aideDemandee(const QString& commande, const QStringList& arguments)
{
    if (estAide(commande))
        return AideProgramme::page();
    if (std::any_of(arguments.cbegin(), arguments.cend(), estAide))
        return AideProgramme::commande(commande);
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    MemoireProcessus::garderLesGrandsBlocs();
    qInstallMessageHandler(messagesQt);
    FichierProvisoire::effacerAuxSignaux();
    // Aucune commande n'ouvre de fenêtre : les graphiques se dessinent hors
    // écran, même quand l'environnement demande un écran qui n'est pas là.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dossier = QDir::tempPath().toLocal8Bit() + "/runtime-graphique-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromLocal8Bit(dossier));
        QFile::setPermissions(QString::fromLocal8Bit(dossier), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dossier);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("graphique"));
    QStringList arguments = QApplication::arguments().mid(1);

    if (arguments.isEmpty())
        return echec(QStringLiteral("aucune commande. « graphique --aide » les présente."));
    const QString commande = arguments.takeFirst();
    if (const auto aide = aideDemandee(commande, arguments)) {
        std::fputs(aide->toLocal8Bit().constData(), stdout);
        return sortieOk;
    }
    if (commande == QStringLiteral("version")) {
        ecrireLigne(QStringLiteral(GRAPHIQUE_VERSION));
        return sortieOk;
    }
    const std::pair<const char*, int (*)(const QStringList&)> commandes[] = {
        {"exemple", commandeExemple}, {"copier", commandeCopier}, {"importer", commandeImporter}, {"stations", commandeStations},
        {"tracer", commandeTracer},   {"options", commandeOptions},   {"litteraux", commandeLitteraux},
        {"exporter", commandeExporter}, {"annuaire", commandeAnnuaire}, {"corrections", commandeCorrections},
    };
    for (const auto& [nom, fonction] : commandes)
        if (commande == QString::fromLatin1(nom))
            return fonction(arguments);
    return echec(QStringLiteral("commande inconnue : « %1 ». « graphique --aide » les présente.").arg(TexteAffichable(commande)));
}
