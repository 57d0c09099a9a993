#include "data/JeuEnregistrements.h"

#include "data/BaseDonnees.h"

JeuEnregistrements::JeuEnregistrements(BaseDonnees* base, QString table, QList<ColonneTable> colonnes,
                                       QList<Enregistrement> enregistrements)
    : m_table(std::move(table))
    , m_colonnes(std::move(colonnes))
    , m_enregistrements(std::move(enregistrements))
{
    if (base)
        m_vie = base->vie();
    if (!m_enregistrements.isEmpty())
        m_courant = m_enregistrements.first();
    else
        AddNew();
}

BaseDonnees* JeuEnregistrements::base() const
{
    const auto vie = m_vie.lock();
    return vie ? *vie : nullptr;
}

void JeuEnregistrements::AddNew()
{
    m_courant = Enregistrement();
    for (int i = 0; i < m_colonnes.size(); ++i)
        m_courant.valeurs.append(QVariant());
    m_nouveau = true;
    m_horsColonnes = false;
}

QVariant& JeuEnregistrements::Fields(int ordinal)
{
    if (ordinal < 0 || ordinal >= m_courant.valeurs.size()) {
        m_horsColonnes = true;
        m_perdue = QVariant();
        return m_perdue;
    }
    return m_courant.valeurs[ordinal];
}

QVariant JeuEnregistrements::Fields(int ordinal) const
{
    return m_courant.valeurs.value(ordinal);
}

bool JeuEnregistrements::Update() noexcept
{
    BaseDonnees* b = base();
    if (!b || m_ferme)
        return false;
    try {
        b->effacerErreur();
        if (m_horsColonnes)
            return b->erreur(QStringLiteral("Table %1 : champ hors des %2 colonnes, rien n'est écrit.")
                                 .arg(m_table)
                                 .arg(m_colonnes.size()));
        QVariant identifiant = m_nouveau ? QVariant() : m_courant.identifiant;
        if (!b->ecrireEnregistrement(m_table, m_colonnes, m_courant.valeurs, identifiant))
            return false;
        m_courant.identifiant = identifiant;
        m_nouveau = false;
        return true;
    } catch (...) {
        return b->erreur(QStringLiteral("Update : erreur interne"));
    }
}

void JeuEnregistrements::Close()
{
    m_ferme = true;
    m_enregistrements.clear();
}
