#include "settings/ApplicationOptions.h"

#include "commun/Dates.h"
#include "model/Classe_Graphiques.h"
#include "settings/ChoixOptions.h"
#include "settings/ValidationOptions.h"

namespace {

void echelleY(Classe_Graphiques& c, const ChoixOptions::Echelle& e)
{
    c.setEchelleYAuto(e.automatique);
    c.setMinY(e.automatique ? c.MinDonnees() : e.minimum);
    c.setMaxY(e.automatique ? c.MaxDonnees() : e.maximum);
}

void periode(Classe_Graphiques& c, const ChoixOptions& choix)
{
    // Des dates d'affichage changées dans la boîte fixent la période ; les reprendre telles quelles ne la fixe pas.
    const bool changee = TexteDate(choix.debut) != c.DateDebutAffichage() || TexteDate(choix.fin) != c.DateFinAffichage();
    c.setPeriodeAffichageFixee(!choix.echelleXAuto && (c.PeriodeAffichageFixee() || changee));
    c.setEchelleXAuto(choix.echelleXAuto);
    c.setDateDebutAffichage(choix.echelleXAuto ? c.DateDebutChargement() : TexteDate(choix.debut));
    c.setDateFinAffichage(choix.echelleXAuto ? c.DateFinChargement() : TexteDate(choix.fin));
}

void traceCourbes(Classe_Graphiques& c, const QList<ChoixOptions::Courbe>& courbes)
{
    for (int k = 1; k <= c.Compter() && k <= courbes.size(); ++k) {
        const ChoixOptions::Courbe& choix = courbes[k - 1];
        c.MajAfficher(k, choix.afficher);
        if (choix.afficher)
            c.MajPattern(k, choix.pattern);
        c.MajSymbol(k, choix.symbol);
    }
}

// Le fond et les divisions des deux graphiques empilés restent les mêmes : le
// graphique des pluies, posé sous les nappes, en donne la zone de tracé et la grille.
void aspect(Classe_Graphiques& c, const ChoixOptions& choix)
{
    c.setNbSeparations(choix.nbSeparations);
    c.setCouleurFond(choix.couleurFond);
}

} // namespace

bool ApplicationOptions::appliquer(const ChoixOptions& choix, Classe_Graphiques& courbes, Classe_Graphiques* pluie,
                                   TypeGraph type, bool coteNgfActuelle)
{
    aspect(courbes, choix);
    courbes.setGrilleX(choix.grilleX);
    courbes.setGrilleY(choix.grilleY);
    courbes.setGestionExportExcel(choix.options);
    traceCourbes(courbes, choix.courbes);
    echelleY(courbes, choix.echelleY);
    periode(courbes, choix);
    const bool deux = ValidationOptions::deuxGraphiques(type) && pluie;
    if (deux) {
        aspect(*pluie, choix);
        echelleY(*pluie, choix.echellePluie);
        periode(*pluie, choix);
    }
    if (!deux || choix.coteNgf == coteNgfActuelle)
        return false;
    courbes.setMinDonnees(9999);
    courbes.setMaxDonnees(-9999);
    return true;
}
