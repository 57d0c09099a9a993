#include "CollectionGraphique.h"

#include "FabriqueWidget.h"
#include "control/CtlGraphique.h"
#include "control/CtlToolBar.h"

CollectionGraphique::CollectionGraphique(QObject* parent)
    : QObject(parent)
{
    m_widgets.append(new FabriqueWidget(
        {QStringLiteral("CtlGraphique"), QStringLiteral("control/CtlGraphique.h"),
         QStringLiteral("Contrôle graphique de la surveillance hydrologique"),
         QStringLiteral("Deux graphiques empilés (le principal et celui des pluies), l'en-tête des stations, "
                        "les champs de dates et la palette d'outils. L'hôte le prépare par InitGraphique, "
                        "lance le chargement par ChargementDonnees et peut écrire l'image par EcrireImage."),
         QStringLiteral("ctlGraphique"), 800, 500, [](QWidget* p) -> QWidget* { return new CtlGraphique(p); }},
        this));
    m_widgets.append(new FabriqueWidget(
        {QStringLiteral("CtlToolBar"), QStringLiteral("control/CtlToolBar.h"),
         QStringLiteral("Barre d'outils du contrôle graphique"),
         QStringLiteral("Bande de dix boutons à image (fermer, imprimer, supprimer, corbeille, valider, aperçu, "
                        "export en classeur, outils, fiche, aide) ; un clic émet ClickBouton avec l'indice du bouton."),
         QStringLiteral("ctlToolBar"), 400, 40, [](QWidget* p) -> QWidget* { return new CtlToolBar(p); }},
        this));
}
