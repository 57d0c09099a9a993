#pragma once

#include <QString>

// Paramètres propres à l'utilisateur : textes nommés gardés d'une exécution à
// l'autre, sous la clé "SOFTWARE\NORVANE\" + nom du projet + "6" sauf chemin
// de clé donné. Rangés dans QSettings, portée utilisateur, organisation
// "NORVANE", application nom du projet + "6".

QString CleParametresParDefaut();

// Le fichier (ou la clé du registre) où sont rangés les paramètres ; vide pour
// un chemin de clé refusé.
QString EmplacementParametres(const QString& cheminCle = QString());

// Une valeur vide est rangée comme " " (la variable de l'appelant devient " "),
// relue vide. Faux, sans rien changer, quand le magasin refuse l'écriture.
bool EcrireParametre(const QString& nom, QString& valeur, const QString& cheminCle = QString());
bool EcrireParametre(const QString& nom, const QString& valeur, const QString& cheminCle = QString());

// Le texte rangé sans ses blancs autour, en majuscules sauf `garderCasse` ;
// vide s'il manque ou est illisible.
QString LireParametre(const QString& nom, const QString& cheminCle = QString(), bool garderCasse = false);
