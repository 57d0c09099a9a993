#pragma once

#include "commun/TableauValeurs.h"
#include "data/ChargeurPluie.h"
#include "data/Periodes.h"

#include <QString>
#include <array>

class BaseDonnees;
class Classe_Graphiques;
class CtlGraphique;
class MoteurGraphique;
class PanneauChargement;
class QObject;

// Un chargement du contrôle, de la demande de l'hôte au graphique tracé, en
// étapes : la demande figée et vérifiée, la période et les dates, le type de
// tracé, les séries du genre de graphique, l'affichage.
class SequenceChargement
{
public:
    explicit SequenceChargement(CtlGraphique& controle);
    void executer();
    // Vrai tant que le chargement n'est pas allé au bout (le pointeur d'attente est posé).
    bool enCours() const { return m_enCours; }

private:
    // Une mesure des tables de pluviomètre : son code, son titre, sa colonne, sa couleur.
    struct Mesure
    {
        QChar code;
        const char* titre;
        const char* colonne;
        int couleur;
    };
    static const std::array<Mesure, 6>& mesures();
    static const Mesure* mesure(const QString& code);

    void viderEtPreparer();
    void figerDemande();
    bool demandeValide();
    void choisirPeriodeEtDates();
    void choisirTypeDeTrace();
    void preparerGraphiquePluie();
    void chargerSeries();
    void afficher();

    // Avant chaque série, l'écran suit et un arrêt demandé est respecté.
    bool suite();
    void chargerMesures(Classe_Graphiques& cible, int mode);
    void chargerAnnee();
    void chargerStatistiquesAnnee(const Mesure& m);
    void chargerSuperposition();
    void chargerDeuxGraphiques();
    void chargerReference();
    void chargerComparaison();
    bool deuxGraphiques() const;
    QString attribut(int a, int s) const;
    QString texteDuFormulaire(const char* nom) const;
    QObject* grilleDuFormulaire(const char* nom) const;
    bool referencePossible(bool& grilleConnue);
    bool coche(const QString& nom) const;

    CtlGraphique& m_ctl;
    Classe_Graphiques& m_courbes;   // CollCourbes
    Classe_Graphiques& m_courbes2;  // CollCourbes2, la pluie des graphiques doubles
    MoteurGraphique& m_graphique;
    MoteurGraphique& m_superpose;
    PanneauChargement* m_panneau = nullptr;
    bool m_enCours = false;

    // La demande figée au départ : un changement pendant le chargement ne l'atteint pas.
    QString m_chargement, m_periodes;
    Variante m_variante = Variante::Aucune;
    bool m_courbe = false;
    TableauValeurs m_tableau;
    bool m_cumul = false;
    QString m_codePluvio, m_nomPluvio;
    QObject* m_formulaire = nullptr;
    BaseDonnees* m_base = nullptr;
    int m_moisHydro = 10;
    Periodes::Choix m_choix;
    ChargeurPluie::Demande m_demande;
};
