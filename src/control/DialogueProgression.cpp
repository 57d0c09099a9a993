#include "control/DialogueProgression.h"

#include <QCoreApplication>

DialogueProgression::DialogueProgression(const QString& legende, QWidget* parent)
    : m_dialogue(new QProgressDialog(legende, QStringLiteral("Annuler"), 0, 100, parent))
{
    m_dialogue->setWindowTitle(legende);
    m_dialogue->setWindowModality(Qt::WindowModal);
    m_dialogue->setMinimumDuration(0);
    m_dialogue->setAutoClose(false);
    m_dialogue->setAutoReset(false);
    m_dialogue->setValue(0);
}

DialogueProgression::~DialogueProgression()
{
    delete m_dialogue.data();
}

void DialogueProgression::message(const QString& texte)
{
    if (m_dialogue)
        m_dialogue->setLabelText(texte);
}

void DialogueProgression::valeur(double pourcent)
{
    if (m_dialogue)
        m_dialogue->setValue(std::clamp(int(pourcent), 0, 100));
}

bool DialogueProgression::annulee()
{
    return !m_dialogue || m_dialogue->wasCanceled();
}

void DialogueProgression::servir()
{
    QCoreApplication::processEvents();
}
