#pragma once

#include "control/HoteGraphique.h"

// Le formulaire qui porte le contrôle dans l'application de bureau : les
// membres que le contrôle appelle par leur nom y sont servis pour de vrai,
// en passant la main à la fenêtre par des signaux.
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

    Q_INVOKABLE void AppelDeclencheClick(qint16 index);
    Q_INVOKABLE void Form_Resize();
    Q_INVOKABLE void TraitementParametres();
    Q_INVOKABLE void TraitementParametresTotal();
    Q_INVOKABLE void RempliSprDonnees();

signals:
    void fermetureDemandee();
    void impressionDemandee();
    void rechargementDemande();
    void donneesDemandees();
    void disposition();
};
