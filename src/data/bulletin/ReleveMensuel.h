#pragma once

#include <QList>
#include <map>
#include <optional>

// Les mois mesurés d'une station : pour chaque mois de chaque année, sa
// valeur (total de pluie, moyenne d'un niveau ou d'un débit) et s'il est complet.
class ReleveMensuel
{
public:
    struct Mois
    {
        double valeur = 0;
        bool complet = false;
    };

    void ajouter(int annee, int mois, Mois m);
    const Mois* mois(int annee, int mois) const;
    bool vide() const { return m_mois.empty(); }

    // La valeur du même mois de chaque année complète, arrondie au centième
    // comme les quintiles du graphique annuel ; `annee` n'y entre que par `propre`.
    QList<double> echantillon(int mois, int annee, std::optional<double> propre) const;
    // Les mêmes valeurs telles que mesurées, sans `annee`.
    QList<double> valeurs(int mois, int annee) const;

private:
    static int cle(int annee, int mois) { return annee * 12 + mois - 1; }

    std::map<int, Mois> m_mois;
};
