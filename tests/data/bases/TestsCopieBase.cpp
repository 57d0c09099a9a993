// Copie d'une base SQLite dans une autre : valeurs et structure. Les refus et
// les échecs en cours de copie sont essayés par graphique copier (tests/apps).
#include "commun_tests/LignesTexte.h"
#include "data/bases/BaseSqlite.h"
#include "data/bases/CatalogueBase.h"
#include "data/bases/CopieBase.h"
#include "data/bases/SommeControle.h"
#include "data/bases/TablesSysteme.h"

#include <QDate>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Colonnes = QList<ColonneTable>;

const Colonnes colonnesPluie = {{"DateCreation", TypeColonne::Date}, {"Heure", TypeColonne::Heure}, {"Pluie", TypeColonne::Reel},
                                {"Continuite", TypeColonne::Entier}, {"ModeObtention", TypeColonne::Texte}};

// Toutes les lignes d'une table, en texte trié : deux tables égales donnent la même liste.
QStringList lignes(BaseSqlite& base, const QString& table)
{
    TableauValeurs t;
    EXPECT_TRUE(base.ExecuterNatif("SELECT * FROM \"" + table + "\"", &t)) << base.DerniereErreur().toStdString();
    QStringList l = lignesTexte(t, true);
    l.sort();
    return l;
}

class Copie : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString e;
        source = BaseSqlite::ouvrir(dossier.filePath("source.db"), e);
        cible = BaseSqlite::ouvrir(dossier.filePath("cible.db"), e);
        ASSERT_TRUE(source && cible) << e.toStdString();
        // Les valeurs difficiles : heures à minuit et le 30/12/1899, NULL et texte vide,
        // décimaux, apostrophes, guillemets, tabulations, écritures non latines.
        ASSERT_TRUE(source->CreerTable("PLUVIO_A1", colonnesPluie));
        ASSERT_TRUE(source->CreerIndex("PLUVIO_A1", {"DateCreation"}));
        ASSERT_TRUE(source->EcrireLot("PLUVIO_A1", colonnesPluie,
                                      TableauValeurs(5, 3,
                                                     {QDateTime(QDate(1900, 1, 1), QTime(0, 0)), QDateTime(QDate(1899, 12, 30), QTime(0, 0)),
                                                      0.1, qint64(0), QString(),
                                                      QDateTime(QDate(2024, 2, 29), QTime(0, 0)), QDateTime(QDate(1899, 12, 30), QTime(23, 59, 59)),
                                                      1234567.890123, qint64(1), QString("l'eau \"vive\"\t\\ 雨 Ωμβρος 🌧"),
                                                      QVariant(), QVariant(), QVariant(), QVariant(), QVariant()})));
        ASSERT_TRUE(source->CreerTable("STATIONS", {{"Code", TypeColonne::Texte}, {"Nom", TypeColonne::Texte}}, {"Code"}));
        ASSERT_TRUE(source->EcrireLot("STATIONS", {{"Code", TypeColonne::Texte}, {"Nom", TypeColonne::Texte}},
                                      TableauValeurs(2, 1, {QString("A1"), QString("Saint-Père d'Ô")})));
        ASSERT_TRUE(source->CreerTable("AUTRE_TABLE_DE_L_HOTE", {{"x", TypeColonne::Entier}}));
        // L'historique des corrections, et celui qui accompagne une table de mesures.
        const Colonnes historique = {{"Lot", TypeColonne::Entier}, {"TableMesures", TypeColonne::Texte}, {"Qui", TypeColonne::Texte}};
        ASSERT_TRUE(source->CreerTable("HISTORIQUE_MESURES", historique));
        ASSERT_TRUE(source->EcrireLot("HISTORIQUE_MESURES", historique,
                                      TableauValeurs(3, 2, {qint64(1), QString("PLUVIO_A1"), QString("Zoé"), qint64(2), QString("PLUVIO_A1"), QVariant()})));
        const Colonnes lot = colonnesPluie + Colonnes{{"Lot", TypeColonne::Entier}};
        ASSERT_TRUE(source->CreerTable("HISTORIQUE_PLUVIO_A1", lot));
        ASSERT_TRUE(source->EcrireLot("HISTORIQUE_PLUVIO_A1", lot,
                                      TableauValeurs(6, 1, {QDateTime(QDate(2024, 2, 29), QTime(0, 0)), QVariant(), 3.5, qint64(1), QString("I"), qint64(2)})));
    }

    bool copier(bool remplacer, QString& erreur)
    {
        QList<CopieBase::Bilan> bilans;
        CopieBase c(*source, *cible);
        const bool ok = c.copier(remplacer, bilans, erreur);
        nombreBilans = int(bilans.size());
        return ok;
    }

    QTemporaryDir dossier;
    std::unique_ptr<BaseSqlite> source, cible;
    int nombreBilans = 0;
};

TEST_F(Copie, LesTablesDuSystemeArriventTellesQuellesAvecLeurCleEtLeursIndex)
{
    QString erreur;
    ASSERT_TRUE(copier(false, erreur)) << erreur.toStdString();
    EXPECT_EQ(nombreBilans, 4);
    for (const QString t : {"PLUVIO_A1", "STATIONS", "HISTORIQUE_MESURES", "HISTORIQUE_PLUVIO_A1"}) {
        EXPECT_EQ(lignes(*cible, t), lignes(*source, t)) << t.toStdString();
        EXPECT_EQ(cible->ColonnesTable(t), source->ColonnesTable(t)) << t.toStdString();
        const auto s = CatalogueBase(*source).decrire(t), c = CatalogueBase(*cible).decrire(t);
        ASSERT_TRUE(s && c);
        EXPECT_EQ(c->cle, s->cle);
        EXPECT_EQ(c->index, s->index);
    }
    EXPECT_TRUE(cible->ColonnesTable("AUTRE_TABLE_DE_L_HOTE").isEmpty());
    // Le texte vide reste vide, NULL reste NULL ; l'heure de minuit reste une heure.
    TableauValeurs t;
    ASSERT_TRUE(cible->ExecuterNatif("SELECT count(*) FROM PLUVIO_A1 WHERE ModeObtention = '' AND Heure = '1899-12-30'", &t));
    EXPECT_EQ(t(0, 0).toLongLong(), 1);
}

TEST(SommeControle, NeDependQueDesValeursPasDeLOrdreDesLignes)
{
    auto somme = [](const QList<QVariant>& cellules) {
        SommeControle s;
        s.ajouter(TableauValeurs(2, int(cellules.size() / 2), QList<QVariant>(cellules)));
        return s;
    };
    const auto a = somme({qint64(1), QString("x"), qint64(2), QVariant()});
    EXPECT_EQ(a, somme({qint64(2), QVariant(), qint64(1), QString("x")}));
    EXPECT_EQ(a.lignes(), 2);
    // Chaque différence que la copie pourrait introduire change la somme.
    EXPECT_NE(a, somme({qint64(1), QString("x"), qint64(2), QString("")}));
    EXPECT_NE(a, somme({qint64(1), QString("x"), qint64(2), QString("x")}));
    EXPECT_NE(a, somme({QString("x"), qint64(1), qint64(2), QVariant()}));
    EXPECT_NE(a, somme({1.0, QString("x"), qint64(2), QVariant()}));
    EXPECT_NE(somme({0.1, QVariant()}), somme({0.1 + 1e-17 * 2, QVariant()}));
    EXPECT_NE(a, somme({qint64(1), QString("x"), qint64(2), QVariant(), qint64(2), QVariant()}));
}

TEST(TablesSysteme, ReconnaitLesTablesEtRendLeursNomsTelsQueLeSystemeLesEcrit)
{
    for (const char* t : {"STATIONS", "periodes", "PLUVIO_76402001", "pz_00754x0012", "COURBE_REF_PLUVIO_1", "HYDRO_H-1", "parametres",
                          "historique_mesures", "HISTORIQUE_PLUVIO_76402001"})
        EXPECT_TRUE(TablesSysteme::estDuSysteme(t)) << t;
    for (const char* t : {"PLUVIO_", "CLIENTS", "PLUVIO_a b", "sqlite_stat1", "PLUVIOMETRE"})
        EXPECT_FALSE(TablesSysteme::estDuSysteme(t)) << t;
    EXPECT_LT(TablesSysteme::rang("PERIODES"), TablesSysteme::rang("PLUVIO_1"));
    EXPECT_LT(TablesSysteme::rang("PLUVIO_1"), TablesSysteme::rang("stations"));
    EXPECT_EQ(TablesSysteme::nomTable("pz_00754x0012", {"76402001", "00754X0012"}), "PZ_00754X0012");
    EXPECT_EQ(TablesSysteme::nomTable("courbe_ref_pluvio_76401001", {}), "COURBE_REF_PLUVIO_76401001");
    EXPECT_EQ(TablesSysteme::nomTable("pluviometre_normales", {}), "PLUVIOMETRE_NORMALES");
    EXPECT_EQ(TablesSysteme::nomTable("clients", {}), "clients");
    EXPECT_EQ(TablesSysteme::nomTable("historique_mesures", {}), "HISTORIQUE_MESURES");
    EXPECT_EQ(TablesSysteme::nomTable("historique_pz_00754x0012", {"00754X0012"}), "HISTORIQUE_PZ_00754X0012");
    // « valeur » des normales, « Valeur » des piézomètres.
    EXPECT_EQ(TablesSysteme::nomColonne("PLUVIOMETRE_NORMALES", "valeur"), "valeur");
    EXPECT_EQ(TablesSysteme::nomColonne("PZ_X", "valeur"), "Valeur");
    EXPECT_EQ(TablesSysteme::nomColonne("PLUVIO_X", "datecreation"), "DateCreation");
    EXPECT_EQ(TablesSysteme::nomColonne("PERIODES", "jour"), "jour");
    EXPECT_EQ(TablesSysteme::nomColonne("PERIODES", "jour_inverse"), "Jour_inverse");
    EXPECT_EQ(TablesSysteme::nomColonne("PLUVIO_X", "colonne_de_l_hote"), "colonne_de_l_hote");
    EXPECT_EQ(TablesSysteme::nomColonne("HISTORIQUE_MESURES", "tablemesures"), "TableMesures");
    EXPECT_EQ(TablesSysteme::nomColonne("HISTORIQUE_PLUVIO_X", "datecreation"), "DateCreation");
}

} // namespace
