#pragma once

// Graphiques construits par écritures de propriétés, comme le fait le contrôle graphique.
#include "commun_tests/ImagesGardees.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"
#include "render/moteur/SortiesImage.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace scenarios {

inline void axeGauche(MoteurGraphique& m, double min, double max, int divisions, const char* titre)
{
    m.ecrire(Prop::AxeY, 0);
    m.ecrire(Prop::ModeEchelleY, 2);
    m.ecrire(Prop::DivisionsY, divisions);
    m.ecrire(Prop::YMax, max);
    m.ecrire(Prop::YMin, min);
    m.ecrire(Prop::ClasseTexte, 1);
    m.ecrire(Prop::PolicePolice, "Comic Sans MS");
    m.ecrire(Prop::TaillePolice, 125);
    m.ecrire(Prop::TitreYGauche, titre);
}

inline void libellesX(MoteurGraphique& m, const QStringList& libelles)
{
    m.ecrire(Prop::GraduationsX, 2);
    m.ecrire(Prop::PlacementLibellesX, 2);
    m.ecrire(Prop::NbLibellesX, int(libelles.size()));
    m.ecrire(Prop::ClasseTexte, 2);
    m.ecrire(Prop::PolicePolice, "Comic Sans MS");
    m.ecrire(Prop::TaillePolice, 85);
    for (int i = 1; i <= libelles.size(); ++i)
        m.ecrireIndexe(Prop::LibelleX, i, libelles[i - 1]);
    m.VBAGLabels(int(libelles.size()), libelles.join(u'\t'));
}

// Un jeu de données par catégories, point par point avec sa couleur.
inline void jeu(MoteurGraphique& m, int numero, int couleur, const std::vector<double>& valeurs)
{
    m.ecrire(Prop::NbJeux, numero);
    m.ecrire(Prop::Jeu, numero);
    m.ecrire(Prop::Manquant, 0);
    m.ecrire(Prop::NbPoints, 1);
    m.ecrireIndexe(Prop::CouleurPoint, 1, couleur);
    m.ecrire(Prop::NbPoints, int(valeurs.size()));
    for (int p = 1; p <= int(valeurs.size()); ++p) {
        m.ecrireIndexe(Prop::CouleurPoint, p, couleur);
        m.ecrireIndexe(Prop::ValeurPoint, p, valeurs[std::size_t(p - 1)]);
        m.ecrire(Prop::Manquant, 0);
    }
}

inline QStringList mois()
{
    return {"Jan", "Fev", "Mar", "Avr", "Mai", "Jui", "Jui", "Aou", "Sep", "Oct", "Nov", "Dec"};
}

} // namespace scenarios
