#pragma once

// Des fichiers écrits et relus d'un coup par les essais.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

// Les fichiers d'un dossier, cachés compris, par nom.
inline QStringList fichiersDuDossier(const QString& dossier)
{
    return QDir(dossier).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Les bits de `masque` du mode du fichier : son genre (S_IFMT), ses droits (07777) ; 0 s'il manque.
inline mode_t modeDe(const QString& chemin, mode_t masque)
{
    struct stat etat{};
    return ::stat(QFile::encodeName(chemin).constData(), &etat) == 0 ? etat.st_mode & masque : 0;
}
