#include "settings/EnregistrementOptions.h"

#include "commun/parametres/Parametres.h"
#include "settings/ChoixOptions.h"

#include <utility>

namespace {

QString booleen(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

bool EnregistrementOptions::enregistrer(const ChoixOptions& c)
{
    const GestionExportExcel& o = c.options;
    const std::pair<const char*, QString> parametres[] = {
        {"AffichageEvenementGraphique", booleen(false)},
        {"AfficherAquifere", booleen(o.AfficherAquifere)},
        {"AfficherLegende", booleen(o.AfficherLegende)},
        {"AfficherTitre", booleen(o.AfficherTitre)},
        {"AfficherAxeProfondeur", booleen(o.AfficherAxeProfondeur)},
        {"AfficherTitreAxeProfondeur", booleen(o.AfficherTitreAxeProfondeur)},
        {"LibelleAxeProfondeur", o.LibelleAxeProfondeur},
        {"AfficherAxeNGF", booleen(o.AfficherAxeNGF)},
        {"AfficherTitreAxeNGF", booleen(o.AfficherTitreAxeNGF)},
        {"LibelleAxeNGF", o.LibelleAxeNGF},
        {"TypeAxeXAnnee", o.TypeAxeXAnnee},
        {"FormatAxeXAnnee", o.FormatAxeXAnnee},
        {"TypeAxeX", o.TypeAxeX},
        {"FormatAxeX", o.FormatAxeX},
        {"TaillePoliceAxes", c.texteTailleAxes},
        {"TaillePoliceTitre", c.texteTailleTitre},
    };
    bool tous = true;
    for (const auto& p : parametres)
        tous = EcrireParametre(QString::fromLatin1(p.first), p.second) && tous;
    return tous;
}
