// Coût du dessin du moteur, points déjà chargés, dans une image 1600×900 :
// un million de points X–Y (marche aléatoire, et bruit blanc qui remplit chaque
// colonne de pixels sur toute sa hauteur), 100 000 barres, le fichier PNG, et
// dix millions de points chargés d'un coup, vus en entier et à 1 %.
#include "MesureBreve.h"

#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"
#include "render/moteur/SortiesImage.h"

#include <QGuiApplication>
#include <cmath>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>
#include <sys/resource.h>

namespace {

const QSize taille(1600, 900);
// Les séries d'un million et de dix millions de points, et les barres ; petites en passage bref.
const int unMillion = MesureBreve::taille(1'000'000, 20'000);
const int dixMillions = MesureBreve::taille(10'000'000, 100'000);
const int centMille = MesureBreve::taille(100'000, 2'000);
const double duree = MesureBreve::duree(2.0);

void axes(MoteurGraphique& m, double min, double max)
{
    m.ecrire(Prop::AxeY, 0);
    m.ecrire(Prop::ModeEchelleY, 2);
    m.ecrire(Prop::DivisionsY, 5);
    m.ecrire(Prop::YMax, max);
    m.ecrire(Prop::YMin, min);
    m.ecrire(Prop::TitreYGauche, "Profondeur en m");
    QStringList annees;
    for (int a = 1990; a <= 2020; ++a)
        annees << QString::number(a);
    m.ecrire(Prop::NbLibellesX, int(annees.size()));
    for (int i = 1; i <= annees.size(); ++i)
        m.ecrireIndexe(Prop::LibelleX, i, annees[i - 1]);
    m.ecrire(Prop::Grille, 3);
}

std::unique_ptr<MoteurGraphique> pointsXY(int n, bool bruitBlanc)
{
    auto m = std::make_unique<MoteurGraphique>();
    m->ecrire(Prop::Reinitialisation, 9);
    m->ecrire(Prop::NbJeux, 1);
    m->ecrire(Prop::Jeu, 1);
    m->ecrire(Prop::NbPoints, n);
    m->ecrire(Prop::XMin, 0);
    m->ecrire(Prop::XMax, 1000);
    std::mt19937 alea(3);
    std::normal_distribution<double> pas(0.0, 1.0);
    double y = 0, bas = 0, haut = 0;
    for (int p = 1; p <= n; ++p) {
        y = bruitBlanc ? pas(alea) * 100 : y + pas(alea);
        bas = std::min(bas, y);
        haut = std::max(haut, y);
        m->ecrire(Prop::Point, p);
        m->ecrire(Prop::PositionX, p * 1000.0 / n + 0.1);
        m->ecrireIndexe(Prop::ValeurPoint, p, y);
        m->ecrireIndexe(Prop::CouleurPoint, p, 4);
    }
    axes(*m, std::floor(bas / 100) * 100, std::ceil(haut / 100) * 100);
    m->ecrire(Prop::Dessin, 2);
    return m;
}

void peindre(benchmark::State& etat, const MoteurGraphique& m, const char* nom)
{
    // GRAPHIQUE_IMAGES_BENCH nomme un dossier où garder chaque image, pour la regarder.
    const QString dossier = qEnvironmentVariable("GRAPHIQUE_IMAGES_BENCH");
    if (!dossier.isEmpty())
        SortiesImage::image(m, taille).save(QDir(dossier).filePath(QString::fromLatin1(nom) + ".png"));
    QImage image(taille, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : etat) {
        QPainter p(&image);
        m.peindre(p, QRectF(QPointF(0, 0), QSizeF(taille)));
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void MillionPointsMarcheAleatoire(benchmark::State& etat)
{
    static const auto m = pointsXY(unMillion, false);
    peindre(etat, *m, "marche-aleatoire");
    etat.SetItemsProcessed(etat.iterations() * unMillion);
}
BENCHMARK(MillionPointsMarcheAleatoire)->Unit(benchmark::kMillisecond)->MinTime(duree);

void MillionPointsBruitBlanc(benchmark::State& etat)
{
    static const auto m = pointsXY(unMillion, true);
    peindre(etat, *m, "bruit-blanc");
    etat.SetItemsProcessed(etat.iterations() * unMillion);
}
BENCHMARK(MillionPointsBruitBlanc)->Unit(benchmark::kMillisecond)->MinTime(duree);

void CentMilleBarres(benchmark::State& etat)
{
    static const auto m = [] {
        auto m = std::make_unique<MoteurGraphique>();
        m->ecrire(Prop::TypeGraphe, 3);
        m->ecrire(Prop::NbJeux, 1);
        m->ecrire(Prop::Jeu, 1);
        m->ecrire(Prop::NbPoints, centMille);
        std::mt19937 alea(5);
        std::gamma_distribution<double> pluie(0.6, 8.0);
        for (int p = 1; p <= centMille; ++p) {
            m->ecrireIndexe(Prop::CouleurPoint, p, 9);
            m->ecrireIndexe(Prop::ValeurPoint, p, pluie(alea));
        }
        axes(*m, 0, 120);
        m->ecrire(Prop::Dessin, 2);
        return m;
    }();
    peindre(etat, *m, "barres");
    etat.SetItemsProcessed(etat.iterations() * centMille);
}
BENCHMARK(CentMilleBarres)->Unit(benchmark::kMillisecond)->MinTime(duree);

std::unique_ptr<MoteurGraphique> serieDixMillions()
{
    const int n = dixMillions;
    auto m = std::make_unique<MoteurGraphique>();
    std::vector<double> x(static_cast<std::size_t>(n));
    std::vector<float> v(static_cast<std::size_t>(n));
    std::mt19937 alea(3);
    std::normal_distribution<double> pas(0.0, 1.0);
    double y = 0, bas = 0, haut = 0;
    for (int i = 0; i < n; ++i) {
        y += pas(alea);
        bas = std::min(bas, y);
        haut = std::max(haut, y);
        x[std::size_t(i)] = (i + 1) * 1000.0 / n + 0.1;
        v[std::size_t(i)] = float(y);
    }
    m->chargerSerie(1, std::move(x), std::move(v), 4);
    axes(*m, std::floor(bas / 100) * 100, std::ceil(haut / 100) * 100);
    m->ecrire(Prop::XMin, 0);
    m->ecrire(Prop::XMax, 1000);
    m->ecrire(Prop::Dessin, 2);
    return m;
}

// Octets des tableaux du jeu et de ses résumés.
double octetsJeu(const JeuDonnees& j)
{
    return double(j.x.capacity() * sizeof(double) + j.valeurs.capacity() * sizeof(float) + j.manquant.capacity()
                  + j.couleurs.capacity() + j.resumes().octets());
}

void DixMillionsPoints(benchmark::State& etat)
{
    static const auto m = serieDixMillions();
    const bool zoom = etat.range(0) != 0;
    m->ecrire(Prop::XMin, zoom ? 400.0 : 0.0);
    m->ecrire(Prop::XMax, zoom ? 410.0 : 1000.0);
    peindre(etat, *m, zoom ? "dix-millions-1pc" : "dix-millions");
    etat.counters["octets_jeu"] = octetsJeu(m->modele().jeux[0]);
    etat.counters["octets_resumes"] = double(m->modele().jeux[0].resumes().octets());
}
BENCHMARK(DixMillionsPoints)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(duree);

void EcriturePng(benchmark::State& etat)
{
    static const auto m = pointsXY(unMillion, false);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("graphique.png");
    for (auto _ : etat)
        if (!SortiesImage::ecrire(*m, chemin, taille))
            etat.SkipWithError("PNG non écrit");
    etat.counters["octets"] = double(QFileInfo(chemin).size());
}
BENCHMARK(EcriturePng)->Unit(benchmark::kMillisecond)->MinTime(duree);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const int code = MesureBreve::lancer(argc, argv);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("Mémoire de pointe : %.1f Mio\n", double(usage.ru_maxrss) / 1024.0);
    return code;
}
