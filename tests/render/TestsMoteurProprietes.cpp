#include "ScenariosMoteur.h"

#include "render/moteur/Disposition.h"
#include "render/moteur/PolicesMoteur.h"

#include <QPainter>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace scenarios;

namespace {

TEST(MoteurProprietes, ValeursReluesBorneesCommeLeMoteurLesEmploie)
{
    MoteurGraphique m;
    // Relues telles que le moteur les emploie : bornées, et au moins un.
    m.ecrire(Prop::EspacementLibelles, 30);
    EXPECT_EQ(m.lire(Prop::EspacementLibelles).toInt(), 19);
    ecrire(m, {{Prop::EspacementLibelles, 0}, {Prop::NbLibellesX, 0}, {Prop::DivisionsY, 0}});
    EXPECT_EQ(lus(m, {Prop::EspacementLibelles, Prop::NbLibellesX, Prop::DivisionsY}), (QStringList{"1", "1", "1"}));
    ecrire(m, {{Prop::ModeEchelleY, 2}, {Prop::YMax, 5}, {Prop::YMin, 5}});
    EXPECT_EQ(m.lire(Prop::YMax).toDouble(), 6.0);  // une plage vide est ouverte
}

TEST(MoteurProprietes, BornesXDUnGraphiqueParCategories)
{
    MoteurGraphique m;
    // Le contrôle écrit d'abord son maximum enregistré, puis le nombre de points : le nombre l'emporte.
    ecrire(m, {{Prop::Reinitialisation, 9}, {Prop::XMin, 0}, {Prop::XMax, 365}, {Prop::NbPoints, 12}});
    EXPECT_EQ(m.lire(Prop::XMax).toDouble(), 12.0);
    // Un zoom par pas écrit les bornes après : elles tiennent jusqu'au prochain changement du nombre.
    ecrire(m, {{Prop::XMin, 3}, {Prop::XMax, 9}, {Prop::NbPoints, 12}});
    EXPECT_EQ(lus(m, {Prop::XMin, Prop::XMax}), (QStringList{"3", "9"}));
    m.ecrire(Prop::NbPoints, 24);
    EXPECT_EQ(lus(m, {Prop::XMin, Prop::XMax}), (QStringList{"0", "24"}));

    // Échelle automatique des valeurs d'après les points, sur des nombres ronds, barres partant de 0.
    ecrire(m, {{Prop::TypeGraphe, 3}, {Prop::Jeu, 1}});
    m.ecrireIndexe(Prop::ValeurPoint, 1, 37.2);
    m.ecrireIndexe(Prop::ValeurPoint, 2, 12.0);
    EXPECT_EQ(m.lire(Prop::YMin).toDouble(), 0.0);
    EXPECT_GE(m.lire(Prop::YMax).toDouble(), 37.2);
    EXPECT_LE(m.lire(Prop::YMax).toDouble(), 50.0);
}

TEST(MoteurProprietes, BornesXDUnGraphiqueXY)
{
    MoteurGraphique m;
    ecrire(m, {{Prop::Reinitialisation, 9}, {Prop::NbJeux, 0}, {Prop::XMin, 0}, {Prop::XMax, 1000}});
    EXPECT_EQ(m.lire(Prop::XMax).toDouble(), 1000.0);  // lu avant tout point, comme l'échelle horaire en a besoin
    ecrire(m, {{Prop::NbJeux, 2}, {Prop::Jeu, 1}, {Prop::NbPoints, 1}, {Prop::NbPoints, 5}});
    for (int p = 1; p <= 3; ++p) {
        ecrire(m, {{Prop::Point, p}, {Prop::PositionX, p * 100.0 + 0.1}, {Prop::ValeurTexte, QStringLiteral("12,5")},
                   {Prop::Manquant, 0}});
    }
    EXPECT_EQ(m.lire(Prop::XMax).toDouble(), 1000.0);
    // Positions et valeurs relues point par point ; la fin n'a jamais été écrite.
    m.ecrire(Prop::Point, 2);
    EXPECT_DOUBLE_EQ(m.lire(Prop::PositionX).toDouble(), 200.1);
    EXPECT_DOUBLE_EQ(m.lireIndexe(Prop::PositionLue, 1).toDouble(), 200.1);
    EXPECT_EQ(m.lireIndexe(Prop::PositionLue, 2).toDouble(), 12.5);
    EXPECT_EQ(m.lire(Prop::ValeurTexte).toString().replace(',', '.'), "12.5");
    m.ecrire(Prop::Point, 5);
    EXPECT_EQ(m.lire(Prop::PositionX).toDouble(), 0.0);
    // Le second jeu partage le nombre de points.
    ecrire(m, {{Prop::Jeu, 2}, {Prop::Point, 4}, {Prop::Manquant, 1}});
    EXPECT_EQ(lus(m, {Prop::PositionX, Prop::Manquant}), (QStringList{"0", "1"}));
    // Les points au-delà du nombre sont hors d'atteinte.
    ecrire(m, {{Prop::Point, 6}, {Prop::PositionX, 5.0}});
    EXPECT_EQ(m.lire(Prop::PositionX).toDouble(), 0.0);
}

TEST(MoteurProprietes, RemiseAZeroEtDemandesDeDessin)
{
    MoteurGraphique m;
    QSignalSpy dessins(&m, &MoteurGraphique::dessinDemande);
    QSignalSpy impressions(&m, &MoteurGraphique::impressionDemandee);
    ecrire(m, {{Prop::TitreGraphique, "Station"}, {Prop::CouleurFond, 3}});
    jeu(m, 2, 5, {1, 2, 3});
    m.ecrireIndexe(Prop::Legende, 1, QStringLiteral("Pluie"));
    m.ecrireIndexe(Prop::LibelleGauche, 1, QStringLiteral("0 m"));
    m.ecrire(Prop::Dessin, 2);
    EXPECT_FALSE(m.vierge());
    EXPECT_EQ(dessins.count(), 1);

    m.ecrire(Prop::Reinitialisation, 9);
    EXPECT_EQ(lus(m, {Prop::NbPoints, Prop::NbJeux}), (QStringList{"0", "1"}));
    EXPECT_EQ(m.lireIndexe(Prop::Legende, 1).toString() + m.lireIndexe(Prop::LibelleGauche, 1).toString(), "");
    // Apparence et titres restent.
    EXPECT_EQ(lus(m, {Prop::TitreGraphique, Prop::CouleurFond}), (QStringList{"Station", "3"}));

    m.ecrire(Prop::Dessin, 1);
    EXPECT_TRUE(m.vierge());
    ecrire(m, {{Prop::Dessin, 5}, {Prop::Dessin, 0}});
    EXPECT_EQ(std::tuple(dessins.count(), impressions.count(), m.lire(Prop::Dessin).toInt()), std::tuple(2, 1, 0));
}

TEST(MoteurProprietes, CouleursDesElementsParPaires)
{
    MoteurGraphique m;
    // L'élément d'abord, puis sa couleur : le cadre gris clair, comme au démarrage.
    ecrire(m, {{Prop::Element, 7}, {Prop::CouleurElement, 7}});
    EXPECT_EQ(m.modele().couleurElement(ModeleGraphique::Cadre), 7);
    // La couleur puis l'élément : la couleur va à l'élément choisi avant.
    ecrire(m, {{Prop::CouleurElement, 15}, {Prop::Element, 4}});
    EXPECT_EQ(m.modele().couleurElement(ModeleGraphique::Cadre), 15);
    EXPECT_EQ(m.modele().couleurElement(ModeleGraphique::ZoneTrace), -1);
    m.ecrire(Prop::CouleurElement, 15);
    EXPECT_EQ(m.modele().couleurElement(ModeleGraphique::ZoneTrace), 15);
}

TEST(MoteurProprietes, LibellesEtPolices)
{
    MoteurGraphique m;
    EXPECT_EQ(m.VBAGLabels(3, QStringLiteral("Jan\tFev\tMar")), 0);
    EXPECT_EQ(m.modele().libellesTabulation, (QStringList{"Jan", "Fev", "Mar"}));
    EXPECT_EQ(m.VBAGLabels(2, QStringLiteral("Jan\tFev\tMar")), -1);  // nombre et texte en désaccord
    EXPECT_EQ(m.modele().libellesTabulation.size(), 3);

    ecrire(m, {{Prop::ClasseTexte, 0}, {Prop::PolicePolice, "Comic Sans MS"}, {Prop::TaillePolice, 125},
               {Prop::ClasseTexte, 2}, {Prop::TaillePolice, 85}});
    const auto& polices = m.modele().polices;
    EXPECT_EQ(std::tuple(polices[0].famille, polices[0].taillePourcent, polices[2].taillePourcent),
              std::tuple(QStringLiteral("Comic Sans MS"), 125, 85));
    m.ecrire(Prop::ClasseTexte, 0);
    EXPECT_EQ(m.lire(Prop::TaillePolice).toInt(), 125);
    // Une famille non installée se rabat sur une proche, au rapport de taille demandé.
    const QFont titre = PolicesMoteur::police(m.modele().polices[0], 20.0);
    const QFont libelles = PolicesMoteur::police(m.modele().polices[2], 20.0);
    EXPECT_FALSE(titre.family().isEmpty());
    EXPECT_EQ(std::pair(titre.pixelSize(), libelles.pixelSize()), std::pair(25, 17));
    EXPECT_EQ(PolicesMoteur::familleInstallee("Famille Introuvable"), PolicesMoteur::familleInstallee("DejaVu Sans"));
}

// Les nombres de l'axe de valeurs tels qu'on les lit : au pas rond le plus proche
// de celui des divisions, sans décimale inutile ; des libellés donnés gardent leurs divisions égales.
TEST(MoteurProprietes, GraduationsDeLAxeDesValeurs)
{
    struct Cas
    {
        double min, max;
        int divisions;
        QStringList donnes, lus;
    };
    const Cas cas[] = {
        {0, 919.2, 5, {}, {"0", "200", "400", "600", "800"}},
        {0, 10, 4, {}, {"0", "2.5", "5", "7.5", "10"}},
        {-200, 200, 5, {}, {"-200", "-100", "0", "100", "200"}},
        {0.3, 1.7, 5, {}, {"0.5", "0.75", "1", "1.25", "1.5"}},
        {14, 21, 5, {"21", "19.6", "18.2", "16.8", "15.4", "14"}, {"21", "19.6", "18.2", "16.8", "15.4", "14"}},
    };
    for (const Cas& c : cas) {
        MoteurGraphique m;
        ecrire(m, {{Prop::ModeEchelleY, 2}, {Prop::AxeY, 0}, {Prop::DivisionsY, c.divisions}, {Prop::YMax, c.max},
                   {Prop::YMin, c.min}});
        for (int i = 0; i < c.donnes.size(); ++i)
            m.ecrireIndexe(Prop::LibelleGauche, i + 1, c.donnes[i]);
        const Disposition d(m.modele(), QRectF(0, 0, 900, 700));
        QStringList lus;
        for (const Disposition::Libelle& l : d.libellesGauche)
            lus << QString(l.texte).replace(u',', u'.');
        EXPECT_EQ(lus, c.lus) << c.max;
        // Les bornes restent celles écrites : la souris et les zooms les relisent.
        EXPECT_EQ(m.lire(Prop::YMax).toDouble(), c.max);
    }
}

TEST(MoteurProprietes, CalqueExclusif)
{
    MoteurGraphique m;
    QSignalSpy calque(&m, &MoteurGraphique::calqueModifie);
    // Un rectangle élastique : chaque mouvement efface le rectangle précédent et trace le nouveau.
    m.GSBox2D(1, 10, 2, 5, 1, 15);
    m.GSBox2D(1, 10, 2, 5, 1, 15);
    m.GSSetROP(2);
    m.GSBox2D(1, 10, 3, 6, 1, 15);
    EXPECT_EQ(m.calque().boites().size(), 1);
    m.GSBox2D(1, 10, 3, 6, 1, 15);
    m.GSBox2D(1, 10, 4, 7, 1, 15);
    ASSERT_EQ(m.calque().boites().size(), 1);
    EXPECT_EQ(m.calque().boites().first().largeur, 4);
    m.GSSetROP(0);
    // Redessinés en mode copie, les symboles restent ; redessinés en mode exclusif, ils s'effacent.
    m.GSSymbol(3, 20, 1, 2);
    m.GSSymbol(3, 20, 1, 2);
    EXPECT_EQ(m.calque().symboles().size(), 1);
    m.GSSetROP(2);
    m.GSSymbol(3, 20, 1, 2);
    EXPECT_TRUE(m.calque().symboles().isEmpty());
    EXPECT_EQ(calque.count(), 8);
    // Une demande de dessin efface le calque.
    m.GSSymbol(4, 20, 1, 2);
    m.ecrire(Prop::Dessin, 2);
    EXPECT_TRUE(m.calque().estVide());
}

TEST(MoteurProprietes, LesTaillesDemesureesSontIgnoreesEtLeDessinFinit)
{
    // Trouvé par le fuzzing : 2 milliards de libellés parcourus un à un, un pas
    // de libellés plus grand qu'un entier, des millions de jeux réservés.
    MoteurGraphique m;
    ecrire(m, {{Prop::NbJeux, 2}, {Prop::NbPoints, 100}, {Prop::NbLibellesX, 2000000000}, {Prop::NbJeux, 1000000},
               {Prop::NbPoints, 2000000000}});
    EXPECT_EQ(lus(m, {Prop::NbJeux, Prop::NbPoints, Prop::NbLibellesX}), (QStringList{"2", "100", "1"}));
    m.ecrire(Prop::NbLibellesX, 3);
    EXPECT_EQ(m.lire(Prop::NbLibellesX).toInt(), 3);
    // Une échelle X minuscule : le pas des libellés reste un entier sûr.
    ecrire(m, {{Prop::XMin, -1e300}, {Prop::XMax, 1e300}, {Prop::EspacementGraduations, 2000000000}});
    QImage image(200, 150, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    m.peindre(p, QRectF(0, 0, 200, 150));
    EXPECT_EQ(m.lire(Prop::NbPoints).toInt(), 100);

    // Des graduations rondes loin de zéro (x + pas == x) et deux milliards de divisions Y.
    MoteurGraphique vide;
    ecrire(vide, {{Prop::XMin, 1e20}, {Prop::XMax, 1e20 + 1e5}, {Prop::DivisionsY, 2000000000}});
    EXPECT_EQ(vide.lire(Prop::DivisionsY).toInt(), 1000);
    vide.peindre(p, QRectF(0, 0, 200, 150));
}

} // namespace
