#pragma once

#include <QString>

// Per-user parameters: named texts kept from one run to the next, under the
// key "SOFTWARE\NORVANE\" + project name + "6" unless a key path is given.
// They live in QSettings, user scope, organisation "NORVANE", application
// project name + "6".

QString CleParametresParDefaut();

// An empty value is stored as " " (and the caller's variable becomes " "), which
// reads back as empty. False, with nothing changed, when the store can't be written.
bool EcrireParametre(const QString& nom, QString& valeur, const QString& cheminCle = QString());
bool EcrireParametre(const QString& nom, const QString& valeur, const QString& cheminCle = QString());

// The stored text without its surrounding blanks, upper-cased unless
// `garderCasse`; empty when missing or unreadable.
QString LireParametre(const QString& nom, const QString& cheminCle = QString(), bool garderCasse = false);
