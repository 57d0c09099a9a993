// Import d'un million de mesures horaires (un fichier CSV de 22 Mo) : la
// lecture seule, l'import dans une station nouvelle, puis le même fichier
// importé de nouveau (chaque mesure remplacée).
#include "MesureBreve.h"

#include "data/bases/BaseSqlite.h"
#include "data/import/ImportMesures.h"
#include "data/import/LecteurCsv.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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
BENCHMARK(ImportStationNouvelle)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(3));
BENCHMARK(ImportToutRemplace)->Unit(benchmark::kMillisecond)->Iterations(MesureBreve::fois(2));

int main(int argc, char** argv)
{
    return MesureBreve::lancer(argc, argv);
}
