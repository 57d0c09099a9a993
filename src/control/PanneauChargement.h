#pragma once

#include "data/FenetreProgression.h"

#include <memory>

class CadreTitre;
class CtlGraphique;
class QLabel;
class QProgressBar;
class SaisieSuspendue;

// Le cadre de chargement : une légende, un message et une barre sur le graphique.
class PanneauChargement : public FenetreProgression
{
public:
    PanneauChargement(CadreTitre* cadre, QLabel* texte, QProgressBar* barre, CtlGraphique* ctl);
    ~PanneauChargement() override;
    void ouvrir(const QString& titre, int etapes);
    void message(const QString& texte) override;
    void avancer() override;
    bool annulee() override;
    void servir() override;
    void fermer();

private:
    int pourcent() const;

    CadreTitre* m_cadre;
    QLabel* m_texte;
    QProgressBar* m_barre;
    CtlGraphique* m_ctl;
    std::unique_ptr<SaisieSuspendue> m_saisie;
};
