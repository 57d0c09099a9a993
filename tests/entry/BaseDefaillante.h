#pragma once

// Une base qui en enveloppe une vraie et fait échouer son n-ième ordre
// (lecture, écriture ou enregistrement d'un jeu) : de quoi vérifier qu'un
// enregistrement interrompu n'importe où ne laisse rien derrière lui.
#include "data/BaseDonnees.h"
#include "data/JeuEnregistrements.h"

#include <memory>

class BaseDefaillante : public BaseDonnees
{
public:
    explicit BaseDefaillante(BaseDonnees& vraie, int ordreEnPanne)
        : m_vraie(vraie)
        , m_panne(ordreEnPanne)
    {
    }
    QString typeBase() const override { return m_vraie.typeBase(); }
    int ordresVus() const { return m_vus; }

protected:
    bool extraire(const QString& sql, TableauValeurs& lignes, qint32& nombre) override
    {
        return passe() && m_vraie.ExtraireRecords(OrdreSql::sansVerification(sql), lignes, nombre);
    }
    bool executer(const QString& sql) override { return passe() && m_vraie.Execute(OrdreSql::sansVerification(sql)); }
    std::unique_ptr<JeuEnregistrements> ouvrirJeu(const QString& sql, qint32& nombre) override
    {
        if (!passe() || !m_vraie.AccesBase(OrdreSql::sansVerification(sql), m_jeu, nombre) || !m_jeu)
            return nullptr;
        // Le jeu rendu écrit par cette base ; la vraie écrit par le sien.
        QList<JeuEnregistrements::Enregistrement> e;
        if (nombre > 0) {
            JeuEnregistrements::Enregistrement premier{QVariant(0), {}};
            for (int i = 0; i < m_jeu->colonnes().size(); ++i)
                premier.valeurs << m_jeu->Fields(i);
            e << premier;
        }
        return std::make_unique<JeuEnregistrements>(this, m_jeu->table(), m_jeu->colonnes(), e);
    }
    bool ecrireEnregistrement(const QString&, const QList<ColonneTable>&, const QVariantList& valeurs,
                              QVariant& identifiant) override
    {
        if (!passe() || !m_jeu)
            return false;
        if (!identifiant.isValid())
            m_jeu->AddNew();
        for (int i = 0; i < valeurs.size(); ++i)
            m_jeu->Fields(i) = valeurs[i];
        identifiant = 0;
        return m_jeu->Update();
    }
    bool transaction(Transaction quoi) override
    {
        switch (quoi) {
        case Transaction::Commencer:
        case Transaction::Lecture:
            return m_vraie.Commencer();
        case Transaction::Valider:
            return m_vraie.Valider();
        default:
            return m_vraie.Annuler();
        }
    }
    bool creerTable(const QString& table, const QList<ColonneTable>& colonnes, const QStringList& cle) override
    {
        return passe() && m_vraie.CreerTable(table, colonnes, cle);
    }
    bool supprimerTable(const QString&) override { return false; }
    bool creerIndex(const QString& table, const QStringList& colonnes) override
    {
        return passe() && m_vraie.CreerIndex(table, colonnes);
    }
    bool insererLignes(const QString& table, const QList<ColonneTable>&, const QList<QVariantList>& lignes) override
    {
        return passe() && m_vraie.InsererLignes(table, lignes);
    }
    QList<ColonneTable> colonnesTable(const QString& table) override { return m_vraie.ColonnesTable(table); }

private:
    bool passe()
    {
        if (++m_vus == m_panne)
            return erreur(QStringLiteral("panne simulée de l'ordre %1").arg(m_vus));
        return true;
    }

    BaseDonnees& m_vraie;
    int m_panne;
    int m_vus = 0;
    std::unique_ptr<JeuEnregistrements> m_jeu;
};
