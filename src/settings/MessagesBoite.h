#pragma once

#include "settings/messages/Messages.h"

class QWidget;

// On-screen face: a modal message box with the application's title.
class MessagesBoite : public ServiceMessages
{
public:
    explicit MessagesBoite(QWidget* parent = nullptr);
    qint16 afficher(const QString& type, const StyleMessage& style, const QString& message) override;

private:
    QWidget* m_parent;
};
