#pragma once

#include <QTableWidget>

class CtlGraphique;

// La liste des courbes du graphique affiché, telle que le contrôle la mène :
// colonne 0 la marque "X" des courbes montrées, 1 le titre (modifiable), 2 le
// rang de la courbe dans la collection. La ligne 0 coche ou décoche tout. Le
// contrôle l'atteint par les noms : cellule "Row"/"Col", texte "Text",
// lignes "MaxRows".
class GrilleCourbes : public QTableWidget
{
    Q_OBJECT
    Q_PROPERTY(int Row MEMBER m_ligne)
    Q_PROPERTY(int Col MEMBER m_colonne)
    Q_PROPERTY(int MaxRows READ lignes)
    Q_PROPERTY(QString Text READ Text WRITE setText)

public:
    explicit GrilleCourbes(CtlGraphique& controle, QWidget* parent = nullptr);

    QString Text() const;
    void setText(const QString& texte);
    int lignes() const { return rowCount() - 1; }

    // Une ligne par courbe de la collection du contrôle.
    void remplir();

private:
    void celluleCliquee(int ligne, int colonne);
    void celluleModifiee(int ligne, int colonne);

    CtlGraphique& m_controle;
    int m_ligne = 0;
    int m_colonne = 0;
    bool m_remplissage = false;
};
