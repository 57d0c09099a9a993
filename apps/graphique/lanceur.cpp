// Le programme « graphique » : la version et l'aide tout de suite, avec Qt Core
// seul ; toute autre commande passe, par exec, au programme des commandes
// (graphique-commandes), qui charge Qt Widgets, les bases et les polices.
// Sans cela, « graphique version » chargeait 75 bibliothèques partagées.
#include "AideProgramme.h"
#include "LigneCommande.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

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

// Le programme des commandes : à côté de celui-ci dans l'arbre de
// construction, sous lib/graphique une fois installé.
std::string programmeDesCommandes()
{
    char chemin[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", chemin, sizeof chemin);
    if (n <= 0 || n >= ssize_t(sizeof chemin))
        return {};
    std::string dossier(chemin, std::size_t(n));
    dossier.erase(dossier.rfind('/') + 1);
    for (const char* relatif : {"graphique-commandes", GRAPHIQUE_COMMANDES_INSTALLE}) {
        const std::string programme = dossier + relatif;
        if (access(programme.c_str(), X_OK) == 0)
            return programme;
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
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
    const std::string programme = programmeDesCommandes();
    if (!programme.empty())
        execv(programme.c_str(), argv);
    return echec(QStringLiteral("programme des commandes introuvable à côté de %1.").arg(QString::fromLocal8Bit(argv[0])));
}
