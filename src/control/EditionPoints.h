#pragma once

#include "entry/EnregistrementPoints.h"

#include <QDate>
#include <QHash>
#include <QPair>
#include <QString>
#include <optional>

class CadreTitre;
class CtlGraphique;
class GrillePoints;
class QPushButton;

// La correction des mesures depuis le contrôle : points posés à la souris
// (outil 4), grille des points de la courbe chargée (outil 6), plage effacée au
// rectangle (outil 5). Chaque enregistrement dit ce qui change, le fait
// confirmer, l'écrit tout ou rien et recharge le graphique.
class EditionPoints
{
public:
    EditionPoints(CtlGraphique& controle, GrillePoints& grille, CadreTitre& cadre);

    // Les boutons du cadre d'édition, et les cellules de la grille.
    void brancher(QPushButton& inserer, QPushButton& supprimer, QPushButton& enregistrer);
    // La date de dernière validation de l'hôte : rien ne se corrige jusqu'à elle comprise.
    const std::optional<QDate>& derniereValidation() const { return m_derniereValidation; }
    void setDerniereValidation(const std::optional<QDate>& date) { m_derniereValidation = date; }

    // Des corrections saisies que la base n'a pas encore : lignes de la grille, points posés.
    bool enAttente();
    // Avant qu'elles ne soient perdues, la personne choisit : enregistrées, abandonnées, ou y
    // revenir (faux). Abandonnées, le graphique reprend ce que la base tient si `grapheGarde`.
    bool conclure(bool grapheGarde);
    // Le bouton « Enregistrer les données » : ce que l'outil courant a préparé, ou pourquoi rien.
    void enregistrerDemande();

    // Après chaque tracé : le graphique de travail garde son jeu des points corrigés.
    void apresAffichage();
    void editerGrille();
    void ajouterPointClic(double x, double y);
    void redessinerPoints();
    void enregistrerPointsPoses();
    void effacerPointsPoses();
    void masquerPointsPoses();
    void supprimerPlage(double x1, double x2);

private:
    bool preparerGrille();
    void remplirGrille();
    QHash<QPair<QDate, QTime>, LigneMesure> mesuresEnBase();
    void celluleModifiee(int ligne, int colonne);
    void marquerSaisie(int ligne, int colonne);
    void celluleCliquee(int ligne, int colonne);
    void reconstruireCourbe();
    void positionnerLigne(int ligne, bool xSeulement);
    void insererPoint();
    void majInsertion();
    void supprimerPoint();
    void enregistrerGrille();
    std::optional<EnregistrementPoints::Projet> projetGrille(QString& erreur);
    std::optional<EnregistrementPoints::Projet> projetPointsPoses(QString& erreur);
    bool enregistrerProjet(const EnregistrementPoints::Projet& projet, const QString& question, const QString& origine);
    bool ecrireProjet(const EnregistrementPoints::Projet& projet, const QString& origine);
    QString texteStation() const;
    QString resume(const EnregistrementPoints::Projet& projet) const;
    void abandonner(bool grapheGarde);
    void rechargerApresEnregistrement();
    bool avantValidation(const QDate& jour) const { return m_derniereValidation && jour <= *m_derniereValidation; }
    QString texteValidation() const;

    CtlGraphique& m_ctl;
    GrillePoints& m_grille;
    CadreTitre& m_cadre;
    std::optional<QDate> m_derniereValidation;
    QPushButton* m_inserer = nullptr;
};
