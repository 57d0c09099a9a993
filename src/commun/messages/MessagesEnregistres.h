#pragma once

#include "commun/messages/Messages.h"

#include <QList>
#include <QStringList>
#include <deque>

// Face enregistreuse des essais : en place tant qu'elle vit, garde chaque
// message affiché et répond aux questions comme on le lui dit (Non sinon).
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

    // Réponses aux prochaines questions, dans l'ordre ; ensuite `reponseParDefaut`.
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
