#pragma once

#include "render/moteur/CarteEchelles.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>

class ModeleGraphique;

// La place de chaque chose quand un graphique est peint dans un cadre : des
// marges à la mesure des titres, des libellés et de la légende, la zone de
// tracé, et les libellés gardés pour qu'aucun n'en chevauche un autre.
class Disposition
{
public:
    struct Libelle
    {
        double pixel;   // x pour l'axe X, y pour les axes de valeurs
        QString texte;
    };
    struct EntreeLegende
    {
        enum class Forme { Carre, Trait, TraitEpais, Rond };
        int couleur;
        QString texte;
        Forme forme = Forme::Carre;
    };

    Disposition(const ModeleGraphique& modele, const QRectF& cadre);

    QRectF cadre;
    QRectF zone;
    double base = 12.0;
    double marge = 6.0;
    double longueurGraduation = 4.0;
    QFont policeTitre, policeTitresAxes, policeLibelles, policeLegende;
    CarteEchelles carteGauche, carteDroite;
    QList<Libelle> libellesX;
    QList<double> graduationsX;
    bool libellesXVerticaux = false;
    QList<Libelle> libellesGauche, libellesDroite;
    QList<double> graduationsY;
    bool axeDroit = false;
    QString titre, titreX, titreGauche, titreDroite;
    QRectF rectTitre, rectTitreX, rectTitreGauche, rectTitreDroite;
    QList<EntreeLegende> legende;
    QRectF rectLegende;
    bool legendeADroite = true;
    double hauteurLigneLegende = 0;

private:
    // Les largeurs et hauteurs autour de la zone de tracé.
    struct Encombrements
    {
        double largeurGauche = 0, largeurDroite = 0, largeurLegende = 0, largeurX = 0, hauteurX = 0;
        bool libellesXVisibles = false;
    };

    Encombrements mesurer(const ModeleGraphique& m);
    void placerZone(const Encombrements& e);
    void placerLibellesX(const ModeleGraphique& m, const Encombrements& e);
    void garderLibelleEnValeur(const ModeleGraphique& m, double encombrement);
    void placerLibellesY();
    void placerCadres(const Encombrements& e);
    void preparerLibellesY(const ModeleGraphique& m);
    void preparerLegende(const ModeleGraphique& m);
    void ajusterTitre(double largeur);
    QList<Libelle> candidatsX(const ModeleGraphique& m, const CarteEchelles& carte, QList<double>& graduations,
                              double encombrement) const;
    static double largeurLibellesX(const ModeleGraphique& m, const QFont& police);
    static QString texteNombre(double v, int decimales);
};
