#pragma once

#include "control/HoteGraphique.h"
#include "data/bases/HistoriqueMesures.h"
#include "data/import/ImportMesures.h"

#include <QHash>
#include <QPointer>
#include <QMainWindow>
#include <memory>
#include <optional>

class BaseDonnees;
class DialogueImport;
class FormulaireGraphique;
class GrilleCourbes;
class PanneauDemande;
class QAction;
class QLabel;
class QMenu;
class QTableWidget;

// La fenêtre de l'application de bureau : à gauche la demande (stations,
// genre, dates…) et la liste des courbes, au centre le contrôle graphique sur
// son formulaire, les données du graphique dans un volet, menus et barre d'état.
class FenetreHote : public QMainWindow
{
    Q_OBJECT
    // Lue par le contrôle à chaque chargement : les points jusqu'à cette date ne se modifient plus.
    Q_PROPERTY(QString DateDerniereValidation MEMBER m_derniereValidation)

public:
    explicit FenetreHote(QWidget* parent = nullptr);
    ~FenetreHote() override;

    // Ouvre une base (fichier SQLite ou texte de connexion PostgreSQL). En cas
    // d'échec, un message dit pourquoi et la base ouverte reste en service.
    // `retenir` : elle devient la dernière base et entre dans les récentes.
    bool ouvrirBase(const QString& texte, bool retenir = true);
    // La base de départ : celle demandée, sinon la dernière, sinon la base d'exemple (faite si besoin).
    void ouvrirAuDemarrage(const QString& demandee);
    static QString cheminBaseExemple();

    bool tracer();
    // Les mesures du pluviomètre choisi, sur les dates du panneau, dans le graphique de travail.
    bool corriger();
    // La dernière correction du pluviomètre corrigé (sinon de celui choisi dans la liste) défaite,
    // après confirmation ; refusée si elle touche une mesure jusqu'à la date de dernière validation.
    bool annulerDerniereCorrection();
    bool enregistrerGraphique(const QString& chemin);
    FormulaireGraphique& formulaire() { return *m_formulaire; }
    PanneauDemande& panneau() { return *m_panneau; }
    GrilleCourbes& courbes() { return *m_courbes; }
    QString texteBase() const { return m_texteBase; }

    // Membres que le contrôle appelle par leur nom sur la fenêtre qui le contient.
    Q_INVOKABLE void AppelDeclencheClick(qint16 index);
    // Le contrôle rangé de nouveau : son cadre d'édition a pu paraître ou disparaître.
    Q_INVOKABLE void Form_Resize();
    // L'outil 10 et l'enregistrement d'une correction rechargent le graphique montré.
    Q_INVOKABLE void TraitementParametres();
    Q_INVOKABLE void TraitementParametresTotal() { TraitementParametres(); }
    Q_INVOKABLE void RempliSprDonnees() { remplirDonnees(); }

protected:
    void closeEvent(QCloseEvent* evenement) override;

private:
    void creerMenus();
    void creerMenuFichier();
    void creerMenuGraphique();
    void creerMenuAide();
    bool charger(const std::optional<HoteGraphique::Demande>& demande, QString erreur, bool correction);
    bool chargerSousJauge(const HoteGraphique::Demande& demande, bool correction, QString& erreur, bool& annule);
    bool direIssue(const QString& erreur, bool annule);
    void apresChargement();
    void creerVolets();
    bool ouvrirBaseExemple(bool retenir);
    void exporterClasseur();
    void majBasesRecentes();
    void lireStations();
    void choisirFichierSqlite();
    void choisirPostgres();
    void importerCsv();
    bool importerFichier(const DialogueImport& d, ImportMesures::Bilan& bilan, QString& erreur);
    void enregistrerSous();
    void imprimer();
    void remplirDonnees();
    void majEtat();
    void message(const QString& type, const QString& texte);
    void choisirDateValidation();
    QString pluviometreCorrige(QString& erreur);
    std::optional<HistoriqueMesures::Lot> correctionAAnnuler(const QString& station, const QString& table);
    void bloquerPendantChargement(bool pendant);
    void majExports();
    QString dossierEdition();
    QString cheminClasseur(const QString& titre, const QString& propose);
    void classeurEcrit(const QString& chemin);
    void exporterAnnuaire();
    void faireBulletin();

    FormulaireGraphique* m_formulaire;
    PanneauDemande* m_panneau;
    GrilleCourbes* m_courbes;
    QTableWidget* m_donnees = nullptr;
    QMenu* m_recentes = nullptr;
    QLabel* m_etat;
    QAction* m_actionExporter = nullptr;
    QAction* m_actionAnnuaire = nullptr;
    QList<QAction*> m_actionsGraphique;
    std::unique_ptr<BaseDonnees> m_base;
    QString m_texteBase;
    std::optional<HoteGraphique::Demande> m_derniere;
    QString m_derniereValidation;
    QString m_aideAbsente;  // vide quand le manuel est trouvé
    bool m_chargementEnCours = false;
    bool m_fermerApresChargement = false;
    QList<std::pair<QPointer<QAction>, bool>> m_actionsAvantChargement;
};
