#include "AffichageProgression.h"

#include <cstdio>
#include <unistd.h>

AffichageProgression::AffichageProgression()
    : m_terminal(isatty(STDERR_FILENO) == 1)
{
}

AffichageProgression::~AffichageProgression()
{
    terminer();
}

void AffichageProgression::afficher(const QString& legende, int pourcent)
{
    if (!m_terminal)
        return;
    const QString ligne = QStringLiteral("\r\033[K%1 %2 %").arg(legende.left(70)).arg(std::clamp(pourcent, 0, 100), 3);
    std::fputs(ligne.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    m_ouvert = true;
}

void AffichageProgression::terminer()
{
    if (m_terminal && m_ouvert) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
    m_ouvert = false;
}
