#pragma once

#include "commun/TypeGraph.h"
#include "control/DispositionControle.h"
#include "model/Classe_Graphiques.h"
#include "entry/EnregistrementPoints.h"
#include "output/exports/ExportGraphiqueTableur.h"

#include <QDate>
#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class BaseDonnees;
class FenetreProgression;
class ChampDate;
class CtlToolBar;
class EditionPoints;
class OptionsAffichage;
class PanneauChargement;
class SourisEtZoom;
class EnteteStations;
class GrillePoints;
class QIODevice;
class QTableWidget;
class VueGraphique;
class MoteurGraphique;

// Le contrôle graphique qu'un hôte pose sur l'une de ses fenêtres : deux
// graphiques empilés (le principal et, dessous, celui des pluies), la palette,
// l'en-tête des stations, les champs de dates et d'année, les cadres de lecture
// et de chargement, celui de la courbe de référence et celui de l'édition.
// Chaque opération publique est gardée : rien de ce qu'elle rencontre ne
// remonte jusqu'à l'hôte.
class CtlGraphique : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool lightVersion MEMBER m_lightVersion)
    Q_PROPERTY(bool calculauto MEMBER m_calculauto)
    Q_PROPERTY(QString MaChaineChargement MEMBER m_chaineChargement)
    Q_PROPERTY(QString MaChainePeriodes MEMBER m_chainePeriodes)
    Q_PROPERTY(QString MaChaineTypeGraph MEMBER m_chaineTypeGraph)
    Q_PROPERTY(QString MaChaineTypeAffichage MEMBER m_chaineTypeAffichage)
    Q_PROPERTY(bool isCumul MEMBER m_isCumul)
    Q_PROPERTY(bool isStatistiquesMeteoFrance MEMBER m_isStatistiquesMeteoFrance)
    Q_PROPERTY(QString titreStatistiqueMeteoFrance MEMBER m_titreStatistiqueMeteoFrance)
    Q_PROPERTY(QString typeDonnees MEMBER m_typeDonnees)
    Q_PROPERTY(QString echelle MEMBER m_echelle)
    Q_PROPERTY(QVariant MonTabPluvio MEMBER m_tabPluvio)
    Q_PROPERTY(bool graphiqueApercu MEMBER m_graphiqueApercu)
    Q_PROPERTY(qint16 typeAffichageEchelle MEMBER m_typeAffichageEchelle)
    // Titre et légende de la page imprimée montrés aussi à l'écran ; non par défaut.
    Q_PROPERTY(bool titreEtLegendeALEcran READ titreEtLegendeALEcran WRITE setTitreEtLegendeALEcran)
    // Faux pour un hôte sans témoin (essais, ligne de commande) : le classeur exporté n'est pas ouvert.
    Q_PROPERTY(bool ouvrirApresExport MEMBER m_ouvrirApresExport)
    Q_PROPERTY(qint16 TypeGraphique READ typeGraphiqueNumero WRITE setTypeGraphiqueNumero NOTIFY typeGraphiqueChange)

public:
    explicit CtlGraphique(QWidget* parent = nullptr);
    ~CtlGraphique() override;

    // Propriétés publiques, pour les hôtes C++.
    bool lightVersion() const { return m_lightVersion; }
    void setLightVersion(bool v) { m_lightVersion = v; }
    bool calculauto() const { return m_calculauto; }
    void setCalculauto(bool v) { m_calculauto = v; }
    QString MaChaineChargement() const { return m_chaineChargement; }
    void setMaChaineChargement(const QString& t) { m_chaineChargement = t; }
    QString MaChainePeriodes() const { return m_chainePeriodes; }
    void setMaChainePeriodes(const QString& t) { m_chainePeriodes = t; }
    QString MaChaineTypeGraph() const { return m_chaineTypeGraph; }
    void setMaChaineTypeGraph(const QString& t) { m_chaineTypeGraph = t; }
    QString MaChaineTypeAffichage() const { return m_chaineTypeAffichage; }
    void setMaChaineTypeAffichage(const QString& t) { m_chaineTypeAffichage = t; }
    // Les deux mêmes, lues en codes : la variante, et des courbes plutôt que des barres.
    Variante variante() const { return VarianteDepuisTexte(MaChaineTypeGraph()); }
    bool enCourbes() const { return MaChaineTypeAffichage() == QLatin1String("COURBE"); }
    bool isCumul() const { return m_isCumul; }
    void setIsCumul(bool v) { m_isCumul = v; }
    bool isStatistiquesMeteoFrance() const { return m_isStatistiquesMeteoFrance; }
    void setIsStatistiquesMeteoFrance(bool v) { m_isStatistiquesMeteoFrance = v; }
    QString titreStatistiqueMeteoFrance() const { return m_titreStatistiqueMeteoFrance; }
    void setTitreStatistiqueMeteoFrance(const QString& t) { m_titreStatistiqueMeteoFrance = t; }
    QString typeDonnees() const { return m_typeDonnees; }
    void setTypeDonnees(const QString& t) { m_typeDonnees = t; }
    QString echelle() const { return m_echelle; }
    void setEchelle(const QString& t) { m_echelle = t; }
    QVariant MonTabPluvio() const { return m_tabPluvio; }
    void setMonTabPluvio(const QVariant& v) { m_tabPluvio = v; }
    bool graphiqueApercu() const { return m_graphiqueApercu; }
    void setGraphiqueApercu(bool v) { m_graphiqueApercu = v; }
    qint16 typeAffichageEchelle() const { return m_typeAffichageEchelle; }
    void setTypeAffichageEchelle(qint16 v) { m_typeAffichageEchelle = v; }
    // Un cadre sans graduations ni données, titré : l'état d'avant le premier graphique, ou d'un chargement annulé.
    void montrerCadreVide(const QString& titre) noexcept;

    // Méthodes de l'interface du contrôle.
    Q_INVOKABLE void setCalculAuto(bool autoCalcul) noexcept;
    void MiseAjoutCourbes2(const std::shared_ptr<Classe_Graphiques>& mCollCourbes2) noexcept;
    Q_INVOKABLE QString getVersion() const noexcept;
    TypeGraph TypeGraphique() const noexcept { return m_typeGraphique; }
    void setTypeGraphique(TypeGraph type) noexcept;
    Q_INVOKABLE void ImpressionGraphique() noexcept;
    void InitGraphique(TypeGraph TypeGraph, QObject* SprListe, const QString& xxNomProjet,
                       qint16 xxTypeAffichageEchelle, const QString& xxType_Exploitation, const QString& xxFichierAide,
                       const QString& xxCheminEdition, bool xxPoint_Ok, const QString& xxMoisAnneeHydro,
                       const QString& xxExcel, BaseDonnees* xxBD, QObject* xxFenetrePrincipale,
                       qint16 xxNoAide) noexcept;
    void AffichageGraphiqueSuperposepluvioPiezo(bool SuperposeAnnee, bool SuperpositionCourbes,
                                                QObject* jauge) noexcept;
    void AffichageGraphique(bool SuperposeAnnee, bool SuperpositionCourbes, const QString& Frequence) noexcept;
    void AffichageGraphiquePiezo(bool SuperposeAnnee, bool SuperpositionCourbes, QObject* jauge) noexcept;
    Q_INVOKABLE void ChargementDonnees() noexcept;
    // Le chargement en cours s'arrête à sa prochaine étape (bouton Annuler de la jauge de l'hôte).
    Q_INVOKABLE void AnnulerChargement() noexcept { m_annulation = true; }
    void setAnnulation(bool annulee) noexcept { m_annulation = annulee; }
    Q_INVOKABLE void declencheChargement() noexcept;
    Q_INVOKABLE void declencheOutil(qint16 Index) noexcept;
    // Des corrections saisies (grille des points, points posés) que la base n'a pas encore.
    bool correctionsEnAttente() noexcept;
    // Avant de remplacer le graphique ou de fermer : les corrections en attente enregistrées ou
    // abandonnées au choix de la personne ; faux si elle préfère y revenir.
    bool conclureCorrections() noexcept;
    Q_INVOKABLE void MasquerEntete() noexcept;
    Q_INVOKABLE void DeclencheSupprimer() noexcept;
    Q_INVOKABLE void DeclencheEnregistrer() noexcept;
    void MajStatistiques(qint16 noCourbe, bool& CourbeAAfficher) noexcept;
    void MajCourbesAffichees(QObject* Spr, qint32 Row, qint32 Col) noexcept;
    void SelectUnselectCourbes(QObject* Spr) noexcept;
    Q_INVOKABLE qint16 AjoutePluvio(const QString& NomSite, const QString& Cle) noexcept;
    Q_INVOKABLE void SupprimerPluvio(qint32 noCourbe) noexcept;
    Q_INVOKABLE void SupprimerPiezo(qint32 noCourbe) noexcept;
    Q_INVOKABLE void MasquerOutils(qint16 Index) noexcept;
    Q_INVOKABLE QString CodeCourbeReference() const noexcept;
    Q_INVOKABLE void InitCourbeReference(const QString& code, const QString& libelle, const QString& DateDebut,
                                         const QString& DateFin, double min, double max) noexcept;
    Q_INVOKABLE void InitCourbeApercu(double min, double max, const QString& DateDebut,
                                      const QString& DateFin) noexcept;
    void AjouteCourbe(const QString& Cle, const QString& Titre, qint16 couleur, const QVariant& TabValeurs) noexcept;
    void RecupDatesChargement(QString& DateDebut, QString& DateFin) const noexcept;
    void MajCourbeAnnee(QObject* SprAugures, const QString& CleCourbe, qint32 nbDates,
                        const QVariant& TabValeurs) noexcept;
    Q_INVOKABLE qint32 getCollCourbesSize() noexcept;
    void RecupCourbe(qint16 indice, qint32& nbDates, QVariant& TabValeurs) noexcept;
    Q_INVOKABLE void afficheCourbe(qint16 indice) noexcept;
    Q_INVOKABLE void masqueCourbe(qint16 indice) noexcept;
    EnteteStations* RecupSprEntete() const noexcept { return &m_disposition->entete(); }
    void CreationAnnuaire(QObject* jauge, QObject* MonAppliExcel, bool CourbeAnnuelle, bool automatique) noexcept;
    // Le graphique affiché en classeur avec son graphique natif : dans le dossier d'édition
    // sous le nom tiré de l'en-tête, ou dans `chemin` s'il est donné. Rend le fichier écrit,
    // vide en cas d'échec (le message est déjà donné).
    QString ExporterClasseur(const QString& chemin = {}, FenetreProgression* progression = nullptr) noexcept;
    // La page d'annuaire (courbe des maximums de l'année ou chronique) écrite dans le dossier
    // d'édition, ou dans `chemin` s'il est donné. Rend le fichier écrit, vide en cas d'échec
    // (le message est déjà donné).
    QString EnregistrerAnnuaire(bool annuel, const QString& chemin = {}) noexcept;
    // Le classeur que l'export écrirait de lui-même dans le dossier d'édition, son nom précédé de
    // `page` : ce que propose un dialogue d'enregistrement.
    QString nomClasseurPropose(const QString& page = {}) const noexcept;
    // Faux : l'export écrit le classeur sans rien dire ni proposer de l'ouvrir.
    void setOuvrirApresExport(bool ouvrir) { m_ouvrirApresExport = ouvrir; }
    bool titreEtLegendeALEcran() const { return m_titreLegendeEcran; }
    void setTitreEtLegendeALEcran(bool afficher) noexcept;
    Q_INVOKABLE void AppliquerInitEnCours(bool xxValeur) noexcept { m_initEnCours = xxValeur; }
    Q_INVOKABLE QString getDateDebutChargement() const noexcept;
    Q_INVOKABLE QString getDateFinChargement() const noexcept;
    Q_INVOKABLE QObject* getExtender() noexcept;
    // La période que montre l'axe des temps, la fenêtre d'un zoom comprise ; rien sans période tracée.
    std::optional<std::pair<QDate, QDate>> periodeTracee() const noexcept;
    // Le cumul annuel tracé sans l'année choisie, qu'aucune barre ne distingue alors : une phrase ; vide sinon.
    const QString& anneeNonComparee() const noexcept { return m_anneeNonComparee; }
    // Un cumul annuel compare chaque année jusqu'au même jour : la fenêtre comparée de l'année `annee`.
    std::optional<std::pair<QDate, QDate>> fenetreCumulAnnuel(int annee) const;

    // Enfants et état que les autres parties du contrôle atteignent.
    MoteurGraphique& Graphique();
    MoteurGraphique& GraphiqueSuperposePluvio();
    VueGraphique* vueGraphique() const { return &m_disposition->vue(); }
    VueGraphique* vueGraphiqueSuperposePluvio() const { return &m_disposition->vueSuperposee(); }
    Classe_Graphiques& CollCourbes();
    Classe_Graphiques& CollCourbes2();
    std::shared_ptr<Classe_Graphiques> CollCourbes2Partagee();
    CtlToolBar* PaletteOutils() const { return &m_disposition->palette(); }
    ChampDate* TxtDateDebut() const { return &m_disposition->dateDebut(); }
    ChampDate* TxtDateFin() const { return &m_disposition->dateFin(); }
    ChampDate* TxtAnnee() const { return &m_disposition->annee(); }
    QTableWidget* SprAide() const { return &m_disposition->sprAide(); }
    GrillePoints* SprPoints() const { return &m_disposition->sprPoints(); }
    QWidget* composant(const QString& nom) const;
    qint16 outilCourant() const { return m_outilCourant; }
    bool annulation() const { return m_annulation; }
    static BaseDonnees* baseDonnees();
    // La collection principale si un graphique l'a déjà créée.
    const Classe_Graphiques* collectionSiCreee() const { return m_collCourbes.get(); }

    // Les collaborateurs du contrôle et ce qu'ils lui demandent.
    SourisEtZoom& souris() { return *m_souris; }
    EditionPoints& edition() { return *m_edition; }
    // Le cadre de chargement posé sur le graphique, pour la durée d'un chargement.
    std::unique_ptr<PanneauChargement> panneauChargement();
    // Le chargement confié à l'hôte, qui sait ce qu'il montre ; faux sans hôte qui le fasse.
    bool demanderChargementALHote();
    void echelleDesValeurs(double minimum, double maximum);
    // L'axe des pluies (propriété `titre` du moteur) dit évapotranspiration quand l'ETP est seule tracée.
    void titrerAxeDesPluies(MoteurGraphique& g, int titre) const;
    // Le titre que l'écran garde quand les échelles refaites l'ont effacé.
    void legendeEcran();
    // L'aspect enregistré pour ce genre de graphique (fond, grille, divisions), et les échelles fixées
    // pour ce graphique-ci, repris après chaque chargement.
    void appliquerAffichageRetenu();
    // Ce qui fait « le même graphique » pour une échelle fixée : genre, stations, mesures, période
    // de regroupement, variante et cumul ; pas les dates. Vide avant le premier chargement.
    QString serieTracee() const;
    // Une échelle fixe (options, aspect retenu) qui coupe des valeurs le dit sur le graphique ; un zoom, non.
    void signalerEchelleFixe();

    // Mode d'outil : retenu, avec les réglages de souris du moteur pour les modes 2 à 6.
    void ChoisirOutil(qint16 mode) noexcept;

    // Souris sur le graphique : rectangle élastique, zooms, lecture des coordonnées
    // et pose de points. Coordonnées en unités du graphique.
    void DessinerRectangle(double x1, double y1, double x2, double y2) noexcept;
    void SuivreRectangle(double x, double y) noexcept;
    void ZoomerRectangle() noexcept;
    void ZoomerPas(Qt::MouseButton bouton) noexcept;
    void AfficherCoordonnees(double x, double y) noexcept;
    void PointDansGraphique(double x, double y, bool& Dedans) const noexcept;
    void AjouterPointClic(double x, double y) noexcept;
    void RedessinerPoints() noexcept;
    // Au-delà du rectangle : molette autour du pointeur, glisser du bouton du milieu,
    // retour à toute la période chargée (double clic, touche Début).
    void ZoomerMolette(double x, int crans) noexcept;
    void Decaler(double ecartX) noexcept;
    void ZoomerToutePeriode() noexcept;
    // Place des enfants selon la taille du contrôle (twips : 15 par pixel).
    void DispositionRedimensionnement() noexcept;
    // Le graphique tel qu'affiché, écrit dans un fichier PNG, SVG ou PDF.
    bool EcrireImage(const QString& chemin, const QSize& taille) noexcept;
    // Le même dans un fichier déjà ouvert ; `format` : "png", "svg" ou "pdf".
    bool EcrireImage(QIODevice& sortie, const QString& format, const QSize& taille) noexcept;

signals:
    void typeGraphiqueChange(qint16 type);
    // Ce qu'affiche le cadre de chargement : son message et l'avancement (0 à 100).
    void progression(const QString& message, int pourcent);
    // Un chargement, un zoom ou le retour à toute la période ont changé la période tracée.
    void periodeTraceeChangee();

protected:
    void resizeEvent(QResizeEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    qint16 typeGraphiqueNumero() const { return qint16(m_typeGraphique); }
    void setTypeGraphiqueNumero(qint16 n);
    // Tout ce qu'un graphique laisse derrière lui, rendu tel qu'à la création du contrôle.
    void remettreANeuf();
    void viderCadre(const QString& titre);
    void reglagesDeDepart();
    void viderCollections(TypeGraph type);
    // Les enfants rangés, puis le graphique des pluies refait s'il est tracé.
    void redisposer();
    void redessiner();
    // Titre "A - B (C)" tiré de l'en-tête des stations et légende des courbes, comme à l'impression.
    bool titreEtLegende();
    struct TextesTitre
    {
        QString a, b, c;
    };
    struct Compagne
    {
        QString nom, code;
    };
    TextesTitre textesTitre() const;
    QList<Compagne> stationsCompagnes() const;
    int legendePluies();
    int legendePointEnValeur();
    bool commeImprime(const std::function<bool(const MoteurGraphique&)>& ecriture);
    void effacerLegende();
    void remplirDatesDepuisPluviometre();
    bool interrogerAnnulation(QObject* jauge);
    void axesPointsDates(bool superpositionCourbes, QDate& debut, QDate& fin);
    void dessinerPointsCategorie(const Classe_Graphique& courbe, int premierePosition, bool cumul);
    void dessinerJeuCategorie(const Classe_Graphique& courbe, int jeu, bool cumul);
    void espacerLibelles(const QString& Frequence);
    void marquerAnneeChoisie(int premierePosition);
    QString uniteValeurs() const;

    void preparerOutil(qint16 index);
    void agirOutil();
    void exporterVersTableur(bool annee, bool superposition);
    QString titreEntete() const;
    ExportGraphiqueTableur::Demande demandeExport(bool superposition) const;
    // Propriétés publiques.
    bool m_lightVersion = false;
    bool m_calculauto = false;
    QString m_chaineChargement, m_chainePeriodes, m_chaineTypeGraph, m_chaineTypeAffichage;
    bool m_isCumul = false;
    bool m_isStatistiquesMeteoFrance = false;
    QString m_titreStatistiqueMeteoFrance;
    QString m_typeDonnees, m_echelle;
    QVariant m_tabPluvio;
    bool m_graphiqueApercu = false;
    qint16 m_typeAffichageEchelle = 0;
    bool m_ouvrirApresExport = true;
    bool m_titreLegendeEcran = false;
    bool m_jeuxParCourbe = false;
    QString m_anneeNonComparee;
    QString m_legendeEnValeur;  // le point que le graphique distingue, tel que la légende le nomme  // les nappes ont un jeu par courbe, les autres un par courbe tracée

    // État du contrôle.
    TypeGraph m_typeGraphique = TypeGraph::edition;
    std::shared_ptr<Classe_Graphiques> m_collCourbes;
    std::shared_ptr<Classe_Graphiques> m_collCourbes2;
    QPointer<QObject> m_extender;
    QString m_typeExploitation;
    qint16 m_noAide = 0;
    qint16 m_outilCourant = 0;
    qint16 m_compteurCouleur = 0;
    bool m_initEnCours = false;
    bool m_annulation = false;

    std::unique_ptr<DispositionControle> m_disposition;
    std::unique_ptr<SourisEtZoom> m_souris;
    std::unique_ptr<EditionPoints> m_edition;
    std::unique_ptr<OptionsAffichage> m_options;
};
