#pragma once

#include "data/ColonneTable.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

class BaseDonnees;

// Lignes d'une table ouvertes en modification par `BaseDonnees::AccesBase`.
// L'enregistrement courant est la première ligne trouvée ; `AddNew` en commence un nouveau.
// `Fields`(ordinal) désigne les colonnes par leur position dans la table.
// `Update` écrit l'enregistrement courant, `Close` termine l'usage du jeu.
class JeuEnregistrements
{
public:
    struct Enregistrement
    {
        QVariant identifiant;  // l'identité de la ligne pour le moteur
        QVariantList valeurs;  // sous les formes des cellules, une par colonne de la table
    };

    JeuEnregistrements(BaseDonnees* base, QString table, QList<ColonneTable> colonnes,
                       QList<Enregistrement> enregistrements);

    qint32 nombre() const { return qint32(m_enregistrements.size()); }
    const QString& table() const { return m_table; }
    const QList<ColonneTable>& colonnes() const { return m_colonnes; }

    void AddNew();
    // Hors des colonnes : une cellule lue vide dont l'écriture est perdue
    // (le `Update` suivant échoue alors).
    QVariant& Fields(int ordinal);
    QVariant Fields(int ordinal) const;
    bool Update() noexcept;
    void Close();

private:
    BaseDonnees* base() const;

    std::weak_ptr<BaseDonnees*> m_vie;
    QString m_table;
    QList<ColonneTable> m_colonnes;
    QList<Enregistrement> m_enregistrements;
    Enregistrement m_courant;
    bool m_nouveau = false;
    bool m_ferme = false;
    bool m_horsColonnes = false;
    QVariant m_perdue;
};
