// graphique-hote : l'application de bureau qui porte le contrôle graphique.
#include "FenetreHote.h"

#include "commun/ValeursProcessus.h"
#include "settings/MessagesBoite.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

namespace {

const char* const aide = R"(Usage : graphique-hote [--base BASE]

Application de bureau des graphiques de suivi hydrologique : choisir une
station, un genre de graphique et des dates, tracer, zoomer, lire les valeurs,
enregistrer ou imprimer le graphique.

  --base BASE   un fichier SQLite, ou une connexion PostgreSQL
                ("postgresql://…" ou "host=… dbname=…").
                Sans elle : la dernière base ouverte, sinon la base d'exemple
                (faite au premier lancement).
  -h, --aide    affiche cette aide.
)";

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("graphique-hote"));
    QApplication::setOrganizationName(QStringLiteral("graphique"));
    QApplication::setApplicationVersion(QStringLiteral(GRAPHIQUE_VERSION));
    const QStringList arguments = QApplication::arguments().mid(1);
    QString base;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("-h") || arguments[i] == QStringLiteral("--aide")) {
            std::fputs(aide, stdout);
            return 0;
        }
        if (arguments[i] == QStringLiteral("--base") && i + 1 < arguments.size()) {
            base = arguments[++i];
            continue;
        }
        std::fprintf(stderr, "graphique-hote : argument inconnu « %s ». « graphique-hote --aide » les présente.\n",
                     arguments[i].toLocal8Bit().constData());
        return 2;
    }
    FenetreHote fenetre;
    MessagesBoite boite(&fenetre);
    ServiceMessages* avant = ServiceMessages::installer(&boite);
    fenetre.show();
    fenetre.ouvrirAuDemarrage(base);
    const int code = QApplication::exec();
    ServiceMessages::installer(avant);
    return code;
}
