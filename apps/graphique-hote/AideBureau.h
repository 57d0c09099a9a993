#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;

// Les pages du manuel que l'application ouvre elle-même : celle d'un dialogue,
// par F1 ou son bouton Aide. Quand le manuel manque ou que rien ne l'ouvre, un
// message le dit.
class AideBureau
{
public:
    // `page` : un nom du dossier docs_kor du manuel.
    static void ouvrir(const QString& page);
    // Un bouton Aide dans `boutons`, et F1 sur le dialogue, ouvrent `page`.
    static void brancher(QDialog& dialogue, QDialogButtonBox& boutons, const QString& page);
};
