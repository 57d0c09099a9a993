#include "../render/ScenariosMoteur.h"
#include "HoteTest.h"
#include "commun_tests/Fichiers.h"
#include "control/VueGraphique.h"

#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace scenarios;

namespace {

void remplir(MoteurGraphique& m)
{
    libellesX(m, mois());
    axeGauche(m, 0, 100, 5, "Précipitations en mm");
    jeu(m, 1, 12, {80, 65, 50, 40, 30, 10, 5, 15, 35, 60, 75, 90});
}

TEST(VueGraphique, LEcranMontreCeQueLeMoteurDessineLePointeurDeLOutilEtImprime)
{
    VueGraphique vue;
    vue.resize(700, 420);
    vue.show();
    remplir(vue.moteur());
    // Avant la première demande de dessin, le graphique est vide : cadre et axes seulement.
    const QImage vierge = vue.grab().toImage();
    EXPECT_EQ(pixelsDeCouleur(vierge, 12, vierge.rect()), 0);
    vue.moteur().ecrire(Prop::Dessin, 2);
    const QImage dessine = vue.grab().toImage();
    EXPECT_GT(pixelsDeCouleur(dessine, 12, dessine.rect()), 200);
    EXPECT_EQ(vue.moteur().taille(), QSize(700, 420));

    // Un rectangle élastique change les pixels le long de ses bords, et le redessiner les rétablit.
    vue.moteur().GSSetROP(2);
    vue.moteur().GSBox2D(2, 20, 6, 50, 1, 15);
    const QImage avecBoite = vue.grab().toImage();
    EXPECT_NE(avecBoite, dessine);
    vue.moteur().GSBox2D(2, 20, 6, 50, 1, 15);
    EXPECT_EQ(vue.grab().toImage(), dessine);

    // Le pointeur suit l'outil choisi par le contrôle.
    vue.moteur().ecrire(Prop::Curseur, 3);
    EXPECT_EQ(vue.cursor().shape(), Qt::CrossCursor);
    vue.moteur().ecrire(Prop::Curseur, 4);
    EXPECT_EQ(vue.cursor().shape(), Qt::PointingHandCursor);
    vue.moteur().ecrire(Prop::Curseur, 0);
    EXPECT_EQ(vue.cursor().shape(), Qt::ArrowCursor);

    // L'impression demandée par le moteur.
    QTemporaryDir dossier;
    vue.imprimante().setOutputFormat(QPrinter::PdfFormat);
    vue.imprimante().setOutputFileName(dossier.filePath("impression.pdf"));
    QSignalSpy imprime(&vue, &VueGraphique::imprime);
    // L'étendue de la page et la place du graphique, telles que la routine d'impression les écrit.
    vue.moteur().ecrire(Prop::CouleursImpression, 1);
    vue.moteur().ecrireIndexe(Prop::Impression, 12, 1);
    for (auto [i, v] : {std::pair{6, 0}, {7, 0}, {8, 11000}, {9, 8000}, {2, 1}, {3, 1}, {4, 11000}, {5, 8000}, {11, 1}})
        vue.moteur().ecrireIndexe(Prop::Impression, i, v);
    vue.moteur().ecrire(Prop::Dessin, 5);
    ASSERT_EQ(imprime.count(), 1);
    EXPECT_TRUE(imprime.first().first().toBool());
    const QByteArray pdf = lireFichier(dossier.filePath("impression.pdf"));
    EXPECT_GT(pdf.size(), 2000);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(vue.imprimante().pageLayout().orientation(), QPageLayout::Landscape);
}

} // namespace
