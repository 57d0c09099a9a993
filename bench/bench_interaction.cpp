// La souris sur un graphique de dix millions de points, de l'événement à l'image
// finie : zoom au rectangle sur 1 % de la période, cran de molette, glisser au
// bouton du milieu, rectangle élastique qui suit le pointeur, et retour à toute
// la période. Le graphique est celui de la pluie sous une nappe (base
// d'exemple) dont la nappe est remplacée par une série de 10⁷ points.
//
// GRAPHIQUE_IMAGES_BENCH nomme un dossier où garder, avant le remplacement,
// l'écran pendant le tracé d'un rectangle et après le zoom (à lancer sous
// xvfb-run pour une vraie fenêtre).
#include "MesureBreve.h"

#include "control/CtlGraphique.h"
#include "control/HoteGraphique.h"
#include "control/VueGraphique.h"
#include "data/bases/BaseExemple.h"
#include "data/bases/BaseSqlite.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <random>

namespace {

// Dix millions de points ; cent mille en passage bref.
const int nombrePoints = MesureBreve::taille(10'000'000, 100'000);
const QSize tailleGraphique(1600, 900);

QTemporaryDir* dossier = nullptr;
std::unique_ptr<BaseSqlite> base;
HoteGraphique* hote = nullptr;

VueGraphique* vue()
{
    return hote->controle().vueGraphique();
}

MoteurGraphique& moteur()
{
    return hote->controle().Graphique();
}

QPoint point(double fx, double fy)
{
    const QRectF z = moteur().zoneTrace(QRectF(vue()->rect()));
    return QPointF(z.left() + fx * z.width(), z.top() + fy * z.height()).toPoint();
}

// L'image de l'écran, finie : le dessin se fait ici, pas plus tard.
void image()
{
    vue()->repaint();
}

void molette(const QPoint& p, int crans)
{
    QWheelEvent e(QPointF(p), vue()->mapToGlobal(QPointF(p)), QPoint(), QPoint(0, crans * 120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(vue(), &e);
}

double residentMo()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmRSS:"))
            return l.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Le contrôle suit la fenêtre de l'hôte, et la vue le contrôle : seule la
// fenêtre est agrandie de l'écart, jusqu'à ce que la vue ait sa taille.
// Redimensionner aussi le contrôle le ferait déborder de la fenêtre, qui le
// ramène à la sienne au redimensionnement suivant.
bool ajusterTaille()
{
    for (int i = 0; i < 5 && vue()->size() != tailleGraphique; ++i) {
        hote->resize(hote->size() + tailleGraphique - vue()->size());
        QApplication::processEvents();
    }
    std::fprintf(stderr, "Vue du graphique : %d × %d (fenêtre %d × %d).\n", vue()->width(), vue()->height(), hote->width(),
                 hote->height());
    return vue()->size() == tailleGraphique;
}

void captures(const QString& sortie)
{
    hote->controle().declencheOutil(3);
    const QPoint a = point(0.35, 0.15), b = point(0.6, 0.85);
    QTest::mousePress(vue(), Qt::LeftButton, {}, a);
    QTest::mouseMove(vue(), (a + b) / 2);
    QTest::mouseMove(vue(), b);
    image();
    hote->grab().save(QDir(sortie).filePath(QStringLiteral("rectangle.png")));
    QTest::mouseRelease(vue(), Qt::LeftButton, {}, b);
    image();
    hote->grab().save(QDir(sortie).filePath(QStringLiteral("zoom.png")));
    hote->controle().ZoomerToutePeriode();
}

// Une marche aléatoire de dix millions de points sur toute l'étendue X, dans les bornes Y du graphique.
void remplacerLaNappe()
{
    MoteurGraphique& g = moteur();
    g.ecrire(Prop::AxeY, 0);
    const double xMax = g.lireNombre(Prop::XMax), yMin = g.lireNombre(Prop::YMin), yMax = g.lireNombre(Prop::YMax);
    const double avant = residentMo();
    std::vector<double> x(nombrePoints);
    std::vector<float> y(nombrePoints);
    std::mt19937 alea(5);
    std::normal_distribution<double> pas(0.0, 1.0);
    double v = 0;
    for (int i = 0; i < nombrePoints; ++i) {
        v += pas(alea);
        x[std::size_t(i)] = xMax * (i + 0.5) / nombrePoints;
        y[std::size_t(i)] = float(v);
    }
    const auto [bas, haut] = std::minmax_element(y.begin(), y.end());
    const double b = *bas, h = *haut;
    for (float& f : y)
        f = float(yMin + (f - b) / (h - b) * (yMax - yMin));
    g.chargerSerie(1, std::move(x), std::move(y), 12);
    std::fprintf(stderr, "Mémoire résidente : %.0f Mo de plus pour %d points (X en double, Y en simple : %.0f Mo bruts).\n",
                 residentMo() - avant, nombrePoints, nombrePoints * 12.0 / 1048576.0);
    g.ecrire(Prop::Dessin, 2);
    image();
}

bool preparer()
{
    dossier = new QTemporaryDir;
    MoteurGraphique::definirDossierImages(dossier->path());
    QString erreur;
    if (!BaseExemple::creerFichier(dossier->filePath("exemple.db"), 5, {}, erreur))
        return false;
    base = BaseSqlite::ouvrir(dossier->filePath("exemple.db"), erreur);
    if (!base)
        return false;
    hote = new HoteGraphique;
    hote->resize(1700, 1200);
    hote->show();
    HoteGraphique::Demande d;
    d.type = TypeGraph::PluvioPiezo;
    d.station = "76402001";
    d.stations = {"00754X0012"};
    d.debut = QDate(2021, 10, 1);
    d.fin = QDate(2023, 9, 30);
    if (!hote->tracer(d, base.get(), erreur))
        return false;
    if (!ajusterTaille())
        return false;
    const QString sortie = qEnvironmentVariable("GRAPHIQUE_IMAGES_BENCH");
    if (!sortie.isEmpty() && QDir().mkpath(sortie))
        captures(sortie);
    remplacerLaNappe();
    if (!sortie.isEmpty())
        hote->grab().save(QDir(sortie).filePath(QStringLiteral("dix-millions.png")));
    return true;
}

void pause(benchmark::State& etat, const std::function<void()>& f)
{
    etat.PauseTiming();
    f();
    etat.ResumeTiming();
}

void RectangleSurUnPourcent(benchmark::State& etat)
{
    hote->controle().declencheOutil(3);
    const QPoint a = point(0.5, 0.05), b = point(0.51, 0.95);
    for (auto _ : etat) {
        pause(etat, [&] {
            hote->controle().ZoomerToutePeriode();
            image();
            QTest::mousePress(vue(), Qt::LeftButton, {}, a);
            QTest::mouseMove(vue(), b);
        });
        QTest::mouseRelease(vue(), Qt::LeftButton, {}, b);
        image();
    }
}
BENCHMARK(RectangleSurUnPourcent)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(20));

void RectangleElastiqueSuitLePointeur(benchmark::State& etat)
{
    hote->controle().declencheOutil(3);
    hote->controle().ZoomerToutePeriode();
    image();
    QTest::mousePress(vue(), Qt::LeftButton, {}, point(0.2, 0.2));
    int i = 0;
    for (auto _ : etat) {
        QTest::mouseMove(vue(), point(0.4 + 0.3 * (i++ % 20) / 20.0, 0.7));
        image();
    }
    QTest::mouseRelease(vue(), Qt::LeftButton, {}, QPoint(2, 2));
}
BENCHMARK(RectangleElastiqueSuitLePointeur)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(100));

void CranDeMolette(benchmark::State& etat)
{
    hote->controle().ZoomerToutePeriode();
    image();
    int sens = 1;
    for (auto _ : etat) {
        molette(point(0.4, 0.5), sens);
        image();
        sens = -sens;
    }
}
BENCHMARK(CranDeMolette)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(40));

void GlisserAuBoutonDuMilieu(benchmark::State& etat)
{
    hote->controle().ZoomerToutePeriode();
    molette(point(0.5, 0.5), 10);   // un dixième de la période environ
    image();
    QTest::mousePress(vue(), Qt::MiddleButton, {}, point(0.5, 0.5));
    int i = 0;
    for (auto _ : etat) {
        QTest::mouseMove(vue(), point(0.5 + ((i++ % 2) ? 0.0 : 0.05), 0.5), -1);
        image();
    }
    QTest::mouseRelease(vue(), Qt::MiddleButton, {}, point(0.5, 0.5));
}
BENCHMARK(GlisserAuBoutonDuMilieu)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(40));

void RetourAToutePeriode(benchmark::State& etat)
{
    for (auto _ : etat) {
        pause(etat, [&] {
            molette(point(0.5, 0.5), 8);
            image();
        });
        QTest::mouseDClick(vue(), Qt::LeftButton, {}, point(0.5, 0.5));
        image();
    }
}
BENCHMARK(RetourAToutePeriode)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(20));

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (!preparer()) {
        std::fprintf(stderr, "Préparation du graphique impossible.\n");
        return 1;
    }
    const int code = MesureBreve::lancer(argc, argv);
    delete hote;
    base.reset();
    delete dossier;
    return code;
}
