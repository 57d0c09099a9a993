#include "MesureBreve.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// Les réglages que benchmark::Initialize lit de la ligne de commande : la
// bibliothèque les exporte sans les déclarer dans son en-tête public.
namespace benchmark {
extern std::string FLAGS_benchmark_format;
namespace internal {
ConsoleReporter::OutputOptions GetOutputOptions(bool force_no_color);
}
} // namespace benchmark

namespace {

// L'affichage que la bibliothèque choisirait (--benchmark_format, déjà vérifié
// par Initialize ; --benchmark_color, --benchmark_counters_tabular).
std::unique_ptr<benchmark::BenchmarkReporter> affichageDemande()
{
    const std::string& format = benchmark::FLAGS_benchmark_format;
    if (format == "json")
        return std::make_unique<benchmark::JSONReporter>();
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (format == "csv")
        return std::make_unique<benchmark::CSVReporter>();
#pragma GCC diagnostic pop
    return std::make_unique<benchmark::ConsoleReporter>(benchmark::internal::GetOutputOptions(false));
}

// Cet affichage, qui compte en plus les mesures en échec et les dit sur la
// sortie d'erreur : la sortie standard reste lisible par les outils (JSON, CSV).
class RapportEchecs : public benchmark::BenchmarkReporter
{
public:
    explicit RapportEchecs(std::unique_ptr<BenchmarkReporter> affichage)
        : m_affichage(std::move(affichage))
    {
    }

    bool ReportContext(const Context& contexte) override { return m_affichage->ReportContext(contexte); }

    void ReportRuns(const std::vector<Run>& mesures) override
    {
        for (const Run& m : mesures)
            if (m.error_occurred) {
                ++echecs;
                std::fprintf(stderr, "Mesure en échec : %s : %s\n", m.benchmark_name().c_str(), m.error_message.c_str());
            }
        m_affichage->ReportRuns(mesures);
    }

    void Finalize() override { m_affichage->Finalize(); }

    int echecs = 0;

private:
    std::unique_ptr<BenchmarkReporter> m_affichage;
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

bool refuserOptionsBibliotheque(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--benchmark_", 12) == 0) {
            std::fprintf(stderr, "%s : %s : ce programme écrit son propre tableau, sans les options de Google Benchmark.\n",
                         argv[0], argv[i]);
            return true;
        }
    return false;
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
    RapportEchecs rapport(affichageDemande());
    const std::size_t lancees = benchmark::RunSpecifiedBenchmarks(&rapport);
    benchmark::Shutdown();
    if (lancees == 0) {
        std::fputs("Aucune mesure n'a tourné.\n", stderr);
        return 1;
    }
    return rapport.echecs == 0 ? 0 : 1;
}

} // namespace MesureBreve
