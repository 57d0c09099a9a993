#pragma once

#include <QString>
#include <QStringList>

class BaseDonnees;
class CtlGraphique;
class QObject;

// Les courbes statistiques qu'un chargement laisse sans aucune valeur (douze points vides,
// que le contrôle tracerait à 0) : l'hôte les masque par la liste des courbes, si bien
// qu'elles ne sont ni tracées, ni dans la légende, ni dans le classeur, et il dit pourquoi.
class StatistiquesVides
{
public:
    // Après un chargement du graphique annuel ou de la comparaison à la normale : chaque
    // statistique montrée sans valeur est masquée, puis le graphique redessiné s'il en perd une.
    // Les années des statistiques sont lues dans les champs du formulaire.
    void masquer(CtlGraphique& ctl, QObject* formulaire, BaseDonnees* base);
    // Pourquoi les courbes masquées qui le sont encore ne sont pas tracées, en une ligne ; vide sans elles.
    QString avis(CtlGraphique& ctl) const;

private:
    QStringList statistiquesSansValeur(CtlGraphique& ctl);
    QStringList comparaisonSansNormale(CtlGraphique& ctl, BaseDonnees* base) const;
    QString raisonSansMesures() const;

    QStringList m_masquees;  // leurs clés
    int m_premiere = 0, m_derniere = 0;
    bool m_comparaison = false;
    bool m_officielles = false;
    // Aucune statistique des mesures montrée n'avait de valeur : la raison tient aux années.
    bool m_mesuresToutesVides = false;
};
