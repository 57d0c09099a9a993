#include "render/moteur/ReductionColonnes.h"

#include "render/moteur/EntierBorne.h"

void ReductionColonnes::ajouter(double px, double py)
{
    const long long colonne = ColonnePixel(px);
    if (m_ouverte && colonne != m_colonne)
        vider();
    const QPointF p(px, py);
    if (!m_ouverte) {
        m_ouverte = true;
        m_colonne = colonne;
        m_nombre = 1;
        m_premier = m_dernier = m_bas = m_haut = p;
        m_ordreBas = m_ordreHaut = 0;
        return;
    }
    // Les pixels croissent vers le bas : la plus haute valeur a le plus petit y.
    if (py > m_bas.y()) {
        m_bas = p;
        m_ordreBas = m_nombre;
    }
    if (py < m_haut.y()) {
        m_haut = p;
        m_ordreHaut = m_nombre;
    }
    m_dernier = p;
    ++m_nombre;
}

void ReductionColonnes::vider()
{
    if (!m_ouverte)
        return;
    m_sortie.append(m_premier);
    if (m_nombre > 1) {
        const int dernier = m_nombre - 1;
        const bool basUtile = m_ordreBas != 0 && m_ordreBas != dernier;
        const bool hautUtile = m_ordreHaut != 0 && m_ordreHaut != dernier;
        if (basUtile && hautUtile) {
            if (m_ordreBas < m_ordreHaut) {
                m_sortie.append(m_bas);
                m_sortie.append(m_haut);
            } else {
                m_sortie.append(m_haut);
                m_sortie.append(m_bas);
            }
        } else if (basUtile) {
            m_sortie.append(m_bas);
        } else if (hautUtile) {
            m_sortie.append(m_haut);
        }
        m_sortie.append(m_dernier);
    }
    m_ouverte = false;
}

void ReductionColonnes::terminer()
{
    vider();
}
