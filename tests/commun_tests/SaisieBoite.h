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

// Tout sélectionner, puis écrire par-dessus : un champ de texte, ou un compteur. Une lettre
// accentuée vient d'une touche de son clavier, comme les autres.
inline void taper(QWidget* champ, const QString& texte)
{
    ASSERT_TRUE(champ);
    champ->setFocus();
    QTest::keyClick(champ, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(champ, Qt::Key_Delete);
    for (const QChar c : texte) {
        if (c.unicode() < 128)
            QTest::keyClick(champ, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, champ, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void taper(QWidget& b, const char* nom, const QString& texte)
{
    taper(enfant<QLineEdit>(b, nom), texte);
}

// La barre d'espace sur la case.
inline void cocher(QWidget& b, const char* nom)
{
    QCheckBox* c = enfant<QCheckBox>(b, nom);
    c->setFocus();
    QTest::keyClick(c, Qt::Key_Space);
}
