// Le bulletin mensuel d'une base à l'échelle d'un pays : 150 pluviomètres et
// 50 piézomètres de 75 ans de mesures journalières, un mois. La base est faite
// ici (fichier SQLite, ou le serveur de GRAPHIQUE_PG avec --postgres), puis
// `graphique bulletin` est lancé comme un utilisateur le lance : PDF et classeur.
//
//   bench_bulletin PROGRAMME [--postgres] [--dossier D]   (D : la base et les sorties gardées)
#include "MesureBreve.h"

#include "data/BaseDonnees.h"
#include "data/bases/OuvertureBase.h"
#include "data/bases/TablesCalendrier.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

namespace {

struct Taille
{
    int pluviometres, piezometres, annees;
};

const QDate fin(2024, 12, 31);

QList<ColonneTable> colonnes(const QString& mesure)
{
    return {{QStringLiteral("DateCreation"), TypeColonne::Date}, {QStringLiteral("Heure"), TypeColonne::Heure},
            {mesure, TypeColonne::Reel}, {QStringLiteral("ModeObtention"), TypeColonne::Texte}};
}

// Une chronique journalière : pluie d'un jour sur trois, ou niveau qui suit les saisons.
QList<QVariantList> chronique(int annees, bool pluie, QRandomGenerator& tirage)
{
    QList<QVariantList> lignes;
    const QTime heure(pluie ? 8 : 6, 0);
    for (QDate j = QDate(fin.year() - annees + 1, 1, 1); j <= fin; j = j.addDays(1)) {
        const double saison = std::cos(2 * M_PI * (j.dayOfYear() - 30) / 365.25);
        const double v = pluie ? (tirage.bounded(3) == 0 ? std::round(tirage.bounded(300.0)) / 10 : 0.0)
                               : std::round((-15 + 3 * saison + tirage.bounded(1.0)) * 100) / 100;
        lignes.append({j, heure, v, QVariant()});
    }
    return lignes;
}

bool remplir(BaseDonnees& base, const Taille& t, QString& erreur)
{
    QRandomGenerator tirage(20261207);
    QList<QVariantList> stations, normales;
    for (int i = 0; i < t.pluviometres + t.piezometres; ++i) {
        const bool pluie = i < t.pluviometres;
        const QString code = pluie ? QStringLiteral("P%1").arg(i, 5, 10, QLatin1Char('0')) : QStringLiteral("Z%1X0001").arg(i, 5, 10, QLatin1Char('0'));
        const QString table = (pluie ? QStringLiteral("PLUVIO_") : QStringLiteral("PZ_")) + code;
        if (!base.CreerTable(table, colonnes(pluie ? QStringLiteral("Pluie") : QStringLiteral("Valeur")))
            || !base.InsererLignes(table, chronique(t.annees, pluie, tirage))) {
            erreur = base.DerniereErreur();
            return false;
        }
        stations.append({code, QStringLiteral("Station %1").arg(i), pluie ? QStringLiteral("pluvio") : QStringLiteral("piezo"), QVariant()});
        for (int m = 1; pluie && m <= 12; ++m)
            normales.append({code, m, 45.0 + 10 * std::sin(m)});
    }
    return base.CreerTable(QStringLiteral("STATIONS"), {{QStringLiteral("Code"), TypeColonne::Texte}, {QStringLiteral("Nom"), TypeColonne::Texte},
                                                       {QStringLiteral("Genre"), TypeColonne::Texte}, {QStringLiteral("Altitude"), TypeColonne::Reel}})
        && base.InsererLignes(QStringLiteral("STATIONS"), stations)
        && base.CreerTable(QStringLiteral("PLUVIOMETRE_NORMALES"), {{QStringLiteral("codePluviometre"), TypeColonne::Texte},
                                                                   {QStringLiteral("mois"), TypeColonne::Entier},
                                                                   {QStringLiteral("valeur"), TypeColonne::Reel}})
        && base.InsererLignes(QStringLiteral("PLUVIOMETRE_NORMALES"), normales)
        && TablesCalendrier::creer(base, 10, erreur);
}

} // namespace

int main(int argc, char** argv)
{
    if (MesureBreve::refuserOptionsBibliotheque(argc, argv))
        return 2;
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage : bench_bulletin PROGRAMME [--postgres]\n");
        return 2;
    }
    const Taille t = MesureBreve::active() ? Taille{4, 2, 6} : Taille{150, 50, 75};
    QTemporaryDir provisoire;
    const qsizetype d = arguments.indexOf(QStringLiteral("--dossier"));
    const QDir dossier(d > 0 && d + 1 < arguments.size() ? arguments[d + 1] : provisoire.path());
    const bool postgres = arguments.contains(QStringLiteral("--postgres"));
    const QString texteBase = postgres ? qEnvironmentVariable("GRAPHIQUE_PG") : dossier.filePath(QStringLiteral("pays.db"));
    QString erreur;
    QElapsedTimer chrono;
    chrono.start();
    {
        auto base = ouvrirBase(texteBase, true, erreur);
        if (!base || !remplir(*base, t, erreur)) {
            std::fprintf(stderr, "base impossible : %s\n", qPrintable(erreur));
            return 1;
        }
    }
    std::printf("%s : %d pluviomètres, %d piézomètres, %d ans, faite en %.1f s\n", postgres ? "PostgreSQL" : "SQLite",
                t.pluviometres, t.piezometres, t.annees, chrono.elapsed() / 1000.0);
    QProcess programme;
    chrono.restart();
    programme.start(arguments[1], {QStringLiteral("bulletin"), QStringLiteral("--base"), texteBase, QStringLiteral("--mois"),
                                   QStringLiteral("03/2024"), QStringLiteral("--sortie"), dossier.filePath(QStringLiteral("b.pdf")),
                                   QStringLiteral("--classeur"), dossier.filePath(QStringLiteral("b.xlsx"))});
    if (!programme.waitForFinished(600000) || programme.exitCode() != 0) {
        std::fprintf(stderr, "graphique bulletin en échec : %s\n", programme.readAllStandardError().constData());
        return 1;
    }
    const double secondes = chrono.elapsed() / 1000.0;
    std::printf("graphique bulletin (PDF de %lld Kio, classeur) : %.2f s, objectif 10 s\n",
                QFileInfo(dossier.filePath(QStringLiteral("b.pdf"))).size() / 1024, secondes);
    return 0;
}
