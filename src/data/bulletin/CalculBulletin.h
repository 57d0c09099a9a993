#pragma once

#include "data/bulletin/LigneBulletin.h"
#include "data/bulletin/ReleveMensuel.h"

#include <QDate>
#include <QList>
#include <array>
#include <optional>

// La ligne d'une station tirée de son relevé mensuel.
//
// Le mois se place parmi le même mois de chaque année complète du relevé,
// lui compris : rang depuis le plus bas (à égalité, le premier rang), et
// classe par les quintiles inclusifs du graphique annuel (sous le 1er
// quintile, sous le 2e, jusqu'au 3e compris, jusqu'au 4e compris, au-delà).
class CalculBulletin
{
public:
    using Normales = std::array<std::optional<double>, 12>;

    CalculBulletin(const ReleveMensuel& releve, const GenreBulletin& genre, QDate mois, int moisHydro,
                   const Normales& normales);

    LigneBulletin ligne(const QString& code, const QString& nom) const;

    static int classe(double valeur, const std::array<std::optional<double>, 4>& quintiles);
    // Le seuil sous lequel un écart d'un mois au suivant est dit stable : 5 %
    // de l'étendue du mois sur le relevé.
    static constexpr double partStable = 0.05;
    // Cinq classes demandent au moins cinq années : en deçà, ni quintiles ni classe.
    static constexpr int effectifClasses = 5;

private:
    // La classe de la dernière valeur de l'échantillon parmi toutes ; aucune d'un relevé trop court.
    static std::optional<int> classeParmi(const QList<double>& echantillon);
    static std::array<std::optional<double>, 4> quintilesDe(const QList<double>& echantillon);
    void placer(LigneBulletin& l) const;
    void comparerALaNormale(LigneBulletin& l) const;
    void cumulerAnneeHydrologique(LigneBulletin& l) const;
    void tendance(LigneBulletin& l) const;
    void contexte(LigneBulletin& l) const;
    std::optional<double> valeur(QDate mois) const;
    QDate debutAnneeHydrologique() const;

    const ReleveMensuel& m_releve;
    const GenreBulletin& m_genre;
    QDate m_mois;
    int m_moisHydro;
    Normales m_normales;
};
