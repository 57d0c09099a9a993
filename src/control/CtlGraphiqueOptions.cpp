// Outil 7 du contrôle graphique : la boîte des options d'affichage.
#include "control/CtlGraphique.h"

void CtlGraphique::ouvrirOptionsGraphiques() {}
