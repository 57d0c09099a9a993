#pragma once

#include "control/CtlToolBar.h"

#include <QFrame>
#include <QLabel>
#include <QString>
#include <array>

class QToolButton;

// L'état de CtlToolBar, que l'en-tête installé ne montre pas.
class CtlToolBarPrive
{
public:
    explicit CtlToolBarPrive(QWidget* barre)
        : imgBackground(new QLabel(barre))
        , toolBar(new QFrame(barre))
    {
    }

    QLabel* imgBackground;
    QFrame* toolBar;
    std::array<QToolButton*, CtlToolBar::nombreBoutons> boutons{};
    // Ce que l'hôte a voulu de chaque bouton, que Masquer ne change pas.
    struct ChoixHote
    {
        bool visible = true;
        QString infobulle;
    };
    std::array<ChoixHote, CtlToolBar::nombreBoutons> choix{};
};
