#pragma once

// Les menus de la fenêtre ouverts à la souris : le titre dans la barre, puis l'article dans la
// liste ; les dialogues de fichier qu'ils ouvrent remplis au clavier.
#include "commun_tests/SaisieBoite.h"

#include <QAction>
#include <QApplication>
#include <QAbstractItemView>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// L'action de la liste qui porte ce texte ; nulle sans elle.
inline QAction* parTexte(const QList<QAction*>& actions, const QString& texte)
{
    for (QAction* a : actions)
        if (a->text() == texte)
            return a;
    return nullptr;
}

inline void clicMenu(QMainWindow& f, const QString& titre, const QString& article)
{
    QMenuBar* barre = f.menuBar();
    QAction* entete = parTexte(barre->actions(), titre);
    ASSERT_TRUE(entete && entete->menu()) << titre.toStdString();
    QTest::mouseClick(barre, Qt::LeftButton, {}, barre->actionGeometry(entete).center());
    QMenu* menu = entete->menu();
    ASSERT_TRUE(menu->isVisible()) << titre.toStdString();
    QAction* a = parTexte(menu->actions(), article);
    ASSERT_TRUE(a) << article.toStdString();
    if (!a->isEnabled()) {
        menu->hide();
        FAIL() << "article grisé : " << article.toStdString();
    }
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
}

// La prochaine boîte modale de type T qui paraît est donnée à `repondre` ; guettée jusqu'à ce
// qu'elle paraisse (un menu qui s'ouvre sert d'abord la boucle d'événements).
template <class T>
void guetterBoite(QObject& contexte, std::function<void(T&)> repondre)
{
    auto* guet = new QTimer(&contexte);
    QObject::connect(guet, &QTimer::timeout, guet, [guet, repondre] {
        auto* d = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!d)
            return;
        guet->stop();
        guet->deleteLater();
        // La boîte qui paraît est celle où l'on tape (la plateforme des essais ne l'active pas d'elle-même).
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d));
        repondre(*d);
    });
    guet->start(10);
}

// Le prochain dialogue de choix de fichier reçoit `chemin`, tapé dans son champ, puis son bouton
// d'acceptation cliqué (Entrée irait à la liste de complétion quand elle s'ouvre).
inline void repondreAuDialogueFichier(QObject& contexte, const QString& chemin)
{
    guetterBoite<QFileDialog>(contexte, [chemin](QFileDialog& d) {
        auto* champ = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(champ);
        taper(champ, chemin);
        // La liste de complétion ouverte prendrait le clic : Échap la ferme, comme au clavier.
        if (QCompleter* c = champ->completer(); c && c->popup()->isVisible())
            QTest::keyClick(c->popup(), Qt::Key_Escape);
        // Le bouton s'active quand le dialogue a lu le dossier tapé, un instant après.
        for (QAbstractButton* b : d.findChild<QDialogButtonBox*>()->buttons())
            if (d.findChild<QDialogButtonBox*>()->buttonRole(b) == QDialogButtonBox::AcceptRole) {
                EXPECT_TRUE(QTest::qWaitFor([b] { return b->isEnabled(); }, 5000)) << chemin.toStdString();
                QTest::mouseClick(b, Qt::LeftButton);
            }
    });
}
