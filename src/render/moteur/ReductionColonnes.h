#pragma once

#include <QPolygonF>
#include <functional>

// Réduit une suite de points, dans l'ordre des X, à ce qu'une colonne de
// pixels peut montrer : son premier, son plus bas, son plus haut et son dernier
// point, dans leur ordre d'arrivée. Une colonne d'un seul point le garde tel
// quel. Rien n'est moyenné : les crêtes restent où elles étaient.
class ReductionColonnes
{
public:
    explicit ReductionColonnes(QPolygonF& sortie)
        : m_sortie(sortie)
    {
    }

    void ajouter(double px, double py);
    // Termine la colonne en cours ; à appeler avant d'utiliser la sortie.
    void terminer();

private:
    void vider();

    QPolygonF& m_sortie;
    bool m_ouverte = false;
    long long m_colonne = 0;
    int m_nombre = 0;
    QPointF m_premier, m_dernier, m_bas, m_haut;
    int m_ordreBas = 0, m_ordreHaut = 0;
};
