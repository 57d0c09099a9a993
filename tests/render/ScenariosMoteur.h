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

struct Ecriture
{
    int propriete;
    QVariant valeur;
};

// Des écritures de propriétés dans l'ordre, chacune par la surcharge que prend sa valeur.
inline void ecrire(MoteurGraphique& m, std::initializer_list<Ecriture> ecritures)
{
    for (const Ecriture& e : ecritures)
        e.valeur.typeId() == QMetaType::QString ? m.ecrire(e.propriete, e.valeur.toString()) : m.ecrire(e.propriete, e.valeur.toDouble());
}

inline void axeGauche(MoteurGraphique& m, double min, double max, int divisions, const char* titre)
{
    ecrire(m, {{Prop::AxeY, 0}, {Prop::ModeEchelleY, 2}, {Prop::DivisionsY, divisions}, {Prop::YMax, max},
               {Prop::YMin, min}, {Prop::ClasseTexte, 1}, {Prop::PolicePolice, "Comic Sans MS"}, {Prop::TaillePolice, 125},
               {Prop::TitreYGauche, titre}});
}

inline void libellesX(MoteurGraphique& m, const QStringList& libelles)
{
    ecrire(m, {{Prop::GraduationsX, 2}, {Prop::PlacementLibellesX, 2}, {Prop::NbLibellesX, int(libelles.size())},
               {Prop::ClasseTexte, 2}, {Prop::PolicePolice, "Comic Sans MS"}, {Prop::TaillePolice, 85}});
    for (int i = 1; i <= libelles.size(); ++i)
        m.ecrireIndexe(Prop::LibelleX, i, libelles[i - 1]);
    m.VBAGLabels(int(libelles.size()), libelles.join(u'\t'));
}

// Un jeu de données par catégories, point par point avec sa couleur.
inline void jeu(MoteurGraphique& m, int numero, int couleur, const std::vector<double>& valeurs)
{
    ecrire(m, {{Prop::NbJeux, numero}, {Prop::Jeu, numero}, {Prop::Manquant, 0}, {Prop::NbPoints, 1}});
    m.ecrireIndexe(Prop::CouleurPoint, 1, couleur);
    m.ecrire(Prop::NbPoints, int(valeurs.size()));
    for (int p = 1; p <= int(valeurs.size()); ++p) {
        m.ecrireIndexe(Prop::CouleurPoint, p, couleur);
        m.ecrireIndexe(Prop::ValeurPoint, p, valeurs[std::size_t(p - 1)]);
        m.ecrire(Prop::Manquant, 0);
    }
}

// Des propriétés relues en texte, pour comparer plusieurs lectures d'un coup.
inline QStringList lus(const MoteurGraphique& m, std::initializer_list<int> proprietes)
{
    QStringList textes;
    for (int p : proprietes)
        textes << m.lire(p).toString();
    return textes;
}

// Les lectures indexées d'une propriété, en texte.
inline QStringList lusIndexes(const MoteurGraphique& m, int propriete, std::initializer_list<int> indices)
{
    QStringList textes;
    for (int i : indices)
        textes << m.lireIndexe(propriete, i).toString();
    return textes;
}

inline QStringList mois()
{
    return {"Jan", "Fev", "Mar", "Avr", "Mai", "Jui", "Jui", "Aou", "Sep", "Oct", "Nov", "Dec"};
}

} // namespace scenarios
