#pragma once

#include "control/HoteGraphique.h"

// Le formulaire qui porte le contrôle dans l'application de bureau : ses
// champs de statistiques suivent les cases de la demande. Les membres que le
// contrôle appelle par leur nom sont servis par la fenêtre qui le contient.
class FormulaireGraphique : public HoteGraphique
{
    Q_OBJECT

public:
    explicit FormulaireGraphique(QWidget* parent = nullptr);

    // Cases des statistiques du graphique annuel, lues par le contrôle sur ce formulaire.
    void appliquerStatistiques(const QHash<QString, bool>& cases);
    // Réglages de la fenêtre principale que le contrôle lit par leur nom.
    void definirFichierAide(const QString& chemin);
    void definirCheminEdition(const QString& dossier);

};
