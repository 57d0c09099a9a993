#pragma once

#include <QWheelEvent>
#include <QWidget>

// Un champ qui ne prend la molette qu'une fois choisi (clic ou tabulation) : la molette qui ne
// fait que passer dessus fait défiler le panneau, sans changer la valeur.
template <typename Champ>
class MoletteAuFocus : public Champ
{
public:
    explicit MoletteAuFocus(QWidget* parent = nullptr)
        : Champ(parent)
    {
        this->setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void wheelEvent(QWheelEvent* evenement) override
    {
        if (this->hasFocus())
            Champ::wheelEvent(evenement);
        else
            evenement->ignore();
    }
};
