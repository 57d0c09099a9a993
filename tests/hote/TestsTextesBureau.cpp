// Ce que l'application montre en français : les boîtes de dialogue, leurs
// boutons et le titre des boîtes de message.
#include "DialogueBulletin.h"
#include "DialogueImport.h"
#include "DialoguePostgres.h"
#include "IdentiteApplication.h"
#include "TraductionsQt.h"

#include "data/BaseDonnees.h"
#include "data/bases/OuvertureBase.h"
#include "settings/Aide.h"
#include "settings/MessagesBoite.h"
#include "settings/OuvertureFichierEcrit.h"
#include "commun_tests/ImagesGardees.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Les textes des boutons, sans les & des raccourcis.
QStringList TextesBoutons(const QList<QAbstractButton*>& boutons)
{
    QStringList textes;
    for (const QAbstractButton* b : boutons)
        textes << QString(b->text()).remove(u'&');
    textes.sort();
    return textes;
}

// Une étiquette à raccourci sans champ nommé montrerait son & tel quel.
void SansEsperluetteAffichee(QDialog& d)
{
    for (const QLabel* l : d.findChildren<QLabel*>())
        EXPECT_TRUE(!l->text().contains(u'&') || l->buddy()) << l->text().toStdString();
}

TEST(TextesBureau, DialoguesEtBoitesDeMessageEnFrancais)
{
    ASSERT_TRUE(TraductionsQt::installer()) << "qtbase_fr absente : paquet qt6-translations-l10n";
    QMessageBox question(QMessageBox::Question, QStringLiteral("Graphique"), QStringLiteral("Enregistrer ?"),
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(question.button(QMessageBox::Yes)->text(), "&Oui");
    EXPECT_EQ(question.button(QMessageBox::No)->text(), "&Non");
    EXPECT_EQ(question.button(QMessageBox::Cancel)->text(), "Annuler");
    DialogueImport import({}, nullptr);
    SansEsperluetteAffichee(import);
    EXPECT_EQ(TextesBoutons(import.findChild<QDialogButtonBox*>()->buttons()), (QStringList{"Aide", "Annuler", "Importer"}));
    DialoguePostgres postgres;
    SansEsperluetteAffichee(postgres);
    EXPECT_TRUE(TextesBoutons(postgres.findChild<QDialogButtonBox*>()->buttons()).contains("Annuler"));
    QTemporaryDir dossier;
    QString erreur;
    const auto base = ouvrirBase(dossier.filePath("vide.db"), true, erreur);
    ASSERT_TRUE(base) << erreur.toStdString();
    DialogueBulletin bulletin({}, dossier.path(), *base, nullptr);
    SansEsperluetteAffichee(bulletin);
    EXPECT_EQ(TextesBoutons(bulletin.findChild<QDialogButtonBox*>()->buttons()), (QStringList{"Aide", "Annuler", "OK"}));

    // Le message d'après un export, dans la boîte que l'application montre : son titre, ses boutons ; Non n'ouvre rien.
    const QString nom = QApplication::applicationName(), organisation = QApplication::organizationName();
    IdentiteApplication::appliquer();
    QString titre, texte;
    QStringList boutons;
    QTimer guet;
    QObject::connect(&guet, &QTimer::timeout, [&] {
        if (auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            titre = boite->windowTitle();
            texte = boite->text();
            boutons = TextesBoutons(boite->buttons());
            garderImage(boite->grab().toImage(), "message-classeur-enregistre");
            boite->button(QMessageBox::Ok)->click();
        }
    });
    guet.start(20);
    int ouverts = 0;
    // Aucune application pour l'ouvrir : le message le dit, avec le chemin.
    const OuvreurDocument avant = DefinirOuvreurDocument([&ouverts](const QUrl&) {
        ++ouverts;
        return false;
    });
    MessagesBoite messages;
    ServiceMessages* precedent = ServiceMessages::installer(&messages);
    const QString chemin = QStringLiteral("/home/hydro/Documents/Pluvio_piezo Forage du Moulin (craie)76402001 Port-Aubin.xlsx");
    OuvrirFichierEcrit(chemin);
    ServiceMessages::installer(precedent);
    DefinirOuvreurDocument(avant);
    guet.stop();
    QApplication::setApplicationName(nom);
    QApplication::setOrganizationName(organisation);
    EXPECT_EQ(titre, "Graphiques");
    EXPECT_EQ(boutons, (QStringList{"OK"}));
    EXPECT_TRUE(texte.contains(chemin)) << texte.toStdString();
    EXPECT_TRUE(texte.startsWith("Aucune application")) << texte.toStdString();
    EXPECT_EQ(ouverts, 1);
}

} // namespace
