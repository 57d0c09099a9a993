#pragma once

#include <QDate>
#include <QString>

class BaseDonnees;
class Classe_Graphiques;

// Séries mesurées d'un piézomètre (PZ_) ou d'une station de rivière (HYDRO_),
// lues telles que rangées dans une courbe de la collection, dont elles
// élargissent les bornes de valeurs.
namespace ChargeurNappes {

// Les décalages font passer des profondeurs rangées à l'échelle affichée ; sans
// effet quand le type d'affichage de l'échelle vaut 0. Rend la position de la
// nouvelle courbe, 0 en cas de refus.
int chargerPiezometre(Classe_Graphiques& collection, const QDate& debut, const QDate& fin, const QString& code,
                      const QString& decalageAxe, const QString& decalageValeurs, const QString& titre,
                      BaseDonnees* base, bool viderAvant, int numeroCourbe, int typeAffichageEchelle);

// `typeDonnees` nomme la colonne des valeurs, `echelle` l'unité montrée dans le titre.
int chargerStation(Classe_Graphiques& collection, const QDate& debut, const QDate& fin, const QString& code,
                   const QString& titre, BaseDonnees* base, bool viderAvant, int numeroCourbe,
                   const QString& typeDonnees, const QString& echelle);

} // namespace ChargeurNappes
