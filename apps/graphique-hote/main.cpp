// graphique-hote : l'application de bureau qui porte le contrôle graphique.
#include "FenetreHote.h"
#include "IdentiteApplication.h"
#include "TraductionsQt.h"

#include "commun/FichierProvisoire.h"
#include "commun/MemoireProcessus.h"
#include "commun/ValeursProcessus.h"
#include "commun/MotDePasse.h"
#include "settings/MessagesBoite.h"

#include <QApplication>
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
    MemoireProcessus::garderLesGrandsBlocs();
    FichierProvisoire::effacerAuxSignaux();
    // Les arguments d'abord : l'aide et un refus ne demandent pas d'écran.
    QString base;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QStringLiteral("-h") || a == QStringLiteral("--aide")) {
            std::fputs(aide, stdout);
            return 0;
        }
        if (a == QStringLiteral("--base") && i + 1 < argc) {
            base = QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        std::fprintf(stderr, "graphique-hote : argument inconnu « %s ». « graphique-hote --aide » les présente.\n",
                     MotDePasse::retirer(a).toLocal8Bit().constData());
        return 2;
    }
    QApplication application(argc, argv);
    IdentiteApplication::appliquer();
    QApplication::setApplicationVersion(QStringLiteral(GRAPHIQUE_VERSION));
    TraductionsQt::installer();
    FenetreHote fenetre;
    MessagesBoite boite(&fenetre);
    ServiceMessages* avant = ServiceMessages::installer(&boite);
    fenetre.show();
    fenetre.ouvrirAuDemarrage(base);
    const int code = QApplication::exec();
    ServiceMessages::installer(avant);
    return code;
}
