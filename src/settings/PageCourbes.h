#pragma once

#include "settings/SaisieOptions.h"

#include <QWidget>

class Classe_Graphiques;
class QComboBox;
class QTableWidget;

// La page des courbes : une ligne par courbe, son titre et sa couleur
// verrouillés, le tracé de sa ligne et le symbole de ses points au choix.
class PageCourbes : public QWidget
{
    Q_OBJECT

public:
    // Colonnes de la grille, l'en-tête de ligne à part.
    enum Colonne { Titre = 0, Couleur = 1, Affichage = 2, Symbol = 3 };

    explicit PageCourbes(QWidget* parent = nullptr);
    void remplir(const Classe_Graphiques& courbes);
    void lire(SaisieOptions& saisie) const;
    QTableWidget* grille() const { return m_grille; }

    // Les choix des deux listes, tels qu'on les range : chaque liste est un texte aux éléments séparés par TAB.
    static const QString& choixAffichage();
    static const QString& choixSymbol();

private:
    QComboBox* listeMotifs(int motif) const;
    QComboBox* listeSymboles(int symbole) const;

    QTableWidget* m_grille;
};
