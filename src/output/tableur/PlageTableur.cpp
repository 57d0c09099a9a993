#include "output/tableur/PlageTableur.h"

#include "output/classeur/FeuilleXlsx.h"
#include "output/tableur/ClasseurTableur.h"

PlageTableur::PlageTableur(ClasseurTableur* classeur, int feuille, int ligne1, int colonne1, int ligne2, int colonne2)
    : m_classeur(classeur)
    , m_feuille(feuille)
    , m_ligne1(std::min(ligne1, ligne2))
    , m_colonne1(std::min(colonne1, colonne2))
    , m_ligne2(std::max(ligne1, ligne2))
    , m_colonne2(std::max(colonne1, colonne2))
{
}

bool PlageTableur::valide() const
{
    return m_classeur && m_feuille >= 0 && m_feuille < m_classeur->xlsx().nombreFeuilles()
           && FeuilleXlsx::positionValide(m_ligne1, m_colonne1) && FeuilleXlsx::positionValide(m_ligne2, m_colonne2);
}

void PlageTableur::Select() const
{
    if (!valide())
        return;
    m_classeur->activer(m_feuille);
    m_classeur->selectionner(*this);
}

void PlageTableur::setNumberFormat(const QString& format) const
{
    if (!valide())
        return;
    for (int l = m_ligne1; l <= m_ligne2; ++l)
        for (int c = m_colonne1; c <= m_colonne2; ++c)
            m_classeur->xlsx().definirFormat(m_feuille, l, c, format);
}

void PlageTableur::setColumnWidth(double largeur) const
{
    if (!valide())
        return;
    for (int c = m_colonne1; c <= m_colonne2; ++c)
        m_classeur->xlsx().definirLargeurColonne(m_feuille, c, largeur);
}

void PlageTableur::setValue(const QString& saisie) const
{
    if (!valide())
        return;
    for (int l = m_ligne1; l <= m_ligne2; ++l)
        for (int c = m_colonne1; c <= m_colonne2; ++c)
            if (saisie.isEmpty())
                m_classeur->xlsx().viderCellule(m_feuille, l, c);
            else
                m_classeur->xlsx().collerTexte(m_feuille, l, c, QString(saisie).replace(u'\t', u' '));
}

PlageTableur PlageTableur::jusqua(const PlageTableur& autre) const
{
    if (m_classeur != autre.m_classeur || m_feuille != autre.m_feuille)
        return {};
    return {m_classeur, m_feuille, std::min(m_ligne1, autre.m_ligne1), std::min(m_colonne1, autre.m_colonne1),
            std::max(m_ligne2, autre.m_ligne2), std::max(m_colonne2, autre.m_colonne2)};
}
