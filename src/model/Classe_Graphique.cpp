#include "model/Classe_Graphique.h"

#include "commun/Cellule.h"
#include "commun/Nombres.h"

#include <algorithm>

const QVariant& Classe_Graphique::Valeurs() const
{
    if (m_colonnes && !m_valeurs.isValid())
        m_valeurs = QVariant::fromValue(m_colonnes->tableau());
    return m_valeurs;
}

void Classe_Graphique::AjouterValeurs(const QVariant& valeurs)
{
    m_colonnes.reset();
    m_valeurs = valeurs;
    if (const TableauValeurs* t = TableauDans(m_valeurs))
        m_nbValeurs = t->borneSup(2) + 1;
}

void Classe_Graphique::AjouterValeurs(const TableauValeurs& valeurs)
{
    AjouterValeurs(QVariant::fromValue(valeurs));
}

void Classe_Graphique::AjouterValeurs(ColonnesTypees colonnes)
{
    m_valeurs = QVariant();
    m_nbValeurs = colonnes.points();
    m_colonnes = std::make_shared<const ColonnesTypees>(std::move(colonnes));
}

QVariant Classe_Graphique::cellule(int ligne, int point) const
{
    if (m_colonnes)
        return m_colonnes->valeur(ligne, point);
    const TableauValeurs* t = tableau();
    return t ? t->valeur(ligne, point) : QVariant();
}

namespace {

double minimumColonne(const ColonneTypee& valeurs, int n, double minimum)
{
    for (int i = 0; i < n; ++i)
        if (const auto x = valeurs.estVide(i) ? std::nullopt : valeurs.nombre(i); x && *x < minimum)
            minimum = *x;
    return minimum;
}

} // namespace

double Classe_Graphique::GetMinValeur() const
{
    constexpr double depart = 9999.0;
    double minimum = depart;
    if (m_colonnes)
        return m_colonnes->lignes() < 3 ? minimum
                                        : minimumColonne(m_colonnes->colonne(2), std::min(m_nbValeurs, m_colonnes->points()), minimum);
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
