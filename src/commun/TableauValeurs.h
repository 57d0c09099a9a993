#pragma once

#include <QList>
#include <QMetaType>
#include <QVariant>

// Two-dimensional array of cells indexed (row, point), both from 0: the values
// of a curve, or the (field, record) rows that the database returns.
// Copies share their cells until one is written.
class TableauValeurs
{
public:
    TableauValeurs() = default;
    TableauValeurs(int lignes, int points);
    // Cells given point after point (a record's fields, then the next record's).
    TableauValeurs(int lignes, int points, QList<QVariant>&& cellules);

    // An empty list with room for n cells, for an array built cell by cell.
    static QList<QVariant> reserverCellules(qsizetype n);

    int lignes() const { return m_lignes; }
    int points() const { return m_points; }
    bool estVide() const { return m_points == 0 || m_lignes == 0; }
    // Upper bound of dimension 1 (rows) or 2 (points), -1 when empty.
    int borneSup(int dimension) const;

    // Outside the array: an empty cell, and writing does nothing.
    QVariant valeur(int ligne, int point) const;
    bool definir(int ligne, int point, const QVariant& valeur);

    // Unchecked access for loops that know their bounds.
    const QVariant& operator()(int ligne, int point) const { return m_cellules[point * m_lignes + ligne]; }
    QVariant& operator()(int ligne, int point) { return m_cellules[point * m_lignes + ligne]; }

    // Keeps the cells of the points that remain (the runtime's ReDim Preserve).
    void redimensionnerPoints(int points);

    bool operator==(const TableauValeurs& autre) const = default;

private:
    int m_lignes = 0;
    int m_points = 0;
    QList<QVariant> m_cellules;  // point after point
};

Q_DECLARE_METATYPE(TableauValeurs)

// The array held by a variant, or nothing when it holds something else.
const TableauValeurs* TableauDans(const QVariant& valeurs);
