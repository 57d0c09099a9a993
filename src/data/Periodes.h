#pragma once

#include "commun/CodesGraphique.h"
#include "commun/TypeGraph.h"

#include <QDate>
#include <QString>
#include <array>
#include <optional>

// La période de regroupement d'un chargement et la remise en forme de ses dates.
namespace Periodes {

struct Choix
{
    Periode codePeriode = Periode::Sans;
    QString colonne;          // colonne de période de PERIODES : "Mois", "Decade", …, "Jour"
    UniteAxe uniteAxeX = UniteAxe::Aucune; // sans effet avec `uniteGardee`
    bool uniteGardee = false; // l'unité reste telle quelle
};

// Les lettres des périodes, dans l'ordre où elles décident, leur nom à l'écran et ce qu'elles
// choisissent : la période, sa colonne de PERIODES et l'unité de l'axe du temps.
struct Lettre
{
    QChar lettre;
    const char* libelle;
    Periode periode;
    const char* colonne;
    UniteAxe unite;
};
const std::array<Lettre, 6>& lettres();

// Le graphique annuel compare douze mois à leurs statistiques : il ne se trace que par mois
// ou par année hydrologique. Ses cumuls (`variante` "CUMUL_ANNUEL", "CUMUL_MENSUEL"), rangés
// par année, et les autres genres prennent toutes les périodes.
bool convient(TypeGraph type, Variante variante, QChar lettre);
// Le refus, en une ligne, de la période qui déciderait dans `chaine` ; vide quand elle convient.
QString refus(TypeGraph type, Variante variante, const QString& chaine);
// La période de la première lettre trouvée dans `chaine`, dans l'ordre des lettres ; rien sans lettre.
std::optional<Periode> periodeDesLettres(const QString& chaine);

// La première des lettres M, D, T, A, H, S trouvée dans `chaine`, dans cet ordre, décide.
Choix choisir(const QString& chaine, TypeGraph type, bool calculAuto);

// Étendue chargée et pas de l'axe du temps d'un chargement.
struct Plage
{
    QDate debut, fin;
    std::optional<UniteAxe> uniteAxeX;  // rien : laissée telle quelle
    std::optional<int> pasAxeX;
    bool message = false;     // l'ajustement hydrologique est à signaler à l'utilisateur
    bool champsModifies = false;  // les champs de dates prennent debut et fin
};

// Les dates des champs, invalides quand elles ne se lisent pas ; rien si l'une ne se lit pas.
// `moisHydro` est le premier mois de l'année hydrologique, tel que l'hôte le donne ("10").
std::optional<Plage> normaliser(Periode codePeriode, TypeGraph type, const QDate& dateDebut, const QDate& dateFin,
                                const QString& annee, const QString& moisHydro);

// Étendue des graphiques doubles, élargie à partir des champs de dates.
std::optional<Plage> plageDeuxGraphiques(const QDate& dateDebut, const QDate& dateFin);

// "Pour calculer le graphique, les dates vont être ajustées automatiquement …"
QString messageAnneeHydro(const QString& moisHydro);

// Le premier mois de l'année hydrologique, de 1 à 12 (10 s'il est illisible).
int moisHydro(const QString& texte);

} // namespace Periodes
