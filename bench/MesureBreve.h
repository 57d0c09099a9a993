#pragma once

// Le passage bref des mesures : quand GRAPHIQUE_BANC_BREF est posée (ctest la
// pose), chaque mesure tourne une fois, sur de petites tailles, pour vérifier
// qu'elle tourne encore ; ses chiffres ne disent alors rien. Lue dès
// l'enregistrement des mesures, avant main.
namespace MesureBreve {

bool active();

// La taille complète, ou la petite en passage bref.
template<typename T>
T taille(T complete, T breve)
{
    return active() ? breve : complete;
}

// Nombre de répétitions ou de tours : une seule fois en passage bref.
int fois(int complet);

// Durée minimale d'une mesure, en secondes : en passage bref, une seule itération.
double duree(double complete);

// Pour les programmes qui écrivent leur propre tableau : vrai, et une ligne qui
// le dit, quand la ligne de commande porte une option --benchmark_… qu'ils ne
// suivraient pas (un outil qui attend du JSON ne reçoit pas un tableau).
bool refuserOptionsBibliotheque(int argc, char** argv);

// Lance les mesures enregistrées (google-benchmark) ; 1 si l'une a échoué
// (SkipWithError), si aucune n'a tourné ou si un argument est inconnu.
int lancer(int argc, char** argv);

} // namespace MesureBreve
