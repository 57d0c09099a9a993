#pragma once

#include <QString>
#include <optional>

// L'échelle où se lit un piézomètre. La base range ses niveaux en profondeur
// négative sous le repère : en cote NGF, la cote du repère leur est ajoutée et
// l'axe les écrit tels quels ; en profondeur, ils sont tracés tels que rangés
// (l'eau qui monte monte sur le graphique) et l'axe les écrit multipliés par
// le coefficient de profondeur : positifs, croissant vers le bas.
class EchelleNappe
{
public:
    // Le coefficient qui rend positive une profondeur rangée.
    static constexpr double profondeurRangee = -1;

    // Les graphiques montrent la cote dès que le type d'affichage de l'échelle n'est pas 0.
    static bool enCote(int typeAffichageEchelle) { return typeAffichageEchelle != 0; }
    static EchelleNappe cote(double coteRepere);
    static EchelleNappe profondeur(double coefficient = profondeurRangee);
    // Une station lue seule : la cote quand on connaît celle de son repère, sinon la profondeur.
    static EchelleNappe deStation(std::optional<double> coteRepere);

    bool estCote() const { return m_cote; }
    // Ce que le graphique trace d'un niveau rangé.
    double tracee(double rangee) const { return rangee + m_decalage; }
    // Ce que l'axe écrit à la hauteur d'une valeur tracée.
    double ecrite(double tracee) const { return tracee * m_coefficient; }
    double lue(double rangee) const { return ecrite(tracee(rangee)); }
    // "Cote en NGF" ou "Profondeur en m".
    QString titreAxe() const;

private:
    EchelleNappe(bool cote, double decalage, double coefficient);

    bool m_cote;
    double m_decalage;
    double m_coefficient;
};
