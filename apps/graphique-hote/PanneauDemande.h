#pragma once

#include "control/HoteGraphique.h"
#include "settings/StatistiquesRetenues.h"

#include <QSet>
#include <QWidget>

class QCheckBox;
class SaisieDate;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QSpinBox;
class QTreeWidget;

// Ce que l'utilisateur demande : la station et ses compagnes, le genre de
// graphique, les dates, l'année, la mesure, la période, l'affichage, le cumul
// et les statistiques du graphique annuel. Les cases de statistiques sont
// lues par leur nom par le contrôle, sur le formulaire qui le porte. Les choix
// des statistiques (années, premier mois de l'année hydrologique, normales
// officielles) sont gardés dans les paramètres de l'utilisateur.
class PanneauDemande : public QWidget
{
    Q_OBJECT

public:
    explicit PanneauDemande(QWidget* parent = nullptr);

    void definirStations(const QList<HoteGraphique::Station>& stations,
                         const QHash<QString, std::pair<QDate, QDate>>& etendues);
    // La station de ce code et de ce genre choisie dans la liste, comme d'un clic ; faux si elle n'y est pas.
    bool selectionner(const QString& code, const QString& genre);
    // La demande telle que saisie ; vide et `erreur` en français quand elle ne tient pas.
    std::optional<HoteGraphique::Demande> demande(QString& erreur) const;
    // La station choisie et les dates, pour corriger ses mesures : un pluviomètre seulement.
    std::optional<HoteGraphique::Demande> demandeCorrection(QString& erreur) const;
    // Les cases cochées des statistiques, par nom de case du formulaire (ChkMediane…).
    QHash<QString, bool> statistiques() const;

signals:
    void tracerDemande();
    void corrigerDemande();

private:
    void creerStations();
    void creerChoix();
    void creerStatistiques();
    void creerChoixStatistiques();
    QHBoxLayout* creerAnnees(QWidget* cadre);
    void creerMoisEtNormales(QWidget* cadre);
    void chargerChoixStatistiques();
    void majChoixStatistiques();
    StatistiquesRetenues::Choix choixStatistiques() const;
    void retenirChoixStatistiques();
    bool poserChoixStatistiques(HoteGraphique::Demande& d, QString& erreur) const;
    void filtrer(const QString& texte);
    void genreChange();
    void stationChoisie();
    void compagneCochee(const QListWidgetItem* item);

    QLineEdit* m_filtre = nullptr;
    QTreeWidget* m_stations = nullptr;
    QComboBox* m_genre = nullptr;
    QListWidget* m_autres = nullptr;
    SaisieDate* m_debut = nullptr;
    SaisieDate* m_fin = nullptr;
    QSpinBox* m_annee = nullptr;
    QComboBox* m_mesure = nullptr;
    QComboBox* m_periode = nullptr;
    QComboBox* m_affichage = nullptr;
    QComboBox* m_variante = nullptr;
    QCheckBox* m_cumul = nullptr;
    QList<QCheckBox*> m_statistiques;
    QCheckBox* m_anneesChoisies = nullptr;
    QSpinBox* m_premiereAnnee = nullptr;
    QSpinBox* m_derniereAnnee = nullptr;
    QComboBox* m_moisHydro = nullptr;
    QCheckBox* m_normalesOfficielles = nullptr;
    QList<HoteGraphique::Station> m_liste;
    QHash<QString, std::pair<QDate, QDate>> m_etendues;
    // Les compagnes cochées de chaque genre de station, gardées quand le genre de graphique change.
    QHash<int, QSet<QString>> m_compagnesCochees;
    // Début ou Fin tapés par la personne depuis le dernier choix de station.
    bool m_datesTapees = false;
};
