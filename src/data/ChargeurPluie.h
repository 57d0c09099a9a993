#pragma once

#include "commun/CodesGraphique.h"

#include <QDate>
#include <QString>
#include <utility>

class BaseDonnees;
class Classe_Graphiques;
class FenetreProgression;

// Séries de pluie d'un pluviomètre, sommées par période, dans une collection de courbes.
namespace ChargeurPluie {

struct Demande
{
    QDate debut, fin;
    QString code, nomStation, titre;
    int couleur = 0;
    int mode = 0;                // 0, 1, 4, 5 ou 7 : le graphique auquel la série est destinée
    QString colonne;             // colonne de mesure : Pluie, PluieEfficace, Etp, Valeur1…
    bool viderAvant = false;
    Periode codePeriode = Periode::Aucune;
    bool cumul = false;
    QString colonnePeriode;      // Mois, Decade, …, Jour
    int moisHydro = 10;
    QString prefixeTable = QStringLiteral("PLUVIO_");  // "COURBE_REF_PLUVIO_" pour une courbe de référence
};

// Un point par période de l'étendue ; rend la position de la nouvelle courbe,
// 0 quand le mode est inconnu ou qu'un nom est refusé.
int agreger(Classe_Graphiques& collection, const Demande& demande, BaseDonnees* base, FenetreProgression* fenetre);

// La fenêtre comparée de l'année `annee` d'un cumul annuel : du début de l'année (hydrologique)
// jusqu'au jour et au mois d'`aujourdhui` dans cette année.
std::pair<QDate, QDate> fenetreCumulAnnuel(int annee, bool hydro, int moisHydro, const QDate& aujourdhui);

// "CUMUL_ANNUEL" : pour chaque année de statistiques, le total du début de
// l'année (hydrologique) jusqu'au jour et au mois d'aujourd'hui ; trié par total.
void comparerCumulsAnnuels(Classe_Graphiques& collection, int premiereAnnee, int derniereAnnee, const QString& code,
                           const QString& colonne, bool hydro, int moisHydro, BaseDonnees* base);

// "CUMUL_MENSUEL" : une courbe par mois, un point par année de statistiques.
void totauxMensuels(Classe_Graphiques& collection, int premiereAnnee, int derniereAnnee, const QString& code,
                    const QString& colonne, bool hydro, int moisHydro, BaseDonnees* base);

} // namespace ChargeurPluie
