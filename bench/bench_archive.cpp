// L'archive nationale simulée sur PostgreSQL (bench/archive_postgres.sql) :
// temps de la demande à l'image pour des stations tirées au hasard, puis
// plusieurs clients qui dessinent en même temps.
//   bench_archive [--tours N] [--genre G]          chaque genre de graphique (ou le G-ième), N stations
//   bench_archive --clients K [--graphiques M]     K processus de M graphiques chacun
//   --tas-systeme : le tas tel que le laisse la bibliothèque C (un hôte qui ne le règle pas)
// La connexion est lue dans GRAPHIQUE_PG.
#include "MesureBreve.h"

#include "commun/MemoireProcessus.h"
#include "control/HoteGraphique.h"
#include "data/bases/BasePostgres.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/SortiesImage.h"
#include "control/CtlGraphique.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

struct Genre
{
    const char* nom;
    HoteGraphique::Demande (*demande)(QRandomGenerator& alea);
};

// Les stations de l'archive (celles de la base d'exemple n'en sont pas).
QStringList pluvios, piezos;

bool lireStations(BasePostgres& base)
{
    TableauValeurs t;
    if (!base.ExecuterNatif(QStringLiteral("SELECT code, genre FROM stations WHERE nom LIKE '% national %' ORDER BY code"), &t))
        return false;
    for (int i = 0; i < t.points(); ++i)
        (t(1, i).toString() == QStringLiteral("pluvio") ? pluvios : piezos) << t(0, i).toString();
    return !pluvios.isEmpty() && !piezos.isEmpty();
}

QString pluvio(QRandomGenerator& alea)
{
    return pluvios[alea.bounded(int(pluvios.size()))];
}

QString piezo(QRandomGenerator& alea)
{
    return piezos[alea.bounded(int(piezos.size()))];
}

HoteGraphique::Demande mensuel(QRandomGenerator& alea)
{
    HoteGraphique::Demande d;
    d.station = pluvio(alea);
    d.periodes = QStringLiteral("M");
    d.debut = QDate(1950, 1, 1);
    d.fin = QDate(2024, 12, 31);
    return d;
}

HoteGraphique::Demande annee(QRandomGenerator& alea)
{
    HoteGraphique::Demande d;
    d.type = TypeGraph::Annee;
    d.station = pluvio(alea);
    d.annee = 2024;
    d.affichage = QStringLiteral("COURBE");
    d.premiereAnneeStatistique = QStringLiteral("1950");
    d.derniereAnneeStatistique = QStringLiteral("2023");
    return d;
}

HoteGraphique::Demande pluvioPiezo(QRandomGenerator& alea)
{
    HoteGraphique::Demande d;
    d.type = TypeGraph::PluvioPiezo;
    d.station = pluvio(alea);
    d.stations = {piezo(alea)};
    d.periodes = QStringLiteral("M");
    d.debut = QDate(2005, 1, 1);
    d.fin = QDate(2024, 12, 31);
    return d;
}

HoteGraphique::Demande pluvioPiezoCinqAns(QRandomGenerator& alea)
{
    HoteGraphique::Demande d = pluvioPiezo(alea);
    d.debut = QDate(2020, 1, 1);
    return d;
}

// Les trois premiers sont aussi ceux que tirent les clients.
const Genre genres[] = {{"mensuel sur 75 ans", mensuel},
                        {"annuel, toutes statistiques sur 74 ans", annee},
                        {"PluvioPiezo horaire sur 20 ans", pluvioPiezo},
                        {"PluvioPiezo horaire sur 5 ans", pluvioPiezoCinqAns}};

// Un graphique, de la demande à l'image : ms, ou -1 en cas d'échec.
double dessiner(BaseDonnees& base, const HoteGraphique::Demande& demande, int* points)
{
    QElapsedTimer chrono;
    chrono.start();
    HoteGraphique hote;
    hote.resize(1200, 810);
    hote.show();
    QString erreur;
    if (!hote.tracer(demande, &base, erreur) || !hote.aDesDonnees()) {
        std::fprintf(stderr, "%s : %s\n", qPrintable(demande.station), qPrintable(erreur));
        return -1;
    }
    const QImage image = SortiesImage::image(hote.controle().Graphique(), QSize(1200, 700));
    const double ms = chrono.nsecsElapsed() / 1e6;
    if (points) {
        *points = 0;
        for (Classe_Graphiques* c : {&hote.controle().CollCourbes(), &hote.controle().CollCourbes2()})
            for (int k = 1; k <= c->Compter(); ++k)
                *points += c->GetCourbe(k)->NbValeurs();
    }
    return image.isNull() ? -1 : ms;
}

int parGenre(BaseDonnees& base, int tours, int seul)
{
    QRandomGenerator alea(7);
    for (const Genre& g : genres) {
        if (seul > 0 && &g != &genres[seul - 1])
            continue;
        QList<double> temps;
        int points = 0;
        dessiner(base, g.demande(alea), nullptr);  // mise en route (connexion, fonctions du serveur)
        for (int i = 0; i < tours; ++i) {
            const double ms = dessiner(base, g.demande(alea), &points);
            if (ms < 0)
                return 1;
            temps << ms;
        }
        std::sort(temps.begin(), temps.end());
        std::printf("%-42s points %7d  min %6.0f  médiane %6.0f  max %6.0f ms\n", g.nom, points, temps.first(),
                    temps[temps.size() / 2], temps.last());
        std::fflush(stdout);
    }
    return 0;
}

int client(BaseDonnees& base, int graphiques, quint32 graine)
{
    QRandomGenerator alea(graine);
    for (int i = 0; i < graphiques; ++i) {
        const Genre& g = genres[alea.bounded(3)];
        const double ms = dessiner(base, g.demande(alea), nullptr);
        if (ms < 0)
            return 1;
        std::printf("%.1f\n", ms);
    }
    return 0;
}

int clients(int nombre, int graphiques)
{
    QElapsedTimer chrono;
    chrono.start();
    std::vector<std::unique_ptr<QProcess>> p;
    for (int k = 0; k < nombre; ++k) {
        p.push_back(std::make_unique<QProcess>());
        p.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList arguments = {"--client", QString::number(k + 1), "--graphiques", QString::number(graphiques)};
        if (QCoreApplication::arguments().contains("--tas-systeme"))
            arguments << "--tas-systeme";
        p.back()->start(QCoreApplication::applicationFilePath(), arguments);
    }
    QList<double> temps;
    for (auto& x : p) {
        x->waitForFinished(-1);
        for (const QByteArray& l : x->readAllStandardOutput().split('\n'))
            if (!l.isEmpty())
                temps << l.toDouble();
    }
    const double secondes = chrono.nsecsElapsed() / 1e9;
    std::sort(temps.begin(), temps.end());
    if (temps.isEmpty())
        return 1;
    std::printf("%d clients, %lld graphiques en %.1f s : %.2f graphiques/s ; médiane %.0f ms, 95 %% %.0f ms, plus lent %.0f ms\n",
                nombre, qlonglong(temps.size()), secondes, temps.size() / secondes, temps[temps.size() / 2],
                temps[int(temps.size() * 0.95)], temps.last());
    return temps.size() == nombre * graphiques ? 0 : 1;
}

int argument(const QStringList& a, const QString& nom, int defaut)
{
    const qsizetype i = a.indexOf(nom);
    return i >= 0 && i + 1 < a.size() ? a[i + 1].toInt() : defaut;
}

} // namespace

int main(int argc, char** argv)
{
    if (MesureBreve::refuserOptionsBibliotheque(argc, argv))
        return 2;
    // Le tas réglé comme dans l'application de bureau, sauf --tas-systeme.
    bool tasSysteme = false;
    for (int i = 1; i < argc; ++i)
        tasSysteme = tasSysteme || std::strcmp(argv[i], "--tas-systeme") == 0;
    if (!tasSysteme)
        MemoireProcessus::garderLesGrandsBlocs();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList a = application.arguments();
    if (a.contains("--clients"))
        return clients(argument(a, "--clients", 8), argument(a, "--graphiques", 10));
    QString erreur;
    auto base = BasePostgres::ouvrir(qEnvironmentVariable("GRAPHIQUE_PG"), erreur);
    if (!base) {
        std::fprintf(stderr, "%s\n", qPrintable(erreur));
        return 1;
    }
    if (!lireStations(*base)) {
        std::fprintf(stderr, "Pas de stations de l'archive : bench/archive_postgres.sql d'abord.\n");
        return 1;
    }
    QTemporaryDir dossier;
    MoteurGraphique::definirDossierImages(dossier.path());
    if (a.contains("--client"))
        return client(*base, argument(a, "--graphiques", 10), quint32(argument(a, "--client", 1)));
    return parGenre(*base, argument(a, "--tours", 7), argument(a, "--genre", 0));
}
