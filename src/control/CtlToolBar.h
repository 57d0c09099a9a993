#pragma once

#include <QVariant>
#include <QWidget>
#include <array>

class QToolButton;
class QFrame;

// Strip of ten picture buttons that reports the index of the button clicked.
class CtlToolBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int nombreBoutons = 10;

    explicit CtlToolBar(QWidget* parent = nullptr);

    // Hides button `Index`, clears its tooltip and disables it.
    Q_INVOKABLE void Masquer(qint16 Index);
    // Hides the close button (index 0, the one whose tooltip is "Fermer").
    Q_INVOKABLE void CacherBoutonFermer();
    // For buttons 1 to 9 in order: the boolean is its visibility, the text its
    // tooltip when not empty. Inserer and AideInserer are accepted and not used.
    QVariant AfficheIcones(bool Imprimer, const QString& AideImprimer, bool Inserer, const QString& AideInserer,
                           bool Supprimer, const QString& AideSupprimer, bool Poubelle, const QString& AidePoubelle,
                           bool Valider, const QString& AideValider, bool Apercu, const QString& AideApercu,
                           bool Excel, const QString& AideExcel, bool Outils, const QString& AideOutils, bool Fiche,
                           const QString& AideFiche, bool Aide, const QString& AideAide);

    QToolButton* bouton(int index) const;

signals:
    void ClickBouton(qint16 Index);

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    QFrame* m_toolBar;
    std::array<QToolButton*, nombreBoutons> m_boutons{};
};
