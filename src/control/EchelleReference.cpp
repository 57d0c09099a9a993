#include "control/EchelleReference.h"

#include "commun/Nombres.h"
#include "commun/TableauValeurs.h"
#include "data/BaseDonnees.h"
#include "data/OrdreSql.h"
#include "model/Classe_Graphiques.h"
#include "render/moteur/GraduationsRondes.h"

#include <algorithm>

namespace {

// Une courbe se lit sur un axe qui la contient et dont elle occupe au moins le cinquième.
bool laMontre(double bas, double haut, double minimum, double maximum)
{
    return maximum > minimum && bas >= minimum && haut <= maximum && haut - minimum >= (maximum - minimum) / 5;
}

// Les valeurs la plus basse et la plus haute de la première courbe ; rien sans valeur.
std::optional<std::pair<double, double>> etendue(Classe_Graphiques& courbes)
{
    const CourbePtr courbe = courbes.Compter() >= 1 ? courbes.GetCourbe(1) : nullptr;
    std::optional<std::pair<double, double>> e;
    for (int i = 0; courbe && i < courbe->NbValeurs(); ++i) {
        const auto v = LireNombre(courbe->cellule(2, i));
        if (v)
            e = e ? std::pair(std::min(e->first, *v), std::max(e->second, *v)) : std::pair(*v, *v);
    }
    return e;
}

} // namespace

std::optional<EchelleReference::Reglages> EchelleReference::lire(BaseDonnees* base, const QString& code)
{
    const auto nom = NomVerifie::depuis(QStringLiteral("REF_") + code);
    TableauValeurs lignes;
    qint32 n = 0;
    if (!base || !nom
        || !base->ExtraireRecords(OrdreSql("SELECT Min_annee, Max_annee, iterations_annee, grilleX_annee, grilleY_annee, unite "
                                           "FROM PLUVIOMETRES_ECHELLES WHERE codePluvio='")
                                      + *nom + "'",
                                  lignes, n)
        || n < 1)
        return std::nullopt;
    const auto minimum = LireNombre(lignes.valeur(0, 0)), maximum = LireNombre(lignes.valeur(1, 0));
    if (!minimum || !maximum)
        return std::nullopt;
    const int divisions = int(LireNombre(lignes.valeur(2, 0)).value_or(0));
    return Reglages{*minimum, *maximum, divisions, LireNombre(lignes.valeur(3, 0)).value_or(0) != 0,
                    LireNombre(lignes.valeur(4, 0)).value_or(0) != 0};
}

void EchelleReference::appliquer(Classe_Graphiques& courbes, const std::optional<Reglages>& reglages)
{
    const auto e = etendue(courbes);
    if (!e)
        return;
    const auto [bas, haut] = *e;
    if (reglages && laMontre(bas, haut, reglages->minimum, reglages->maximum)) {
        courbes.setMinDonnees(reglages->minimum);
        courbes.setMaxDonnees(reglages->maximum);
        if (reglages->divisions >= 1)
            courbes.setNbSeparations(qint16(std::min(reglages->divisions, 100)));
        courbes.setGrilleX(reglages->grilleX);
        courbes.setGrilleY(reglages->grilleY);
    } else if (!laMontre(bas, haut, courbes.MinDonnees(), courbes.MaxDonnees())) {
        const auto [minimum, maximum] = GraduationsRondes::bornes(std::min(bas, 0.0), haut, courbes.NbSeparations());
        courbes.setMinDonnees(minimum);
        courbes.setMaxDonnees(maximum);
    }
    if (courbes.EchelleYAuto()) {
        courbes.setMinY(courbes.MinDonnees());
        courbes.setMaxY(courbes.MaxDonnees());
    }
}
