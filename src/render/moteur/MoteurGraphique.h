#pragma once

#include "render/moteur/Calque.h"
#include "render/moteur/ModeleGraphique.h"

#include <QHash>
#include <QObject>
#include <QPicture>
#include <QSize>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Disposition;
class QPainter;

// Le moteur de graphique : piloté par des écritures et des lectures de
// propriétés numérotées, comme le contrôle l'attend de lui, il tient un modèle
// de graphique et le peint (écran, PNG, SVG, PDF, imprimante, fichier QPicture).
// Un numéro inconnu est gardé et se relit tel quel. Chaque écriture peut être
// tracée ("graphique.moteur") et observée.
class MoteurGraphique : public QObject
{
    Q_OBJECT

public:
    explicit MoteurGraphique(const QString& nom = QStringLiteral("Graphique"), QObject* parent = nullptr);
    ~MoteurGraphique() override;

    const QString& nom() const { return m_nom; }

    // Écritures : les valeurs 16 bits, 32 bits, double, simple et texte passent toutes par ici.
    void ecrire(int numero, const QVariant& valeur);
    void ecrire(int numero, double valeur);
    void ecrire(int numero, int valeur) { ecrire(numero, double(valeur)); }
    void ecrire(int numero, const QString& valeur);
    void ecrire(int numero, const char* valeur) { ecrire(numero, QString::fromUtf8(valeur)); }
    void ecrireIndexe(int numero, int indice, const QVariant& valeur);
    void ecrireIndexe(int numero, int indice, double valeur);
    void ecrireIndexe(int numero, int indice, int valeur) { ecrireIndexe(numero, indice, double(valeur)); }
    void ecrireIndexe(int numero, int indice, const QString& valeur);

    // Chargement d'une longue série en une fois, sans passer point par point par
    // les propriétés : le jeu `jeu` (depuis 1, créé s'il manque) reçoit ses
    // positions X et ses valeurs, tous ses points présents, de la couleur de
    // palette `couleur`, sans plafond ni code de validité ; le graphique devient
    // X–Y. Le nombre de points du graphique devient celui de la série, pour
    // tous les jeux, comme l'écriture de la propriété NbPoints. Les résumés du
    // jeu sont construits tout de suite : le premier dessin ne les attend pas.
    // Rien d'autre n'est demandé (ni dessin, ni trace des écritures). Faux, et
    // rien n'est changé, si les deux tableaux n'ont pas la même taille ou si la
    // série dépasse ce que le moteur accepte (ModeleGraphique::cellulesMax).
    bool chargerSerie(int jeu, std::vector<double> x, std::vector<float> valeurs, int couleur);

    // Un point daté tel que le contrôle l'écrit dans le jeu courant.
    struct PointDate
    {
        bool date = false;                // sans date : seulement Manquant = 1 (au point choisi)
        int validite = 0;
        double x = 0;
        bool avecValeur = false;
        std::optional<double> valeur;     // le nombre de la valeur, s'il y en a un
        bool coupure = false;             // un point manquant de plus, à la même place
    };
    // Des points datés du jeu courant d'un coup, avec le même effet que, pour
    // chacun depuis `position` (qui avance), les écritures Point, Plafond 9999,
    // Validite, PositionX, puis ValeurTexte et Manquant 0 quand il a une valeur,
    // et après une coupure NbPoints + 1, Point, PositionX, ValeurTexte et
    // Manquant 1. Une longue série passe en plusieurs lots. Rien n'en est
    // tracé : qui observe les écritures (`observe`) les fait une à une.
    void ecrirePointsDates(const std::vector<PointDate>& points, int& position);
    // CouleurPoint écrit aux points 1 à n du jeu courant, d'un coup, sans trace.
    void colorerPoints(int n, int couleur);
    // Un observateur ou la trace "graphique.moteur" voit chaque écriture.
    bool observe() const;

    // Le moteur tel qu'à sa création : graphique, calque et propriétés écrites
    // oubliés ; il garde son nom, sa taille et son observateur.
    void remettreANeuf();

    // Valeurs effectives : ce qui est tracé, pour les numéros que le moteur connaît.
    QVariant lire(int numero) const;
    QVariant lireIndexe(int numero, int indice) const;
    double lireNombre(int numero) const { return lire(numero).toDouble(); }

    // Fonctions de libellés, de cadre, de mode de tracé et de symbole. Cadres et
    // symboles sont en unités du graphique : X selon les bornes de X (111/112),
    // Y selon l'axe de gauche (118/119).
    int VBAGLabels(int nombre, const QString& textes);
    void GSBox2D(double x, double y, double largeur, double hauteur, int style, int couleur);
    void GSSetROP(int mode);
    void GSSymbol(double x, double y, int forme, int taille);

    // Taille du graphique à l'écran, en pixels : sa disposition, le fichier
    // QPicture et la correspondance des positions de la souris en dépendent.
    void setTaille(const QSize& taille);
    QSize taille() const { return m_taille; }

    // Peint le graphique dans `cadre` ; les marques du calque sont tracées par peindreCalque.
    void peindre(QPainter& peintre, const QRectF& cadre) const;
    void peindreCalque(QPainter& peintre, const QRectF& cadre) const;
    // La zone de tracé du graphique peint dans `cadre`, et les unités du graphique en un point.
    QRectF zoneTrace(const QRectF& cadre) const;
    QPointF versUnites(const QPointF& pixel, const QRectF& cadre) const;
    QPointF versPixels(const QPointF& unites, const QRectF& cadre) const;

    const ModeleGraphique& modele() const { return m_modele; }
    const Calque& calque() const { return m_calque; }
    // La demande de tracé 1 montre un graphique vierge jusqu'à la demande 2 suivante.
    bool vierge() const { return m_vierge; }
    // Change à chaque écriture qui peut changer l'image : un écran garde son image tant qu'elle ne bouge pas.
    quint64 revision() const { return m_revision; }

    // Les fichiers QPicture à chemin relatif vont dans ce dossier (temporaire par défaut).
    static void definirDossierImages(const QString& dossier);
    static QString cheminImage(const QString& nom);

    using Observateur = std::function<void(const QString& nom, int numero, std::optional<int> indice,
                                           const QVariant& valeur)>;
    void setObservateur(Observateur observateur) { m_observateur = std::move(observateur); }

signals:
    void dessinDemande();       // 21 = 1 ou 2
    void impressionDemandee();  // 21 = 5
    void calqueModifie();       // un cadre ou un symbole a été tracé ou effacé
    void curseurModifie(int curseur);

private:
    void appliquer(int numero, const QVariant& valeur, double nombre, bool estNombre);
    // Les propriétés qui ne sont pas dans la table des simples ; faux pour un numéro inconnu.
    bool appliquerTexte(int numero, const QVariant& valeur, double nombre, bool estNombre);
    bool appliquerNombre(int numero, double nombre);
    // Le rang (depuis 0) du point choisi dans le jeu choisi, -1 s'il n'existe pas.
    int pointCourant() const;
    // Les effets de Manquant, et de PositionX et ValeurTexte (un nombre), au point choisi.
    void marquerManquant(bool manquant);
    void placerPoint(double x, const std::optional<double>& valeur);
    void appliquerIndexe(int numero, int indice, const QVariant& valeur, double nombre, bool estNombre);
    // Les propriétés indexées rangées par indice (table) ; faux pour les autres.
    template <typename Texte>
    bool ecrireIndexeSimple(int numero, int indice, const Texte& texte, double nombre, bool estNombre);
    void demanderDessin(int demande);
    bool ecrireFichierImage();
    void tracer(int numero, std::optional<int> indice, const QVariant& valeur);
    // La disposition pour un cadre, gardée jusqu'à la prochaine écriture : la souris la demande à chaque mouvement.
    const Disposition& disposition(const QRectF& cadre) const;

    QString m_nom;
    ModeleGraphique m_modele;
    Calque m_calque;
    QSize m_taille{800, 500};
    bool m_vierge = true;
    int m_derniereDemande = -1;
    QHash<int, QVariant> m_autres;
    QHash<QPair<int, int>, QVariant> m_autresIndexes;
    Observateur m_observateur;
    quint64 m_revision = 0;
    mutable std::shared_ptr<const Disposition> m_disposition;
    mutable QRectF m_cadreDisposition;
    mutable quint64 m_revisionDisposition = 0;
};
