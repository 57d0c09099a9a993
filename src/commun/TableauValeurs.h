#pragma once

#include <QList>
#include <QMetaType>
#include <QVariant>

// Tableau de cellules à deux dimensions, indicées (ligne, point) depuis 0 :
// les valeurs d'une courbe, ou les lignes (champ, enregistrement) que rend la
// base. Les copies partagent leurs cellules jusqu'à ce que l'une soit écrite.
class TableauValeurs
{
public:
    TableauValeurs() = default;
    TableauValeurs(int lignes, int points);
    // Cellules données point après point (les champs d'un enregistrement, puis
    // ceux du suivant).
    TableauValeurs(int lignes, int points, QList<QVariant>&& cellules);

    // Une liste vide avec la place de n cellules, pour un tableau construit
    // cellule par cellule.
    static QList<QVariant> reserverCellules(qsizetype n);

    int lignes() const { return m_lignes; }
    int points() const { return m_points; }
    bool estVide() const { return m_points == 0 || m_lignes == 0; }
    // Borne haute de la dimension 1 (lignes) ou 2 (points), -1 quand il est vide.
    int borneSup(int dimension) const;

    // Hors du tableau : une cellule vide, et l'écriture ne fait rien.
    QVariant valeur(int ligne, int point) const;
    bool definir(int ligne, int point, const QVariant& valeur);

    // Accès sans contrôle, pour les boucles qui connaissent leurs bornes.
    const QVariant& operator()(int ligne, int point) const { return m_cellules[point * m_lignes + ligne]; }
    QVariant& operator()(int ligne, int point) { return m_cellules[point * m_lignes + ligne]; }

    // Garde les cellules des points qui restent : changer le nombre de points ne perd pas les valeurs.
    void redimensionnerPoints(int points);

    bool operator==(const TableauValeurs& autre) const = default;

private:
    int m_lignes = 0;
    int m_points = 0;
    QList<QVariant> m_cellules;  // point après point
};

Q_DECLARE_METATYPE(TableauValeurs)

// Le tableau que contient un variant, ou rien quand il contient autre chose.
const TableauValeurs* TableauDans(const QVariant& valeurs);
