#pragma once

#include <QPointer>
#include <QWidget>

class Classe_Graphiques;
class CtlGraphique;

// Les options d'affichage du contrôle : l'aspect retenu pour le genre et les échelles
// fixées pour le graphique, repris après chaque chargement, et la boîte des options (outil 7), une seule ouverte à la fois,
// dont chaque application redessine le graphique.
class OptionsAffichage
{
public:
    explicit OptionsAffichage(CtlGraphique& controle);

    void appliquerRetenu();
    void ouvrir();

private:
    void appliquer(bool recharger, bool coteNgf);
    void retenirEchelles();
    // Les pluies des genres à deux graphiques ; rien pour les autres.
    Classe_Graphiques* pluie();

    CtlGraphique& m_ctl;
    QPointer<QWidget> m_boite;
};
