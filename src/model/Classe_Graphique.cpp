#include "model/Classe_Graphique.h"

#include "commun/Cellule.h"
#include "commun/Nombres.h"

#include <algorithm>

void Classe_Graphique::AjouterValeurs(const QVariant& valeurs)
{
    m_valeurs = valeurs;
    if (const TableauValeurs* t = TableauDans(m_valeurs))
        m_nbValeurs = t->borneSup(2) + 1;
}

void Classe_Graphique::AjouterValeurs(const TableauValeurs& valeurs)
{
    AjouterValeurs(QVariant::fromValue(valeurs));
}

QVariant Classe_Graphique::cellule(int ligne, int point) const
{
    const TableauValeurs* t = tableau();
    return t ? t->valeur(ligne, point) : QVariant();
}

double Classe_Graphique::GetMinValeur() const
{
    constexpr double depart = 9999.0;
    double minimum = depart;
    const TableauValeurs* t = tableau();
    if (!t || t->lignes() < 3)
        return minimum;
    const int n = std::min(m_nbValeurs, t->points());
    for (int i = 0; i < n; ++i) {
        const QVariant& v = (*t)(2, i);
        if (EstVide(v))
            continue;
        if (const auto x = LireNombre(v); x && *x < minimum)
            minimum = *x;
    }
    return minimum;
}
