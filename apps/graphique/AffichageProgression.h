#pragma once

#include <QString>

// Avancement des longs traitements sur stderr, seulement si c'est un terminal : le libellé et un pourcentage.
class AffichageProgression
{
public:
    AffichageProgression();
    ~AffichageProgression();
    void afficher(const QString& legende, int pourcent);
    void terminer();

private:
    bool m_terminal;
    bool m_ouvert = false;
};
