#pragma once

#include "commun/TypeGraph.h"

#include <QDialog>
#include <array>

class Classe_Graphiques;
class PageCourbes;
class PageEchelles;
class PageFormats;
class PageGrille;
class PageTitres;
class QStackedWidget;
class QToolBar;
class QToolButton;
struct SaisieOptions;

// La boîte des options d'affichage du graphique. Elle montre les options de la
// collection de courbes (et l'échelle de la collection des pluies des genres à
// deux graphiques) et en édite une copie : fermer sans enregistrer ne change rien.
// Sa barre : 4 enregistre, applique et ferme ; 7 enregistre et applique ; 10
// ferme ; 12 ouvre l'aide. Au clavier : Entrée vaut 4, Échap ferme, F1 l'aide,
// Ctrl+Tab et Ctrl+Page suivante changent de page.
class FrmOption : public QDialog
{
    Q_OBJECT

public:
    static constexpr int nombrePages = 5;
    static constexpr qint16 sujetAide = 38;

    FrmOption(Classe_Graphiques& courbes, Classe_Graphiques* pluie, TypeGraph type, bool coteNgf,
              QWidget* parent = nullptr);
    ~FrmOption() override;

    void afficherPage(int page);
    int pageAffichee() const;
    Q_INVOKABLE void ClickBouton(qint16 Index);
    // Vérifie, range et applique. Après un refus, son message montré, rien n'est
    // rangé ni appliqué et les entrées restent telles que saisies.
    bool validerEnregistrerAppliquer();

signals:
    // Les collections ont reçu les options : le graphique est à redessiner,
    // après avoir rechargé les nappes dans l'autre unité quand `recharger` le dit.
    void optionsAppliquees(bool recharger, bool coteNgf);

protected:
    void keyPressEvent(QKeyEvent* evenement) override;

private:
    void creerSelecteur(QWidget* colonne);
    void creerBarre();
    SaisieOptions saisie() const;

    Classe_Graphiques& m_courbes;
    Classe_Graphiques* m_pluie;
    TypeGraph m_type;
    bool m_coteNgf;
    std::array<QToolButton*, nombrePages> m_cmdPanel{};
    QStackedWidget* m_panels;
    PageCourbes* m_pageCourbes;
    PageTitres* m_pageTitres;
    PageFormats* m_pageFormats;
    PageEchelles* m_pageEchelles;
    PageGrille* m_pageGrille;
    QToolBar* m_barre = nullptr;
};
