// Écrit un fichier public de mesures inventé, pour mesurer l'import de bout en
// bout (temps et mémoire du programme) ou dessiner une station importée :
//   generer_archives meteo|piezo|hydro FICHIER[.gz] [STATIONS [ANNEES]]
#include "GenerateurArchives.h"

#include <QString>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage : generer_archives meteo|piezo|hydro FICHIER[.gz] [STATIONS [ANNEES]]\n", stderr);
        return 2;
    }
    GenerateurArchives::Taille taille;
    if (argc > 3)
        taille.stations = std::atoi(argv[3]);
    if (argc > 4)
        taille.annees = std::atoi(argv[4]);
    taille.premiereAnnee = 2024 - taille.annees + 1;
    GenerateurArchives g;
    const QString chemin = QString::fromLocal8Bit(argv[2]);
    qint64 lignes = -1;
    if (std::strcmp(argv[1], "meteo") == 0)
        lignes = g.meteoQuotidien(chemin, taille);
    else if (std::strcmp(argv[1], "piezo") == 0)
        lignes = g.piezoChroniques(chemin, taille);
    else if (std::strcmp(argv[1], "hydro") == 0)
        lignes = g.hydroElab(chemin, taille);
    if (lignes < 0) {
        std::fprintf(stderr, "generer_archives : impossible d'écrire %s\n", argv[2]);
        return 2;
    }
    std::printf("%lld lignes\n", static_cast<long long>(lignes));
    return 0;
}
