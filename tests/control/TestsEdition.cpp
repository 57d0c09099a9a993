// La saisie des points sur le graphique du contrôle, à la souris, jusque dans
// la table de pluie de la base d'exemple (SQLite, ou PostgreSQL dans
// tests_control_postgresql).
#include "HoteTest.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Horloge.h"
#include "control/HoteGraphique.h"
#include "control/VueGraphique.h"
#include "entry/GrillePoints.h"
#include "data/bases/BaseExemple.h"
#include "data/BaseDeTest.h"
#include "render/moteur/ProprietesMoteur.h"
#include "settings/messages/MessagesEnregistres.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Edition : public AvecBase
{
protected:
    void SetUp() override
    {
        AvecBase::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        Horloge::fixer(QDate(2024, 3, 15));
        MoteurGraphique::definirDossierImages(dossier.path());
        QString erreur;
        ASSERT_TRUE(BaseExemple::remplir(base(), 5, {}, erreur)) << erreur.toStdString();
        hote.resize(1200, 810);
        hote.show();
        tracerMars();
    }
    void TearDown() override
    {
        Horloge::fixer(QDate());
        MoteurGraphique::definirDossierImages(QString());
        AvecBase::TearDown();
    }
    void tracerMars(int mois = 3)
    {
        HoteGraphique::Demande d;
        d.type = TypeGraph::edition;
        d.station = "76402001";
        d.periodes = "S";
        d.debut = QDate(2023, mois, 1);
        d.fin = QDate(2023, mois, 1).addMonths(1).addDays(-1);
        QString erreur;
        ASSERT_TRUE(hote.tracer(d, &base(), erreur)) << erreur.toStdString();
    }

    CtlGraphique& ctl() { return hote.controle(); }
    VueGraphique* vue() { return ctl().vueGraphique(); }
    QPoint point(double fx, double fy)
    {
        const QRectF z = ctl().Graphique().zoneTrace(QRectF(vue()->rect()));
        return QPointF(z.left() + fx * z.width(), z.top() + fy * z.height()).toPoint();
    }
    // Les mesures de mars 2023, "jour heure valeur continuité obtention" chacune.
    QStringList mars()
    {
        TableauValeurs t;
        qint32 n = 0;
        EXPECT_TRUE(base().ExtraireRecords("SELECT DateCreation, Heure, Pluie, Continuite, ModeObtention FROM PLUVIO_76402001 "
                                          "WHERE DateCreation >= #03/01/2023# AND DateCreation <= #03/31/2023# ORDER BY DateCreation",
                                          t, n));
        QStringList l;
        for (int i = 0; i < n; ++i)
            l << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(TexteCellule(t.valeur(0, i)).left(2), TexteCellule(t.valeur(1, i)), TexteCellule(t.valeur(2, i)),
                          TexteCellule(t.valeur(3, i)), TexteCellule(t.valeur(4, i)));
        return l;
    }

    MagasinTemporaire magasin;
    QTemporaryDir dossier;
    MessagesEnregistres messages;
    HoteGraphique hote;
};

TEST_F(Edition, PointsPosesPuisEnregistresOuAbandonnes)
{
    ctl().declencheOutil(4);
    for (double fx : {0.3, 0.5, 0.7})
        QTest::mouseClick(vue(), Qt::LeftButton, {}, point(fx, 0.5));
    GrillePoints* grille = ctl().SprPoints();
    ASSERT_EQ(grille->lignes(), 3);
    const QString premier = grille->texte(0, 0), dernier = grille->texte(2, 0);
    const QStringList avant = mars();

    // Refusé à la question : rien ne change.
    messages.repondre(false);
    ctl().DeclencheEnregistrer();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.textes().first(), "Etes vous sûr de vouloir enregistrer les points à partir du " + premier
                                             + " jusqu'au " + dernier + " ?");
    EXPECT_EQ(mars(), avant);

    // Accepté : de la première à la dernière date, seuls les trois points restent, à midi, "C".
    messages.vider();
    messages.repondre(true);
    ctl().DeclencheEnregistrer();
    ASSERT_EQ(messages.messages().size(), 1) << messages.textes().join('\n').toStdString();
    const QStringList apres = mars();
    const int d1 = premier.left(2).toInt(), d3 = dernier.left(2).toInt();
    int dansLaPlage = 0;
    for (const QString& l : apres) {
        const int j = l.left(2).toInt();
        if (j >= d1 && j <= d3) {
            ++dansLaPlage;
            EXPECT_TRUE(l.contains(" 12:00:00 ") && l.endsWith(" 0 C")) << l.toStdString();
        }
    }
    EXPECT_EQ(dansLaPlage, 3);
    EXPECT_EQ(apres.size(), avant.size() - (d3 - d1 + 1) + 3);

    // Abandonner les points marqués : la grille se vide, sans toucher la base.
    ctl().DeclencheSupprimer();
    EXPECT_EQ(grille->lignes(), 0);
    EXPECT_EQ(mars(), apres);
}

TEST_F(Edition, PlageSupprimeeDansLesDeuxSensAvecSesRuptures)
{
    ctl().declencheOutil(5);
    const QStringList avant = mars();
    auto glisser = [&](double de, double a) {
        QTest::mousePress(vue(), Qt::RightButton, {}, point(de, 0.5));
        QTest::mouseMove(vue(), point(a, 0.6));
        QTest::mouseRelease(vue(), Qt::RightButton, {}, point(a, 0.6));
    };
    // De droite à gauche, refusé puis accepté.
    messages.repondre(false);
    glisser(0.6, 0.4);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.textes().first().startsWith("Voulez vous supprimer les points entre le "));
    EXPECT_EQ(mars(), avant);
    const QString question = messages.textes().first();
    messages.vider();
    messages.repondre(true);
    glisser(0.6, 0.4);
    ASSERT_EQ(messages.textes().first(), question);   // la même plage dans les deux sens
    const QStringList apres = mars();
    ASSERT_LT(apres.size(), avant.size());
    // Les mesures qui bordent le trou portent la rupture.
    int ruptures = 0;
    for (const QString& l : apres)
        ruptures += l.endsWith(" 1 M") ? 1 : 0;
    EXPECT_EQ(ruptures, 2);
    // De gauche à droite, la même question pour la même plage.
    messages.vider();
    messages.repondre(false);
    glisser(0.4, 0.6);
    EXPECT_EQ(messages.textes().value(0), question);
}

TEST_F(Edition, GrilleDesPointsModifieeInsereeSupprimeeEtEnregistree)
{
    // Une date de dernière validation donnée par l'hôte, prise au chargement.
    hote.setProperty("DateDerniereValidation", "10/03/2023");
    tracerMars();
    ctl().declencheOutil(6);
    GrillePoints* g = ctl().SprPoints();
    const int n = ctl().CollCourbes().GetCourbe(1)->NbValeurs();
    ASSERT_EQ(g->lignes(), n);
    ASSERT_GE(n, 28);
    EXPECT_EQ(g->dateMinimum(), QDate(2023, 3, 11));
    EXPECT_EQ(g->dateMaximum(), QDate(2023, 3, 30));
    auto ligneDu = [&](int jour) {
        for (int r = 0; r < g->lignes(); ++r)
            if (g->texte(r, GrillePoints::Date) == QStringLiteral("%1/03/2023").arg(jour, 2, 10, QChar(u'0')))
                return r;
        return -1;
    };
    // Avant la validation : grisé et verrouillé.
    ASSERT_GE(ligneDu(5), 0);
    EXPECT_EQ(g->style(ligneDu(5), GrillePoints::Valeur), GrillePoints::Style::Grise);
    EXPECT_TRUE(g->verrouille(ligneDu(5), GrillePoints::Valeur));
    EXPECT_FALSE(g->verrouille(ligneDu(20), GrillePoints::Valeur));

    // Une valeur changée : la ligne passe "M", la courbe la reprend.
    g->setTexte(ligneDu(20), GrillePoints::Valeur, "4,50");
    emit g->celluleModifiee(ligneDu(20), GrillePoints::Valeur);
    EXPECT_EQ(g->texte(ligneDu(20), GrillePoints::Obtention), "M");
    EXPECT_EQ(g->style(ligneDu(20), GrillePoints::Valeur), GrillePoints::Style::Accepte);
    // Un clic sur Rupt marque la rupture.
    const QRect rupt = g->visualRect(g->model()->index(ligneDu(21), GrillePoints::Rupture));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rupt.center());
    EXPECT_EQ(g->texte(ligneDu(21), GrillePoints::Rupture).trimmed(), "R");
    // Une heure effacée : la ligne sera écartée.
    g->setTexte(ligneDu(22), GrillePoints::Heure, "");
    emit g->celluleModifiee(ligneDu(22), GrillePoints::Heure);
    EXPECT_EQ(g->style(ligneDu(22), GrillePoints::Heure), GrillePoints::Style::Invalide);
    // Insérer ne se fait qu'avec deux jeux au moins ; supprimer retire la ligne courante.
    auto* inserer = ctl().findChild<QPushButton*>("CmdInsertion");
    QTest::mouseClick(inserer, Qt::LeftButton);
    EXPECT_EQ(g->lignes(), n);
    g->setCurrentIndex(g->model()->index(ligneDu(25), 0));
    QTest::mouseClick(ctl().findChild<QPushButton*>("CmdSuppression"), Qt::LeftButton);
    EXPECT_EQ(g->lignes(), n - 1);
    EXPECT_EQ(ligneDu(25), -1);

    const QString dossierImages = qEnvironmentVariable("GRAPHIQUE_IMAGES_TESTS");
    if (!dossierImages.isEmpty())
        hote.grab().save(dossierImages + "/outil6-grille.png");

    messages.vider();
    QTest::mouseClick(ctl().findChild<QPushButton*>("CmdEnregistrer"), Qt::LeftButton);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.textes().first().contains("1 ligne(s) sans date ou heure")) << messages.textes().first().toStdString();
    const QStringList apres = mars();
    EXPECT_EQ(apres.size(), n - 2);   // la ligne supprimée et la ligne sans heure
    EXPECT_TRUE(apres.filter(QRegularExpression("^20 .* 4.5 0 M$")).size() == 1) << apres.join('\n').toStdString();
    EXPECT_TRUE(apres.filter(QRegularExpression("^21 .* 1 M$")).size() == 1);
    EXPECT_TRUE(apres.filter(QRegularExpression("^(22|25) ")).isEmpty());
    // Les lignes écrites sont verrouillées sur leur date et leur heure, l'écartée en rouge.
    EXPECT_TRUE(g->verrouille(ligneDu(20), GrillePoints::Date));
    EXPECT_EQ(g->style(ligneDu(22), GrillePoints::Date), GrillePoints::Style::Invalide);
}

TEST_F(Edition, GrilleVideeDemandeAvantDEffacerEtValidationRefuseLaPlage)
{
    ctl().declencheOutil(6);
    GrillePoints* g = ctl().SprPoints();
    ASSERT_GT(g->lignes(), 0);
    const QStringList avant = mars();
    g->setLignes(0);
    messages.repondre(false);
    QTest::mouseClick(ctl().findChild<QPushButton*>("CmdEnregistrer"), Qt::LeftButton);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.textes().first(), "La grille est vide : supprimer toutes les mesures du 01/03/2023 au 31/03/2023 ?");
    EXPECT_EQ(mars(), avant);
    messages.repondre(true);
    QTest::mouseClick(ctl().findChild<QPushButton*>("CmdEnregistrer"), Qt::LeftButton);
    EXPECT_TRUE(mars().isEmpty());

    // Une plage qui commence avant la dernière validation est refusée, sans question.
    hote.setProperty("DateDerniereValidation", "31/03/2023");
    tracerMars(2);
    ctl().declencheOutil(5);
    messages.vider();
    QTest::mousePress(vue(), Qt::RightButton, {}, point(0.3, 0.5));
    QTest::mouseMove(vue(), point(0.6, 0.6));
    QTest::mouseRelease(vue(), Qt::RightButton, {}, point(0.6, 0.6));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.textes().first(), "Vous ne pouvez pas supprimer les points avant la date de dernière validation (31/03/2023)");
}

} // namespace
