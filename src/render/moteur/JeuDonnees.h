#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

// One data set of the chart engine: its points, stored column by column so
// that a million points stay small (14 bytes each) and quick to walk.
class JeuDonnees
{
public:
    static constexpr float plafondAucun = 9999.0f;

    std::vector<float> valeurs;      // 158, 41
    std::vector<double> x;           // 117; 0 while not written
    std::vector<quint8> manquant;    // 32
    std::vector<qint8> couleurs;     // 157; -1: the set's colour
    std::vector<float> plafonds;     // 170, kept only once a ceiling is written
    std::vector<qint8> validites;    // 189, kept only once a code is written
    bool avecX = false;              // an X position was written: the set is X–Y
    int couleurDefaut = 1;

    // Points shown. Lowering the count keeps the points beyond it, so that the
    // sets written earlier survive a set that sets a smaller count.
    int taille() const { return m_nombre; }
    void redimensionner(int n);
    void vider();

    // Palette colour of point i (from 0): its own, else the first point's, which
    // stands for the whole set when the points were not given one each.
    int couleur(int i) const
    {
        int c = couleurs[std::size_t(i)];
        if (c < 0 && !couleurs.empty())
            c = couleurs[0];
        return c < 0 ? couleurDefaut : c;
    }
    // A point is drawn when it is not missing and not above its ceiling.
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
