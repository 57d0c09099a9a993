#pragma once

#include <QStyledItemDelegate>

class ModelePoints;
class QLineEdit;

// Les éditeurs de la grille des points : date dans les bornes du modèle, tapée
// comme on l'écrit ("15/3/2023", "15032023", "15/03/23") et rangée "DD/MM/YYYY",
// heure "hh:nn:ss", valeur rangée à deux décimales. Un texte refusé n'est pas
// validé par Entrée : l'éditeur reste ouvert, en rouge, sa bulle dit pourquoi,
// jusqu'à correction ou Échap (qui rend l'ancien texte). Quitté autrement (un
// clic ailleurs, un bouton), l'éditeur laisse le texte tapé dans la cellule,
// marquée invalide : rien de ce qui a été tapé ne disparaît en silence.
class DelegueCellules : public QStyledItemDelegate
{
    Q_OBJECT

public:
    DelegueCellules(const ModelePoints* modele, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editeur, const QModelIndex& index) const override;
    void setModelData(QWidget* editeur, QAbstractItemModel* modele, const QModelIndex& index) const override;

    // Un texte que la colonne accepte ; un texte vide efface la cellule.
    bool accepte(int colonne, const QString& texte) const;
    // Pourquoi la colonne refuse le texte, en une ligne ; vide quand elle l'accepte.
    QString refus(int colonne, const QString& texte) const;
    // Le texte rangé pour un texte accepté : la date "DD/MM/YYYY", la valeur à deux décimales, virgule décimale.
    static QString texteRange(int colonne, const QString& texte);
    // Plus de 1000 mm ou négatif : une valeur absurde.
    static bool valeurAbsurde(const QString& texte);
    // La couleur du texte d'un éditeur refusé.
    static QColor couleurRefus();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QString refusDate(const QString& texte) const;
    bool editeurAccepte(const QLineEdit* editeur) const;
    static void marquerRefus(QLineEdit* editeur, const QString& motif);

    const ModelePoints* m_modele;
};
