#pragma once

#include <QString>

// Where a load shows its progress and learns that the user asked to stop.
class FenetreProgression
{
public:
    virtual ~FenetreProgression() = default;
    virtual void message(const QString& texte) = 0;
    // One more of the steps announced when the window was opened.
    virtual void avancer() {}
    virtual bool annulee() { return false; }
    // Lets the screen follow during a long step.
    virtual void servir() {}
};
