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
    EcrireParametre("InitOptionExcel", QStringLiteral("1"));
    EcrireParametre("TaillePoliceAxes", QString());
    EcrireParametre("TaillePoliceTitre", QStringLiteral("grand"));
    EcrireParametre("TypeAxeXAnnee", QStringLiteral("perso"));
    EcrireParametre("FormatAxeXAnnee", QStringLiteral("mmm-yy"));
    EcrireParametre("LibelleAxeNGF", QStringLiteral("Cote en NGF"));
    GestionExportExcel o;
    o.ChargerDepuisParametres();
    EXPECT_EQ(o.TaillePoliceAxes, 7);
    EXPECT_EQ(o.TaillePoliceTitre, 14);
    EXPECT_EQ(o.TypeAxeXAnnee, "PERSO");
    EXPECT_EQ(o.FormatAxeXAnnee, "mmm-yy");
    EXPECT_EQ(o.LibelleAxeNGF, "Cote en NGF");
    // Non rangée, le magasin étant déjà initialisé : faux, et rien d'écrit par-dessus les choix de l'utilisateur.
    EXPECT_FALSE(o.AfficherTitre);
    EXPECT_EQ(LireParametre("AfficherTitre"), "");
}

class TableurVersionne : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Version MEMBER version)
public:
    QString version;
};

TEST(OptionsExport, ExtensionSelonLaVersion)
{
    TableurVersionne appli;
    const std::pair<const char*, const char*> cas[] = {
        {"11.0", "xls"}, {"12.0", "xlsx"}, {"16.0", "xlsx"}, {"9", "xls"}, {"", "xls"}, {"abc", "xls"}, {"15", "xlsx"}};
    for (const auto& [version, extension] : cas) {
        appli.version = QString::fromLatin1(version);
        EXPECT_EQ(ExtensionExcel(&appli), extension) << version;
    }
    QObject sansVersion;
    EXPECT_EQ(ExtensionExcel(&sansVersion), "xls");
    EXPECT_EQ(ExtensionExcel(nullptr), "xls");
    // Le tableur des exports, toujours là, écrit des .xlsx.
    const std::unique_ptr<QObject> tableur(ObtenirExcel());
    ASSERT_TRUE(tableur);
    EXPECT_EQ(ExtensionExcel(tableur.get()), "xlsx");
}

} // namespace

#include "TestsOptionsExport.moc"
