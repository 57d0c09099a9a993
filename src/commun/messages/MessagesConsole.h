#pragma once

#include "commun/messages/Messages.h"

#include <cstdio>

// Face de la ligne de commande : le texte part sur stderr et les questions
// reçoivent Non, pour que rien ne change sans quelqu'un pour dire oui.
class MessagesConsole : public ServiceMessages
{
public:
    explicit MessagesConsole(std::FILE* sortie = stderr);
    qint16 afficher(const QString& type, const StyleMessage& style, const QString& message) override;

private:
    std::FILE* m_sortie;
};
