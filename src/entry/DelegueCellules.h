#pragma once

#include <QStyledItemDelegate>

class ModelePoints;
class QLineEdit;

// Les éditeurs de la grille des points : date "DD/MM/YYYY" dans les bornes du
// modèle, heure "hh:nn:ss", valeur rangée à deux décimales. Un texte refusé
// n'est pas validé : l'éditeur reste ouvert, en rouge, jusqu'à correction ou
// Échap ; la cellule garde son ancien texte.
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
    // Le texte rangé pour un texte accepté : la valeur à deux décimales, virgule décimale.
    static QString texteRange(int colonne, const QString& texte);
    // Plus de 1000 mm ou négatif : une valeur absurde.
    static bool valeurAbsurde(const QString& texte);
    // La couleur du texte d'un éditeur refusé.
    static QColor couleurRefus();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    bool editeurAccepte(const QLineEdit* editeur) const;
    static void marquerRefus(QLineEdit* editeur, bool refus);

    const ModelePoints* m_modele;
};
