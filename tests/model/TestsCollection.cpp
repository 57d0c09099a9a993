#include "commun/LocaleUtilisateur.h"
#include "commun_tests/MagasinTemporaire.h"
#include "model/Classe_Graphiques.h"
#include "commun/parametres/Parametres.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

class Collection : public ::testing::Test
{
protected:
    CourbePtr courbe(const QString& cle)
    {
        auto c = std::make_shared<Classe_Graphique>();
        c->setCle(cle);
        c->setTitre(cle);
        return c;
    }
    static QStringList cles(const Classe_Graphiques& coll)
    {
        QStringList l;
        for (int i = 1; i <= coll.Compter(); ++i)
            l << coll.GetCourbe(i)->Cle();
        return l;
    }

    MagasinTemporaire magasin;
};

TEST_F(Collection, OrdreDesCourbesApresChaqueOperation)
{
    Classe_Graphiques coll;
    for (const char* cle : {"A", "B", "C"})
        coll.AjouterCourbe(courbe(cle));
    EXPECT_EQ(cles(coll), (QStringList{"A", "B", "C"}));

    coll.MajTitre(2, "Pluie efficace");
    coll.MajAfficher(2, true);
    coll.MajPattern(2, 3);
    coll.MajSymbol(2, 1);
    const CourbePtr b = coll.GetCourbe(2);
    EXPECT_EQ(std::tuple(b->Titre(), b->Afficher(), b->Pattern(), b->Symbol()), std::tuple(QString("Pluie efficace"), true, 3, 1));
    EXPECT_EQ(coll.GetCourbe(1)->Titre(), "A");

    // Les positions hors de 1..Compter ne changent rien.
    for (int hors : {0, -1, 4, 100}) {
        coll.SupprimerCourbe(hors);
        coll.MajTitre(hors, "x");
        coll.MajAfficher(hors, true);
        coll.AjouterValeurs(hors, QVariant::fromValue(TableauValeurs(6, 2)));
        EXPECT_EQ(coll.GetCourbe(hors), nullptr);
    }
    EXPECT_EQ(cles(coll), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(coll.GetCourbe(3)->NbValeurs(), 0);

    coll.SupprimerCourbe(1);
    EXPECT_EQ(cles(coll), (QStringList{"B", "C"}));
    coll.AjouterCourbe(courbe("A"));
    EXPECT_EQ(cles(coll), (QStringList{"B", "C", "A"}));
    coll.SupprimerCourbe(3);
    EXPECT_EQ(cles(coll), (QStringList{"B", "C"}));
}

TEST_F(Collection, RechercheParCleEtCourbesPartagees)
{
    Classe_Graphiques coll;
    EXPECT_EQ(coll.noCourbe("Pluie"), -1);
    coll.AjouterCourbe(courbe("Pluie"));
    coll.AjouterCourbe(courbe("Etp"));
    auto doublon = courbe("Etp");
    doublon->setTitre("second");
    coll.AjouterCourbe(doublon);
    EXPECT_EQ(coll.noCourbe("Etp"), 2);   // la première de deux clés égales
    EXPECT_EQ(coll.noCourbe("pluie"), -1); // la casse compte
    EXPECT_EQ(coll.noCourbe("Pluie "), -1);
    EXPECT_EQ(coll.noCourbe(""), -1);

    // Remplie par position via l'AjouterValeurs de la courbe elle-même.
    TableauValeurs t(6, 4);
    coll.AjouterValeurs(coll.noCourbe("Etp"), QVariant::fromValue(t));
    EXPECT_EQ(coll.GetCourbe(2)->NbValeurs(), 4);
    EXPECT_EQ(coll.GetCourbe(3)->NbValeurs(), 0);

    // Une courbe est partagée, pas copiée.
    Classe_Graphiques partage;
    auto c = courbe("Pluie");
    partage.AjouterCourbe(c);
    partage.AjouterCourbe(c);  // les doublons sont permis
    EXPECT_EQ(partage.Compter(), 2);
    c->setCouleur(11);
    EXPECT_EQ(partage.GetCourbe(1)->Couleur(), 11);
    std::weak_ptr<Classe_Graphique> temoin = c;
    c.reset();
    EXPECT_FALSE(temoin.expired());  // la collection la garde en vie
    partage.ViderCollection();
    EXPECT_TRUE(temoin.expired());
}

TEST_F(Collection, BornesADeuxDecimalesOptionsDExportParDefautEtStyleDeGrille)
{
    for (const QLocale& locale : {QLocale(QLocale::French, QLocale::France), QLocale::c()}) {
        LocaleUtilisateur::definir(locale);
        Classe_Graphiques coll;
        coll.setMaxY(3.14159);
        EXPECT_EQ(coll.MaxY(), 3.14);
        coll.setMinY(-2.675);
        EXPECT_EQ(coll.MinY(), -2.68);
        coll.setMinDonnees(9999);
        EXPECT_EQ(coll.MinDonnees(), 9999.0);
        coll.setMaxDonnees(-9999.999);
        EXPECT_EQ(coll.MaxDonnees(), -10000.0);
        coll.setMaxDonnees(0.005);
        EXPECT_EQ(coll.MaxDonnees(), 0.01);
    }
    LocaleUtilisateur::definir(QLocale::system());

    Classe_Graphiques coll;
    EXPECT_EQ(coll.GestionExportExcel().LibelleAxeProfondeur, "Précipitations en mm");
    // Les valeurs par défaut sont maintenant enregistrées pour la prochaine exécution.
    EXPECT_EQ(LireParametre("InitOptionExcel"), "1");
    EXPECT_EQ(LireParametre("LibelleAxeProfondeur", {}, true), "Précipitations en mm");
    EXPECT_EQ(LireParametre("TaillePoliceTitre"), "14");

    coll.setGrilleY(false);
    EXPECT_EQ(coll.StyleGrille(), 2);
    coll.setGrilleX(false);
    coll.setGrilleY(true);
    EXPECT_EQ(coll.StyleGrille(), 1);
    coll.setGrilleY(false);
    EXPECT_EQ(coll.StyleGrille(), 0);
}

} // namespace
