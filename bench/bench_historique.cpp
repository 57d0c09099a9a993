// L'historique d'un grand lot : un million de mesures horaires importées dans
// une station nouvelle (l'import simple, sans historique), puis un second
// fichier qui remplace chacune d'elles (un lot d'un million de mesures), la
// liste de ce lot lue jusqu'au bout, et son annulation. Pour chaque pas : la
// durée et la mémoire de pointe du programme (VmHWM remise à zéro avant le
// pas) ; et ce que la base a grandi pour garder le lot. Sur SQLite, et sur
// PostgreSQL quand GRAPHIQUE_PG le donne.
#include "MesureBreve.h"

#include "data/bases/BasePostgres.h"
#include "data/bases/BaseSqlite.h"
#include "data/bases/HistoriqueMesures.h"
#include "data/import/ImportMesures.h"
#include "data/import/LecteurCsv.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const int lignes = MesureBreve::taille(1000000, 20000);

// Le fichier d'un million d'heures ; `decalage` change chaque valeur.
QByteArray fichier(int decalage)
{
    QByteArray t = "Date;Heure;Pluie\n";
    t.reserve(23 << 20);
    const QDateTime debut(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC);
    for (int i = 0; i < lignes; ++i) {
        const QDateTime h = debut.addSecs(qint64(i) * 3600);
        t += h.toString("dd/MM/yyyy;HH:mm").toLatin1() + ';' + QByteArray::number((i + decalage) % 37) + ",5\n";
    }
    return t;
}

// La mémoire de pointe du processus depuis la dernière remise à zéro, en Mio.
double pointe()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:"))
            return l.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void remettrePointe()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// Un pas mesuré : sa durée (s) et sa pointe (Mio) dans les compteurs ; faux s'il échoue.
bool pas(benchmark::State& etat, const char* nom, const std::function<bool()>& travail)
{
    remettrePointe();
    QElapsedTimer chrono;
    chrono.start();
    const bool fait = travail();
    etat.counters[std::string(nom) + "_s"] = double(chrono.elapsed()) / 1000.0;
    etat.counters[std::string(nom) + "_Mio"] = pointe();
    return fait;
}

bool importer(BaseAcces& base, const QByteArray& contenu, qint64 remplacees, QString& erreur)
{
    QBuffer source;
    source.setData(contenu);
    source.open(QIODevice::ReadOnly);
    LecteurCsv lecteur(source);
    ImportMesures::Demande demande;
    demande.code = QStringLiteral("76999001");
    demande.genre = QStringLiteral("pluvio");
    ImportMesures::Bilan bilan;
    if (!ImportMesures::importer(base, lecteur, demande, bilan, erreur))
        return false;
    if (bilan.remplacees != remplacees)
        erreur = QStringLiteral("%1 remplacées au lieu de %2").arg(bilan.remplacees).arg(remplacees);
    return bilan.remplacees == remplacees;
}

// Les quatre pas sur une base ; `taille` dit ce qu'elle occupe, en octets.
void mesurer(benchmark::State& etat, BaseAcces& base, const std::function<double()>& taille)
{
    const QByteArray premier = fichier(0), second = fichier(1);
    QString erreur;
    qint64 listees = 0;
    HistoriqueMesures::Lot annule;
    double avant = 0;
    const bool fait = pas(etat, "import_simple", [&] { return importer(base, premier, 0, erreur); })
        && (avant = taille(), pas(etat, "import_remplacant", [&] { return importer(base, second, lignes, erreur); }))
        && (etat.counters["croissance_Mio"] = (taille() - avant) / 1048576.0, true)
        && pas(etat, "liste", [&] {
               return HistoriqueMesures::parcourir(base, "PLUVIO_76999001", {}, [&](const HistoriqueMesures::Ligne&) { ++listees; })
                   && listees == lignes;
           })
        && pas(etat, "annulation", [&] { return HistoriqueMesures::annulerDernier(base, "PLUVIO_76999001", annule, erreur); });
    if (!fait)
        etat.SkipWithError((erreur.isEmpty() ? base.DerniereErreur() : erreur).toUtf8().constData());
}

void HistoriqueSqlite(benchmark::State& etat)
{
    for (auto _ : etat) {
        QTemporaryDir dossier;
        QString erreur;
        const QString chemin = dossier.filePath(QStringLiteral("b.db"));
        auto base = BaseSqlite::ouvrir(chemin, erreur);
        if (!base) {
            etat.SkipWithError(erreur.toUtf8().constData());
            return;
        }
        mesurer(etat, *base, [&] { return double(QFileInfo(chemin).size()); });
    }
}

void HistoriquePostgres(benchmark::State& etat)
{
    const QString connexion = qEnvironmentVariable("GRAPHIQUE_PG");
    if (connexion.isEmpty()) {
        etat.SkipWithError("GRAPHIQUE_PG absente : scripts/postgresql-temporaire.sh lance un serveur");
        return;
    }
    for (auto _ : etat) {
        QString erreur;
        auto base = BasePostgres::ouvrir(connexion, erreur);
        const QString schema = QStringLiteral("mesure_historique_%1").arg(QCoreApplication::applicationPid());
        if (!base || !base->ExecuterNatif("CREATE SCHEMA " + schema) || !base->ExecuterNatif("SET search_path TO " + schema)) {
            etat.SkipWithError((base ? base->DerniereErreur() : erreur).toUtf8().constData());
            return;
        }
        mesurer(etat, *base, [&] {
            TableauValeurs t;
            base->ExecuterNatif("SELECT sum(pg_total_relation_size(c.oid)) FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                                "WHERE n.nspname = '" + schema + "' AND c.relkind = 'r'", &t);
            return t.points() > 0 ? t.valeur(0, 0).toDouble() : 0.0;
        });
        base->ExecuterNatif("DROP SCHEMA " + schema + " CASCADE");
    }
}

} // namespace

BENCHMARK(HistoriqueSqlite)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(HistoriquePostgres)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    return MesureBreve::lancer(argc, argv);
}
