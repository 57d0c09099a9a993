#pragma once

#include "output/classeur/ClasseurXlsx.h"
#include "output/tableur/PlageTableur.h"

#include <QString>

class GraphiqueTableur;

// Un classeur ouvert dans le tableur (objet Workbook) : ses feuilles de
// calcul et de graphique, la feuille active et la sélection. Il s'écrit en
// .xlsx par SaveAs.
class ClasseurTableur
{
public:
    // Un classeur neuf a une feuille "Feuil1", comme un tableur français.
    ClasseurTableur();

    ClasseurXlsx& xlsx() { return m_xlsx; }
    const ClasseurXlsx& xlsx() const { return m_xlsx; }

    int ActiveSheet() const { return m_active; }
    // La feuille nommée (sans égard à la casse), ou -1.
    int indiceFeuille(const QString& nom) const;
    // sheets(nom).Select ; faux quand la feuille manque.
    bool selectionnerFeuille(const QString& nom);
    void activer(int feuille);
    // Une feuille de calcul ajoutée après les autres ; nom vide : "FeuilN".
    int ajouterFeuille(const QString& nom = {});

    const PlageTableur& Selection() const { return m_selection; }
    void selectionner(const PlageTableur& plage);
    // GoTo "R1C1" ou "R2C3:R4C5" sur la feuille active.
    bool GoTo(const QString& referenceR1C1);
    // range("AF1") / cells(l, c) sur la feuille active.
    PlageTableur range(const QString& adresseA1);
    PlageTableur cells(int ligne, int colonne);
    // Colle un bloc de texte (TAB, CR) au coin de la sélection ; nombres et
    // dates deviennent des nombres. Rend le nombre de cellules écrites.
    int Paste(const QString& texte);

    // charts.Add : une feuille graphique avant la feuille active, qui devient
    // active, avec une série tirée de la sélection quand elle a deux colonnes.
    GraphiqueTableur ajouterGraphique();
    // Le graphique de la feuille active, invalide sur une feuille de calcul.
    GraphiqueTableur ActiveChart();

    const QString& FullName() const { return m_chemin; }
    // Écrit le classeur ; `erreur` en français en cas d'échec, rien n'est alors laissé.
    bool SaveAs(const QString& chemin, QString& erreur);

private:
    void serieDepuisSelection(GraphiqueTableur& graphique, const PlageTableur& selection, const QString& feuille) const;

    ClasseurXlsx m_xlsx;
    int m_active = 0;
    PlageTableur m_selection;
    QString m_chemin;
};
