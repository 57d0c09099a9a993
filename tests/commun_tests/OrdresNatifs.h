// Des ordres SQLite passés tels quels sur un fichier, pour préparer une base hostile ou étrange.
#pragma once

#include "data/bases/BaseSqlite.h"

#include <QStringList>
#include <gtest/gtest.h>

// Le fichier est créé s'il manque quand `creer`.
inline void natif(const QString& base, const QStringList& ordres, bool creer = false)
{
    QString erreur;
    auto b = BaseSqlite::ouvrir(base, erreur, creer);
    ASSERT_TRUE(b) << erreur.toStdString();
    for (const QString& o : ordres)
        ASSERT_TRUE(b->ExecuterNatif(o)) << o.toStdString() << " : " << b->DerniereErreur().toStdString();
}
