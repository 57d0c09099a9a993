#pragma once

#include <QGroupBox>

// A framed panel with its caption.
class CadreTitre : public QGroupBox
{
    Q_OBJECT

public:
    explicit CadreTitre(const QString& nom, QWidget* parent = nullptr);
    // Width (twips), caption and visibility at set-up.
    void Initialiser(int largeurTwips, const QString& legende, bool visible);
};
