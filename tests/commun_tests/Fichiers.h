#pragma once

// Des fichiers écrits et relus d'un coup par les essais.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

// Le contenu écrit, tout le fichier remplacé ; rend le chemin.
inline QString ecrireFichier(const QString& chemin, const QByteArray& contenu)
{
    QFile f(chemin);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << chemin.toStdString();
    EXPECT_EQ(f.write(contenu), contenu.size()) << chemin.toStdString();
    return chemin;
}

// Tout le fichier ; vide quand il ne se lit pas.
inline QByteArray lireFichier(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
