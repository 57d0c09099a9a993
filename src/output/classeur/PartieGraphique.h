#pragma once

#include "output/classeur/GraphiqueXlsx.h"

#include <QByteArray>
#include <QString>
#include <vector>

class QXmlStreamWriter;

// La partie xl/charts/chartN.xml d'un graphique : un élément de tracé
// (c:barChart, c:lineChart, c:scatterChart) par type et groupe d'axes présents
// parmi les séries, ceux des axes principaux d'abord, chaque groupe dans
// l'ordre des séries ; puis les axes, la légende et le titre. Les séries sont
// numérotées (c:idx) dans l'ordre où elles sont écrites.
//
// Les séries citent leurs plages sans copie des valeurs (pas de c:numCache) :
// le tableur comme LibreOffice relisent les cellules du classeur à l'ouverture.
class PartieGraphique
{
public:
    // Identifiants des axes, que citent les éléments de tracé.
    static constexpr int kAxeX = 50010;
    static constexpr int kAxeY = 50020;
    static constexpr int kAxeX2 = 50030;
    static constexpr int kAxeY2 = 50040;
    // Le tableur limite à 255 caractères le texte du titre et le nom d'une série.
    static constexpr int kLongueurTitreMax = 255;

    explicit PartieGraphique(const GraphiqueXlsx& graphique);

    // idFormes : la relation vers les zones de texte (c:userShapes) ; vide sans elles.
    QByteArray xml(const QString& idFormes = {}) const;

    // La formule d'une plage : 'Feuil1'!$A$2:$A$367, nom entre apostrophes
    // (doublées dans le nom), "$A$2" pour une seule cellule.
    static QString Formule(const PlageXlsx& plage);

private:
    enum class Famille { Colonnes, Ligne, Nuage };
    // Un élément de tracé : les séries d'un même type sur un même groupe d'axes.
    struct Groupe
    {
        int type = 0;
        Famille famille = Famille::Colonnes;
        bool secondaire = false;
        std::vector<const SerieXlsx*> series;
        int premierIndice = 0;  // c:idx de sa première série
    };

    void grouperSeries();
    bool groupeNuage(bool secondaire) const;
    bool aSecondaire() const;

    void ecrireGraphique(QXmlStreamWriter& x) const;
    void ecrireTitre(QXmlStreamWriter& x) const;
    void ecrireZoneTrace(QXmlStreamWriter& x) const;
    void ecrireGroupe(QXmlStreamWriter& x, const Groupe& groupe) const;
    void ecrireFinGroupe(QXmlStreamWriter& x, const Groupe& groupe) const;
    void ecrireSerie(QXmlStreamWriter& x, const Groupe& groupe, const SerieXlsx& serie, int indice) const;
    // Sans couleur donnée, une couleur automatique selon le rang de la série.
    static void ecrireFormatSerie(QXmlStreamWriter& x, Famille famille, const SerieXlsx& serie, int indice);
    static void ecrireMarque(QXmlStreamWriter& x, Famille famille, const SerieXlsx& serie);
    static void ecrireDonnees(QXmlStreamWriter& x, Famille famille, const SerieXlsx& serie);
    void ecrireAxes(QXmlStreamWriter& x) const;
    void ecrireLegende(QXmlStreamWriter& x) const;
    void ecrireBordureLegende(QXmlStreamWriter& x) const;
    static void ecrireDisposition(QXmlStreamWriter& x, const CadreXlsx& cadre, bool interieur);

    const GraphiqueXlsx& m_graphique;
    std::vector<Groupe> m_groupes;
};
