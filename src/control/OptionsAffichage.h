#pragma once

#include <QPointer>
#include <QWidget>

class CtlGraphique;

// Les options d'affichage du contrôle : l'aspect retenu pour le genre, repris après
// chaque chargement, et la boîte des options (outil 7), une seule ouverte à la fois,
// dont chaque application redessine le graphique.
class OptionsAffichage
{
public:
    explicit OptionsAffichage(CtlGraphique& controle);

    void appliquerRetenu();
    void ouvrir();

private:
    void appliquer(bool recharger, bool coteNgf);

    CtlGraphique& m_ctl;
    QPointer<QWidget> m_boite;
};
