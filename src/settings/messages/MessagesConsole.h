#pragma once

#include "settings/messages/Messages.h"

#include <cstdio>

// Command-line face: the text goes to stderr and questions are answered No,
// so that nothing is changed without a person to say yes.
class MessagesConsole : public ServiceMessages
{
public:
    explicit MessagesConsole(std::FILE* sortie = stderr);
    qint16 afficher(const QString& type, const StyleMessage& style, const QString& message) override;

private:
    std::FILE* m_sortie;
};
