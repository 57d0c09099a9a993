#include "commun/LocaleUtilisateur.h"
#include "entry/DelegueCellules.h"
#include "entry/GrillePoints.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class GrilleAffichee : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LocaleUtilisateur::definir(QLocale(QLocale::French, QLocale::France));
        grille.setLignes(4);
        grille.resize(600, 300);
        grille.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grille));
    }
    void TearDown() override { LocaleUtilisateur::definir(QLocale::system()); }

    QModelIndex indice(int ligne, int colonne) const { return grille.model()->index(ligne, colonne); }

    // Ouvre l'éditeur de la cellule comme un double clic ; nullptr quand il n'y en a pas.
    QLineEdit* ouvrir(int ligne, int colonne)
    {
        const QModelIndex i = indice(ligne, colonne);
        grille.setCurrentIndex(i);
        grille.edit(i);
        return qobject_cast<QLineEdit*>(grille.indexWidget(i));
    }

    // Tape le texte dans l'éditeur puis Entrée ; rend l'éditeur encore ouvert, nullptr s'il s'est fermé.
    QLineEdit* taper(int ligne, int colonne, const QString& texte)
    {
        QLineEdit* editeur = ouvrir(ligne, colonne);
        if (!editeur) {
            ADD_FAILURE() << "pas d'éditeur en " << ligne << "," << colonne;
            return nullptr;
        }
        editeur->selectAll();
        QTest::keyClicks(editeur, texte);
        QTest::keyClick(editeur, Qt::Key_Return);
        // La vue valide l'éditeur par un appel mis en file.
        QCoreApplication::processEvents();
        return qobject_cast<QLineEdit*>(grille.indexWidget(indice(ligne, colonne)));
    }

    GrillePoints grille;
};

QList<int> cellule(const QList<QVariant>& signal)
{
    return {signal.at(0).toInt(), signal.at(1).toInt()};
}
} // namespace

TEST_F(GrilleAffichee, SaisieValideeRangeeMarqueeEtSignaleeUneFoisCellulesVerrouilleesSansEditeur)
{
    QSignalSpy modifiee(&grille, &GrillePoints::celluleModifiee);
    // Point ou virgule, la valeur se range à deux décimales avec la virgule. Hors des bornes, elle est
    // gardée mais marquée ; les bornes elles-mêmes sont plausibles ; corrigée, la valeur perd la marque.
    using S = GrillePoints::Style;
    const struct
    {
        int ligne, colonne;
        const char *saisie, *rangee;
        S style;
    } cas[] = {
        {1, GrillePoints::Date, "15/03/2024", "15/03/2024", S::Normal}, {2, GrillePoints::Heure, "23:59:59", "23:59:59", S::Normal},
        {0, GrillePoints::Valeur, "3.5", "3,50", S::Normal},            {3, GrillePoints::Valeur, "12,345", "12,35", S::Normal},
        {0, GrillePoints::Valeur, "1500", "1500,00", S::Invalide},      {1, GrillePoints::Valeur, "-2", "-2,00", S::Invalide},
        {2, GrillePoints::Valeur, "1000", "1000,00", S::Normal},        {0, GrillePoints::Valeur, "12", "12,00", S::Normal},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(taper(c.ligne, c.colonne, QString::fromLatin1(c.saisie)), nullptr) << c.saisie;
        EXPECT_EQ(grille.texte(c.ligne, c.colonne), c.rangee) << c.saisie;
        EXPECT_EQ(grille.style(c.ligne, c.colonne), c.style) << c.saisie;
        ASSERT_EQ(modifiee.size(), 1) << c.saisie;
        EXPECT_EQ(cellule(modifiee.takeFirst()), (QList<int>{c.ligne, c.colonne})) << c.saisie;
    }

    // Le même texte validé à nouveau ne change rien.
    taper(1, GrillePoints::Heure, "06:30:00");
    modifiee.clear();
    taper(1, GrillePoints::Heure, "06:30:00");
    EXPECT_EQ(modifiee.size(), 0);

    // Un style posé par le programme reste.
    grille.setStyle(3, GrillePoints::Valeur, GrillePoints::Style::Accepte);
    taper(3, GrillePoints::Valeur, "4");
    EXPECT_EQ(grille.style(3, GrillePoints::Valeur), GrillePoints::Style::Accepte);

    // Une cellule verrouillée n'a pas d'éditeur.
    grille.verrouiller(1, GrillePoints::Valeur, true);
    EXPECT_FALSE(grille.verrouille(1, GrillePoints::Date));
    EXPECT_EQ(ouvrir(1, GrillePoints::Valeur), nullptr);
    EXPECT_NE(ouvrir(1, GrillePoints::Date), nullptr);
    QTest::keyClick(grille.indexWidget(indice(1, GrillePoints::Date)), Qt::Key_Escape);

    // Rupture et obtention ne se tapent jamais, même sans verrou.
    for (int colonne : {int(GrillePoints::Rupture), int(GrillePoints::Obtention)}) {
        EXPECT_FALSE(grille.verrouille(0, colonne));
        EXPECT_EQ(ouvrir(0, colonne), nullptr) << colonne;
        QTest::mouseClick(grille.viewport(), Qt::LeftButton, {}, grille.visualRect(indice(0, colonne)).center());
        ASSERT_EQ(grille.currentIndex(), indice(0, colonne)) << colonne;
        QTest::keyClick(grille.viewport(), Qt::Key_F2);
        QTest::keyClick(grille.viewport(), Qt::Key_5);
        EXPECT_EQ(grille.indexWidget(indice(0, colonne)), nullptr) << colonne;
    }

    // Toute la ligne : -1 ; déverrouillée, la cellule s'édite de nouveau.
    grille.verrouiller(2, -1, true);
    EXPECT_TRUE(grille.verrouille(2, -1));
    for (int colonne = 0; colonne < GrillePoints::nombreColonnes; ++colonne)
        EXPECT_TRUE(grille.verrouille(2, colonne));
    EXPECT_EQ(ouvrir(2, GrillePoints::Heure), nullptr);
    grille.verrouiller(2, GrillePoints::Heure, false);
    EXPECT_FALSE(grille.verrouille(2, -1));
    EXPECT_NE(ouvrir(2, GrillePoints::Heure), nullptr);
}

TEST_F(GrilleAffichee, SaisiesRefuseesNonValidees)
{
    grille.definirBornesDates(QDate(2024, 1, 1), QDate(2024, 12, 31));
    grille.setTexte(0, GrillePoints::Date, "10/01/2024");
    grille.setTexte(0, GrillePoints::Heure, "08:00:00");
    QSignalSpy modifiee(&grille, &GrillePoints::celluleModifiee);

    const QList<std::pair<int, QString>> refus{
        {GrillePoints::Date, "15/06/2025"}, {GrillePoints::Date, "31/12/2023"}, {GrillePoints::Date, "31/02/2024"},
        {GrillePoints::Date, "32/01/2024"}, {GrillePoints::Heure, "25:00:00"},  {GrillePoints::Heure, "12:60:00"},
    };
    for (const auto& [colonne, texte] : refus) {
        const QString avant = grille.texte(0, colonne);
        QLineEdit* editeur = taper(0, colonne, texte);
        ASSERT_NE(editeur, nullptr) << texte.toStdString() << " validé";
        EXPECT_EQ(editeur->palette().color(QPalette::Text), DelegueCellules::couleurRefus()) << texte.toStdString();
        EXPECT_EQ(grille.texte(0, colonne), avant) << texte.toStdString();
        QTest::keyClick(editeur, Qt::Key_Escape);
        EXPECT_EQ(grille.indexWidget(indice(0, colonne)), nullptr);
        EXPECT_EQ(grille.texte(0, colonne), avant);
    }
    EXPECT_EQ(modifiee.size(), 0);

    // Quitté d'un clic ailleurs, l'éditeur laisse le texte refusé dans la cellule, marquée invalide,
    // et la grille dit pourquoi ; une date écrite par le programme n'est jamais refusée.
    ASSERT_NE(taper(0, GrillePoints::Date, "31/02/2024"), nullptr);
    QTest::mouseClick(grille.viewport(), Qt::LeftButton, {}, grille.visualRect(indice(2, GrillePoints::Valeur)).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(grille.indexWidget(indice(0, GrillePoints::Date)), nullptr);
    EXPECT_EQ(grille.style(0, GrillePoints::Date), GrillePoints::Style::Invalide);
    EXPECT_EQ(grille.refus(0), "« 31/02/2024 » n'est pas une date (JJ/MM/AAAA, par exemple 15/06/2020).");
    EXPECT_EQ(modifiee.size(), 1);
    grille.setTexte(1, GrillePoints::Date, "31/12/2025");
    EXPECT_EQ(grille.refus(1), "");
    modifiee.clear();

    // Corrigé dans le même éditeur, le texte repasse en couleur normale et se valide.
    QLineEdit* editeur = taper(0, GrillePoints::Date, "31/02/2024");
    ASSERT_NE(editeur, nullptr);
    editeur->selectAll();
    QTest::keyClicks(editeur, "29/02/2024");
    EXPECT_NE(editeur->palette().color(QPalette::Text), DelegueCellules::couleurRefus());
    QTest::keyClick(editeur, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(grille.indexWidget(indice(0, GrillePoints::Date)), nullptr);
    EXPECT_EQ(grille.texte(0, GrillePoints::Date), "29/02/2024");
    EXPECT_EQ(grille.style(0, GrillePoints::Date), GrillePoints::Style::Normal);
    EXPECT_EQ(grille.refus(0), "");
    EXPECT_EQ(modifiee.size(), 1);

    // Les bornes atteintes sont acceptées ; sans bornes, toute date lisible l'est, rangée en entier.
    EXPECT_EQ(taper(1, GrillePoints::Date, "31/12/2024"), nullptr);
    grille.definirBornesDates(QDate(), QDate());
    EXPECT_EQ(taper(2, GrillePoints::Date, "1.1.1990"), nullptr);
    EXPECT_EQ(grille.texte(2, GrillePoints::Date), "01/01/1990");
}

TEST_F(GrilleAffichee, TriSurDateHeure)
{
    const QList<QStringList> lignes{
        {"12/03/2024", "10:00:00", "1,00"},
        {"12/03/2024", "08:00:00", "3,00"},
        {"01/01/2024", "23:00:00", "4,00"},
        {"12/03/2024", "08:00:00", "6,00"}, // même instant que 1
    };
    for (int l = 0; l < lignes.size(); ++l)
        for (int c = 0; c < 3; ++c)
            grille.setTexte(l, c, lignes.at(l).at(c));
    grille.setStyle(2, -1, GrillePoints::Style::Grise);
    grille.verrouiller(2, GrillePoints::Valeur, true);
    grille.setCurrentIndex(indice(0, GrillePoints::Valeur));

    EXPECT_EQ(grille.trierSurDateHeure(1), 1);

    QStringList valeurs;
    for (int l = 0; l < grille.lignes(); ++l)
        valeurs << grille.texte(l, GrillePoints::Valeur);
    EXPECT_EQ(valeurs, (QStringList{"4,00", "3,00", "6,00", "1,00"}));
    EXPECT_EQ(grille.style(0, GrillePoints::Heure), GrillePoints::Style::Grise);
    EXPECT_TRUE(grille.verrouille(0, GrillePoints::Valeur));
    for (int l : {1, 2, 3}) {
        EXPECT_EQ(grille.style(l, GrillePoints::Heure), GrillePoints::Style::Normal) << l;
        EXPECT_FALSE(grille.verrouille(l, GrillePoints::Valeur)) << l;
    }
    EXPECT_EQ(grille.currentIndex().column(), GrillePoints::Valeur);
}

TEST_F(GrilleAffichee, StructureLignesEtEcrituresDuProgramme)
{
    // Ni par la méthode ni par nom, une écriture du programme ne passe pour une saisie.
    QSignalSpy modifiee(&grille, &GrillePoints::celluleModifiee);
    grille.setTexte(0, GrillePoints::Valeur, "anything");
    grille.setProperty("Row", 1);
    grille.setProperty("Col", GrillePoints::Heure);
    grille.setProperty("Text", "10:00:00");
    EXPECT_EQ(modifiee.size(), 0);
    EXPECT_EQ(grille.texte(1, GrillePoints::Heure), "10:00:00");
    // Hors de la grille : rien n'est écrit, rien n'est lu.
    grille.setTexte(9, 0, "x");
    grille.setTexte(0, 7, "x");
    EXPECT_EQ(grille.lignes(), 4);
    EXPECT_EQ(grille.texte(9, 0), "");

    const QAbstractItemModel* modele = grille.model();
    QStringList entetes;
    for (int c = 0; c < modele->columnCount(); ++c)
        entetes << modele->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(entetes, (QStringList{"Date", "Heure", "Valeur", "Rupt", "Obt", "V X", "V Y"}));
    EXPECT_EQ(modele->headerData(2, Qt::Vertical).toInt(), 3);
    EXPECT_TRUE(grille.verticalHeader()->isVisible());
    for (int c = 0; c < GrillePoints::nombreColonnes; ++c)
        EXPECT_EQ(grille.isColumnHidden(c), c >= GrillePoints::PositionX) << c;

    grille.insererLigne(1);
    ASSERT_EQ(grille.lignes(), 5);
    EXPECT_FALSE(grille.ligneRemplie(1));
    EXPECT_TRUE(grille.ligneRemplie(0));
    grille.setTexte(1, GrillePoints::Rupture, "R");
    EXPECT_FALSE(grille.ligneRemplie(1));
    grille.setTexte(1, GrillePoints::Heure, "08:00:00");
    EXPECT_TRUE(grille.ligneRemplie(1));
}
