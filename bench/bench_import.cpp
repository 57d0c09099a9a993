// Import d'un million de mesures horaires (un fichier CSV de 22 Mo) : la
// lecture seule, l'import dans une station nouvelle, puis le même fichier
// importé de nouveau (chaque mesure remplacée). Le plancher : le même fichier
// lu par un code minimal et écrit par l'API C de SQLite dans une table de même
// forme, une transaction, un ordre préparé : ce qu'aucun import ne peut battre.
#include "MesureBreve.h"

#include "data/bases/BaseSqlite.h"
#include "data/import/ImportMesures.h"
#include "data/import/LecteurCsv.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>

namespace {

const int lignes = MesureBreve::taille(1000000, 20000);

const QByteArray& fichier()
{
    static const QByteArray csv = [] {
        QByteArray t = "Date;Heure;Pluie\n";
        t.reserve(23 << 20);
        const QDateTime debut(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC);
        for (int i = 0; i < lignes; ++i) {
            const QDateTime h = debut.addSecs(qint64(i) * 3600);
            t += h.toString("dd/MM/yyyy;HH:mm").toLatin1() + ';' + QByteArray::number(i % 37) + ',' + QByteArray::number(i % 10) + '\n';
        }
        return t;
    }();
    return csv;
}

void Lecture(benchmark::State& etat)
{
    for (auto _ : etat) {
        QBuffer source(const_cast<QByteArray*>(&fichier()));
        source.open(QIODevice::ReadOnly);
        LecteurCsv lecteur(source);
        MesureCsv m;
        qint64 n = 0;
        while (lecteur.suivante(m))
            ++n;
        if (n != lignes)
            etat.SkipWithError("lignes perdues");
    }
    etat.SetItemsProcessed(etat.iterations() * lignes);
}

bool importer(BaseSqlite& base, benchmark::State& etat, qint64 attenduesRemplacees)
{
    QBuffer source(const_cast<QByteArray*>(&fichier()));
    source.open(QIODevice::ReadOnly);
    LecteurCsv lecteur(source);
    ImportMesures::Demande demande;
    demande.code = QStringLiteral("76999001");
    demande.genre = QStringLiteral("pluvio");
    ImportMesures::Bilan bilan;
    QString erreur;
    if (!ImportMesures::importer(base, lecteur, demande, bilan, erreur)
        || bilan.mesures != lignes || bilan.remplacees != attenduesRemplacees) {
        etat.SkipWithError(erreur.toUtf8().constData());
        return false;
    }
    return true;
}

void ImportStationNouvelle(benchmark::State& etat)
{
    for (auto _ : etat) {
        etat.PauseTiming();
        QTemporaryDir dossier;
        QString erreur;
        auto base = BaseSqlite::ouvrir(dossier.filePath("b.db"), erreur);
        etat.ResumeTiming();
        if (!base || !importer(*base, etat, 0))
            return;
    }
    etat.SetItemsProcessed(etat.iterations() * lignes);
}

// "JJ/MM/AAAA;hh:nn;v,d" lu chiffre à chiffre.
int chiffres(const char* p, int n)
{
    int v = 0;
    for (int i = 0; i < n; ++i)
        v = v * 10 + (p[i] - '0');
    return v;
}

bool plancher(sqlite3* db)
{
    const char* table = "CREATE TABLE PLUVIO_76999001 (\"DateCreation\" DATE TEXT, \"Heure\" TIME TEXT, \"Pluie\" REAL, "
                        "\"Continuite\" INTEGER, \"ModeObtention\" TEXT, \"Validite\" INTEGER, \"Commentaire\" TEXT, "
                        "\"PluieEfficace\" REAL, \"Etp\" REAL, \"Valeur1\" REAL, \"Valeur2\" REAL, \"Valeur3\" REAL, "
                        "PRIMARY KEY (\"DateCreation\", \"Heure\")) WITHOUT ROWID";
    if (sqlite3_exec(db, "PRAGMA temp_store = MEMORY; PRAGMA cache_size = -32000; BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK
        || sqlite3_exec(db, table, nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "INSERT INTO PLUVIO_76999001 (DateCreation, Heure, Pluie, Continuite, Validite) VALUES (?, ?, ?, 0, 0)",
                           -1, &s, nullptr) != SQLITE_OK)
        return false;
    const QByteArray& f = fichier();
    const char* p = f.constData() + f.indexOf('\n') + 1;
    const char* fin = f.constData() + f.size();
    char date[11], heure[20];
    bool ok = true;
    while (ok && p + 16 < fin) {
        std::snprintf(date, sizeof date, "%.4s-%.2s-%.2s", p + 6, p + 3, p);
        std::snprintf(heure, sizeof heure, "1899-12-30 %.2s:%.2s:00", p + 11, p + 14);
        const char* v = p + 17;
        const char* virgule = v;
        while (*virgule != ',')
            ++virgule;
        const double valeur = chiffres(v, int(virgule - v)) + chiffres(virgule + 1, 1) / 10.0;
        sqlite3_bind_text(s, 1, date, 10, SQLITE_STATIC);
        sqlite3_bind_text(s, 2, heure, 19, SQLITE_STATIC);
        sqlite3_bind_double(s, 3, valeur);
        ok = sqlite3_step(s) == SQLITE_DONE;
        sqlite3_reset(s);
        p = virgule + 3;
    }
    sqlite3_finalize(s);
    return ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
}

void PlancherApiC(benchmark::State& etat)
{
    for (auto _ : etat) {
        etat.PauseTiming();
        QTemporaryDir dossier;
        const QByteArray chemin = dossier.filePath("b.db").toUtf8();
        etat.ResumeTiming();
        sqlite3* db = nullptr;
        const bool ok = sqlite3_open(chemin.constData(), &db) == SQLITE_OK && plancher(db);
        sqlite3_close(db);
        if (!ok) {
            etat.SkipWithError("plancher impossible");
            return;
        }
    }
    etat.SetItemsProcessed(etat.iterations() * lignes);
}

void ImportToutRemplace(benchmark::State& etat)
{
    QTemporaryDir dossier;
    QString erreur;
    auto base = BaseSqlite::ouvrir(dossier.filePath("b.db"), erreur);
    if (!base || !importer(*base, etat, 0))
        return;
    for (auto _ : etat)
        if (!importer(*base, etat, lignes))
            return;
    etat.SetItemsProcessed(etat.iterations() * lignes);
}

} // namespace

BENCHMARK(Lecture)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(3));
BENCHMARK(PlancherApiC)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(3));
BENCHMARK(ImportStationNouvelle)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(3));
BENCHMARK(ImportToutRemplace)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(2));

int main(int argc, char** argv)
{
    return MesureBreve::lancer(argc, argv);
}
