#include "commun_tests/MagasinTemporaire.h"
#include "output/Excel.h"
#include "model/options/GestionExportExcel.h"
#include "commun/parametres/Parametres.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionsExport, SeulUnUnVautVrai)
{
    MagasinTemporaire magasin;
    EcrireParametre("InitOptionExcel", QStringLiteral("1"));
    GestionExportExcel o;
    for (const char* valeur : {"0", "2", "oui", "-1", "true", ""}) {
        EcrireParametre("AfficherLegende", QString::fromLatin1(valeur));
        o.ChargerDepuisParametres();
        EXPECT_FALSE(o.AfficherLegende) << valeur;
    }
    EcrireParametre("AfficherLegende", QStringLiteral(" 1 "));
    o.ChargerDepuisParametres();
    EXPECT_TRUE(o.AfficherLegende);
}

TEST(OptionsExport, TaillesEtTextesLusCommeIlFaut)
{
    MagasinTemporaire magasin;
    for (const auto& [cle, valeur] : {std::pair{"InitOptionExcel", "1"}, {"TaillePoliceAxes", nullptr}, {"TaillePoliceTitre", "grand"},
                                      {"TypeAxeXAnnee", "perso"}, {"FormatAxeXAnnee", "mmm-yy"}, {"LibelleAxeNGF", "Cote en NGF"}})
        EcrireParametre(cle, QString::fromUtf8(valeur));
    GestionExportExcel o;
    o.ChargerDepuisParametres();
    EXPECT_EQ(std::tuple(o.TaillePoliceAxes, o.TaillePoliceTitre), std::tuple(7, 14));
    EXPECT_EQ((QStringList{o.TypeAxeXAnnee, o.FormatAxeXAnnee, o.LibelleAxeNGF}), (QStringList{"PERSO", "mmm-yy", "Cote en NGF"}));
    // Non rangée, le magasin étant déjà initialisé : faux, et rien d'écrit par-dessus les choix de l'utilisateur.
    EXPECT_FALSE(o.AfficherTitre);
    EXPECT_EQ(LireParametre("AfficherTitre"), "");
}

TEST(OptionsExport, LeTableurDesExportsEstToujoursLa)
{
    const std::unique_ptr<QObject> tableur(ObtenirExcel());
    EXPECT_TRUE(tableur);
}

} // namespace
