#pragma once

#include "commun/ValeursProcessus.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

// Une fenêtre principale d'hôte portant les membres de l'échelle des
// profondeurs, installée le temps d'un test.
class HoteEchelle : public QObject
{
public:
    HoteEchelle()
        : m_avant(ValeursProcessus::courantes().fenetrePrincipale)
    {
        setType(0);
        setProperty("coefficientProfondeur", -1);
        ValeursProcessus::courantes().fenetrePrincipale = this;
    }
    ~HoteEchelle() override { ValeursProcessus::courantes().fenetrePrincipale = m_avant; }

    void setType(int type) { setProperty("typeAffichageEchelle", type); }

private:
    QPointer<QObject> m_avant;
};
