#pragma once

#include <QtGlobal>
#include <cstddef>
#include <vector>

class JeuDonnees;

// Résumés d'un jeu de données par blocs de points, sur plusieurs niveaux : le
// plus bas et le plus haut exacts de chaque bloc, et s'il est « uni » (tous ses
// points tracés, d'une même couleur). Une colonne de pixels qui couvre des
// blocs unis lit leurs résumés au lieu de leurs points. Rien n'est moyenné :
// les crêtes restent exactes.
class ResumesJeu
{
public:
    static constexpr int decalageBase = 5;     // blocs de 32 points
    static constexpr int decalageNiveau = 3;   // un bloc de niveau k+1 regroupe 8 blocs de niveau k

    void construire(const JeuDonnees& j);

    // Positions X finies et croissantes (au sens large), ou jeu sans X.
    bool trie() const { return m_trie; }
    int visibles() const { return m_visibles; }
    // Extrêmes des points tracés ; bas() > haut() quand aucun n'est tracé.
    double bas() const { return m_bas; }
    double haut() const { return m_haut; }

    // Vrai quand les points debut..fin (inclus) sont tous tracés, avec une valeur
    // qui est un nombre, et de la couleur brute du point debut ; bas et haut
    // reçoivent alors leurs extrêmes.
    bool etendue(const JeuDonnees& j, int debut, int fin, float& bas, float& haut) const;

    std::size_t octets() const;

private:
    struct Bloc
    {
        float bas;
        float haut;
        bool uni;
    };

    static int decalage(int niveau) { return decalageBase + decalageNiveau * niveau; }
    void construireBase(const JeuDonnees& j);
    void construireNiveau(const JeuDonnees& j);
    // Le plus haut niveau dont un bloc commence en i et finit au plus tard en fin ; -1 sans bloc entier.
    int niveauEntier(int i, int fin) const;
    bool pointsUnis(const JeuDonnees& j, int debut, int fin, int couleur, float& bas, float& haut) const;

    std::vector<std::vector<Bloc>> m_niveaux;
    bool m_trie = true;
    int m_visibles = 0;
    double m_bas = 0, m_haut = 0;
};
