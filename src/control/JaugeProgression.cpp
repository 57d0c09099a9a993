#include "control/JaugeProgression.h"

JaugeProgression::JaugeProgression(QObject* parent)
    : QObject(parent)
{
}

void JaugeProgression::setCaption(const QString& legende)
{
    m_legende = legende;
    if (m_suivi)
        m_suivi(m_legende, m_valeur);
}

void JaugeProgression::setValue(double pourcent)
{
    m_valeur = pourcent;
    if (m_suivi)
        m_suivi(m_legende, m_valeur);
}

void JaugeProgression::Message(const QString& texte)
{
    setCaption(texte);
}
