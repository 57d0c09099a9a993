// Le programme des commandes du composant de graphiques, lancé par « graphique »
// (lanceur.cpp) pour toute commande autre que la version et l'aide.
#include "Commandes.h"
#include "LigneCommande.h"

#include "commun/FichierProvisoire.h"
#include "commun/MemoireProcessus.h"
#include "commun/TexteAffichable.h"
#include "commun/ValeursProcessus.h"
#include "commun/parametres/NomProjet.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <memory>
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

// Ce que la commande demande avant de commencer.
enum class Application {
    Coeur,    // Qt Core
    Widgets,  // QApplication : widgets, polices, greffon d'affichage
    Aucune,   // elle fait ses processus d'abord, chacun avec son application
};

struct Commande
{
    const char* nom;
    int (*fonction)(const QStringList&);
    Application application;
};

using A = Application;
const Commande commandes[] = {
    {"exemple", commandeExemple, A::Coeur},     {"copier", commandeCopier, A::Coeur},
    {"importer", commandeImporter, A::Coeur},   {"stations", commandeStations, A::Coeur},
    {"tracer", commandeTracer, A::Widgets},     {"options", commandeOptions, A::Coeur},
    {"litteraux", commandeLitteraux, A::Coeur}, {"exporter", commandeExporter, A::Widgets},
    {"annuaire", commandeAnnuaire, A::Widgets}, {"corrections", commandeCorrections, A::Widgets},
    {"bulletin", commandeBulletin, A::Widgets}, {"serveur", commandeServeur, A::Aucune},
};

const Commande* trouver(const char* nom)
{
    for (const Commande& c : commandes)
        if (nom && std::strcmp(nom, c.nom) == 0)
            return &c;
    return nullptr;
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
    // Seules les commandes qui dessinent paient les widgets, les polices et le greffon d'affichage.
    const Commande* commande = trouver(argc > 1 ? argv[1] : nullptr);
    // Le projet nomme les paramètres de l'utilisateur : nommé avant la première lecture,
    // il est le même pour chaque commande (options --projet en montre un autre).
    ValeursProcessus::courantes().nomProjet = NomProjet::programmes();
    if (commande && commande->application == Application::Aucune) {
        QStringList arguments;
        for (int i = 2; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        return commande->fonction(arguments);
    }
    std::unique_ptr<QCoreApplication> application;
    if (commande && commande->application == Application::Widgets)
        application = std::make_unique<QApplication>(argc, argv);
    else
        application = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("graphique"));
    QStringList arguments = QCoreApplication::arguments().mid(1);

    if (arguments.isEmpty())
        return echec(QStringLiteral("aucune commande. « graphique --aide » les présente."));
    const QString nom = arguments.takeFirst();
    if (!commande)
        return echec(QStringLiteral("commande inconnue : « %1 ». « graphique --aide » les présente.").arg(TexteAffichable(nom)));
    return commande->fonction(arguments);
}
