#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

// Un jeu de données du moteur de graphique : ses points, rangés colonne par
// colonne pour qu'un million de points reste petit (14 octets chacun) et rapide
// à parcourir.
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
        int c = couleurs[std::size_t(i)];
        if (c < 0 && !couleurs.empty())
            c = couleurs[0];
        return c < 0 ? couleurDefaut : c;
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

private:
    int m_nombre = 0;
};
