#pragma once

#include "entry/OrigineLigne.h"

#include <QDate>
#include <QTime>
#include <optional>
#include <QTableView>

class DelegueCellules;
class ModelePoints;

// La grille des points de pluie : sept colonnes (0 date "DD/MM/YYYY", 1 heure
// "hh:nn:ss", 2 valeur à deux décimales, 3 rupture "R", 4 obtention "M",
// 5 et 6 positions X et Y cachées, cinq décimales), des styles de cellule,
// des verrous, un tri sur la date puis l'heure. Lignes et colonnes comptées
// depuis 0 ; une colonne -1 désigne toute la ligne.
class GrillePoints : public QTableView
{
    Q_OBJECT
    // Les opérations de grille que le contrôle appelle par leur nom.
    Q_PROPERTY(int MaxRows READ lignes WRITE setLignes)
    Q_PROPERTY(int Row MEMBER m_ligne)
    Q_PROPERTY(int Col MEMBER m_colonne)
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int ActiveRow READ ligneActive)

public:
    enum class Style { Normal, Accepte, Invalide, Grise };
    enum Colonne { Date = 0, Heure = 1, Valeur = 2, Rupture = 3, Obtention = 4, PositionX = 5, PositionY = 6 };
    static constexpr int nombreColonnes = 7;

    explicit GrillePoints(QWidget* parent = nullptr);
    ~GrillePoints() override;

    int lignes() const;
    void setLignes(int n);
    QString texte(int ligne, int colonne) const;
    // Écrit par le programme : ne déclenche pas `celluleModifiee`.
    void setTexte(int ligne, int colonne, const QString& texte);
    Style style(int ligne, int colonne) const;
    void setStyle(int ligne, int colonne, Style style);
    bool verrouille(int ligne, int colonne) const;
    void verrouiller(int ligne, int colonne, bool verrou);
    // Bornes de la colonne des dates ; une date saisie hors bornes est refusée.
    void definirBornesDates(const QDate& minimum, const QDate& maximum);
    QDate dateMinimum() const;
    QDate dateMaximum() const;
    // La ligne courante, -1 sans ligne courante.
    int ligneActive() const;
    // Une ligne vide avant `avant`, qui devient la ligne courante.
    void insererLigne(int avant);
    void supprimerLigne(int ligne);
    // La mesure que la ligne montrait quand la grille a été remplie ; aucune pour une ligne
    // insérée. Elle la suit quand la grille est triée.
    void setOrigine(int ligne, const OrigineLigne& origine);
    std::optional<OrigineLigne> origine(int ligne) const;
    // Une ligne que l'utilisateur a changée depuis le remplissage.
    void marquerModifiee(int ligne);
    bool modifiee(int ligne) const;
    // Des saisies que la base n'a pas encore : une ligne changée, ajoutée avec des données, ou retirée.
    bool saisiesEnAttente() const;
    // La cellule en cours d'édition validée comme si l'on en sortait : un raccourci ne la perd pas.
    void validerSaisieEnCours();
    // Les mesures dont l'utilisateur a supprimé la ligne depuis le remplissage.
    QList<OrigineLigne> originesRetirees() const;
    // Pourquoi la colonne refuse ce que l'utilisateur a tapé dans la cellule (une date impossible,
    // hors des bornes…) ; vide pour un texte accepté ou écrit par le programme. Sans colonne : la
    // première cellule refusée de la ligne.
    QString refus(int ligne, int colonne = -1) const;
    // Une valeur écrite comme la grille l'écrit : deux décimales, virgule décimale.
    static QString texteValeur(double valeur);
    // Une ligne tient des données quand l'une des colonnes date, heure ou valeur n'est pas vide.
    bool ligneRemplie(int ligne) const;
    // Trie sur la date puis l'heure (dates illisibles à la fin, ordre gardé à
    // égalité) ; rend la nouvelle place de la ligne `suivie`.
    int trierSurDateHeure(int suivie);

    QString Text() const { return texte(m_ligne, m_colonne); }
    void setText(const QString& t) { setTexte(m_ligne, m_colonne, t); }

signals:
    // Une cellule changée par l'utilisateur (édition validée).
    void celluleModifiee(int ligne, int colonne);
    // Un clic de l'utilisateur sur une cellule.
    void celluleCliquee(int ligne, int colonne);

private:
    ModelePoints* m_modele;
    DelegueCellules* m_delegue;
    int m_ligne = 0;
    int m_colonne = 0;
};
