// Coût des règles de dates et de nombres appliquées à chaque point d'une série : une série
// piézométrique horaire de 30 ans compte environ 260 000 points.
#include "MesureBreve.h"

#include "commun/Dates.h"
#include "commun/LocaleUtilisateur.h"
#include "commun/Nombres.h"
#include "data/Litteraux.h"

#include <QStringList>
#include <benchmark/benchmark.h>

namespace {

constexpr int nbPoints = 10000;

QStringList datesTexte()
{
    QStringList l;
    QDateTime d = DateHeure(QDate(1995, 1, 1));
    for (int i = 0; i < nbPoints; ++i, d = d.addSecs(3600))
        l << FormatDate(d, QStringLiteral("DD/MM/YYYY hh:nn:ss"));
    return l;
}

void LectureDateHeure(benchmark::State& etat)
{
    const QStringList textes = datesTexte();
    for (auto _ : etat)
        for (const QString& t : textes)
            benchmark::DoNotOptimize(LireDateHeure(t));
    etat.SetItemsProcessed(etat.iterations() * nbPoints);
}
BENCHMARK(LectureDateHeure);

void DifferenceEnMinutes(benchmark::State& etat)
{
    const QDateTime debut = DateHeure(QDate(1995, 1, 1));
    QList<QDateTime> instants;
    for (const QString& t : datesTexte())
        instants << *LireDateHeure(t);
    for (auto _ : etat)
        for (const QDateTime& d : instants)
            benchmark::DoNotOptimize(DateDiff(Intervalle::Minute, debut, d));
    etat.SetItemsProcessed(etat.iterations() * nbPoints);
}
BENCHMARK(DifferenceEnMinutes);

void FormatJourMoisAnnee(benchmark::State& etat)
{
    const QDateTime d = DateHeure(QDate(2004, 3, 5), QTime(8, 30));
    for (auto _ : etat)
        for (int i = 0; i < nbPoints; ++i)
            benchmark::DoNotOptimize(FormatDate(d, QStringLiteral("DD/MM/YYYY")));
    etat.SetItemsProcessed(etat.iterations() * nbPoints);
}
BENCHMARK(FormatJourMoisAnnee);

void ConversionNombreTexte(benchmark::State& etat)
{
    LocaleUtilisateur::definir(QLocale(QLocale::French, QLocale::France));
    QList<QVariant> textes;
    for (int i = 0; i < nbPoints; ++i)
        textes << QVariant(QString::number(i * 0.37, 'f', 2));
    for (auto _ : etat)
        for (const QVariant& t : textes)
            benchmark::DoNotOptimize(ConvertirNombre(t));
    etat.SetItemsProcessed(etat.iterations() * nbPoints);
}
BENCHMARK(ConversionNombreTexte);

void ConversionNombreDouble(benchmark::State& etat)
{
    QList<QVariant> nombres;
    for (int i = 0; i < nbPoints; ++i)
        nombres << QVariant(i * 0.37);
    for (auto _ : etat)
        for (const QVariant& n : nombres)
            benchmark::DoNotOptimize(ConvertirNombre(n));
    etat.SetItemsProcessed(etat.iterations() * nbPoints);
}
BENCHMARK(ConversionNombreDouble);

void ArrondiDeuxDecimales(benchmark::State& etat)
{
    for (auto _ : etat)
        for (int i = 0; i < nbPoints; ++i)
            benchmark::DoNotOptimize(Round(i * 0.1237, 2));
    etat.SetItemsProcessed(etat.iterations() * nbPoints);
}
BENCHMARK(ArrondiDeuxDecimales);

} // namespace

int main(int argc, char** argv)
{
    return MesureBreve::lancer(argc, argv);
}
