// Un classeur de 100 ans de pluie journalière (36 525 lignes : dates au
// format "DD/MM/YYYY hh:mm:ss", pluies) et une feuille graphique en colonnes
// sur un axe de dates, avec titre et légende : le remplissage, l'écriture du
// fichier, et les deux à la suite, à comparer à bench/classeur_xlsxwriter.py
// qui écrit le même classeur.
//
// ExportComplet mesure ce que fait l'outil 8 sur le même graphique : une courbe
// de 36 525 points mise en bloc de texte, collée, son graphique construit et le
// classeur écrit.
//
//   bench_classeur                     mesures (médianes de 9 répétitions)
//   bench_classeur --ecrire F.xlsx     écrit le classeur, pour le regarder
#include "MesureBreve.h"

#include "model/Classe_Graphiques.h"
#include "output/classeur/ClasseurXlsx.h"
#include "output/exports/ExportGraphiqueTableur.h"
#include "output/tableur/ApplicationTableur.h"

#include <QCoreApplication>
#include <QSettings>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kJours = 36525;        // du 01/01/1925 au 31/12/2024
constexpr int kPremierJour = 9133;   // jour de série du 01/01/1925

// Les pluies, tirées par le même générateur que le script Python : six jours
// sur dix secs, sinon de 0,1 à 49,9 mm au dixième.
const std::vector<double>& Pluies()
{
    static const std::vector<double> pluies = [] {
        std::vector<double> v;
        v.reserve(kJours);
        quint32 x = 20240101;
        for (int i = 0; i < kJours; ++i) {
            x = (x * 1103515245u + 12345u) & 0x7FFFFFFFu;
            v.push_back(x % 100 < 60 ? 0.0 : double((x >> 8) % 499 + 1) / 10.0);
        }
        return v;
    }();
    return pluies;
}

ClasseurXlsx Remplir()
{
    ClasseurXlsx c;
    const int f = c.ajouterFeuille(QStringLiteral("Données"));
    c.definirTexte(f, 1, 1, QStringLiteral("Date"));
    c.definirTexte(f, 1, 2, QStringLiteral("Pluie (mm)"));
    const QString format = QStringLiteral("DD/MM/YYYY hh:mm:ss");
    const std::vector<double>& pluies = Pluies();
    for (int i = 0; i < kJours; ++i) {
        c.definirNombre(f, i + 2, 1, kPremierJour + i);
        c.definirFormat(f, i + 2, 1, format);
        c.definirNombre(f, i + 2, 2, pluies[size_t(i)]);
    }
    const QString nom = c.nomFeuille(f);
    const int g = c.ajouterFeuilleGraphique({}, 0);
    GraphiqueXlsx& graphique = *c.graphique(g);
    SerieXlsx serie;
    serie.nom = QStringLiteral("Pluie (mm)");
    serie.x = {nom, 2, 1, kJours + 1, 1};
    serie.valeurs = {nom, 2, 2, kJours + 1, 2};
    graphique.series.push_back(serie);
    graphique.aTitre = true;
    graphique.titre = QStringLiteral("Pluie journalière de 1925 à 2024");
    graphique.axeX.uniteBase = ConstantesTableur::kJours;
    graphique.axeX.formatEtiquettes = QStringLiteral("yyyy");
    c.definirFeuilleActive(g);
    return c;
}

void Enregistrer(const ClasseurXlsx& c, const QString& chemin, benchmark::State& etat)
{
    QString erreur;
    if (!c.enregistrer(chemin, erreur))
        etat.SkipWithError(erreur.toUtf8().constData());
}

void Remplissage(benchmark::State& etat)
{
    for (auto _ : etat) {
        ClasseurXlsx c = Remplir();
        benchmark::DoNotOptimize(c);
    }
}

void Enregistrement(benchmark::State& etat)
{
    QTemporaryDir dossier;
    const ClasseurXlsx c = Remplir();
    for (auto _ : etat)
        Enregistrer(c, dossier.filePath(QStringLiteral("pluie.xlsx")), etat);
}

// Ce que mesure le script Python : des valeurs en mémoire au fichier écrit.
void ClasseurComplet(benchmark::State& etat)
{
    QTemporaryDir dossier;
    for (auto _ : etat)
        Enregistrer(Remplir(), dossier.filePath(QStringLiteral("pluie.xlsx")), etat);
}

// La collection d'un graphique de 100 ans de pluie journalière, telle que le chargement la laisse.
Classe_Graphiques& Collection()
{
    static Classe_Graphiques c = [] {
        Classe_Graphiques coll;
        const std::vector<double>& pluies = Pluies();
        TableauValeurs t(6, kJours);
        const QDate premier(1925, 1, 1);
        for (int i = 0; i < kJours; ++i) {
            t(0, i) = premier.addDays(i).toString(QStringLiteral("dd/MM/yyyy"));
            t(1, i) = QStringLiteral("12:00:00");
            t(2, i) = pluies[size_t(i)];
            t(4, i) = QStringLiteral("0");
        }
        auto courbe = std::make_shared<Classe_Graphique>();
        courbe->setTitre(QStringLiteral("Pluie"));
        courbe->setCouleur(9);
        courbe->setAfficher(true);
        courbe->AjouterValeurs(t);
        coll.AjouterCourbe(courbe);
        coll.setDateDebutChargement(QStringLiteral("01/01/1925"));
        coll.setDateFinChargement(QStringLiteral("31/12/2024"));
        coll.setDateDebutAffichage(QStringLiteral("01/01/1925"));
        coll.setDateFinAffichage(QStringLiteral("31/12/2024"));
        coll.setMaxDonnees(50);
        return coll;
    }();
    return c;
}

void ExportComplet(benchmark::State& etat)
{
    QTemporaryDir dossier;
    ExportGraphiqueTableur::Demande d;
    d.courbes = &Collection();
    d.periode = Periode::Sans;
    d.courbe = false;
    d.titre = QStringLiteral("Pluie journalière de 1925 à 2024");
    d.cheminImpose = dossier.filePath(QStringLiteral("pluie.xlsx"));
    for (auto _ : etat) {
        ApplicationTableur tableur;
        if (!ExportGraphiqueTableur(d, tableur, nullptr).executer().enregistre)
            etat.SkipWithError("export en échec");
    }
}

#define MESURE(f) BENCHMARK(f)->Unit(benchmark::kMillisecond)->Repetitions(MesureBreve::fois(9))->ReportAggregatesOnly(true)
MESURE(Remplissage);
MESURE(Enregistrement);
MESURE(ClasseurComplet);
MESURE(ExportComplet);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    // Les options d'affichage se lisent dans un magasin de paramètres jetable.
    QTemporaryDir parametres;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, parametres.path());
    if (argc == 3 && std::strcmp(argv[1], "--ecrire") == 0) {
        QString erreur;
        if (!Remplir().enregistrer(QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[2])), erreur)) {
            std::fprintf(stderr, "%s\n", erreur.toUtf8().constData());
            return 1;
        }
        return 0;
    }
    return MesureBreve::lancer(argc, argv);
}
