#pragma once

#include "data/FenetreProgression.h"

#include <QPointer>
#include <QProgressDialog>

class QWidget;

// Une fenêtre de progression modale avec son bouton Annuler, pour les longs
// travaux lancés depuis la palette (export vers le tableur).
class DialogueProgression : public FenetreProgression
{
public:
    DialogueProgression(const QString& legende, QWidget* parent);
    ~DialogueProgression() override;
    void message(const QString& texte) override;
    void valeur(double pourcent) override;
    bool annulee() override;
    void servir() override;

private:
    QPointer<QProgressDialog> m_dialogue;
};
