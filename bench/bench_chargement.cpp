// Chargements tels qu'un hôte les demande, sur SQLite, de la demande à l'image :
// graphique mensuel d'un pluviomètre journalier sur 100 ans, graphique annuel
// avec toutes les statistiques sur 50 ans, et pluie superposée à un piézomètre
// horaire sur 30 ans.
#include "MesureBreve.h"

#include "control/CtlGraphique.h"
#include "control/HoteGraphique.h"
#include "data/bases/BaseSqlite.h"
#include "data/bases/TablesCalendrier.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/SortiesImage.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <random>

namespace {

QTemporaryDir* dossier = nullptr;
std::unique_ptr<BaseSqlite> base;

bool preparer()
{
    dossier = new QTemporaryDir;
    QString erreur;
    base = BaseSqlite::ouvrir(dossier->filePath("bench.db"), erreur);
    if (!base || !TablesCalendrier::creer(*base, 10, erreur, 1900, 2100))
        return false;
    std::mt19937 alea(17);
    std::gamma_distribution<double> averse(0.7, 7.0);
    std::uniform_real_distribution<double> u(0, 1);
    QList<QVariantList> pluie;
    for (QDate d(1925, 1, 1); d <= QDate(2024, 12, 31); d = d.addDays(1))
        pluie.append({d, QStringLiteral("00:00:00"), u(alea) < 0.45 ? std::round(averse(alea) * 10) / 10 : 0.0, 0, QVariant()});
    if (!base->CreerTable("PLUVIO_76001", {{"DateCreation", TypeColonne::Date}, {"Heure", TypeColonne::Heure},
                                           {"Pluie", TypeColonne::Reel}, {"Continuite", TypeColonne::Entier},
                                           {"ModeObtention", TypeColonne::Texte}},
                          {"DateCreation"})
        || !base->InsererLignes("PLUVIO_76001", pluie))
        return false;
    QList<QVariantList> nappe;
    double niveau = -8;
    const QDateTime debut(QDate(1995, 1, 1), QTime(0, 0), Qt::UTC);
    // 30 ans de mesures horaires ; 30 jours en passage bref.
    const int heures = MesureBreve::taille(30 * 8760, 30 * 24);
    for (int h = 0; h < heures; ++h) {
        const QDateTime t = debut.addSecs(qint64(h) * 3600);
        niveau += 0.0004 * std::sin(h / 1400.0) + (u(alea) - 0.5) * 0.004;
        nappe.append({t.date(), t.time().toString("hh:mm:ss"), std::round(niveau * 1000) / 1000, 0, 0, QVariant()});
    }
    if (!base->CreerTable("PZ_PZ1", {{"DateCreation", TypeColonne::Date}, {"Heure", TypeColonne::Heure}, {"Valeur", TypeColonne::Reel},
                                     {"Validite", TypeColonne::Entier}, {"Continuite", TypeColonne::Entier},
                                     {"ModeObtention", TypeColonne::Texte}},
                          {"DateCreation", "Heure"})
        || !base->InsererLignes("PZ_PZ1", nappe))
        return false;
    return base->CreerTable("STATIONS", {{"Code", TypeColonne::Texte}, {"Nom", TypeColonne::Texte}, {"Genre", TypeColonne::Texte},
                                         {"Altitude", TypeColonne::Reel}})
        && base->InsererLignes("STATIONS", {{"76001", "Centenaire", "pluvio", QVariant()}, {"PZ1", "Forage horaire", "piezo", 80.0}});
}

// range(0) = 0 : le premier graphique d'un hôte neuf (sa création comptée) ;
// 1 : un nouveau chargement dans le même hôte, qui remet d'abord en page le graphique précédent.
void charger(benchmark::State& etat, const HoteGraphique::Demande& demande, int* points)
{
    MoteurGraphique::definirDossierImages(dossier->path());
    const bool memeHote = etat.range(0) == 1;
    auto hote = std::make_unique<HoteGraphique>();
    QString erreur;
    for (auto _ : etat) {
        if (!memeHote)
            hote = std::make_unique<HoteGraphique>();
        hote->resize(1200, 810);
        hote->show();
        if (!hote->tracer(demande, base.get(), erreur)) {
            etat.SkipWithError(erreur.toStdString().c_str());
            return;
        }
        const QImage image = SortiesImage::image(hote->controle().Graphique(), QSize(1200, 700));
        benchmark::DoNotOptimize(image.constBits());
    }
    int n = 0;
    for (Classe_Graphiques* c : {&hote->controle().CollCourbes(), &hote->controle().CollCourbes2()})
        for (int k = 1; k <= c->Compter(); ++k)
            n += c->GetCourbe(k)->NbValeurs();
    *points = n;
}

void CentAnsParMois(benchmark::State& etat)
{
    HoteGraphique::Demande d;
    d.station = "76001";
    d.periodes = "M";
    d.debut = QDate(1925, 1, 1);
    d.fin = QDate(2024, 12, 31);
    int points = 0;
    charger(etat, d, &points);
    etat.counters["points"] = points;
}
BENCHMARK(CentAnsParMois)->ArgName("memeHote")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(MesureBreve::duree(3.0));

void AnneeEtStatistiquesSur50Ans(benchmark::State& etat)
{
    HoteGraphique::Demande d;
    d.type = TypeGraph::Annee;
    d.station = "76001";
    d.annee = 2024;
    d.affichage = "COURBE";
    d.premiereAnneeStatistique = "1974";
    d.derniereAnneeStatistique = "2023";
    int points = 0;
    charger(etat, d, &points);
    etat.counters["points"] = points;
}
BENCHMARK(AnneeEtStatistiquesSur50Ans)->ArgName("memeHote")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(MesureBreve::duree(3.0));

void PluieEtNappeHoraireSur30Ans(benchmark::State& etat)
{
    HoteGraphique::Demande d;
    d.type = TypeGraph::PluvioPiezo;
    d.station = "76001";
    d.stations = {"PZ1"};
    d.periodes = "M";
    d.debut = QDate(1995, 1, 1);
    d.fin = QDate(2024, 12, 31);
    int points = 0;
    charger(etat, d, &points);
    etat.counters["points"] = points;
}
BENCHMARK(PluieEtNappeHoraireSur30Ans)->ArgName("memeHote")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(MesureBreve::duree(3.0));

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (!preparer()) {
        std::fprintf(stderr, "Préparation de la base impossible.\n");
        return 1;
    }
    const int code = MesureBreve::lancer(argc, argv);
    base.reset();
    delete dossier;
    return code;
}
