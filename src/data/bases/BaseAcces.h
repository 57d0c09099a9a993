#pragma once

#include "data/BaseDonnees.h"
#include "data/bases/Traducteur.h"

#include <optional>

// Ce que partagent les deux moteurs : chaque ordre de la formulation Access est
// lu (un seul ordre), traduit par le traducteur du moteur en un seul ordre
// natif, exécuté, et ses lignes rendues sous les formes du runtime.
class BaseAcces : public BaseDonnees
{
public:
    // Un ordre natif de nos outils et de nos mesures, hors formulation.
    bool ExecuterNatif(const QString& sql, TableauValeurs* lignes = nullptr) noexcept;

protected:
    BaseAcces() = default;

    virtual Traducteur& traducteur() = 0;
    // Exécute un ordre natif ; avec `lignes`, en rend les lignes en (champ,
    // enregistrement), les champs de genre Date en texte du runtime.
    virtual bool lancer(const QString& sql, const QList<TypeValeur>& types, TableauValeurs* lignes) = 0;

    bool extraire(const QString& sql, TableauValeurs& lignes, qint32& nombre) override;
    bool executer(const QString& sql) override;
    std::unique_ptr<JeuEnregistrements> ouvrirJeu(const QString& sql, qint32& nombre) override;

private:
    std::optional<Traducteur::Traduction> traduire(const QString& sql, bool pourJeu, bool* selection = nullptr);
};
