#include "render/moteur/ResumesJeu.h"

#include "render/moteur/JeuDonnees.h"

#include <algorithm>
#include <cmath>
#include <limits>

void ResumesJeu::construire(const JeuDonnees& j)
{
    m_niveaux.clear();
    m_trie = true;
    if (j.avecX) {
        const int n = j.taille();
        for (int i = 0; i < n && m_trie; ++i) {
            const double x = j.x[std::size_t(i)];
            m_trie = std::isfinite(x) && (i == 0 || x >= j.x[std::size_t(i - 1)]);
        }
    }
    construireBase(j);
    while (m_niveaux.back().size() > 1)
        construireNiveau(j);
}

void ResumesJeu::construireBase(const JeuDonnees& j)
{
    const int n = j.taille();
    const int taille = 1 << decalageBase;
    std::vector<Bloc> base;
    base.reserve(std::size_t((n + taille - 1) / taille));
    m_visibles = 0;
    // Les mêmes comparaisons que le calcul des bornes de Y : une valeur « pas un nombre » n'y compte pas.
    double lo = std::numeric_limits<double>::max();
    double hi = std::numeric_limits<double>::lowest();
    for (int debut = 0; debut < n; debut += taille) {
        const int fin = std::min(n, debut + taille);
        const int couleur = j.couleurBrute(debut);
        Bloc b{std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(), true};
        for (int i = debut; i < fin; ++i) {
            if (!j.visible(i)) {
                b.uni = false;
                continue;
            }
            ++m_visibles;
            const float v = j.valeurs[std::size_t(i)];
            lo = std::min(lo, double(v));
            hi = std::max(hi, double(v));
            b.uni = b.uni && !std::isnan(v) && j.couleurBrute(i) == couleur;
            b.bas = std::min(b.bas, v);
            b.haut = std::max(b.haut, v);
        }
        base.push_back(b);
    }
    if (base.empty())
        base.push_back({0.0f, 0.0f, false});
    m_bas = lo;
    m_haut = hi;
    m_niveaux.push_back(std::move(base));
}

void ResumesJeu::construireNiveau(const JeuDonnees& j)
{
    const std::vector<Bloc>& dessous = m_niveaux.back();
    const int niveau = int(m_niveaux.size());
    const int groupe = 1 << decalageNiveau;
    std::vector<Bloc> dessus;
    dessus.reserve(dessous.size() / std::size_t(groupe) + 1);
    for (std::size_t debut = 0; debut < dessous.size(); debut += std::size_t(groupe)) {
        const std::size_t fin = std::min(dessous.size(), debut + std::size_t(groupe));
        // La couleur brute du premier point de chaque bloc : un bloc uni n'en a qu'une.
        const int couleur = j.couleurBrute(int(debut << decalage(niveau - 1)));
        Bloc b{std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(), true};
        for (std::size_t k = debut; k < fin; ++k) {
            const Bloc& d = dessous[k];
            b.uni = b.uni && d.uni && j.couleurBrute(int(k << decalage(niveau - 1))) == couleur;
            b.bas = std::min(b.bas, d.bas);
            b.haut = std::max(b.haut, d.haut);
        }
        dessus.push_back(b);
    }
    m_niveaux.push_back(std::move(dessus));
}

int ResumesJeu::niveauEntier(int i, int fin) const
{
    int niveau = -1;
    for (int k = 0; k < int(m_niveaux.size()); ++k) {
        const qint64 taille = qint64(1) << decalage(k);
        if ((i & (taille - 1)) != 0 || i + taille - 1 > fin)
            break;
        niveau = k;
    }
    return niveau;
}

bool ResumesJeu::pointsUnis(const JeuDonnees& j, int debut, int fin, int couleur, float& bas, float& haut) const
{
    const float* v = j.valeurs.data();
    const Bloc& b = m_niveaux[0][std::size_t(debut >> decalageBase)];
    if (b.uni && j.couleurBrute(debut) == couleur) {
        for (int i = debut; i <= fin; ++i) {
            bas = v[i] < bas ? v[i] : bas;
            haut = v[i] > haut ? v[i] : haut;
        }
        return true;
    }
    for (int i = debut; i <= fin; ++i) {
        if (!j.visible(i) || std::isnan(v[i]) || j.couleurBrute(i) != couleur)
            return false;
        bas = std::min(bas, v[i]);
        haut = std::max(haut, v[i]);
    }
    return true;
}

bool ResumesJeu::etendue(const JeuDonnees& j, int debut, int fin, float& bas, float& haut) const
{
    const int couleur = j.couleurBrute(debut);
    float lo = std::numeric_limits<float>::max();
    float hi = std::numeric_limits<float>::lowest();
    int i = debut;
    while (i <= fin) {
        const int niveau = niveauEntier(i, fin);
        if (niveau < 0) {
            const int finBloc = std::min(fin, i | ((1 << decalageBase) - 1));
            if (!pointsUnis(j, i, finBloc, couleur, lo, hi))
                return false;
            i = finBloc + 1;
            continue;
        }
        const Bloc& b = m_niveaux[std::size_t(niveau)][std::size_t(i >> decalage(niveau))];
        if (!b.uni || j.couleurBrute(i) != couleur)
            return false;
        lo = std::min(lo, b.bas);
        hi = std::max(hi, b.haut);
        i += 1 << decalage(niveau);
    }
    bas = lo;
    haut = hi;
    return true;
}

std::size_t ResumesJeu::octets() const
{
    std::size_t t = sizeof(*this);
    for (const std::vector<Bloc>& niveau : m_niveaux)
        t += niveau.capacity() * sizeof(Bloc);
    return t;
}
