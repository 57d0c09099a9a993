#pragma once

#include <QString>

// Là où un chargement montre son avancement et apprend que l'utilisateur veut l'arrêter.
class FenetreProgression
{
public:
    virtual ~FenetreProgression() = default;
    virtual void message(const QString& texte) = 0;
    // Une étape de plus parmi celles annoncées à l'ouverture de la fenêtre.
    virtual void avancer() {}
    // Avancement donné directement, de 0 à 100.
    virtual void valeur(double /*pourcent*/) {}
    virtual bool annulee() { return false; }
    // Laisse l'écran suivre pendant une longue étape.
    virtual void servir() {}
};
