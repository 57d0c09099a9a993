// Le moteur face à QCustomPlot, pris comme pair de mesure seulement : le même
// million de points X–Y (marche aléatoire, puis bruit blanc) peint dans une
// image 1600×900, sans lissage pour QCustomPlot, N fois chacun dans la même
// exécution ; médianes et rapport. Usage : bench_qcustomplot [N] [dossier des PNG]
// En passage bref (GRAPHIQUE_BANC_BREF), 20 000 points peints une fois.
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

void moteur(MoteurGraphique& m, const Serie& s)
{
    m.chargerSerie(1, s.x, s.y, 4);
    m.ecrire(Prop::XMin, 0);
    m.ecrire(Prop::XMax, 1000);
    m.ecrire(Prop::AxeY, 0);
    m.ecrire(Prop::ModeEchelleY, 2);
    m.ecrire(Prop::DivisionsY, 5);
    m.ecrire(Prop::YMax, s.haut);
    m.ecrire(Prop::YMin, s.bas);
    m.ecrire(Prop::Grille, 3);
    m.ecrire(Prop::Dessin, 2);
}

void pair(QCustomPlot& q, const Serie& s)
{
    q.resize(taille);
    q.setNotAntialiasedElements(QCP::aeAll);
    QVector<double> x(s.x.begin(), s.x.end()), y(s.y.begin(), s.y.end());
    QCPGraph* g = q.addGraph();
    g->setData(x, y, true);
    g->setPen(QPen(Qt::darkBlue));
    q.xAxis->setRange(0, 1000);
    q.yAxis->setRange(s.bas, s.haut);
}

template<typename Peindre>
double mediane(int fois, Peindre peindre)
{
    QImage image(taille, QImage::Format_ARGB32_Premultiplied);
    std::vector<double> ms;
    for (int i = 0; i < fois; ++i) {
        image.fill(Qt::white);
        QElapsedTimer t;
        t.start();
        peindre(image);
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int fois = argc > 1 ? std::max(1, std::atoi(argv[1])) : MesureBreve::fois(30);
    const QString dossier = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    std::printf("%-18s %12s %14s %8s\n", "série", "moteur (ms)", "QCustomPlot", "rapport");
    for (bool bruitBlanc : {false, true}) {
        const Serie s = serie(MesureBreve::taille(1'000'000, 20'000), bruitBlanc);
        MoteurGraphique m;
        moteur(m, s);
        QCustomPlot q;
        pair(q, s);
        const QRectF cadre(QPointF(0, 0), QSizeF(taille));
        const double nous = mediane(fois, [&](QImage& image) {
            QPainter p(&image);
            m.peindre(p, cadre);
        });
        const double eux = mediane(fois, [&](QImage& image) {
            QCPPainter p(&image);
            q.toPainter(&p, taille.width(), taille.height());
        });
        const char* nom = bruitBlanc ? "bruit blanc" : "marche aléatoire";
        std::printf("%-18s %12.2f %14.2f %8.2f\n", nom, nous, eux, eux / nous);
        if (!dossier.isEmpty()) {
            QImage image(taille, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            {
                QPainter p(&image);
                m.peindre(p, cadre);
            }
            image.save(QDir(dossier).filePath(bruitBlanc ? "moteur-bruit-blanc.png" : "moteur-marche-aleatoire.png"));
        }
    }
    return 0;
}
