// Import du fichier quotidien de climatologie d'un département : 150 postes
// sur 75 ans (4,1 millions de lignes, compressé par gzip), lecture seule puis
// import dans une base SQLite neuve, et dans un schéma neuf d'un serveur
// PostgreSQL quand GRAPHIQUE_PG le donne.
#include "GenerateurArchives.h"
#include "MesureBreve.h"

#include "data/bases/BasePostgres.h"
#include "data/bases/BaseSqlite.h"
#include "data/import/AnalyseArchive.h"
#include "data/import/ImportArchive.h"
#include "data/import/LecteurLignes.h"

#include <QCoreApplication>
#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir& dossier()
{
    static QTemporaryDir d;
    return d;
}

// 150 postes sur 75 ans ; 3 postes sur 2 ans en passage bref.
const GenerateurArchives::Taille& taille()
{
    static const GenerateurArchives::Taille t = MesureBreve::taille(GenerateurArchives::Taille{}, GenerateurArchives::Taille{3, 2023, 2});
    return t;
}

// Le fichier, écrit une seule fois pour tout le programme.
const QString& fichier()
{
    static const QString chemin = [] {
        const QString c = dossier().filePath(QStringLiteral("Q_76_1950-2024_RR-T-Vent.csv.gz"));
        GenerateurArchives().meteoQuotidien(c, taille());
        return c;
    }();
    return chemin;
}

// Une ligne par poste et par jour.
const qint64 lignesAttendues = qint64(taille().stations) * QDate(taille().premiereAnnee, 1, 1).daysTo(QDate(taille().premiereAnnee + taille().annees, 1, 1));

void Lecture(benchmark::State& etat)
{
    for (auto _ : etat) {
        LecteurLignes lecteur(fichier());
        AnalyseArchive analyse(*FormatArchive::depuisNom(QStringLiteral("meteo-quotidien")));
        QByteArrayView ligne;
        bool tropLongue = false;
        QString erreur;
        lecteur.suivante(ligne, tropLongue);
        analyse.lireEntete(ligne, erreur);
        LigneArchive l;
        qint64 n = 0;
        while (lecteur.suivante(ligne, tropLongue))
            n += analyse.lire(ligne, l, erreur) ? 1 : 0;
        if (n != lignesAttendues)
            etat.SkipWithError("lignes perdues");
    }
    etat.SetItemsProcessed(etat.iterations() * lignesAttendues);
}

void importer(BaseAcces& base, benchmark::State& etat)
{
    ImportArchive::Demande demande;
    demande.format = QStringLiteral("meteo-quotidien");
    ImportArchive::Bilan bilan;
    QString erreur;
    if (!ImportArchive::importer(base, fichier(), demande, bilan, erreur) || bilan.lignesLues != lignesAttendues + 1
        || bilan.stationsCreees != taille().stations)
        etat.SkipWithError(erreur.toUtf8().constData());
    etat.counters["mesures"] = double(bilan.ajoutees);
}

void ImportSqlite(benchmark::State& etat)
{
    fichier();
    int essai = 0;
    for (auto _ : etat) {
        QString erreur;
        auto base = BaseSqlite::ouvrir(dossier().filePath(QStringLiteral("b%1.db").arg(++essai)), erreur);
        if (!base) {
            etat.SkipWithError(erreur.toUtf8().constData());
            return;
        }
        importer(*base, etat);
    }
    etat.SetItemsProcessed(etat.iterations() * lignesAttendues);
}

void ImportPostgres(benchmark::State& etat)
{
    const QString connexion = qEnvironmentVariable("GRAPHIQUE_PG");
    if (connexion.isEmpty()) {
        etat.SkipWithError("GRAPHIQUE_PG absente : scripts/postgresql-temporaire.sh lance un serveur");
        return;
    }
    fichier();
    int essai = 0;
    for (auto _ : etat) {
        etat.PauseTiming();
        QString erreur;
        auto base = BasePostgres::ouvrir(connexion, erreur);
        const QString schema = QStringLiteral("mesure_import_%1_%2").arg(QCoreApplication::applicationPid()).arg(++essai);
        const bool pret = base && base->ExecuterNatif("CREATE SCHEMA " + schema) && base->ExecuterNatif("SET search_path TO " + schema);
        etat.ResumeTiming();
        if (!pret) {
            etat.SkipWithError(erreur.toUtf8().constData());
            return;
        }
        importer(*base, etat);
        etat.PauseTiming();
        base->ExecuterNatif("DROP SCHEMA " + schema + " CASCADE");
        etat.ResumeTiming();
    }
    etat.SetItemsProcessed(etat.iterations() * lignesAttendues);
}

} // namespace

BENCHMARK(Lecture)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(2));
BENCHMARK(ImportSqlite)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(2));
BENCHMARK(ImportPostgres)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    return MesureBreve::lancer(argc, argv);
}
