#pragma once

#include "commun/CodesGraphique.h"
#include "commun/TypeGraph.h"
#include "control/DispositionControle.h"
#include "control/EditionPoints.h"
#include "control/OptionsAffichage.h"
#include "control/SourisEtZoom.h"
#include "model/Classe_Graphiques.h"

#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>

// L'état de CtlGraphique, que l'en-tête installé ne montre pas.
class CtlGraphiquePrive
{
public:
    // Propriétés publiques.
    bool lightVersion = false;
    bool calculauto = false;
    QString chaineChargement, chainePeriodes, chaineTypeGraph, chaineTypeAffichage;
    // La variante lue une fois, quand l'hôte écrit son texte.
    Variante variante = Variante::Aucune;
    bool isCumul = false;
    bool isStatistiquesMeteoFrance = false;
    QString titreStatistiqueMeteoFrance;
    QString typeDonnees, echelle;
    QVariant tabPluvio;
    bool graphiqueApercu = false;
    qint16 typeAffichageEchelle = 0;
    bool ouvrirApresExport = true;
    bool titreLegendeEcran = false;
    bool jeuxParCourbe = false;  // les nappes ont un jeu par courbe, les autres un par courbe tracée
    QString anneeNonComparee;
    QString legendeEnValeur;  // le point que le graphique distingue, tel que la légende le nomme

    // État du contrôle.
    TypeGraph typeGraphique = TypeGraph::edition;
    std::shared_ptr<Classe_Graphiques> collCourbes;
    std::shared_ptr<Classe_Graphiques> collCourbes2;
    QPointer<QObject> extender;
    QString typeExploitation;
    qint16 noAide = 0;
    qint16 outilCourant = 0;
    qint16 compteurCouleur = 0;
    bool initEnCours = false;
    bool annulation = false;

    std::unique_ptr<DispositionControle> disposition;
    std::unique_ptr<SourisEtZoom> souris;
    std::unique_ptr<EditionPoints> edition;
    std::unique_ptr<OptionsAffichage> options;
};
