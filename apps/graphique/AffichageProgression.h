#pragma once

#include <QString>

// Progress of long work on stderr, when stderr is a terminal: the caption and a percentage.
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
