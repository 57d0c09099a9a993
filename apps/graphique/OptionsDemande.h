#pragma once

#include "OptionsStatistiques.h"
#include "control/HoteGraphique.h"

#include <QString>
#include <QStringList>
#include <optional>

class LigneCommande;

// Les options d'une demande de graphique (--type, --station, --stations, --genre, --mesures,
// --periodes, --affichage, --variante, --debut, --fin, --annee, --cumul et celles des
// statistiques) : « graphique tracer » les lit sur sa ligne, le portail dans ses adresses,
// sous les mêmes noms, et les vérifie ici de la même façon.
class OptionsDemande
{
public:
    // Les options retirées de la ligne ; une option obligatoire absente est notée dans `manque`.
    // `typeParDefaut` rend --type facultatif.
    OptionsDemande(LigneCommande& ligne, QString& manque, const std::optional<QString>& typeParDefaut = std::nullopt);

    // La demande remplie et vérifiée ; la raison du refus, en français, sinon.
    QString appliquer(HoteGraphique::Demande& d) const;

private:
    QString verifierChoix(HoteGraphique::Demande& d) const;
    QString verifierGenre(const HoteGraphique::Demande& d) const;
    QString verifierDates(HoteGraphique::Demande& d) const;

    QString m_type, m_station, m_mesures, m_periodes, m_affichage, m_variante, m_debut, m_fin, m_annee;
    std::optional<QString> m_genre;
    QStringList m_stations;
    bool m_cumul = false;
    OptionsStatistiques m_statistiques;
};
