#pragma once

#include "control/FenetreZoom.h"
#include "model/Classe_Graphiques.h"

#include <QDate>
#include <QPointF>
#include <QString>
#include <Qt>
#include <optional>
#include <utility>

class CtlGraphique;
class MoteurGraphique;
class QObject;
class VueGraphique;

// La souris sur le graphique du contrôle : rectangle élastique, zooms (rectangle,
// pas, molette, déplacement, retour à toute la période) et lecture des coordonnées.
// Garde la vue d'avant le premier zoom pour y revenir. Coordonnées en unités du graphique.
class SourisEtZoom
{
public:
    explicit SourisEtZoom(CtlGraphique& controle);

    // Les signaux de souris de la vue principale, vers les outils du contrôle.
    void brancher(VueGraphique& vue);
    // Rien d'un graphique précédent : ni zoom, ni rectangle, ni déplacement en cours.
    void remettreANeuf();

    void dessinerRectangle(double x1, double y1, double x2, double y2);
    void suivreRectangle(double x, double y);
    void zoomerRectangle();
    void zoomerPas(Qt::MouseButton bouton);
    void zoomerMolette(double x, int crans);
    void decaler(double ecartX);
    void zoomerToutePeriode();
    void afficherCoordonnees(double x, double y);
    bool pointDansGraphique(double x, double y) const;
    // Le jour que la lecture des coordonnées donne sous la position X ; rien sans période affichée.
    std::optional<QDate> jourSous(double x);
    // Les jours sous deux positions X de la période affichée ; rien sans période affichée.
    std::optional<std::pair<QDate, QDate>> joursEntre(double x1, double x2) const;

    // La période que montre l'axe des temps, la fenêtre d'un zoom comprise.
    std::optional<std::pair<QDate, QDate>> periodeTracee() const;
    // Le contrôle l'annonce quand elle change.
    void annoncerPeriode();
    // Un tracé complet : la vue qu'il pose est celle d'où repartira un zoom.
    void retenirEchellesDuTrace();
    // Un zoom oublié : la collection reprend ses échelles et ses dates d'avant.
    void oublierZoom();
    // Vrai entre un zoom et le retour à toute la période.
    bool zoome() const { return m_vueInitiale.has_value(); }
    // Le zoom oublié sans rien rendre : la collection est vidée.
    void abandonnerZoom() { m_vueInitiale.reset(); }
    // La boîte des options s'ouvre : ce qu'elle montre est noté, pour savoir ensuite ce qui y a été changé.
    void noterEchellesAvantOptions();
    // Ce qui a été changé dans la boîte passe dans la vue d'avant le zoom, que le tracé suivant rend :
    // sans quoi l'échelle ou les dates choisies y seraient perdues.
    void garderChoixDesOptions();

private:
    struct Rectangle
    {
        bool dessin = false;
        bool premierMouvement = false;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    };
    // Les échelles et dates de la collection telles que le dernier tracé les a reçues : les axes
    // qu'il en a tirés les changent, et le retour d'un zoom doit repartir des mêmes.
    struct Echelles
    {
        bool echelleXAuto = true, echelleYAuto = true;
        double minY = 0, maxY = 0;
        UniteAxe unite = UniteAxe::Aucune;
        std::pair<Classe_Graphiques::Borne, Classe_Graphiques::Borne> affichage;
        qint16 pas = 0;
    };
    // La vue telle que tracée, retenue au premier zoom pour y revenir.
    struct VueInitiale
    {
        Echelles echelles;
        double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
        double xMinSuperpose = 0, xMaxSuperpose = 0;
    };

    void sourisEnfoncee(Qt::MouseButton bouton, double x, double y);
    void sourisRelachee(Qt::MouseButton bouton, double x, double y);
    void sourisDeplacee(double x, double y, Qt::MouseButtons boutons);
    void objetDepose(QObject* objet, const QPointF& position);
    bool periodeAffichee() const;
    bool pointsDates() const;
    void effacerRectangle();
    void retenirVueInitiale();
    void rendreEchelles(const Echelles& echelles);
    Echelles echellesCourantes() const;
    // Nouvelle fenêtre X du graphique : dates affichées, bornes du moteur, axes, graphique superposé.
    void appliquerFenetreX(double gauche, double droite);
    void reconstruireAxes(double yMin, double yMax);
    void alignerGraphiqueSuperpose();
    MoteurGraphique& graphique() const;

    CtlGraphique& m_ctl;
    Rectangle m_rectangle;
    // Déplacement au bouton du milieu : la position X tenue sous le pointeur.
    std::optional<double> m_ancreDecalage;
    Echelles m_echellesDuTrace;
    std::optional<Echelles> m_echellesAvantOptions;
    std::optional<VueInitiale> m_vueInitiale;
    std::optional<std::pair<QDate, QDate>> m_periodeAnnoncee;
    // Bornes X que le moteur prendra une fois les axes refaits.
    std::optional<FenetreZoom::Bornes> m_fenetreDemandee;
};
