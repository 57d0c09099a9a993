#pragma once

#include "entry/GrillePoints.h"
#include "entry/OrigineLigne.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QTime>
#include <array>
#include <optional>
#include <utility>

// Les cellules de la grille des points : texte, style et verrou de chaque
// cellule, ligne par ligne. Une colonne -1 désigne toute la ligne.
class ModelePoints : public QAbstractTableModel
{
    Q_OBJECT

public:
    using Style = GrillePoints::Style;
    // Rôles propres : le style (entier de Style) et le verrou (booléen) d'une cellule.
    enum Role { RoleStyle = Qt::UserRole + 1, RoleVerrou };

    explicit ModelePoints(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Qt::EditRole est la saisie de l'utilisateur : elle émet `celluleSaisie`
    // quand le texte change. RoleStyle et RoleVerrou n'émettent rien.
    bool setData(const QModelIndex& index, const QVariant& valeur, int role = Qt::EditRole) override;

    void setLignes(int n);
    QString texte(int ligne, int colonne) const;
    // Écriture du programme, sans `celluleSaisie`.
    void ecrire(int ligne, int colonne, const QString& texte);
    Style style(int ligne, int colonne) const;
    void setStyle(int ligne, int colonne, Style style);
    bool verrouille(int ligne, int colonne) const;
    void verrouiller(int ligne, int colonne, bool verrou);
    void definirBornesDates(const QDate& minimum, const QDate& maximum);
    QDate dateMinimum() const { return m_dateMinimum; }
    QDate dateMaximum() const { return m_dateMaximum; }
    void insererLigne(int avant);
    void supprimerLigne(int ligne);
    bool ligneRemplie(int ligne) const;
    void setOrigine(int ligne, const OrigineLigne& origine);
    std::optional<OrigineLigne> origine(int ligne) const;
    void marquerModifiee(int ligne);
    bool modifiee(int ligne) const;
    // Une cellule dont le texte vient de l'utilisateur (une écriture du programme l'efface).
    bool saisie(int ligne, int colonne) const;
    // Des saisies que la base n'a pas : une ligne changée, ajoutée avec des données, ou retirée.
    bool saisiesEnAttente() const;
    // Les mesures dont la ligne a été supprimée depuis le remplissage (la grille vidée les oublie).
    const QList<OrigineLigne>& originesRetirees() const { return m_originesRetirees; }
    // Tri stable sur la date puis l'heure ; rend la nouvelle place de `suivie`.
    int trierSurDateHeure(int suivie);

    static QColor couleurFond(Style style);
    // Invalide quand le style garde la couleur du texte par défaut.
    static QColor couleurTexte(Style style);

signals:
    void celluleSaisie(int ligne, int colonne);

private:
    struct Cellule
    {
        QString texte;
        Style style = Style::Normal;
        bool verrou = false;
        bool saisie = false;
    };
    // Les cellules d'une ligne, et la mesure qu'elle montrait au remplissage.
    struct Ligne
    {
        std::array<Cellule, GrillePoints::nombreColonnes> cellules{};
        std::optional<OrigineLigne> origine;
        bool modifiee = false;
        Cellule& operator[](std::size_t c) { return cellules[c]; }
        const Cellule& at(std::size_t c) const { return cellules.at(c); }
    };

    bool existe(int ligne, int colonne) const;
    // Les colonnes [debut, fin) que désigne `colonne`, vide hors de la grille.
    std::pair<int, int> etendue(int ligne, int colonne) const;
    void signalerLigne(int ligne, int debut, int fin);
    QList<int> ordreDateHeure() const;
    void appliquerOrdre(const QList<int>& ordre);

    QList<Ligne> m_lignes;
    QList<OrigineLigne> m_originesRetirees;
    QDate m_dateMinimum;
    QDate m_dateMaximum;
};
