#include "commun/ValeursProcessus.h"
#include "commun_tests/HoteEchelle.h"
#include "settings/MessagesBoite.h"
#include "commun/messages/MessagesConsole.h"
#include "commun/messages/MessagesEnregistres.h"
#include "commun/Valeurs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

TEST(Messages, LEnregistreurRepondOKAuxBoitesSansQuestionEtSEffaceHorsDeSaPortee)
{
    {
        MessagesEnregistres enregistreur;
        EXPECT_EQ(&ServiceMessages::courant(), &enregistreur);
        EXPECT_EQ(AfficherMessage("erreur", "Pas de données à exporter vers Excel"), BoutonMessage::OK);
        EXPECT_EQ(AfficherMessage("aide", "Info"), BoutonMessage::OK);  // les boîtes à seul bouton OK répondent OK
    }
    // Hors de sa portée, l'enregistreur s'efface : les messages repassent par la console.
    EXPECT_NE(dynamic_cast<MessagesConsole*>(&ServiceMessages::courant()), nullptr);
}

TEST(Messages, LaConsoleEcritEtRepondNon)
{
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    MessagesConsole console(f);
    EXPECT_EQ(console.afficher("question", StyleMessage::duType("question"), "Etes vous sûr ?"), BoutonMessage::Non);
    EXPECT_EQ(console.afficher("erreur", StyleMessage::duType("erreur"), "Impossible."), BoutonMessage::OK);
    EXPECT_EQ(console.afficher("", StyleMessage::duType(""), "Simple"), BoutonMessage::OK);
    std::rewind(f);
    char tampon[512] = {};
    const std::size_t lu = std::fread(tampon, 1, sizeof tampon - 1, f);
    std::fclose(f);
    const QString texte = QString::fromLocal8Bit(tampon, qsizetype(lu));
    EXPECT_EQ(texte, "Question (réponse : Non) : Etes vous sûr ?\nErreur : Impossible.\nSimple\n");
}

// Appuie sur un bouton de la prochaine boîte ouverte, comme le ferait quelqu'un.
void presserBouton(QMessageBox::StandardButton bouton, QString* texteVu, QMessageBox::Icon* iconeVue,
                   QMessageBox::StandardButton* parDefaut)
{
    QTimer::singleShot(0, [=] {
        auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(boite, nullptr);
        *texteVu = boite->text();
        *iconeVue = boite->icon();
        *parDefaut = boite->standardButton(boite->defaultButton());
        boite->button(bouton)->click();
    });
}

TEST(Messages, LaBoiteAEcranAttendLeBouton)
{
    MessagesBoite boite;
    const ServiceMessages* avant = ServiceMessages::installer(&boite);
    QString texte;
    QMessageBox::Icon icone{};
    QMessageBox::StandardButton parDefaut{};

    presserBouton(QMessageBox::Yes, &texte, &icone, &parDefaut);
    EXPECT_EQ(AfficherMessage("question", "Enregistrer ?"), BoutonMessage::Oui);
    EXPECT_EQ(texte, "Enregistrer ?");
    EXPECT_EQ(icone, QMessageBox::Question);
    EXPECT_EQ(parDefaut, QMessageBox::No);  // Non est le bouton par défaut

    presserBouton(QMessageBox::No, &texte, &icone, &parDefaut);
    EXPECT_EQ(AfficherMessage("question", "Supprimer ?"), BoutonMessage::Non);

    presserBouton(QMessageBox::Ok, &texte, &icone, &parDefaut);
    EXPECT_EQ(AfficherMessage("ERREUR", "Impossible."), BoutonMessage::OK);
    EXPECT_EQ(icone, QMessageBox::Critical);

    presserBouton(QMessageBox::Ok, &texte, &icone, &parDefaut);
    EXPECT_EQ(AfficherMessage("aide", "Info"), BoutonMessage::OK);
    EXPECT_EQ(icone, QMessageBox::Information);
    ServiceMessages::installer(const_cast<ServiceMessages*>(avant));
}

TEST(Messages, CoefficientEchelleLuChezLHote)
{
    HoteEchelle hote;
    qint16 type = 0;
    EXPECT_EQ(CoefficientEchelle(type), -1);
    type = 1;
    EXPECT_EQ(CoefficientEchelle(type), 1);
    type = 999;  // le type propre à l'hôte, réécrit dans la variable
    EXPECT_EQ(CoefficientEchelle(type), -1);
    EXPECT_EQ(type, 0);
    hote.setType(2);
    type = 999;
    EXPECT_EQ(CoefficientEchelle(type), 1);
    EXPECT_EQ(type, 2);

    // Un hôte sans coefficient garde les profondeurs telles quelles.
    QObject sansCoefficient;
    ValeursProcessus::courantes().fenetrePrincipale = &sansCoefficient;
    type = 0;
    EXPECT_EQ(CoefficientEchelle(type), 1);
}

// Aides publiques du composant : un hôte peut s'en servir même si nos commandes ne les appellent pas.
TEST(Messages, ValeurMinEtValeurMax)
{
    EXPECT_EQ(ValeurMax(5, ""), 5);
    EXPECT_EQ(ValeurMax(5, "7"), 7);
    EXPECT_EQ(ValeurMin(5, "7"), 5);
    EXPECT_EQ(ValeurMin(5, "2,5"), 2.5);
    EXPECT_EQ(ValeurMin(5, "2.5"), 2.5);
    EXPECT_EQ(ValeurMax(5, "sept"), 5);
    EXPECT_EQ(ValeurMax(-3, "-4"), -3);
}

} // namespace
