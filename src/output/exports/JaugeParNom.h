#pragma once

#include "data/FenetreProgression.h"

#include <QPointer>

class QObject;

// La jauge de progression de l'hôte, atteinte par les noms de ses membres :
// `Message`(texte) et `AppelAnnulerTraitement`() ; une jauge absente ne fait rien.
class JaugeParNom : public FenetreProgression
{
public:
    explicit JaugeParNom(QObject* jauge) : m_jauge(jauge) {}
    void message(const QString& texte) override;
    bool annulee() override;
    void servir() override;

private:
    QPointer<QObject> m_jauge;
};
