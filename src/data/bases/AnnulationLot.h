#pragma once

#include "data/NomVerifie.h"
#include "data/bases/HistoriqueMesures.h"
#include "data/bases/LotHistorique.h"

#include <optional>

class BaseAcces;

// La dernière correction d'une table défaite dans la base même : le lot relu
// de l'historique et de la table compagne, refusé s'il est abîmé ou si une de
// ses lignes n'est plus celle qu'il a laissée, puis ses lignes d'avant remises
// à la place et l'annulation gardée comme un nouveau lot. À appeler dans une
// transaction, que le premier pas verrouille contre les autres écrivains.
class AnnulationLot
{
public:
    AnnulationLot(BaseAcces& base, const NomVerifie& table);

    // La dernière correction encore en place ; rien s'il n'y en a plus (`erreur` vide) ou si la lecture échoue.
    static std::optional<HistoriqueMesures::Lot> dernier(BaseAcces& base, const NomVerifie& table, QString& erreur);
    // `attendu` : le lot que l'on croit défaire (0 pour le dernier, quel qu'il soit).
    bool annuler(qint64 attendu, HistoriqueMesures::Lot& annule);
    const QString& erreur() const { return m_erreur; }

private:
    bool refus(const QString& texte);
    bool compter(const QStringList& selections, QList<qint64>& nombres);
    bool verifierLot(const HistoriqueMesures::Lot& lot);
    bool verifierEnPlace(qint64 lot);
    QString premiereChangee(qint64 lot);
    bool rendre(qint64 lot);
    QString duLot(qint64 lot, const QString& sens = QString(), const QString& alias = QStringLiteral("a")) const;

    BaseAcces& m_base;
    NomVerifie m_table;
    LotHistorique m_nouveau;
    QString m_erreur;
    qint64 m_avant = 0, m_apres = 0, m_paires = 0;  // les lignes gardées du lot : avant, après, aux deux
};
