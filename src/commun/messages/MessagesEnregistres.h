#pragma once

#include "commun/messages/Messages.h"

#include <QList>
#include <QStringList>
#include <deque>

// Face enregistreuse des essais : en place tant qu'elle vit, garde chaque
// message affiché et répond aux questions comme on le lui dit (Non sinon, et
// Annuler à un choix).
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
    void repondre(bool oui) { m_reponses.push_back(oui ? BoutonMessage::Oui : BoutonMessage::Non); }
    // Le bouton pressé à la prochaine question : Oui, Non ou, à un choix, Annuler.
    void repondreBouton(qint16 bouton) { m_reponses.push_back(bouton); }
    void setReponseParDefaut(bool oui) { m_ouiParDefaut = oui; }

    const QList<Message>& messages() const { return m_messages; }
    QStringList textes() const;
    void vider() { m_messages.clear(); }

private:
    ServiceMessages* m_precedent = nullptr;
    QList<Message> m_messages;
    std::deque<qint16> m_reponses;
    bool m_ouiParDefaut = false;
};
