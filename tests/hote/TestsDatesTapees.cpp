// Les dates tapées dans l'application de bureau sont celles que le graphique emploie : les
// façons de les écrire, les refus, la molette qui passe sur le panneau, les compagnes d'un
// genre à l'autre, le mois du bulletin et une date de la grille des corrections.
#include "PiloteBureau.h"

#include "ChampMois.h"
#include "SaisieDate.h"

#include "commun_tests/ImagesGardees.h"
#include "commun_tests/JourFixe.h"

#include <QScrollArea>
#include <QScrollBar>

namespace {

enum class Maniere { CtrlA, TripleClic, Haut, Calendrier };

struct Cas
{
    const char* champ;
    Maniere maniere;
    const char* texte;
    const char* bouton;
    // La période chargée ensuite, ou le refus d'une ligne (la période reste celle d'avant).
    const char *debut, *fin;
    QString refus;
};

class DatesTapees : public PiloteBureau
{
protected:
    void SetUp() override
    {
        PiloteBureau::SetUp();
        f = ouvrir();
        choisir(*f, "GenreGraphique", QStringLiteral("edition"));
        choisirStation(*f, QStringLiteral("76402001"));
        choisir(*f, "Periode", QStringLiteral("M"));
        taper(*f, "DateDebut", QStringLiteral("01/01/2020"));
        taper(*f, "DateFin", QStringLiteral("31/12/2023"));
    }

    void saisir(SaisieDate& champ, Maniere maniere, const QString& texte)
    {
        switch (maniere) {
        case Maniere::CtrlA:
            taper(&champ, texte);
            break;
        case Maniere::TripleClic:
            QTest::mouseDClick(&champ, Qt::LeftButton, {}, QPoint(8, champ.height() / 2));
            QTest::mouseClick(&champ, Qt::LeftButton, {}, QPoint(8, champ.height() / 2));
            QTest::keyClicks(&champ, texte);
            break;
        case Maniere::Haut:
            champ.setFocus();
            QTest::keyClick(&champ, Qt::Key_End);
            QTest::keyClick(&champ, Qt::Key_Up);
            break;
        case Maniere::Calendrier: {
            QTest::mouseClick(champ.findChild<QToolButton*>(), Qt::LeftButton);
            QWidget* calendrier = QApplication::activePopupWidget();
            ASSERT_TRUE(calendrier && calendrier->focusWidget());
            garderImage(calendrier->grab().toImage(), "date-calendrier");
            QTest::keyClick(calendrier->focusWidget(), Qt::Key_Right);
            QTest::keyClick(calendrier->focusWidget(), Qt::Key_Return);
            // La plateforme des essais donne la main au calendrier et ne la rend pas à la fenêtre.
            ASSERT_TRUE(activer(champ.window()));
            break;
        }
        }
        QTest::keyClick(&champ, Qt::Key_Tab);
    }

    // Chaque ligne saisie, puis Tracer ou Corriger : la période chargée, ou un refus et rien de rechargé.
    void verifier(const Cas& k)
    {
        auto* champ = enfant<SaisieDate>(*f, k.champ);
        const QString avant = c().getDateDebutChargement() + u'-' + c().getDateFinChargement();
        messages.vider();
        saisir(*champ, k.maniere, QString::fromUtf8(k.texte));
        QTest::mouseClick(enfant<QPushButton>(*f, k.bouton), Qt::LeftButton);
        const QString charge = c().getDateDebutChargement() + u'-' + c().getDateFinChargement();
        if (k.refus.isEmpty()) {
            EXPECT_TRUE(messages.textes().isEmpty()) << k.texte << " : " << messages.textes().join('|').toStdString();
            EXPECT_EQ(charge, QStringLiteral("%1-%2").arg(k.debut, k.fin)) << k.texte;
            // La date lue s'écrit en entier dans le champ.
            EXPECT_EQ(champ->text(), QString::fromLatin1(QString(k.champ) == "DateDebut" ? k.debut : k.fin)) << k.texte;
            return;
        }
        EXPECT_EQ(messages.textes(), QStringList{k.refus}) << k.texte;
        EXPECT_EQ(charge, avant) << k.texte;
        if (!*k.texte)
            return;
        // Le champ le montre : cadre rouge, et la raison dans sa bulle.
        EXPECT_TRUE(k.refus.endsWith(champ->toolTip().mid(1))) << champ->toolTip().toStdString();
        garderImage(enfant<QWidget>(*f, "PanneauDemande")->grab().toImage(), "date-refusee");
        const QColor bord = champ->grab().toImage().pixelColor(1, champ->height() / 2);
        EXPECT_TRUE(bord.red() > 150 && bord.green() < 60) << k.texte << " " << bord.name().toStdString();
    }

    // Une molette qui passe sur chaque liste, compteur et champ de date du panneau : aucune valeur
    // ne change, le panneau défile.
    void moletteQuiPasse()
    {
        f->resize(1500, 560);
        auto* panneau = enfant<QWidget>(*f, "PanneauDemande");
        auto* defilement = qobject_cast<QScrollArea*>(panneau->parentWidget()->parentWidget());
        ASSERT_TRUE(defilement);
        QTest::mouseClick(enfant<QLineEdit>(*f, "FiltreStations"), Qt::LeftButton);
        const auto valeurs = [panneau] {
            QStringList v;
            for (QComboBox* c : panneau->findChildren<QComboBox*>())
                v << c->currentText();
            for (QLineEdit* c : panneau->findChildren<QLineEdit*>())
                v << c->text();
            return v;
        };
        const QStringList avant = valeurs();
        QList<QWidget*> champs;
        for (QWidget* w : panneau->findChildren<QWidget*>())
            if (w->isVisibleTo(panneau) && (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<SaisieDate*>(w)))
                champs << w;
        ASSERT_GE(champs.size(), 8);
        QScrollBar* barre = defilement->verticalScrollBar();
        ASSERT_GT(barre->maximum(), 0);
        for (QWidget* w : champs) {
            defilement->ensureWidgetVisible(w);
            const int position = barre->value();
            const int crans = position < barre->maximum() ? -1 : 1;
            moletteAuPointeur(*f, w->mapTo(f.get(), w->rect().center()), crans);
            EXPECT_EQ(valeurs(), avant) << w->objectName().toStdString();
            EXPECT_NE(barre->value(), position) << w->objectName().toStdString();
        }
        // Le champ qui a le focus prend la molette : le jour sous le curseur avance.
        auto* fin = enfant<SaisieDate>(*f, "DateFin");
        defilement->ensureWidgetVisible(fin);
        QTest::mouseClick(fin, Qt::LeftButton, {}, QPoint(8, fin->height() / 2));
        moletteAuPointeur(*f, fin->mapTo(f.get(), QPoint(8, fin->height() / 2)), 1);
        EXPECT_EQ(fin->date(), QDate(2023, 4, 1));
    }

    // Deux piézomètres cochés pour Pluie et nappe le restent après un passage par le graphique annuel.
    void compagnesGardees()
    {
        const QStringList puits{"00754X0012", "00755X0031"};
        choisir(*f, "GenreGraphique", QStringLiteral("PluvioPiezo"));
        cocherCompagnes(*f, puits);
        choisir(*f, "GenreGraphique", QStringLiteral("Annee"));
        choisir(*f, "GenreGraphique", QStringLiteral("PluvioPiezo"));
        auto* autres = enfant<QListWidget>(*f, "StationsCompagnes");
        QStringList cochees;
        for (int i = 0; i < autres->count(); ++i)
            if (autres->item(i)->checkState() == Qt::Checked)
                cochees << autres->item(i)->data(Qt::UserRole).toString();
        cochees.sort();
        EXPECT_EQ(cochees, puits);
    }

    // Le mois du bulletin tapé : il s'écrit en lettres et le PDF proposé le suit ; un mois qui n'en
    // est pas un, ou à venir, est refusé à OK et le dialogue reste ouvert.
    void moisDuBulletin()
    {
        const struct
        {
            const char *texte, *affiche, *pdf, *refus;
        } cas[] = {{"03/2015", "mars 2015", "Bulletin 2015-03.pdf", ""},
                   {"mars 2014", "mars 2014", "Bulletin 2014-03.pdf", ""},
                   {"2/15", "février 2015", "Bulletin 2015-02.pdf", ""},
                   {"13/2015", "13/2015", "", "Mois : « 13/2015 » n'est pas un mois (MM/AAAA, par exemple 03/2015 ou mars 2015)."},
                   {"06/2015", "06/2015", "", "Mois : « 06/2015 » est hors des limites : de janvier 1900 à avril 2015."}};
        EXPECT_TRUE(ouvrirDialogueBulletin(*f, [&](DialogueBulletin& d) {
            auto* mois = enfant<ChampMois>(d, "MoisBulletin");
            for (const auto& c : cas) {
                messages.vider();
                taper(mois, QString::fromUtf8(c.texte));
                QTest::keyClick(mois, Qt::Key_Tab);
                EXPECT_EQ(mois->text(), QString::fromUtf8(c.affiche));
                if (*c.pdf) {
                    EXPECT_TRUE(enfant<QLineEdit>(d, "FichierPdf")->text().endsWith(c.pdf)) << c.texte;
                    continue;
                }
                cliquerBouton(d, QDialogButtonBox::Ok);
                EXPECT_EQ(messages.textes(), QStringList{QString::fromUtf8(c.refus)});
                EXPECT_TRUE(d.isVisible());
                garderImage(d.grab().toImage(), "mois-refuse");
            }
        }));
    }

    // Une date de la grille des corrections tapée « 12/3/23 » est rangée 12/03/2023 ; hors des
    // dates à corriger, elle est refusée et la bulle de l'éditeur dit pourquoi.
    void dateDeLaGrille()
    {
        taper(*f, "DateDebut", QStringLiteral("01/03/2023"));
        taper(*f, "DateFin", QStringLiteral("31/03/2023"));
        QTest::mouseClick(enfant<QPushButton>(*f, "BoutonCorriger"), Qt::LeftButton);
        GrillePoints* g = c().SprPoints();
        ASSERT_GT(g->lignes(), 2);
        const auto compte = [g](const QString& date) {
            int n = 0;
            for (int r = 0; r < g->lignes(); ++r)
                n += g->texte(r, GrillePoints::Date) == date ? 1 : 0;
            return n;
        };
        const int douze = compte(QStringLiteral("12/03/2023"));
        const QModelIndex cellule = g->model()->index(0, GrillePoints::Date);
        for (const auto& [texte, refus] : {std::pair{"15/4/23", "Le 15/04/2023 est hors des dates à corriger (du 02/03/2023 au 30/03/2023)."},
                                           std::pair{"12/3/23", ""}}) {
            cliquerLigne(*g, cellule);
            QTest::keyClick(g, Qt::Key_F2);
            auto* editeur = qobject_cast<QLineEdit*>(g->indexWidget(cellule));
            ASSERT_TRUE(editeur) << texte;
            taper(editeur, QString::fromLatin1(texte));
            QTest::keyClick(editeur, Qt::Key_Return);
            QApplication::processEvents();
            EXPECT_EQ(editeur->toolTip(), QString::fromUtf8(refus));
            if (*refus)
                QTest::keyClick(editeur, Qt::Key_Escape);
        }
        EXPECT_EQ(compte(QStringLiteral("12/03/2023")), douze + 1);
    }
};

TEST_F(DatesTapees, LaDateTapeeEstCelleDuGraphique)
{
    // En avril 2015 : les années sur deux chiffres tombent entre 1926 et 2025, le bulletin s'arrête en avril.
    JourFixe jour{QDate(2015, 4, 10)};
    const char* const tracer = "BoutonTracer";
    const QString format = QStringLiteral("(JJ/MM/AAAA, par exemple 15/06/2020).");
    const auto refus = [&format](const char* champ, const char* texte) {
        return QStringLiteral("%1 : « %2 » n'est pas une date %3").arg(QString::fromUtf8(champ), QString::fromUtf8(texte), format);
    };
    const Cas cas[] = {
        {"DateDebut", Maniere::CtrlA, "15/06/2020", tracer, "15/06/2020", "31/12/2023", ""},
        {"DateFin", Maniere::CtrlA, "01/01/2023", tracer, "15/06/2020", "01/01/2023", ""},
        {"DateDebut", Maniere::TripleClic, "15/6/2021", tracer, "15/06/2021", "01/01/2023", ""},
        {"DateDebut", Maniere::CtrlA, "01032022", tracer, "01/03/2022", "01/01/2023", ""},
        {"DateFin", Maniere::CtrlA, "15/06/23", tracer, "01/03/2022", "15/06/2023", ""},
        {"DateDebut", Maniere::Haut, "", tracer, "01/03/2023", "15/06/2023", ""},
        {"DateFin", Maniere::Calendrier, "", tracer, "01/03/2023", "16/06/2023", ""},
        {"DateDebut", Maniere::CtrlA, "31/02/2023", tracer, "", "", refus("Début", "31/02/2023")},
        {"DateDebut", Maniere::CtrlA, "01/05/2023", tracer, "01/05/2023", "16/06/2023", ""},
        {"DateFin", Maniere::CtrlA, "fin juin", tracer, "", "", refus("Fin", "fin juin")},
        {"DateFin", Maniere::CtrlA, "", "BoutonCorriger", "", "",
         QStringLiteral("Fin : rien n'est saisi %1").arg(format)},
        {"DateFin", Maniere::CtrlA, "31/5/23", tracer, "01/05/2023", "31/05/2023", ""},
    };
    for (const Cas& k : cas)
        verifier(k);
    compagnesGardees();
    moisDuBulletin();
    dateDeLaGrille();
    moletteQuiPasse();
}

} // namespace
