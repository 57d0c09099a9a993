#include "render/moteur/ParcoursColonnes.h"

#include "render/moteur/EntierBorne.h"
#include "render/moteur/JeuDonnees.h"

#include <algorithm>
#include <cmath>

ParcoursColonnes::ParcoursColonnes(const JeuDonnees& jeu, const EchellePixels& echelle)
    : m_jeu(jeu)
    , m_e(echelle)
    , m_t(m_propres)
{
}

ParcoursColonnes::ParcoursColonnes(const JeuDonnees& jeu, const EchellePixels& echelle, Tampons& tampons)
    : m_jeu(jeu)
    , m_e(echelle)
    , m_t(tampons)
{
}

bool ParcoursColonnes::possible(const JeuDonnees& jeu, const EchellePixels& e)
{
    const int n = jeu.taille();
    if (n == 0 || !(e.ax >= 0) || !std::isfinite(e.ax) || !std::isfinite(e.bx) || !std::isfinite(e.ay)
        || !std::isfinite(e.by) || !jeu.resumes().trie())
        return false;
    // Des pixels finis aux deux bouts le sont partout entre eux : la colonne croît alors avec X.
    const ParcoursColonnes p(jeu, e);
    return std::isfinite(e.bx + e.ax * p.x(0)) && std::isfinite(e.bx + e.ax * p.x(n - 1));
}

double ParcoursColonnes::x(int i) const
{
    return m_jeu.avecX ? m_jeu.x[std::size_t(i)] : i + 0.5;
}

qint64 ParcoursColonnes::colonne(int i) const
{
    return ColonnePixel(m_e.bx + m_e.ax * x(i));
}

int ParcoursColonnes::premierDepuis(qint64 c) const
{
    int lo = 0, hi = m_jeu.taille();
    while (lo < hi) {
        const int milieu = lo + (hi - lo) / 2;
        if (colonne(milieu) < c)
            lo = milieu + 1;
        else
            hi = milieu;
    }
    return lo;
}

int ParcoursColonnes::finColonne(int i, qint64 c, int fin) const
{
    // Pas doublés puis dichotomie : le coût suit le logarithme des points de la colonne.
    int lo = i;
    qint64 hi = qint64(fin) + 1;
    for (qint64 pas = 1;; pas *= 2) {
        const qint64 t = qint64(lo) + pas;
        if (t > fin || colonne(int(t)) != c) {
            hi = std::min(t, hi);
            break;
        }
        lo = int(t);
    }
    while (hi - lo > 1) {
        const int milieu = int(lo + (hi - lo) / 2);
        if (colonne(milieu) == c)
            lo = milieu;
        else
            hi = milieu;
    }
    return lo;
}

void ParcoursColonnes::parcourir(qint64 colonneMin, qint64 colonneMax)
{
    m_t.colonnes.clear();
    m_t.traits.clear();
    m_traitOuvert = false;
    m_couleur = -1;
    m_precedentValide = false;
    const int n = m_jeu.taille();
    if (n == 0)
        return;
    const int debut = std::max(premierDepuis(colonneMin) - 1, 0);
    const int fin = std::min(premierDepuis(colonneMax + 1), n - 1);
    for (int i = debut; i <= fin;) {
        const qint64 c = colonne(i);
        const int k = finColonne(i, c, fin);
        ajouterPoint(i, c);
        if (k > i)
            ajouterReste(i + 1, k, c);
        i = k + 1;
    }
    terminerTrait();
}

void ParcoursColonnes::ajouterReste(int debut, int fin, qint64 c)
{
    float bas = 0, haut = 0;
    if (m_precedentValide && m_jeu.couleur(debut) == m_couleur && m_jeu.resumes().etendue(m_jeu, debut, fin, bas, haut)) {
        // Tous tracés, de la couleur du trait, dans la colonne du point précédent.
        ColonneTrait& k = m_t.colonnes.back();
        const double y1 = m_e.by + m_e.ay * double(bas), y2 = m_e.by + m_e.ay * double(haut);
        k.yHaut = std::min({k.yHaut, y1, y2});
        k.yBas = std::max({k.yBas, y1, y2});
        k.x1 = m_e.bx + m_e.ax * x(fin);
        k.y1 = m_e.by + m_e.ay * double(m_jeu.valeurs[std::size_t(fin)]);
        k.nombre += fin - debut + 1;
        m_precedentX = k.x1;
        m_precedentY = k.y1;
        return;
    }
    for (int i = debut; i <= fin; ++i)
        ajouterPoint(i, c);
}

void ParcoursColonnes::ajouterPoint(int i, qint64 c)
{
    if (!m_jeu.visible(i)) {
        terminerTrait();
        m_precedentValide = false;
        return;
    }
    const double px = m_e.bx + m_e.ax * x(i);
    const double py = m_e.by + m_e.ay * double(m_jeu.valeurs[std::size_t(i)]);
    const int couleur = m_jeu.couleur(i);
    if (couleur != m_couleur) {
        terminerTrait();
        m_couleur = couleur;
        if (m_precedentValide)
            ajouterPixel(m_precedentX, m_precedentY, m_precedentColonne);
    }
    ajouterPixel(px, py, c);
    m_precedentX = px;
    m_precedentY = py;
    m_precedentColonne = c;
    m_precedentValide = true;
}

void ParcoursColonnes::ajouterPixel(double px, double py, qint64 c)
{
    if (!m_traitOuvert) {
        m_t.traits.push_back({m_couleur, int(m_t.colonnes.size()), int(m_t.colonnes.size())});
        m_traitOuvert = true;
    } else if (m_t.colonnes.back().colonne == c) {
        ColonneTrait& k = m_t.colonnes.back();
        k.yHaut = std::min(k.yHaut, py);
        k.yBas = std::max(k.yBas, py);
        k.x1 = px;
        k.y1 = py;
        ++k.nombre;
        return;
    }
    m_t.colonnes.push_back({c, px, py, px, py, py, py, 1});
}

void ParcoursColonnes::terminerTrait()
{
    if (!m_traitOuvert)
        return;
    m_t.traits.back().fin = int(m_t.colonnes.size());
    m_traitOuvert = false;
}
