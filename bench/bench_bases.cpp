// Cumuls mensuels d'un pluviomètre journalier de 100 ans (36 525 lignes) :
// l'ordre des sommes par période et son squelette, tels que le système les
// envoie, face à un GROUP BY natif écrit à la main qui donne les mêmes sommes.
// PostgreSQL est mesuré quand GRAPHIQUE_PG donne une connexion
// (bash scripts/postgresql-temporaire.sh build/bench/bench_bases).
#include "MesureBreve.h"

#include "commun/ValeursProcessus.h"
#include "data/bases/BasePostgres.h"
#include "data/bases/BaseSqlite.h"
#include "data/bases/TablesCalendrier.h"
#include "data/bases/TirageAleatoire.h"
#include "data/AgregationPluie.h"
#include "data/NomVerifie.h"

#include <QCoreApplication>
#include <QDate>
#include <QObject>
#include <QTemporaryDir>
#include <QTime>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace {

const QDate debut(1925, 1, 1), fin(2024, 12, 31);

struct Banc
{
    std::unique_ptr<BaseDonnees> base;
    QString natif;
    QString erreur;
};

QList<QVariantList> pluieCentAns()
{
    TirageAleatoire t(2024);
    QList<QVariantList> lignes;
    bool hier = false;
    for (QDate d(1925, 1, 1); d <= QDate(2024, 12, 31); d = d.addDays(1)) {
        const bool humide = t.evenement(hier ? 0.62 : 0.30);
        const double pluie = humide ? std::round(t.gamma(0.75, 5.5) * 10.0) / 10.0 : 0.0;
        const QVariant mode = t.evenement(0.002) ? QVariant(QStringLiteral("I")) : QVariant();
        lignes.append({d, QTime(12, 0), pluie, 0, mode});
        hier = humide;
    }
    return lignes;
}

bool preparer(BaseDonnees& base, QString& erreur)
{
    if (!TablesCalendrier::creer(base, 10, erreur, 1900, 2100))
        return false;
    const QString table = QStringLiteral("PLUVIO_BANC");
    if (!base.SupprimerTable(table)
        || !base.CreerTable(table, {{QStringLiteral("DateCreation"), TypeColonne::Date},
                                    {QStringLiteral("Heure"), TypeColonne::Heure},
                                    {QStringLiteral("Pluie"), TypeColonne::Reel},
                                    {QStringLiteral("Continuite"), TypeColonne::Entier},
                                    {QStringLiteral("ModeObtention"), TypeColonne::Texte}})
        || !base.InsererLignes(table, pluieCentAns()) || !base.CreerIndex(table, {QStringLiteral("DateCreation")})) {
        erreur = base.DerniereErreur();
        return false;
    }
    return true;
}

QObject& fenetre()
{
    static QObject f;
    ValeursProcessus::courantes().fenetrePrincipale = &f;
    return f;
}

Banc& bancSqlite()
{
    static QTemporaryDir dossier;
    static Banc b = [] {
        Banc banc;
        banc.base = BaseSqlite::ouvrir(dossier.filePath(QStringLiteral("banc.sqlite")), banc.erreur);
        if (banc.base && !preparer(*banc.base, banc.erreur))
            banc.base.reset();
        banc.natif = QStringLiteral(
            "SELECT substr(\"DateCreation\", 1, 7), SUM(\"Pluie\") FROM \"PLUVIO_BANC\" WHERE (\"ModeObtention\" <> 'I' "
            "OR \"ModeObtention\" IS NULL) AND \"DateCreation\" >= '1925-01-01' AND \"DateCreation\" <= '2024-12-31' "
            "GROUP BY 1 ORDER BY 1");
        return banc;
    }();
    return b;
}

Banc& bancPostgres()
{
    static Banc b = [] {
        Banc banc;
        const QString connexion = qEnvironmentVariable("GRAPHIQUE_PG");
        if (connexion.isEmpty()) {
            banc.erreur = QStringLiteral("GRAPHIQUE_PG absente");
            return banc;
        }
        banc.base = BasePostgres::ouvrir(connexion, banc.erreur);
        if (banc.base && !preparer(*banc.base, banc.erreur))
            banc.base.reset();
        banc.natif = QStringLiteral(
            "SELECT date_trunc('month', datecreation), SUM(pluie) FROM pluvio_banc WHERE (modeobtention <> 'I' OR "
            "modeobtention IS NULL) AND datecreation >= DATE '1925-01-01' AND datecreation <= DATE '2024-12-31' "
            "GROUP BY 1 ORDER BY 1");
        return banc;
    }();
    return b;
}

enum class Ordre { Sommes, Squelette, Natif };

void mesurer(benchmark::State& etat, Banc& banc, Ordre ordre)
{
    if (!banc.base) {
        etat.SkipWithError(banc.erreur.toUtf8().constData());
        return;
    }
    fenetre().setProperty("typeBase", banc.base->typeBase());
    // Les ordres tels que le chargement des pluies les écrit.
    const NomVerifie mois("Mois"), pluie("Pluie");
    OrdreSql sql;
    if (ordre == Ordre::Sommes)
        sql = AgregationPluie::requeteParPeriode(mois, pluie, *NomVerifie::table(QStringLiteral("PLUVIO_"), QStringLiteral("BANC")), debut, fin);
    else if (ordre == Ordre::Squelette)
        sql = AgregationPluie::requeteSquelette(mois, debut, fin, false, 10);
    for (auto _ : etat) {
        TableauValeurs lignes;
        qint32 n = 0;
        bool ok;
        if (ordre == Ordre::Natif)
            ok = static_cast<BaseAcces&>(*banc.base).ExecuterNatif(banc.natif, &lignes);
        else
            ok = banc.base->ExtraireRecords(sql, lignes, n);
        if (!ok || lignes.points() != 1200) {
            etat.SkipWithError(("réponse inattendue : " + banc.base->DerniereErreur()).toUtf8().constData());
            return;
        }
        benchmark::DoNotOptimize(lignes);
    }
}

void Sqlite_SommesMensuelles(benchmark::State& e) { mesurer(e, bancSqlite(), Ordre::Sommes); }
void Sqlite_Squelette(benchmark::State& e) { mesurer(e, bancSqlite(), Ordre::Squelette); }
void Sqlite_GroupByNatif(benchmark::State& e) { mesurer(e, bancSqlite(), Ordre::Natif); }
void Postgres_SommesMensuelles(benchmark::State& e) { mesurer(e, bancPostgres(), Ordre::Sommes); }
void Postgres_Squelette(benchmark::State& e) { mesurer(e, bancPostgres(), Ordre::Squelette); }
void Postgres_GroupByNatif(benchmark::State& e) { mesurer(e, bancPostgres(), Ordre::Natif); }

#define MESURE(f) BENCHMARK(f)->Unit(benchmark::kMillisecond)->Repetitions(MesureBreve::fois(9))->ReportAggregatesOnly(true)
MESURE(Sqlite_SommesMensuelles);
MESURE(Sqlite_Squelette);
MESURE(Sqlite_GroupByNatif);
MESURE(Postgres_SommesMensuelles);
MESURE(Postgres_Squelette);
MESURE(Postgres_GroupByNatif);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    return MesureBreve::lancer(argc, argv);
}
