#include "control/CadreTitre.h"

CadreTitre::CadreTitre(const QString& nom, QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(nom);
}

void CadreTitre::Initialiser(int largeurTwips, const QString& legende, bool visible)
{
    setTitle(legende);
    resize(std::max(largeurTwips / 15, 40), height());
    setVisible(visible);
}
