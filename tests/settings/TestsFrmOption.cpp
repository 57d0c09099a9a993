// La boîte d'options remplie au clavier et à la souris, comme par une personne,
// sur une collection de courbes et un magasin de paramètres temporaire.
#include "commun/Nombres.h"
#include "commun_tests/MagasinTemporaire.h"
#include "commun_tests/SaisieBoite.h"
#include "model/Classe_Graphiques.h"
#include "settings/FrmOption.h"
#include "settings/PastilleFond.h"
#include "commun/messages/MessagesEnregistres.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Ce que la boîte peut changer à la collection, en textes : avant et après une opération, ou attendu.
QStringList etat(const Classe_Graphiques& c)
{
    const GestionExportExcel& o = c.GestionExportExcel();
    QStringList l{QString::number(c.MinY()), QString::number(c.MaxY()), QString::number(c.EchelleYAuto()),
                  c.DateDebutAffichage(), c.DateFinAffichage(), QString::number(c.EchelleXAuto()),
                  QString::number(c.GrilleX()), QString::number(c.GrilleY()), QString::number(c.CouleurFond()),
                  QString::number(c.NbSeparations()), o.TypeAxeXAnnee, o.FormatAxeXAnnee, QString::number(o.TaillePoliceAxes),
                  QString::number(o.AfficherLegende), o.LibelleAxeNGF};
    for (int k = 1; k <= c.Compter(); ++k)
        l << QStringLiteral("%1/%2/%3").arg(c.GetCourbe(k)->Afficher()).arg(c.GetCourbe(k)->Pattern()).arg(c.GetCourbe(k)->Symbol());
    return l;
}

QMap<QString, QString> magasinBrut()
{
    QSettings brut(QSettings::NativeFormat, QSettings::UserScope, "NORVANE", "KOR6");
    QMap<QString, QString> m;
    for (const QString& cle : brut.allKeys())
        m.insert(cle, brut.value(cle).toString());
    return m;
}

class BoiteOptions : public ::testing::Test
{
protected:
    void SetUp() override
    {
        courbes = std::make_unique<Classe_Graphiques>();
        pluie = std::make_unique<Classe_Graphiques>();
        for (const auto& [cle, couleur] : {std::pair{"Nappe A", 9}, {"Nappe B", 12}}) {
            auto c = std::make_shared<Classe_Graphique>();
            c->setCle(cle);
            c->setTitre(cle);
            c->setCouleur(couleur);
            c->setAfficher(true);
            courbes->AjouterCourbe(c);
        }
        for (Classe_Graphiques* c : {courbes.get(), pluie.get()}) {
            c->setDateDebutChargement("01/10/2021");
            c->setDateFinChargement("30/09/2023");
            c->setDateDebutAffichage("01/10/2021");
            c->setDateFinAffichage("30/09/2023");
            c->setEchelleXAuto(true);
        }
        courbes->setMinDonnees(2);
        courbes->setMaxDonnees(14);
        pluie->setMinDonnees(0);
        pluie->setMaxDonnees(90);
    }

    std::unique_ptr<FrmOption> ouvrir(TypeGraph type = TypeGraph::PluvioPiezo, bool cote = false)
    {
        auto boite = std::make_unique<FrmOption>(*courbes, pluie.get(), type, cote);
        QObject::connect(boite.get(), &FrmOption::optionsAppliquees, boite.get(), [this](bool recharger, bool c) {
            appliquees.append({recharger, c});
        });
        boite->show();
        boite->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(boite.get()));
        return boite;
    }
    QString texte(FrmOption& b, const char* nom) { return enfant<QLineEdit>(b, nom)->text(); }
    QComboBox* liste(FrmOption& b, int ligne, int colonne)
    {
        return qobject_cast<QComboBox*>(enfant<QTableWidget>(b, "SprCourbes")->cellWidget(ligne, colonne));
    }

    // Une saisie complète, page après page, au clavier et à la souris.
    void remplirBonneSaisie(FrmOption& b)
    {
        QComboBox* motif = liste(b, 1, 2);
        motif->setFocus();
        QTest::keyClick(motif, Qt::Key_End);       // "Invisible"
        QComboBox* symbole = liste(b, 0, 3);
        symbole->setFocus();
        QTest::keyClick(symbole, Qt::Key_Home);    // "+"
        QTest::keyClick(symbole, Qt::Key_Down);    // "x"
        QComboBox* sansSymbole = liste(b, 1, 3);
        sansSymbole->setFocus();
        QTest::keyClick(sansSymbole, Qt::Key_End);  // "Invisible"
        page(b, 1);
        cocher(b, "chkAfficherLegende");
        cocher(b, "chkAfficherAquifere");
        taper(b, "TxtLibelleAxeNGF", "Cote du toit");
        taper(b, "TxtTailleAxes", "9");
        taper(b, "TxtTailleTitre", "16");
        page(b, 2);
        QComboBox* formatAnnee = enfant<QComboBox>(b, "CboFormatAxeXAnnee");
        formatAnnee->setFocus();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(formatAnnee, Qt::Key_Down);
        EXPECT_EQ(formatAnnee->currentText(), "mmm-yy Exemple: avr-08 [yy]");
        QComboBox* format = enfant<QComboBox>(b, "CboFormatAxeX");
        format->setFocus();
        QTest::keyClick(format, Qt::Key_End);
        taper(b, "TxtFormatAxeX", "mm/yyyy");
        page(b, 3);
        taper(b, "TxtMin", "-3,5");
        taper(b, "TxtMax", "20");
        taper(b, "TxtDateDebut", "01012022");
        taper(b, "TxtDateFin", "30062022");
        page(b, 4);
        cocher(b, "ChkXGrid");
        taper(b, "TxtNbSeparations", "0");
        QTest::mouseClick(enfant<PastilleFond>(b, "PictureFond14"), Qt::LeftButton);
    }

    MagasinTemporaire magasin;
    MessagesEnregistres messages;
    std::unique_ptr<Classe_Graphiques> courbes, pluie;
    QList<std::pair<bool, bool>> appliquees;
};

// À l'ouverture : ce que la collection retient (les choix rangés sont essayés
// plus bas, relus après avoir été appliqués), les défauts rangés à sa création,
// et en échelles automatiques les bornes des données et la période chargée.
TEST_F(BoiteOptions, OuverteSurLesOptionsDeLaCollection)
{
    courbes->setGrilleY(false);
    auto b = ouvrir();
    EXPECT_EQ(b->windowTitle(), "Options graphiques");
    EXPECT_EQ(b->pageAffichee(), 0);
    EXPECT_FALSE(enfant<QCheckBox>(*b, "ChkYGrid")->isChecked());
    EXPECT_EQ(texte(*b, "TxtTailleAxes"), "7");
    EXPECT_EQ(texte(*b, "TxtLibelleAxeProfondeur"), "Précipitations en mm");
    EXPECT_EQ(enfant<QComboBox>(*b, "CboFormatAxeX")->currentText(), "Format automatique [AUTO]");
    EXPECT_FALSE(enfant<QLineEdit>(*b, "TxtFormatAxeX")->isEnabled());
    EXPECT_EQ(texte(*b, "TxtMin"), "2");
    EXPECT_EQ(texte(*b, "TxtMaxPluvio"), "90");
    EXPECT_EQ(texte(*b, "TxtDateDebut"), "01/10/2021");
}

TEST_F(BoiteOptions, ChoixAutomatiqueEtFixeSuiventLesBornesSaisies)
{
    auto b = ouvrir();
    page(*b, 3);
    taper(*b, "TxtMin", "5");
    QTest::mouseClick(enfant<QRadioButton>(*b, "OptEchelle0"), Qt::LeftButton);
    EXPECT_EQ(texte(*b, "TxtMin"), "2");
    EXPECT_TRUE(enfant<QRadioButton>(*b, "OptEchelle0")->isChecked());
    taper(*b, "TxtDateFin", "31122022");
    QTest::mouseClick(enfant<QRadioButton>(*b, "OptEchelleX0"), Qt::LeftButton);
    EXPECT_EQ(texte(*b, "TxtDateFin"), "30/09/2023");

    // Séparateurs : montrés quand la case est décochée, comptés sur la période saisie.
    page(*b, 4);
    QLineEdit* separateurs = enfant<QLineEdit>(*b, "TxtSeparateursX");
    EXPECT_FALSE(separateurs->isVisible());
    cocher(*b, "ChkSeparateur");
    EXPECT_TRUE(separateurs->isVisible());
    EXPECT_EQ(separateurs->text(), "3");
    cocher(*b, "ChkSeparateur");
    EXPECT_FALSE(separateurs->isVisible());

    // Une seule pastille en relief.
    QTest::mouseClick(enfant<PastilleFond>(*b, "PictureFond6"), Qt::LeftButton);
    int enRelief = 0;
    for (const PastilleFond* p : b->findChildren<PastilleFond*>())
        enRelief += p->retenue() ? 1 : 0;
    EXPECT_EQ(enRelief, 1);
    // Au clavier aussi.
    enfant<PastilleFond>(*b, "PictureFond0")->setFocus();
    QTest::keyClick(enfant<PastilleFond>(*b, "PictureFond0"), Qt::Key_Space);
    EXPECT_TRUE(enfant<PastilleFond>(*b, "PictureFond0")->retenue());
    EXPECT_FALSE(enfant<PastilleFond>(*b, "PictureFond6")->retenue());

    QTest::keyClick(b.get(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(b->pageAffichee(), 0);
    EXPECT_TRUE(enfant<QToolButton>(*b, "CmdPanel0")->font().bold());
}

TEST_F(BoiteOptions, UnRefusNeRangeNiNAppliqueRien)
{
    const QStringList avant = etat(*courbes);
    const QMap<QString, QString> rangeAvant = magasinBrut();
    struct Cas
    {
        const char* champ;
        const char* saisie;
        const char* message;
    };
    const Cas cas[] = {
        {"TxtMax", "douze", "La valeur du minimum et/ou du maximum de la piézomètrie n'est pas correcte."},
        {"TxtMinPluvio", "", "La valeur du minimum et/ou du maximum de la pluviométrie n'est pas correcte pour la saisie."},
    };
    for (const Cas& c : cas) {
        auto b = ouvrir();
        // Autres entrées changées aussi : elles doivent rester telles que saisies.
        taper(*b, "TxtLibelleAxeNGF", "Cote du toit");
        taper(*b, "TxtNbSeparations", "0");
        taper(*b, c.champ, QString::fromUtf8(c.saisie));
        const QString saisi = texte(*b, c.champ);
        messages.vider();
        QTest::keyClick(enfant<QLineEdit>(*b, c.champ), Qt::Key_Return);
        ASSERT_EQ(messages.textes(), QStringList{QString::fromUtf8(c.message)}) << c.champ << " " << c.saisie;
        EXPECT_EQ(messages.messages()[0].type.toUpper(), "ERREUR");
        EXPECT_TRUE(b->isVisible());
        EXPECT_EQ(texte(*b, c.champ), saisi);
        EXPECT_EQ(texte(*b, "TxtLibelleAxeNGF"), "Cote du toit");
        EXPECT_EQ(texte(*b, "TxtNbSeparations"), "0");  // pas encore corrigé en 1
        EXPECT_EQ(etat(*courbes), avant);
        EXPECT_EQ(magasinBrut(), rangeAvant);
        EXPECT_TRUE(appliquees.isEmpty());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(BoiteOptions, BonneSaisieRangeeAppliqueeEtRetrouvee)
{
    auto b = ouvrir(TypeGraph::PluvioPiezo);
    remplirBonneSaisie(*b);

    // 7 : rangé et appliqué, la boîte reste ouverte.
    b->ClickBouton(7);
    EXPECT_TRUE(messages.textes().isEmpty()) << messages.textes().join(" | ").toStdString();
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(appliquees, (QList<std::pair<bool, bool>>{{false, false}}));
    EXPECT_EQ(texte(*b, "TxtNbSeparations"), "1");
    // Bornes, dates, grilles, fond, séparateurs, formats, polices, légende, puis chaque courbe (affichée/motif/symbole).
    EXPECT_EQ(etat(*courbes), (QStringList{"-3.5", "20", "0", "01/01/2022", "30/06/2022", "0", "0", "1", "14", "1", "FIXE", "yy", "9",
                                           "0", "Cote du toit", "1/0/1", "0/0/-1"}));
    EXPECT_TRUE(pluie->EchelleYAuto());
    EXPECT_EQ(pluie->DateFinAffichage(), "30/06/2022");
    const GestionExportExcel options = courbes->GestionExportExcel();
    EXPECT_EQ(options.TypeAxeX, "PERSO");
    EXPECT_TRUE(options.AfficherAquifere);

    // Relu par une nouvelle collection, dans un nouvel accès au magasin.
    EXPECT_EQ(Classe_Graphiques().GestionExportExcel(), options);
    const auto range = magasinBrut();
    EXPECT_EQ(range.value("AffichageEvenementGraphique"), "0");
    EXPECT_EQ(range.value("TaillePoliceTitre"), "16");
    EXPECT_EQ(range.value("LibelleAxeNGF"), "Cote du toit");

    // Échap ferme sans ranger ce qui a été saisi depuis.
    taper(*b, "TxtNbSeparations", "8");
    QTest::keyClick(enfant<QLineEdit>(*b, "TxtNbSeparations"), Qt::Key_Escape);
    EXPECT_FALSE(b->isVisible());
    EXPECT_EQ(b->result(), QDialog::Rejected);
    EXPECT_EQ(courbes->NbSeparations(), 1);

    // Rouverte, elle montre ce qui a été appliqué.
    auto r = ouvrir(TypeGraph::PluvioPiezo);
    EXPECT_EQ(liste(*r, 1, 2)->currentText(), "Invisible");
    EXPECT_EQ(liste(*r, 0, 3)->currentText(), "x");
    EXPECT_EQ(enfant<QComboBox>(*r, "CboFormatAxeXAnnee")->currentIndex(), 5);
    EXPECT_EQ(enfant<QComboBox>(*r, "CboFormatAxeX")->currentText(), "Format personnalisé [PERSO]");
    EXPECT_EQ(texte(*r, "TxtFormatAxeX"), "mm/yyyy");
    EXPECT_EQ(texte(*r, "TxtTailleTitre"), "16");
    EXPECT_TRUE(enfant<QRadioButton>(*r, "OptEchelle1")->isChecked());
    EXPECT_EQ(LireNombre(texte(*r, "TxtMin")), -3.5);
    EXPECT_TRUE(enfant<QRadioButton>(*r, "OptEchelleX1")->isChecked());
    EXPECT_EQ(texte(*r, "TxtDateDebut"), "01/01/2022");
    EXPECT_TRUE(enfant<PastilleFond>(*r, "PictureFond14")->retenue());
    EXPECT_FALSE(enfant<QCheckBox>(*r, "ChkXGrid")->isChecked());

    // Entrée enregistre et ferme la boîte, acceptée.
    page(*r, 3);
    QComboBox* affichage = enfant<QComboBox>(*r, "CboAffichage");
    affichage->setFocus();
    QTest::keyClick(affichage, Qt::Key_Down);
    QTest::keyClick(affichage, Qt::Key_Return);
    EXPECT_EQ(r->result(), QDialog::Accepted);
}

TEST_F(BoiteOptions, AffichageDesNappesSeulementSurLesPiezometres)
{
    auto riviere = ouvrir(TypeGraph::PluvioStation, true);
    EXPECT_FALSE(enfant<QComboBox>(*riviere, "CboAffichage")->isEnabled());
    auto annee = ouvrir(TypeGraph::Annee);
    EXPECT_FALSE(enfant<QWidget>(*annee, "FrmEchelleYPluvio")->isVisible());
    // Sans échelle de pluie, ses cases vides ne sont pas lues.
    annee->ClickBouton(7);
    EXPECT_TRUE(messages.textes().isEmpty()) << messages.textes().join(" | ").toStdString();
    EXPECT_EQ(appliquees.last(), (std::pair{false, false}));
}

} // namespace
