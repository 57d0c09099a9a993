#pragma once

#include "commun/TypeGraph.h"
#include "model/Classe_Graphiques.h"

#include <QDate>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class BaseDonnees;
class CtlGraphiquePrive;
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
    Q_PROPERTY(bool lightVersion READ lightVersion WRITE setLightVersion)
    Q_PROPERTY(bool calculauto READ calculauto WRITE setCalculauto)
    Q_PROPERTY(QString MaChaineChargement READ MaChaineChargement WRITE setMaChaineChargement)
    Q_PROPERTY(QString MaChainePeriodes READ MaChainePeriodes WRITE setMaChainePeriodes)
    Q_PROPERTY(QString MaChaineTypeGraph READ MaChaineTypeGraph WRITE setMaChaineTypeGraph)
    Q_PROPERTY(QString MaChaineTypeAffichage READ MaChaineTypeAffichage WRITE setMaChaineTypeAffichage)
    Q_PROPERTY(bool isCumul READ isCumul WRITE setIsCumul)
    Q_PROPERTY(bool isStatistiquesMeteoFrance READ isStatistiquesMeteoFrance WRITE setIsStatistiquesMeteoFrance)
    Q_PROPERTY(QString titreStatistiqueMeteoFrance READ titreStatistiqueMeteoFrance WRITE setTitreStatistiqueMeteoFrance)
    Q_PROPERTY(QString typeDonnees READ typeDonnees WRITE setTypeDonnees)
    Q_PROPERTY(QString echelle READ echelle WRITE setEchelle)
    Q_PROPERTY(QVariant MonTabPluvio READ MonTabPluvio WRITE setMonTabPluvio)
    Q_PROPERTY(bool graphiqueApercu READ graphiqueApercu WRITE setGraphiqueApercu)
    Q_PROPERTY(qint16 typeAffichageEchelle READ typeAffichageEchelle WRITE setTypeAffichageEchelle)
    // Titre et légende de la page imprimée montrés aussi à l'écran ; non par défaut.
    Q_PROPERTY(bool titreEtLegendeALEcran READ titreEtLegendeALEcran WRITE setTitreEtLegendeALEcran)
    // Faux pour un hôte sans témoin (essais, ligne de commande) : le classeur exporté n'est pas ouvert.
    Q_PROPERTY(bool ouvrirApresExport READ ouvrirApresExport WRITE setOuvrirApresExport)
    Q_PROPERTY(qint16 TypeGraphique READ typeGraphiqueNumero WRITE setTypeGraphiqueNumero NOTIFY typeGraphiqueChange)

public:
    explicit CtlGraphique(QWidget* parent = nullptr);
    ~CtlGraphique() override;

    // Propriétés publiques, pour les hôtes C++.
    bool lightVersion() const;
    void setLightVersion(bool v);
    bool calculauto() const;
    void setCalculauto(bool v);
    QString MaChaineChargement() const;
    void setMaChaineChargement(const QString& t);
    QString MaChainePeriodes() const;
    void setMaChainePeriodes(const QString& t);
    QString MaChaineTypeGraph() const;
    void setMaChaineTypeGraph(const QString& t);
    QString MaChaineTypeAffichage() const;
    void setMaChaineTypeAffichage(const QString& t);
    // Les deux mêmes, lues en codes : la variante, et des courbes plutôt que des barres.
    Variante variante() const;
    bool enCourbes() const;
    bool isCumul() const;
    void setIsCumul(bool v);
    bool isStatistiquesMeteoFrance() const;
    void setIsStatistiquesMeteoFrance(bool v);
    QString titreStatistiqueMeteoFrance() const;
    void setTitreStatistiqueMeteoFrance(const QString& t);
    QString typeDonnees() const;
    void setTypeDonnees(const QString& t);
    QString echelle() const;
    void setEchelle(const QString& t);
    QVariant MonTabPluvio() const;
    void setMonTabPluvio(const QVariant& v);
    bool graphiqueApercu() const;
    void setGraphiqueApercu(bool v);
    qint16 typeAffichageEchelle() const;
    void setTypeAffichageEchelle(qint16 v);
    // Un cadre sans graduations ni données, titré : l'état d'avant le premier graphique, ou d'un chargement annulé.
    void montrerCadreVide(const QString& titre) noexcept;

    // Méthodes de l'interface du contrôle.
    Q_INVOKABLE void setCalculAuto(bool autoCalcul) noexcept;
    void MiseAjoutCourbes2(const std::shared_ptr<Classe_Graphiques>& mCollCourbes2) noexcept;
    Q_INVOKABLE QString getVersion() const noexcept;
    TypeGraph TypeGraphique() const noexcept;
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
    Q_INVOKABLE void AnnulerChargement() noexcept;
    void setAnnulation(bool annulee) noexcept;
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
    EnteteStations* RecupSprEntete() const noexcept;
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
    void setOuvrirApresExport(bool ouvrir);
    bool ouvrirApresExport() const;
    bool titreEtLegendeALEcran() const;
    void setTitreEtLegendeALEcran(bool afficher) noexcept;
    Q_INVOKABLE void AppliquerInitEnCours(bool xxValeur) noexcept;
    Q_INVOKABLE QString getDateDebutChargement() const noexcept;
    Q_INVOKABLE QString getDateFinChargement() const noexcept;
    Q_INVOKABLE QObject* getExtender() noexcept;
    // La période que montre l'axe des temps, la fenêtre d'un zoom comprise ; rien sans période tracée.
    std::optional<std::pair<QDate, QDate>> periodeTracee() const noexcept;
    // Le cumul annuel tracé sans l'année choisie, qu'aucune barre ne distingue alors : une phrase ; vide sinon.
    const QString& anneeNonComparee() const noexcept;
    // Un cumul annuel compare chaque année jusqu'au même jour : la fenêtre comparée de l'année `annee`.
    std::optional<std::pair<QDate, QDate>> fenetreCumulAnnuel(int annee) const;

    // Enfants et état que les autres parties du contrôle atteignent.
    MoteurGraphique& Graphique();
    MoteurGraphique& GraphiqueSuperposePluvio();
    VueGraphique* vueGraphique() const;
    VueGraphique* vueGraphiqueSuperposePluvio() const;
    Classe_Graphiques& CollCourbes();
    Classe_Graphiques& CollCourbes2();
    std::shared_ptr<Classe_Graphiques> CollCourbes2Partagee();
    CtlToolBar* PaletteOutils() const;
    ChampDate* TxtDateDebut() const;
    ChampDate* TxtDateFin() const;
    ChampDate* TxtAnnee() const;
    QTableWidget* SprAide() const;
    GrillePoints* SprPoints() const;
    QWidget* composant(const QString& nom) const;
    qint16 outilCourant() const;
    bool annulation() const;
    static BaseDonnees* baseDonnees();
    // La collection principale si un graphique l'a déjà créée.
    const Classe_Graphiques* collectionSiCreee() const;

    // Les collaborateurs du contrôle et ce qu'ils lui demandent.
    SourisEtZoom& souris();
    EditionPoints& edition();
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
    // Ce que l'image écrite à `taille` montre, pour la lire sans elle : la zone de tracé en pixels,
    // les jours à ses bords, le nom de chaque série et chacun de ses points tracés.
    struct LectureImage
    {
        struct Point
        {
            int serie = 0;
            QPointF pixel;
            QDate date;
            QString libelle;  // la catégorie d'une barre ("01/19"), telle que l'axe l'écrit
            double valeur = 0;
        };
        QRectF zone;
        QDate debut, fin;
        QStringList series;
        std::vector<Point> points;
    };
    LectureImage LireImage(const QSize& taille) noexcept;

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
    qint16 typeGraphiqueNumero() const;
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
    // Type déduit à la définition : l'en-tête n'a pas à connaître l'export.
    auto demandeExport(bool superposition) const;
    // Tout l'état, hors de l'en-tête installé : un membre ajouté ne change pas la taille du contrôle.
    std::unique_ptr<CtlGraphiquePrive> d;
};
