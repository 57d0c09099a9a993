#pragma once

#include <QGroupBox>

// Cadre avec sa légende.
class CadreTitre : public QGroupBox
{
    Q_OBJECT

public:
    explicit CadreTitre(const QString& nom, QWidget* parent = nullptr);
    // Largeur (twips), légende et visibilité à la mise en place.
    void Initialiser(int largeurTwips, const QString& legende, bool visible);
};
