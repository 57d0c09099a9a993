#include "MesureBreve.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// L'affichage ordinaire, qui compte en plus les mesures en échec.
class RapportEchecs : public benchmark::ConsoleReporter
{
public:
    RapportEchecs()
        : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular)
    {
    }

    void ReportRuns(const std::vector<Run>& mesures) override
    {
        for (const Run& m : mesures)
            if (m.error_occurred) {
                ++echecs;
                std::fprintf(stderr, "Mesure en échec : %s : %s\n", m.benchmark_name().c_str(), m.error_message.c_str());
            }
        ConsoleReporter::ReportRuns(mesures);
    }

    int echecs = 0;
};

} // namespace

namespace MesureBreve {

bool active()
{
    static const bool bref = [] {
        const char* v = std::getenv("GRAPHIQUE_BANC_BREF");
        return v && *v && std::strcmp(v, "0") != 0;
    }();
    return bref;
}

int fois(int complet)
{
    return active() ? 1 : complet;
}

double duree(double complete)
{
    return active() ? 1e-9 : complete;
}

int lancer(int argc, char** argv)
{
    // En passage bref, une itération par mesure sauf demande contraire de la ligne de commande.
    std::string uneIteration = "--benchmark_min_time=0.000000001";
    std::vector<char*> arguments(argv, argv + argc);
    if (active())
        arguments.insert(arguments.begin() + 1, uneIteration.data());
    int n = int(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&n, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(n, arguments.data()))
        return 1;
    RapportEchecs rapport;
    const std::size_t lancees = benchmark::RunSpecifiedBenchmarks(&rapport);
    benchmark::Shutdown();
    if (lancees == 0) {
        std::fputs("Aucune mesure n'a tourné.\n", stderr);
        return 1;
    }
    return rapport.echecs == 0 ? 0 : 1;
}

} // namespace MesureBreve
