#include "output/exports/JaugeParNom.h"

#include "commun/AppelParNom.h"

#include <QCoreApplication>

void JaugeParNom::message(const QString& texte)
{
    AppelerMembre(m_jauge, QStringLiteral("Message"), {texte});
}

bool JaugeParNom::annulee()
{
    return AppelerMembre(m_jauge, QStringLiteral("AppelAnnulerTraitement")).toBool();
}

void JaugeParNom::servir()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
