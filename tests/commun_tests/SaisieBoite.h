#pragma once

// Une boîte remplie comme par une personne : ses enfants trouvés par leur nom,
// ses pages par leurs boutons, ses champs au clavier.
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

template <class T>
T* enfant(QWidget* b, const char* nom)
{
    T* w = b ? b->findChild<T*>(QString::fromLatin1(nom)) : nullptr;
    EXPECT_TRUE(w) << nom;
    return w;
}

template <class T>
T* enfant(QWidget& b, const char* nom)
{
    return enfant<T>(&b, nom);
}

inline void page(QWidget& b, int i)
{
    QTest::mouseClick(enfant<QToolButton>(b, QStringLiteral("CmdPanel%1").arg(i).toLatin1().constData()), Qt::LeftButton);
}

// Tout sélectionner, puis écrire par-dessus.
inline void taper(QWidget& b, const char* nom, const QString& texte)
{
    QLineEdit* champ = enfant<QLineEdit>(b, nom);
    champ->setFocus();
    QTest::keyClick(champ, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(champ, Qt::Key_Delete);
    QTest::keyClicks(champ, texte);
}

// La barre d'espace sur la case.
inline void cocher(QWidget& b, const char* nom)
{
    QCheckBox* c = enfant<QCheckBox>(b, nom);
    c->setFocus();
    QTest::keyClick(c, Qt::Key_Space);
}
