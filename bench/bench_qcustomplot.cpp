// Le moteur face à QCustomPlot, pris comme pair de mesure seulement : le même
// million de points X–Y (marche aléatoire, puis bruit blanc) peint dans une
// image 1600×900, sans lissage pour QCustomPlot, N fois chacun dans la même
// exécution ; médianes et rapport. Usage : bench_qcustomplot [N] [dossier des PNG]
// Puis 10^7 points en vue entière et en vue de 1 % (un zoom), et les axes seuls.
// En passage bref (GRAPHIQUE_BANC_BREF), de petites séries peintes une fois.
#include "MesureBreve.h"

#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <qcustomplot.h>
#include <random>

namespace {

const QSize taille(1600, 900);

struct Serie
{
    std::vector<double> x;
    std::vector<float> y;
    double bas = 0, haut = 0;
};

// Le générateur de bench_moteur : même graine, mêmes pas.
Serie serie(int n, bool bruitBlanc)
{
    Serie s;
    std::mt19937 alea(3);
    std::normal_distribution<double> pas(0.0, 1.0);
    double y = 0;
    for (int p = 1; p <= n; ++p) {
        y = bruitBlanc ? pas(alea) * 100 : y + pas(alea);
        s.bas = std::min(s.bas, y);
        s.haut = std::max(s.haut, y);
        s.x.push_back(p * 1000.0 / n + 0.1);
        s.y.push_back(float(y));
    }
    s.bas = std::floor(s.bas / 100) * 100;
    s.haut = std::ceil(s.haut / 100) * 100;
    return s;
}

// Un cas : la série (aucune pour les axes seuls) et la fenêtre X montrée.
struct Cas
{
    const char* nom;
    int points, pointsBref;
    bool bruitBlanc;
    double xMin, xMax;
    const char* image;
};

const Cas cas[] = {
    {"marche aléatoire", 1'000'000, 20'000, false, 0, 1000, "moteur-marche-aleatoire.png"},
    {"bruit blanc", 1'000'000, 20'000, true, 0, 1000, "moteur-bruit-blanc.png"},
    {"10^7, vue entière", 10'000'000, 50'000, false, 0, 1000, "moteur-dix-millions.png"},
    {"10^7, vue de 1 %", 10'000'000, 50'000, false, 400, 410, "moteur-dix-millions-1pc.png"},
    {"axes seuls", 0, 0, false, 0, 1000, "moteur-axes.png"},
};

void moteur(MoteurGraphique& m, const Serie& s, const Cas& c)
{
    if (!s.x.empty())
        m.chargerSerie(1, s.x, s.y, 4);
    m.ecrire(Prop::XMin, c.xMin);
    m.ecrire(Prop::XMax, c.xMax);
    m.ecrire(Prop::AxeY, 0);
    m.ecrire(Prop::ModeEchelleY, 2);
    m.ecrire(Prop::DivisionsY, 5);
    m.ecrire(Prop::YMax, s.haut);
    m.ecrire(Prop::YMin, s.bas);
    m.ecrire(Prop::Grille, 3);
    m.ecrire(Prop::Dessin, 2);
}

void pair(QCustomPlot& q, const Serie& s, const Cas& c)
{
    q.resize(taille);
    q.setNotAntialiasedElements(QCP::aeAll);
    if (!s.x.empty()) {
        QVector<double> x(s.x.begin(), s.x.end()), y(s.y.begin(), s.y.end());
        QCPGraph* g = q.addGraph();
        g->setData(x, y, true);
        g->setPen(QPen(Qt::darkBlue));
    }
    q.xAxis->setRange(c.xMin, c.xMax);
    q.yAxis->setRange(s.bas, s.haut);
}

// Le premier dessin, puis la médiane des suivants.
struct Temps
{
    double premier = 0, mediane = 0;
};

template<typename Peindre>
Temps mesurer(int fois, Peindre peindre)
{
    QImage image(taille, QImage::Format_ARGB32_Premultiplied);
    std::vector<double> ms;
    Temps t;
    for (int i = 0; i <= fois; ++i) {
        image.fill(Qt::white);
        QElapsedTimer chrono;
        chrono.start();
        peindre(image);
        const double duree = double(chrono.nsecsElapsed()) / 1e6;
        if (i == 0)
            t.premier = duree;
        else
            ms.push_back(duree);
    }
    std::sort(ms.begin(), ms.end());
    t.mediane = ms[ms.size() / 2];
    return t;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (MesureBreve::refuserOptionsBibliotheque(argc, argv))
        return 2;
    QApplication application(argc, argv);
    const int fois = argc > 1 ? std::max(1, std::atoi(argv[1])) : MesureBreve::fois(30);
    const QString dossier = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    // Rapport : notre temps sur le sien (sous 1, le moteur est plus rapide).
    std::printf("%-20s %10s %10s %10s %10s %8s\n", "cas", "moteur", "1er", "QCP", "1er", "rapport");
    for (const Cas& c : cas) {
        const Serie s = c.points > 0 ? serie(MesureBreve::taille(c.points, c.pointsBref), c.bruitBlanc) : Serie{{}, {}, -100, 100};
        const QRectF cadre(QPointF(0, 0), QSizeF(taille));
        Temps nous, eux;
        {
            MoteurGraphique m;
            moteur(m, s, c);
            nous = mesurer(fois, [&](QImage& image) {
                QPainter p(&image);
                m.peindre(p, cadre);
            });
            if (!dossier.isEmpty()) {
                QImage image(taille, QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::white);
                {
                    QPainter p(&image);
                    m.peindre(p, cadre);
                }
                image.save(QDir(dossier).filePath(QString::fromLatin1(c.image)));
            }
        }
        {
            QCustomPlot q;
            pair(q, s, c);
            eux = mesurer(fois, [&](QImage& image) {
                QCPPainter p(&image);
                q.toPainter(&p, taille.width(), taille.height());
            });
        }
        std::printf("%-20s %10.3f %10.3f %10.3f %10.3f %8.2f\n", c.nom, nous.mediane, nous.premier, eux.mediane, eux.premier,
                    nous.mediane / eux.mediane);
    }
    return 0;
}
