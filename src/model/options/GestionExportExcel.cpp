#include "model/options/GestionExportExcel.h"

#include "commun/Nombres.h"
#include "commun/parametres/Parametres.h"

#include <utility>

namespace {

constexpr qint16 tailleAxesParDefaut = 7;
constexpr qint16 tailleTitreParDefaut = 14;

void ecrireDefauts()
{
    const std::pair<const char*, QString> defauts[] = {
        {"InitOptionExcel", QStringLiteral("1")},
        {"AfficherLegende", QStringLiteral("1")},
        {"AfficherTitre", QStringLiteral("1")},
        {"AfficherAxeProfondeur", QStringLiteral("1")},
        {"AfficherTitreAxeProfondeur", QStringLiteral("1")},
        {"LibelleAxeProfondeur", QStringLiteral("Précipitations en mm")},
        {"AfficherAxeNGF", QStringLiteral("0")},
        {"AfficherTitreAxeNGF", QStringLiteral("0")},
        {"LibelleAxeNGF", QStringLiteral("Profondeur en NGF")},
        {"TypeAxeX", QStringLiteral("AUTO")},
        {"FormatAxeX", QString()},
        {"TypeAxeXAnnee", QStringLiteral("AUTO")},
        {"FormatAxeXAnnee", QString()},
        {"TaillePoliceAxes", QStringLiteral("7")},
        {"TaillePoliceTitre", QStringLiteral("14")},
    };
    for (const auto& [nom, valeur] : defauts)
        EcrireParametre(QString::fromLatin1(nom), valeur);
}

bool booleen(const char* nom)
{
    return LireParametre(QString::fromLatin1(nom)) == QStringLiteral("1");
}

QString texte(const char* nom, bool garderCasse)
{
    return LireParametre(QString::fromLatin1(nom), QString(), garderCasse);
}

qint16 taille(const char* nom, qint16 parDefaut)
{
    const QString t = LireParametre(QString::fromLatin1(nom));
    if (t.isEmpty())
        return parDefaut;
    const auto n = LireNombre(t);
    if (!n)
        return parDefaut;
    return CInt(*n).value_or(parDefaut);
}

} // namespace

void GestionExportExcel::ChargerDepuisParametres()
{
    if (LireParametre(QStringLiteral("InitOptionExcel")).isEmpty())
        ecrireDefauts();

    AfficherAquifere = booleen("AfficherAquifere");
    AfficherLegende = booleen("AfficherLegende");
    AfficherTitre = booleen("AfficherTitre");
    AfficherAxeProfondeur = booleen("AfficherAxeProfondeur");
    AfficherTitreAxeProfondeur = booleen("AfficherTitreAxeProfondeur");
    AfficherAxeNGF = booleen("AfficherAxeNGF");
    AfficherTitreAxeNGF = booleen("AfficherTitreAxeNGF");
    LibelleAxeProfondeur = texte("LibelleAxeProfondeur", true);
    LibelleAxeNGF = texte("LibelleAxeNGF", true);
    TypeAxeX = texte("TypeAxeX", false);
    FormatAxeX = texte("FormatAxeX", true);
    TypeAxeXAnnee = texte("TypeAxeXAnnee", false);
    FormatAxeXAnnee = texte("FormatAxeXAnnee", true);
    TaillePoliceAxes = taille("TaillePoliceAxes", tailleAxesParDefaut);
    TaillePoliceTitre = taille("TaillePoliceTitre", tailleTitreParDefaut);
}
