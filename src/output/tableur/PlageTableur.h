#pragma once

#include <QString>

class ClasseurTableur;

// Une plage de cellules d'une feuille (objet Range du tableur). Une plage
// sans classeur, ou hors des limites, ne fait rien.
class PlageTableur
{
public:
    PlageTableur() = default;
    PlageTableur(ClasseurTableur* classeur, int feuille, int ligne1, int colonne1, int ligne2, int colonne2);

    bool valide() const;
    int feuille() const { return m_feuille; }
    int ligne1() const { return m_ligne1; }
    int colonne1() const { return m_colonne1; }
    int ligne2() const { return m_ligne2; }
    int colonne2() const { return m_colonne2; }

    // Devient la sélection et sa feuille la feuille active.
    void Select() const;
    // Format de nombre de chaque cellule ("DD/MM/YYYY hh:mm:ss", "0.00"…).
    void setNumberFormat(const QString& format) const;
    // ColumnWidth : la largeur de chaque colonne de la plage, en caractères.
    void setColumnWidth(double largeur) const;
    // Écrit un nombre, une date "DD/MM/YYYY" ou un texte dans chaque cellule, comme une saisie.
    void setValue(const QString& saisie) const;
    // La plage qui va de ce coin à celui d'`autre` (range(cellule, cellule)).
    PlageTableur jusqua(const PlageTableur& autre) const;

private:
    ClasseurTableur* m_classeur = nullptr;
    int m_feuille = -1;
    int m_ligne1 = 0, m_colonne1 = 0, m_ligne2 = 0, m_colonne2 = 0;
};
