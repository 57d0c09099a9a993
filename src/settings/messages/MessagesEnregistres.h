#pragma once

#include "settings/messages/Messages.h"

#include <QList>
#include <QStringList>
#include <deque>

// Recorder face for tests: installed while it lives, keeps every message
// shown and answers questions as told (No unless told otherwise).
class MessagesEnregistres : public ServiceMessages
{
public:
    struct Message
    {
        QString type;
        StyleMessage style;
        QString texte;
    };

    MessagesEnregistres();
    ~MessagesEnregistres() override;
    MessagesEnregistres(const MessagesEnregistres&) = delete;
    MessagesEnregistres& operator=(const MessagesEnregistres&) = delete;

    qint16 afficher(const QString& type, const StyleMessage& style, const QString& message) override;

    // Answers of the next questions, in order; afterwards `reponseParDefaut`.
    void repondre(bool oui) { m_reponses.push_back(oui); }
    void setReponseParDefaut(bool oui) { m_ouiParDefaut = oui; }

    const QList<Message>& messages() const { return m_messages; }
    QStringList textes() const;
    void vider() { m_messages.clear(); }

private:
    ServiceMessages* m_precedent = nullptr;
    QList<Message> m_messages;
    std::deque<bool> m_reponses;
    bool m_ouiParDefaut = false;
};
