// Le contrôle tel qu'une personne le voit dans sa fenêtre hôte : chaque genre de graphique,
// à trois tailles d'écran, sans enfant qui en cache un autre et avec le graphique jusqu'au bord droit.
#include "SurBaseExemple.h"

#include "commun_tests/ImagesGardees.h"

#include "commun/Palette.h"
#include "control/VueGraphique.h"
#include "render/moteur/Disposition.h"
#include "render/moteur/ModeleGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QApplication>
#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

class Ecran : public SurBaseExemple
{
protected:
    void montrer(HoteGraphique& hote, const QSize& taille, const HoteGraphique::Demande& d)
    {
        hote.resize(taille);
        hote.show();
        tracer(hote, d);
    }
};

QString Decrire(const QWidget& w)
{
    const QRect g = w.geometry();
    return QStringLiteral("%1 (%2,%3 %4×%5)").arg(w.objectName()).arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
}

TEST_F(Ecran, AucunEnfantNEnCacheUnAutreEtLeGraphiqueVaJusquAuBord)
{
    const std::tuple<TypeGraph, const char*, QStringList> genres[] = {
        {TypeGraph::edition, "76402001", {}},       {TypeGraph::Annee, "76402001", {}},
        {TypeGraph::annuaire, "76402001", {}},      {TypeGraph::travail, "27403001", {}},
        {TypeGraph::Superposition, "76401001", {"76402001"}},
        {TypeGraph::PluvioPiezo, "76402001", {"00754X0012", "00755X0031"}},
        {TypeGraph::reference, "76401001", {}},     {TypeGraph::comparaisonNormale, "76402001", {}},
        {TypeGraph::PluvioStation, "76402001", {"H8043310"}},
    };
    for (const QSize taille : {QSize(800, 600), QSize(1280, 800), QSize(1920, 1080)})
        for (const auto& [type, station, autres] : genres) {
            SCOPED_TRACE(QStringLiteral("%1 à %2×%3").arg(NomTypeGraph(type)).arg(taille.width()).arg(taille.height()).toStdString());
            HoteGraphique hote;
            ASSERT_NO_FATAL_FAILURE(montrer(hote, taille, demande(type, QString::fromLatin1(station), autres)));
            QApplication::processEvents();
            garderImage(hote.grab().toImage(), QStringLiteral("%1-%2x%3").arg(NomTypeGraph(type)).arg(taille.width()).arg(taille.height()));
            const CtlGraphique& ctl = hote.controle();
            QList<const QWidget*> enfants;
            for (const QObject* o : ctl.children())
                if (const auto* w = qobject_cast<const QWidget*>(o); w && w->isVisible())
                    enfants << w;
            // Le graphique des pluies se pose exactement sous le principal : il est fait pour.
            const QWidget* graphique = ctl.composant(QStringLiteral("Graphique"));
            const QWidget* dessous = ctl.composant(QStringLiteral("GraphiqueSuperposePluvio"));
            const auto permis = [&](const QWidget* a, const QWidget* b) {
                return (a == graphique && b == dessous) || (a == dessous && b == graphique);
            };
            for (qsizetype i = 0; i < enfants.size(); ++i)
                for (qsizetype j = i + 1; j < enfants.size(); ++j)
                    EXPECT_TRUE(permis(enfants[i], enfants[j]) || !enfants[i]->geometry().intersects(enfants[j]->geometry()))
                        << Decrire(*enfants[i]).toStdString() << " et " << Decrire(*enfants[j]).toStdString();
            for (const QWidget* w : enfants)
                EXPECT_TRUE(ctl.rect().contains(w->geometry())) << Decrire(*w).toStdString() << " sort du contrôle";
            // Jusqu'au bord droit de l'hôte, moins la marge de 20 twips (un pixel et un tiers).
            ASSERT_TRUE(graphique);
            const int droite = ctl.mapTo(&hote, graphique->geometry().topRight()).x();
            EXPECT_GE(droite, hote.width() - 4) << Decrire(*graphique).toStdString();
        }
}

} // namespace

namespace {

// Titre et légende à l'écran, à la demande de l'hôte : ceux de la page imprimée, dans les mêmes
// polices, le graphique peint à l'écran étant celui du fichier ; la légende hors du tracé.
TEST_F(Ecran, TitreEtLegendeALEcranCommeDansLesFichiers)
{
    HoteGraphique hote;
    ASSERT_NO_FATAL_FAILURE(montrer(hote, QSize(1280, 800), demande(TypeGraph::Annee, QStringLiteral("76402001"))));
    CtlGraphique& ctl = hote.controle();
    MoteurGraphique& g = ctl.Graphique();
    // Par défaut, rien : la place de l'écran va au tracé, le titre et la légende sont ceux de la page imprimée.
    EXPECT_TRUE(g.lire(Prop::TitreGraphique).toString().isEmpty());
    EXPECT_TRUE(g.lireIndexe(Prop::Legende, 1).toString().isEmpty());

    ctl.setProperty("titreEtLegendeALEcran", true);
    EXPECT_EQ(g.lire(Prop::TitreGraphique).toString(), "Pluviomètre - Port-Aubin (76402001)");
    const Disposition place(g.modele(), QRectF(QPointF(0, 0), QSizeF(ctl.vueGraphique()->size())));
    ASSERT_FALSE(place.rectLegende.isEmpty());
    EXPECT_FALSE(place.rectLegende.intersects(place.zone));

    // L'écran et le fichier de la même taille : les textes (titre, légende, libellés sous le tracé)
    // y ont les mêmes pixels, donc les mêmes polices ; et le fichier n'en change aucune.
    QApplication::processEvents();
    QStringList polices;
    for (const PoliceTexte& p : g.modele().polices)
        polices << p.famille + QString::number(p.taillePourcent);
    const QSize taille = ctl.vueGraphique()->size();
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    ASSERT_TRUE(ctl.EcrireImage(png, QStringLiteral("png"), taille));
    const QImage fichier = QImage::fromData(png.data()).convertToFormat(QImage::Format_RGB32);
    const QImage ecran = ctl.vueGraphique()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Sur un écran à haute densité, l'écran a deux fois plus de pixels que le fichier de même taille.
    if (qApp->devicePixelRatio() == 1) {
        ASSERT_EQ(ecran.size(), fichier.size());
    }
    const QRect libelles(0, int(place.zone.bottom()) + 4, taille.width(), taille.height() - int(place.zone.bottom()) - 4);
    for (const QRect& texte : {place.rectTitre.toAlignedRect(), place.rectLegende.toAlignedRect(), libelles}) {
        ASSERT_FALSE(texte.isEmpty());
        if (ecran.size() == fichier.size()) {
            EXPECT_EQ(ecran.copy(texte), fichier.copy(texte)) << texte.x() << ',' << texte.y();
        }
    }
    QStringList apres;
    for (const PoliceTexte& p : g.modele().polices)
        apres << p.famille + QString::number(p.taillePourcent);
    EXPECT_EQ(apres, polices);
    // Le fichier écrit, l'écran garde son titre et sa légende.
    EXPECT_EQ(g.lireIndexe(Prop::Legende, 2).toString(), ctl.CollCourbes().GetCourbe(2)->Titre());

    ctl.setTitreEtLegendeALEcran(false);
    EXPECT_TRUE(g.lire(Prop::TitreGraphique).toString().isEmpty());
    EXPECT_TRUE(g.lireIndexe(Prop::Legende, 1).toString().isEmpty());
}

// Ce que nomment le titre et la légende : les deux stations d'un graphique double et leurs
// séries (les pluies, puis la nappe ou la rivière), l'année choisie d'un cumul annuel, dont la
// barre se détache en rouge ; sur la page imprimée comme à l'écran.
TEST_F(Ecran, TitreEtLegendeNommentCeQueMontreLeGraphique)
{
    struct Cas
    {
        TypeGraph type;
        QString variante;
        QStringList autres;
        QString titre;
        QStringList legende;
    };
    const Cas cas[] = {
        {TypeGraph::PluvioPiezo, {}, {"00754X0012"},
         "Pluviomètre et piézomètre - Port-Aubin et Forage du Moulin (craie) (76402001 et 00754X0012)",
         {"Pluie Port-Aubin", "Forage du Moulin (craie)"}},
        {TypeGraph::PluvioStation, {}, {"H8043310"},
         "Pluviomètre et station hydrométrique - Port-Aubin et L'Aubette à Port-Aubin (76402001 et H8043310)",
         {"Pluie Port-Aubin", "L'Aubette à Port-Aubin (m³/s)"}},
        {TypeGraph::PluvioPiezo, {}, {"00754X0012", "00755X0031"},
         "Pluviomètre et piézomètres - Port-Aubin, Forage du Moulin (craie) et Puits des Prés (alluvions) (76402001, 00754X0012 et 00755X0031)",
         {"Pluie Port-Aubin", "Forage du Moulin (craie)", "Puits des Prés (alluvions)"}},
        {TypeGraph::Annee, "CUMUL_ANNUEL", {}, "Pluviomètre - Port-Aubin (76402001)", {"Année 2023 au 15 mars"}},
    };
    const auto lue = [](const MoteurGraphique& g, const QSize& taille) {
        const Disposition d(g.modele(), QRectF(QPointF(0, 0), QSizeF(taille)));
        // Un long titre tient dans le graphique, en plus petit.
        EXPECT_LE(QFontMetricsF(d.policeTitre).horizontalAdvance(d.titre), d.rectTitre.width());
        QStringList textes{d.titre};
        for (const Disposition::EntreeLegende& e : d.legende)
            textes << e.texte;
        return textes;
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(NomTypeGraph(c.type).toStdString());
        HoteGraphique hote;
        HoteGraphique::Demande d = demande(c.type, QStringLiteral("76402001"), c.autres);
        d.variante = c.variante;
        ASSERT_NO_FATAL_FAILURE(montrer(hote, QSize(1280, 800), d));
        CtlGraphique& ctl = hote.controle();
        MoteurGraphique& g = ctl.Graphique();
        const QStringList attendu = QStringList{c.titre} + c.legende;
        QStringList imprime;
        ctl.vueGraphique()->imprimante().setOutputFormat(QPrinter::PdfFormat);
        ctl.vueGraphique()->imprimante().setOutputFileName(dossier.filePath("page.pdf"));
        const auto connexion = QObject::connect(&g, &MoteurGraphique::impressionDemandee, [&] { imprime = lue(g, QSize(1200, 800)); });
        ctl.ImpressionGraphique();
        QObject::disconnect(connexion);
        EXPECT_EQ(imprime, attendu);
        ctl.setTitreEtLegendeALEcran(true);
        EXPECT_EQ(lue(g, ctl.vueGraphique()->size()), attendu);
        QApplication::processEvents();
        const QImage ecran = ctl.vueGraphique()->grab().toImage();
        const int rouges = compterPixels(ecran, ecran.rect(), [](QRgb p) { return (p & 0xFFFFFF) == Palette::rgb(12); });
        EXPECT_EQ(rouges > 200, c.type == TypeGraph::Annee) << rouges;
    }
}

// La courbe de référence se lit sur son axe : ses pluies journalières (quelques millimètres)
// sur une échelle à leur mesure, et non sur 0 à 100 ; ses mois sur l'échelle rangée pour elle
// dans la base (0 à 120 mm, douze divisions).
TEST_F(Ecran, LaCourbeDeReferenceSeLitSurSonAxe)
{
    for (const char* periode : {"S", "M"}) {
        SCOPED_TRACE(periode);
        HoteGraphique hote;
        HoteGraphique::Demande d = demande(TypeGraph::reference, QStringLiteral("76401001"));
        d.periodes = QString::fromLatin1(periode);
        ASSERT_NO_FATAL_FAILURE(montrer(hote, QSize(1280, 800), d));
        MoteurGraphique& g = hote.controle().Graphique();
        g.ecrire(Prop::AxeY, 0);
        const double bas = g.lireNombre(Prop::YMin), haut = g.lireNombre(Prop::YMax);
        const double plusHaute = g.modele().jeux.front().resumes().haut();
        EXPECT_EQ(bas, 0);
        EXPECT_LE(plusHaute, haut);
        EXPECT_GE(plusHaute, haut / 5) << plusHaute << " sur un axe de " << haut;
        if (QByteArray(periode) == "M") {
            EXPECT_EQ(haut, 120);
            EXPECT_EQ(g.lire(Prop::DivisionsY).toInt(), 12);
        }
    }
}

} // namespace

namespace {

// Sur un écran à haute densité (QT_SCALE_FACTOR=2), le graphique est peint aux pixels de l'écran,
// pas agrandi d'une image deux fois plus petite : ses textes ont des bords plus fins qu'un pixel logique.
TEST_F(Ecran, HauteDensitePeinteAuxPixelsDeLEcran)
{
    // Sur un écran ordinaire, rien à voir : control.haute_densite relance les essais d'écran à l'échelle 2.
    if (qApp->devicePixelRatio() < 1.5)
        GTEST_SKIP() << "écran ordinaire";
    HoteGraphique hote;
    ASSERT_NO_FATAL_FAILURE(montrer(hote, QSize(1000, 700), demande(TypeGraph::Annee, QStringLiteral("76402001"))));
    hote.controle().setTitreEtLegendeALEcran(true);
    QApplication::processEvents();
    QWidget* vue = hote.controle().vueGraphique();
    const QImage image = vue->grab().toImage();
    const qreal ratio = qApp->devicePixelRatio();
    ASSERT_EQ(image.size(), (QSizeF(vue->size()) * ratio).toSize());
    const Disposition place(hote.controle().Graphique().modele(), QRectF(QPointF(0, 0), QSizeF(vue->size())));
    const QRect legende = QRectF(place.rectLegende.topLeft() * ratio, place.rectLegende.size() * ratio).toAlignedRect();
    // Une image agrandie répète chaque pixel en carrés de 2 × 2 ; un rendu aux pixels de l'écran, non.
    int carres = 0, unis = 0;
    for (int y = legende.top() & ~1; y + 1 <= legende.bottom(); y += 2)
        for (int x = legende.left() & ~1; x + 1 <= legende.right(); x += 2) {
            const QRgb p = image.pixel(x, y);
            ++carres;
            unis += p == image.pixel(x + 1, y) && p == image.pixel(x, y + 1) && p == image.pixel(x + 1, y + 1) ? 1 : 0;
        }
    ASSERT_GT(carres, 1000);
    EXPECT_LT(double(unis) / carres, 0.97) << unis << " carrés unis sur " << carres;
}

} // namespace
