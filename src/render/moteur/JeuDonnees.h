#pragma once

#include "render/moteur/ResumesJeu.h"

#include <QString>
#include <QtGlobal>
#include <vector>

// Un jeu de données du moteur de graphique : ses points, rangés colonne par
// colonne pour qu'un million de points reste petit (14 octets chacun) et rapide
// à parcourir. Qui écrit un point appelle modifie() : les résumés du jeu sont
// alors refaits au prochain dessin.
class JeuDonnees
{
public:
    static constexpr float plafondAucun = 9999.0f;

    std::vector<float> valeurs;      // 158, 41
    std::vector<double> x;           // 117 ; 0 tant que la position n'est pas écrite
    std::vector<quint8> manquant;    // 32
    std::vector<qint8> couleurs;     // 157 ; -1 : la couleur du jeu
    std::vector<float> plafonds;     // 170, tenus seulement une fois un plafond écrit
    std::vector<qint8> validites;    // 189, tenues seulement une fois un code écrit
    bool avecX = false;              // une position X a été écrite : le jeu est X–Y
    int couleurDefaut = 1;

    // Points affichés. Baisser le nombre garde les points au-delà : les jeux
    // écrits plus tôt survivent à un jeu qui fixe un nombre plus petit.
    int taille() const { return m_nombre; }
    void redimensionner(int n);
    void vider();

    // Couleur de palette du point i (depuis 0) : la sienne, sinon celle du premier
    // point, qui vaut pour tout le jeu quand chaque point n'a pas reçu la sienne.
    int couleur(int i) const
    {
        const int c = couleurBrute(i);
        return c < 0 ? couleurDefaut : c;
    }
    // La même, -1 pour la couleur du jeu.
    int couleurBrute(int i) const
    {
        const int c = couleurs[std::size_t(i)];
        return c < 0 ? couleurs[0] : c;
    }
    // Un point est tracé quand il ne manque pas et ne dépasse pas son plafond.
    bool visible(int i) const
    {
        if (manquant[std::size_t(i)])
            return false;
        return plafonds.empty() || valeurs[std::size_t(i)] <= plafonds[std::size_t(i)];
    }
    qint8 validite(int i) const { return validites.empty() ? qint8(0) : validites[std::size_t(i)]; }
    void definirPlafond(int i, float plafond);
    void definirValidite(int i, qint8 code);

    // Remplit le jeu d'un coup : n points X–Y, tous présents, d'une couleur, sans plafond ni validité.
    void charger(std::vector<double> positions, std::vector<float> nouvellesValeurs, int couleur);

    void modifie() { m_resumesAJour = false; }
    // Construits au premier appel après une modification.
    const ResumesJeu& resumes() const;

private:
    int m_nombre = 0;
    // Un cache du dessin, qui se fait depuis un modèle constant ; le moteur ne dessine pas depuis plusieurs fils.
    mutable ResumesJeu m_resumes;
    mutable bool m_resumesAJour = false;
};
