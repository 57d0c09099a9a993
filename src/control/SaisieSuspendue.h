#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Pendant un chargement, la boucle des messages sert tout (l'hôte peut annuler
// ou quitter) mais le clavier et la souris destinés au contrôle sont ignorés :
// un clic sur le graphique ou la palette ne part pas au milieu d'un chargement.
class SaisieSuspendue : public QObject
{
public:
    explicit SaisieSuspendue(QWidget& controle);
    ~SaisieSuspendue() override;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QPointer<QWidget> m_controle;
};
