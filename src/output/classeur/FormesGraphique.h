#pragma once

#include "output/classeur/GraphiqueXlsx.h"

#include <QByteArray>
#include <vector>

// Les zones de texte d'un graphique : une partie de dessin propre au
// graphique (c:userShapes), chaque zone ancrée en fractions de la zone du
// graphique pour suivre sa taille.
class FormesGraphique
{
public:
    // Taille d'une zone dont le cadre n'en dit rien, en points.
    static constexpr double kLargeurParDefaut = 144;
    static constexpr double kHauteurParDefaut = 36;

    static QByteArray xml(const std::vector<ZoneTexteXlsx>& zones);

private:
    static void ecrireAncre(class QXmlStreamWriter& x, const CadreXlsx& cadre);
    static void ecrireZone(QXmlStreamWriter& x, const ZoneTexteXlsx& zone, int numero);
};
