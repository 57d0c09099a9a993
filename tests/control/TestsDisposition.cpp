// Le contrôle tel qu'une personne le voit dans sa fenêtre hôte : chaque genre de graphique,
// à trois tailles d'écran, sans enfant qui en cache un autre et avec le graphique jusqu'au bord droit.
#include "HoteTest.h"

#include "commun/Horloge.h"
#include "control/HoteGraphique.h"
#include "data/bases/BaseExemple.h"
#include "data/bases/BaseSqlite.h"
#include "settings/messages/MessagesEnregistres.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Disposition : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Horloge::fixer(QDate(2024, 3, 15));
        QString erreur;
        base = BaseSqlite::ouvrir(dossier.filePath("exemple.db"), erreur);
        ASSERT_TRUE(base) << erreur.toStdString();
        ASSERT_TRUE(BaseExemple::remplir(*base, 5, {}, erreur)) << erreur.toStdString();
    }
    void TearDown() override
    {
        Horloge::fixer(QDate());
        ValeursProcessus::courantes().fenetrePrincipale = nullptr;
    }

    MagasinTemporaire magasin;
    QTemporaryDir dossier;
    MessagesEnregistres messages;
    std::unique_ptr<BaseSqlite> base;
};

struct Genre
{
    TypeGraph type;
    const char* station;
    QStringList autres;
};

QString Decrire(const QWidget& w)
{
    const QRect g = w.geometry();
    return QStringLiteral("%1 (%2,%3 %4×%5)").arg(w.objectName()).arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
}

TEST_F(Disposition, AucunEnfantNEnCacheUnAutreEtLeGraphiqueVaJusquAuBord)
{
    const Genre genres[] = {
        {TypeGraph::edition, "76402001", {}},       {TypeGraph::Annee, "76402001", {}},
        {TypeGraph::annuaire, "76402001", {}},      {TypeGraph::travail, "27403001", {}},
        {TypeGraph::Superposition, "76401001", {"76402001"}},
        {TypeGraph::PluvioPiezo, "76402001", {"00754X0012", "00755X0031"}},
        {TypeGraph::reference, "76401001", {}},     {TypeGraph::comparaisonNormale, "76402001", {}},
        {TypeGraph::PluvioStation, "76402001", {"H8043310"}},
    };
    for (const QSize taille : {QSize(800, 600), QSize(1280, 800), QSize(1920, 1080)})
        for (const Genre& genre : genres) {
            SCOPED_TRACE(QStringLiteral("%1 à %2×%3").arg(NomTypeGraph(genre.type)).arg(taille.width()).arg(taille.height()).toStdString());
            HoteGraphique hote;
            hote.resize(taille);
            hote.show();
            HoteGraphique::Demande d;
            d.type = genre.type;
            d.station = QString::fromLatin1(genre.station);
            d.stations = genre.autres;
            d.debut = QDate(2021, 10, 1);
            d.fin = QDate(2023, 9, 30);
            d.annee = 2023;
            QString erreur;
            ASSERT_TRUE(hote.tracer(d, base.get(), erreur)) << erreur.toStdString();
            QApplication::processEvents();
            // GRAPHIQUE_CAPTURES=dossier garde chaque écran, pour le regarder.
            if (const QString captures = qEnvironmentVariable("GRAPHIQUE_CAPTURES"); !captures.isEmpty())
                hote.grab().save(QStringLiteral("%1/%2-%3x%4.png").arg(captures, NomTypeGraph(genre.type)).arg(taille.width()).arg(taille.height()));
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
