#pragma once

#include <QVariant>
#include <QWidget>
#include <memory>

class CtlToolBarPrive;
class QToolButton;

// Bande de dix boutons à image ; un clic rend l'indice du bouton. Chaque opération publique est gardée.
class CtlToolBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int nombreBoutons = 10;

    explicit CtlToolBar(QWidget* parent = nullptr);
    ~CtlToolBar() override;

    // Cache le bouton `Index`, vide son infobulle et le désactive.
    Q_INVOKABLE void Masquer(qint16 Index) noexcept;
    // Cache le bouton de fermeture (indice 0, celui dont l'infobulle est "Fermer").
    Q_INVOKABLE void CacherBoutonFermer() noexcept;
    // Boutons 1 à 9 dans l'ordre : le booléen dit s'il est visible, le texte non
    // vide devient son infobulle. Inserer et AideInserer sont reçus sans servir.
    QVariant AfficheIcones(bool Imprimer, const QString& AideImprimer, bool Inserer, const QString& AideInserer,
                           bool Supprimer, const QString& AideSupprimer, bool Poubelle, const QString& AidePoubelle,
                           bool Valider, const QString& AideValider, bool Apercu, const QString& AideApercu,
                           bool Excel, const QString& AideExcel, bool Outils, const QString& AideOutils, bool Fiche,
                           const QString& AideFiche, bool Aide, const QString& AideAide) noexcept;

    // Les boutons cachés par Masquer reviennent, visibles et avec leur infobulle
    // comme l'hôte les a voulus (à la création, ou par AfficheIcones et CacherBoutonFermer).
    void Retablir() noexcept;

    QToolButton* bouton(int index) const;

signals:
    void ClickBouton(qint16 Index);

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    std::unique_ptr<CtlToolBarPrive> d;
};
