#pragma once

#include "output/classeur/GraphiqueXlsx.h"

#include <QString>

class QXmlStreamWriter;

// Un axe du tracé tel que l'écrit chartN.xml (c:catAx, c:dateAx ou c:valAx).
// Le croisement vient de l'axe perpendiculaire du modèle : le tableur dit sur
// un axe où l'autre le coupe, le fichier l'écrit sur l'axe qui coupe.
class AxeGraphique
{
public:
    enum class Genre { Categories, Dates, Valeurs };
    struct Place
    {
        int id = 0;
        int idCroise = 0;
        QString position;              // "b", "l", "r" ou "t"
        bool croiseAuMaximum = false;  // axe secondaire des valeurs : à droite du tracé
        bool entreCategories = true;   // valeurs : les colonnes tombent entre deux graduations
    };

    AxeGraphique(Genre genre, const AxeXlsx& axe, const AxeXlsx& perpendiculaire, const Place& place)
        : m_genre(genre), m_axe(axe), m_perpendiculaire(perpendiculaire), m_place(place)
    {
    }

    void ecrire(QXmlStreamWriter& x) const;

    // Degrés × 60 000 du texte des étiquettes pour une orientation du tableur.
    static int Rotation(int orientation);

private:
    bool vertical() const;
    void ecrireEchelle(QXmlStreamWriter& x) const;
    void ecrireGrille(QXmlStreamWriter& x) const;
    void ecrireTitre(QXmlStreamWriter& x) const;
    void ecrireEtiquettes(QXmlStreamWriter& x) const;
    void ecrireCroisement(QXmlStreamWriter& x) const;
    void ecrireFin(QXmlStreamWriter& x) const;
    void ecrireUnitesTemps(QXmlStreamWriter& x) const;

    Genre m_genre;
    const AxeXlsx& m_axe;
    const AxeXlsx& m_perpendiculaire;
    Place m_place;
};
