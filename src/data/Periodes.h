#pragma once

#include "commun/TypeGraph.h"

#include <QDate>
#include <QString>
#include <array>
#include <optional>

// La période de regroupement d'un chargement et la remise en forme de ses dates.
namespace Periodes {

struct Choix
{
    QString codePeriode;      // "MOIS", "DECADE", "TRIMESTRE", "ANNEE", "HYDRO", "SANS"
    QString colonne;          // colonne de période de PERIODES : "Mois", "Decade", …, "Jour"
    QString uniteAxeX;        // vide avec `uniteGardee`
    bool uniteGardee = false; // l'unité reste telle quelle
};

// Les lettres des périodes, dans l'ordre où elles décident, et leur nom à l'écran.
struct Lettre
{
    QChar lettre;
    const char* libelle;
};
const std::array<Lettre, 6>& lettres();

// Le graphique annuel compare douze mois à leurs statistiques : il ne se trace que par mois
// ou par année hydrologique. Ses cumuls (`variante` "CUMUL_ANNUEL", "CUMUL_MENSUEL"), rangés
// par année, et les autres genres prennent toutes les périodes.
bool convient(TypeGraph type, const QString& variante, QChar lettre);
// Le refus, en une ligne, de la période qui déciderait dans `chaine` ; vide quand elle convient.
QString refus(TypeGraph type, const QString& variante, const QString& chaine);

// La première des lettres M, D, T, A, H, S trouvée dans `chaine`, dans cet ordre, décide.
Choix choisir(const QString& chaine, TypeGraph type, bool calculAuto);

// Étendue chargée et pas de l'axe du temps d'un chargement.
struct Plage
{
    QDate debut, fin;
    std::optional<QString> uniteAxeX;  // rien : laissée telle quelle
    std::optional<int> pasAxeX;
    bool message = false;     // l'ajustement hydrologique est à signaler à l'utilisateur
    bool champsModifies = false;  // les champs de dates prennent debut et fin
};

// Les dates sont lues une fois, dans les textes des champs ; rien si l'une est illisible.
// `moisHydro` est le premier mois de l'année hydrologique, tel que l'hôte le donne ("10").
std::optional<Plage> normaliser(const QString& codePeriode, TypeGraph type, const QString& dateDebut,
                                const QString& dateFin, const QString& annee, const QString& moisHydro);

// Étendue des graphiques doubles, élargie à partir des champs de dates.
std::optional<Plage> plageDeuxGraphiques(const QString& dateDebut, const QString& dateFin);

// "Pour calculer le graphique, les dates vont être ajustées automatiquement …"
QString messageAnneeHydro(const QString& moisHydro);

// Le premier mois de l'année hydrologique, de 1 à 12 (10 s'il est illisible).
int moisHydro(const QString& texte);

} // namespace Periodes
