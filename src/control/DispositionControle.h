#pragma once

#include "commun/TypeGraph.h"
#include "control/DispositionInitiale.h"

#include <QString>
#include <memory>

class CadreTitre;
class ChampDate;
class CtlGraphique;
class CtlToolBar;
class EnteteStations;
class GrillePoints;
class PanneauChargement;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QWidget;
class VueGraphique;

// Les enfants du contrôle graphique et leur place : palette, champs de dates, en-tête des
// stations, cadre de la courbe de référence, les deux vues empilées, cadre d'édition,
// cadres de lecture et de chargement. Ils sont rangés selon la taille du contrôle et le
// genre de graphique, et remis tels qu'à la création pour chaque graphique neuf.
class DispositionControle
{
public:
    explicit DispositionControle(QWidget& controle);

    // Les cadres et champs que le genre montre ou cache, et les outils qu'il retire.
    void appliquerType(TypeGraph type);
    // Place des enfants selon la taille du contrôle (twips : 15 par pixel) ; les moteurs suivent.
    void redimensionner(TypeGraph type);
    // Les graphiques remontés au niveau de la courbe de référence, le cadre de chargement avec eux.
    void alignerSurReference(TypeGraph type);
    void masquerEntete();
    // La grille de lecture des coordonnées : une colonne, la date puis la valeur.
    void preparerLecture();
    // Palette, visibilités, places, grille des points et courbe de référence d'un contrôle neuf.
    void remettreANeuf();

    void ecrireReference(const QString& code, const QString& libelle, const QString& debut, const QString& fin);
    QString codeReference() const;
    std::unique_ptr<PanneauChargement> panneauChargement(CtlGraphique& ctl) const;

    VueGraphique& vue() const { return *m_graphique; }
    VueGraphique& vueSuperposee() const { return *m_graphiqueSuperpose; }
    CtlToolBar& palette() const { return *m_palette; }
    EnteteStations& entete() const { return *m_entete; }
    ChampDate& dateDebut() const { return *m_dateDebut; }
    ChampDate& dateFin() const { return *m_dateFin; }
    ChampDate& annee() const { return *m_annee; }
    QTableWidget& sprAide() const { return *m_sprAide; }
    GrillePoints& sprPoints() const { return *m_sprPoints; }
    CadreTitre& cadreOutils() const { return *m_frmOutils; }
    // L'image au bout de la bande des dates, qui demande un chargement.
    QLabel& imageChargement() const { return *m_picture1; }
    struct BoutonsEdition
    {
        QPushButton& inserer;
        QPushButton& supprimer;
        QPushButton& enregistrer;
    };
    BoutonsEdition boutonsEdition() const { return {*m_cmdInsertion, *m_cmdSuppression, *m_cmdEnregistrer}; }

private:
    void creerChampsDates();
    void creerEntete();
    void creerCadreReference();
    void creerVues();
    void creerCadreOutils();
    void creerCadresLecture();
    void etatDeCreation();
    void placerOutilsOuReference(int largeur, TypeGraph type);
    void placerLecture(TypeGraph type);

    QWidget& m_controle;
    DispositionInitiale m_creation;
    bool m_enteteMasquee = false;

    CtlToolBar* m_palette = nullptr;
    VueGraphique* m_graphique = nullptr;
    VueGraphique* m_graphiqueSuperpose = nullptr;
    QWidget* m_frmEntete = nullptr;
    EnteteStations* m_entete = nullptr;
    GrillePoints* m_sprPoints = nullptr;
    QTableWidget* m_sprAide = nullptr;
    CadreTitre* m_frmAide = nullptr;
    CadreTitre* m_frmChargement = nullptr;
    QProgressBar* m_barreChargement = nullptr;
    QLabel* m_messageChargement = nullptr;
    ChampDate* m_dateDebut = nullptr;
    ChampDate* m_dateFin = nullptr;
    ChampDate* m_annee = nullptr;
    QLabel* m_lblAnnee = nullptr;
    QLabel* m_lblDateDebut = nullptr;
    QLabel* m_lblDateFin = nullptr;
    CadreTitre* m_frmCourbeReference = nullptr;
    QLabel* m_lblCodeReference = nullptr;
    QLabel* m_lblLibelleCourbeReference = nullptr;
    QLabel* m_lblDateDebutReference = nullptr;
    QLabel* m_lblDateFinReference = nullptr;
    CadreTitre* m_frmOutils = nullptr;
    QPushButton* m_cmdInsertion = nullptr;
    QPushButton* m_cmdSuppression = nullptr;
    QPushButton* m_cmdEnregistrer = nullptr;
    QLabel* m_picture1 = nullptr;
};
