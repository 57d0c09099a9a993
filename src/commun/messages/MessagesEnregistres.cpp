#include "commun/messages/MessagesEnregistres.h"

#include <QStringList>

MessagesEnregistres::MessagesEnregistres()
    : m_precedent(ServiceMessages::installer(this))
{
}

MessagesEnregistres::~MessagesEnregistres()
{
    ServiceMessages::installer(m_precedent);
}

qint16 MessagesEnregistres::afficher(const QString& type, const StyleMessage& style, const QString& message)
{
    m_messages.append({type, style, message});
    if (!style.ouiNon)
        return BoutonMessage::OK;
    if (!m_reponses.empty()) {
        const qint16 bouton = m_reponses.front();
        m_reponses.pop_front();
        return bouton == BoutonMessage::Annuler && !style.annuler ? BoutonMessage::Non : bouton;
    }
    if (m_ouiParDefaut)
        return BoutonMessage::Oui;
    return style.annuler ? BoutonMessage::Annuler : BoutonMessage::Non;
}

QStringList MessagesEnregistres::textes() const
{
    QStringList t;
    for (const Message& m : m_messages)
        t.append(m.texte);
    return t;
}
