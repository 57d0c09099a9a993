// La saisie des points sur le graphique du contrôle, à la souris, jusque dans
// la table de pluie de la base d'exemple (SQLite, ou PostgreSQL dans
// tests_control_postgresql).
#include "HoteTest.h"

#include "commun/Cellule.h"
#include "commun_tests/ImagesGardees.h"
#include "commun_tests/JourFixe.h"
#include "commun_tests/Souris.h"
#include "commun/Nombres.h"
#include "control/HoteGraphique.h"
#include "control/VueGraphique.h"
#include "entry/GrillePoints.h"
#include "data/bases/BaseExemple.h"
#include "data/BaseDeTest.h"
#include "commun/messages/MessagesEnregistres.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Edition : public AvecBase
{
protected:
    void preparer() override
    {
        QString erreur;
        ASSERT_TRUE(BaseExemple::remplir(base(), 5, {}, erreur)) << erreur.toStdString();
        hote.resize(1200, 810);
        hote.show();
        tracerMars();
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
    QPoint point(double fx, double fy) { return dansLeTrace(ctl(), fx, fy); }
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
    JourFixe jour{QDate(2024, 3, 15)};
    MessagesEnregistres messages;
    HoteGraphique hote;
};

TEST_F(Edition, PointsPosesAMidiEnregistresAvecLeBilanPuisRecharges)
{
    ctl().declencheOutil(4);
    for (double fx : {0.3, 0.5, 0.7})
        QTest::mouseClick(vue(), Qt::LeftButton, {}, point(fx, 0.5));
    GrillePoints* grille = ctl().SprPoints();
    ASSERT_EQ(grille->lignes(), 3);
    EXPECT_EQ(grille->texte(1, GrillePoints::Heure), "12:00:00");  // l'heure qu'ils auront en base
    const QString premier = grille->texte(0, 0), dernier = grille->texte(2, 0);
    const double pose = LireNombre(grille->texte(0, GrillePoints::Valeur)).value_or(-1);
    const int d1 = premier.left(2).toInt(), d3 = dernier.left(2).toInt();
    const QStringList avant = mars();

    // Refusé à la question, qui dit ce qui changerait : rien ne change.
    messages.repondre(false);
    QTest::mouseClick(ctl().findChild<QPushButton*>("CmdEnregistrer"), Qt::LeftButton);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.textes().first(), QStringLiteral("Etes vous sûr de vouloir enregistrer les points à partir du %1 jusqu'au %2 ?\n"
                                                        "3 mesures modifiées, 0 ajoutée, %3 supprimées, sur la station 76402001 "
                                                        "Port-Aubin du %1 au %2.")
                                             .arg(premier, dernier).arg(d3 - d1 + 1 - 3));
    EXPECT_EQ(mars(), avant);

    // Accepté : de la première à la dernière date, seuls les trois points restent, à midi, "C" ;
    // le graphique est rechargé de la base et la grille des points posés vidée.
    messages.vider();
    messages.repondre(true);
    ctl().DeclencheEnregistrer();
    ASSERT_EQ(messages.messages().size(), 1) << messages.textes().join('\n').toStdString();
    const QStringList apres = mars();
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
    EXPECT_EQ(grille->lignes(), 0);
    EXPECT_EQ(ctl().outilCourant(), 4);
    // La courbe rechargée montre le premier point posé à son jour.
    const CourbePtr courbe = ctl().CollCourbes().GetCourbe(1);
    int trouve = 0;
    for (int i = 0; i < courbe->NbValeurs(); ++i)
        if (TexteCellule(courbe->cellule(0, i)).left(10) == premier) {
            ++trouve;
            EXPECT_NEAR(LireNombre(courbe->cellule(2, i)).value_or(-2), pose, 0.005);
        }
    EXPECT_EQ(trouve, 1);

    // Des points posés puis abandonnés : la grille se vide, sans toucher la base.
    QTest::mouseClick(vue(), Qt::LeftButton, {}, point(0.4, 0.5));
    ctl().DeclencheSupprimer();
    EXPECT_EQ(grille->lignes(), 0);
    EXPECT_EQ(mars(), apres);
}

TEST_F(Edition, PlageSupprimeeDansLesDeuxSensAvecSesRuptures)
{
    ctl().declencheOutil(5);
    const QStringList avant = mars();
    auto supprimer = [&](double de, double a) { glisser(vue(), point(de, 0.5), point(a, 0.6), Qt::RightButton); };
    // De droite à gauche puis de gauche à droite, refusé : la même question pour la même plage.
    messages.repondre(false);
    supprimer(0.6, 0.4);
    messages.repondre(false);
    supprimer(0.4, 0.6);
    ASSERT_EQ(messages.messages().size(), 2);
    const QString question = messages.textes().first();
    EXPECT_TRUE(question.startsWith("Voulez vous supprimer les points entre le ")) << question.toStdString();
    EXPECT_TRUE(question.contains("\n2 mesures modifiées, 0 ajoutée, ")) << question.toStdString();
    EXPECT_EQ(messages.textes().last(), question);
    EXPECT_EQ(mars(), avant);
    messages.vider();
    messages.repondre(true);
    supprimer(0.6, 0.4);
    ASSERT_EQ(messages.textes().value(0), question);
    const QStringList apres = mars();
    ASSERT_LT(apres.size(), avant.size());
    // Les mesures qui bordent le trou portent la rupture.
    int ruptures = 0;
    for (const QString& l : apres)
        ruptures += l.endsWith(" 1 M") ? 1 : 0;
    EXPECT_EQ(ruptures, 2);
    // La même plage de nouveau : plus rien à supprimer, rien n'est demandé.
    messages.vider();
    supprimer(0.6, 0.4);
    EXPECT_EQ(messages.textes(), QStringList{"Aucune mesure ne change : rien à enregistrer."});
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
    // Une heure effacée : la ligne ne se lit plus.
    g->setTexte(ligneDu(22), GrillePoints::Heure, "");
    emit g->celluleModifiee(ligneDu(22), GrillePoints::Heure);
    EXPECT_EQ(g->style(ligneDu(22), GrillePoints::Heure), GrillePoints::Style::Invalide);
    // Insérer ne se fait qu'avec deux jeux au moins : hors du graphique de travail, le bouton grisé dit
    // pourquoi ; supprimer retire la ligne courante.
    auto* inserer = ctl().findChild<QPushButton*>("CmdInsertion");
    QTest::mouseClick(inserer, Qt::LeftButton);
    EXPECT_EQ(g->lignes(), n);
    EXPECT_FALSE(inserer->isEnabled());
    EXPECT_TRUE(inserer->toolTip().startsWith("L'insertion ne se fait que dans le graphique de travail")) << inserer->toolTip().toStdString();
    g->setCurrentIndex(g->model()->index(ligneDu(25), 0));
    QTest::mouseClick(ctl().findChild<QPushButton*>("CmdSuppression"), Qt::LeftButton);
    EXPECT_EQ(g->lignes(), n - 1);
    EXPECT_EQ(ligneDu(25), -1);

    garderImage(hote.grab().toImage(), "outil6-grille");

    // La ligne sans heure empêche tout enregistrement : rien n'est perdu, elle reste à corriger.
    const QStringList avant = mars();
    messages.vider();
    QTest::mouseClick(ctl().findChild<QPushButton*>("CmdEnregistrer"), Qt::LeftButton);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.textes().first().startsWith(QStringLiteral("La ligne %1 de la grille").arg(ligneDu(22) + 1)))
        << messages.textes().first().toStdString();
    EXPECT_EQ(mars(), avant);
    EXPECT_EQ(g->style(ligneDu(22), GrillePoints::Date), GrillePoints::Style::Invalide);

    // L'heure rendue, la grille s'enregistre : trois mesures changent (le bilan et le rechargement sont
    // suivis jusqu'à la base dans la matinée de corrections de l'application).
    g->setTexte(ligneDu(22), GrillePoints::Heure, "12:00:00");
    emit g->celluleModifiee(ligneDu(22), GrillePoints::Heure);
    messages.repondre(true);
    QTest::mouseClick(ctl().findChild<QPushButton*>("CmdEnregistrer"), Qt::LeftButton);
    const QStringList apres = mars();
    EXPECT_EQ(apres.size(), n - 1);
    EXPECT_EQ(apres.filter(QRegularExpression("^20 .* 4.5 0 M$")).size(), 1) << apres.join('\n').toStdString();
    EXPECT_EQ(apres.filter(QRegularExpression("^21 .* 1 M$")).size(), 1);
}

TEST_F(Edition, GrilleVideeDitToutCeQuiPartEtValidationRefuseLaPlage)
{
    ctl().declencheOutil(6);
    GrillePoints* g = ctl().SprPoints();
    ASSERT_GT(g->lignes(), 0);
    const QStringList avant = mars();
    // Chaque ligne supprimée une à une : toute la période part, dit en nombre.
    while (g->lignes() > 0)
        g->supprimerLigne(0);
    messages.repondre(false);
    QTest::mouseClick(ctl().findChild<QPushButton*>("CmdEnregistrer"), Qt::LeftButton);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.textes().first(), QStringLiteral("Enregistrer la grille des points ?\n0 mesure modifiée, 0 ajoutée, %1 supprimées, "
                                                        "sur la station 76402001 Port-Aubin du 01/03/2023 au 31/03/2023.")
                                             .arg(avant.size()));
    EXPECT_EQ(mars(), avant);
    messages.repondre(true);
    QTest::mouseClick(ctl().findChild<QPushButton*>("CmdEnregistrer"), Qt::LeftButton);
    EXPECT_TRUE(mars().isEmpty());

    // Une plage qui commence avant la dernière validation est refusée, sans question.
    hote.setProperty("DateDerniereValidation", "31/03/2023");
    tracerMars(2);
    ctl().declencheOutil(5);
    messages.vider();
    glisser(vue(), point(0.3, 0.5), point(0.6, 0.6), Qt::RightButton);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.textes().first(), "Vous ne pouvez pas supprimer les points avant la date de dernière validation (31/03/2023)");
}

} // namespace
