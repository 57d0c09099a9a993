// Chargements tels qu'un hôte les demande, sur SQLite, de la demande à l'image :
// graphique mensuel d'un pluviomètre journalier sur 100 ans, graphique annuel
// avec toutes les statistiques sur 50 ans, et pluie superposée à un piézomètre
// horaire sur 30 ans ; pour ce dernier, le plancher : ses ordres traduits passés
// par la seule API C de SQLite.
#include "MesureBreve.h"

#include "control/CtlGraphique.h"
#include "control/HoteGraphique.h"
#include "data/bases/BaseSqlite.h"
#include "data/bases/FonctionsSqlite.h"
#include "data/bases/TablesCalendrier.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/SortiesImage.h"

#include <QApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <random>
#include <sqlite3.h>

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

HoteGraphique::Demande demandeNappe()
{
    HoteGraphique::Demande d;
    d.type = TypeGraph::PluvioPiezo;
    d.station = "76001";
    d.stations = {"PZ1"};
    d.periodes = "M";
    d.debut = QDate(1995, 1, 1);
    d.fin = QDate(2024, 12, 31);
    return d;
}

void PluieEtNappeHoraireSur30Ans(benchmark::State& etat)
{
    int points = 0;
    charger(etat, demandeNappe(), &points);
    etat.counters["points"] = points;
}
BENCHMARK(PluieEtNappeHoraireSur30Ans)->ArgName("memeHote")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(MesureBreve::duree(3.0));

// Les ordres traduits d'un chargement, relevés dans la trace "graphique.sql".
QStringList releves;

QStringList ordresTraduits(const HoteGraphique::Demande& d)
{
    releves.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("graphique.sql.debug=true"));
    const QtMessageHandler avant = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) {
        if (m.startsWith(QStringLiteral("traduit : ")))
            releves << m.mid(10);
    });
    {
        HoteGraphique hote;
        QString erreur;
        hote.tracer(d, base.get(), erreur);
    }
    qInstallMessageHandler(avant);
    QLoggingCategory::setFilterRules(QStringLiteral("graphique.sql.debug=false"));
    return releves;
}

// Une ligne lue comme le moindre code la lirait : chaque colonne prise telle que le moteur la garde.
double lireLigne(sqlite3_stmt* s)
{
    double somme = 0;
    for (int c = 0; c < sqlite3_column_count(s); ++c)
        switch (sqlite3_column_type(s, c)) {
        case SQLITE_INTEGER: somme += double(sqlite3_column_int64(s, c)); break;
        case SQLITE_FLOAT: somme += sqlite3_column_double(s, c); break;
        case SQLITE_TEXT: {
            const unsigned char* t = sqlite3_column_text(s, c);
            somme += t ? double(t[0]) + sqlite3_column_bytes(s, c) : 0.0;
            break;
        }
        default: break;
        }
    return somme;
}

// Le plancher : les mêmes ordres traduits que le chargement de la nappe, par l'API C
// seule (nos fonctions acces_* installées), chaque colonne de chaque ligne lue.
void PlancherApiC(benchmark::State& etat)
{
    const QStringList ordres = ordresTraduits(demandeNappe());
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(dossier->filePath("bench.db")).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        etat.SkipWithError("base illisible");
        return;
    }
    FonctionsSqlite::installer(db);
    qint64 lignes = 0;
    for (auto _ : etat) {
        lignes = 0;
        double somme = 0;
        for (const QString& ordre : ordres) {
            sqlite3_stmt* s = nullptr;
            sqlite3_prepare_v2(db, ordre.toUtf8().constData(), -1, &s, nullptr);
            while (s && sqlite3_step(s) == SQLITE_ROW) {
                somme += lireLigne(s);
                ++lignes;
            }
            sqlite3_finalize(s);
        }
        benchmark::DoNotOptimize(somme);
    }
    sqlite3_close(db);
    etat.counters["ordres"] = double(ordres.size());
    etat.counters["lignes"] = double(lignes);
}
BENCHMARK(PlancherApiC)->Unit(benchmark::kMillisecond)->MinTime(MesureBreve::duree(3.0));

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
