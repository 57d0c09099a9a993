#include "control/FenetrePrincipaleHote.h"

#include <QWidget>

FenetrePrincipaleHote::FenetrePrincipaleHote(QWidget* formulaire)
    : QObject(formulaire)
    , m_formulaire(formulaire)
{
}

bool FenetrePrincipaleHote::Enabled() const
{
    return m_formulaire->window()->isEnabled();
}

void FenetrePrincipaleHote::setEnabled(bool actif)
{
    m_formulaire->window()->setEnabled(actif);
}
