#pragma once

#include "entry/GrillePoints.h"

#include <QAbstractTableModel>
#include <QDate>
#include <array>

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
    };
    using Ligne = std::array<Cellule, GrillePoints::nombreColonnes>;

    bool existe(int ligne, int colonne) const;
    // Les colonnes [debut, fin) que désigne `colonne`, vide hors de la grille.
    std::pair<int, int> etendue(int ligne, int colonne) const;
    void signalerLigne(int ligne, int debut, int fin);
    QList<int> ordreDateHeure() const;
    void appliquerOrdre(const QList<int>& ordre);

    QList<Ligne> m_lignes;
    QDate m_dateMinimum;
    QDate m_dateMaximum;
};
