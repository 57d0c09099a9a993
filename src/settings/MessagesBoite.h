#pragma once

#include "commun/messages/Messages.h"

class QWidget;

// Côté écran : une boîte de message modale au titre de l'application.
class MessagesBoite : public ServiceMessages
{
public:
    explicit MessagesBoite(QWidget* parent = nullptr);
    qint16 afficher(const QString& type, const StyleMessage& style, const QString& message) override;

private:
    QWidget* m_parent;
};
