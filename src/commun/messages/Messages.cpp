#include "commun/messages/Messages.h"

#include "commun/messages/MessagesConsole.h"

namespace {
ServiceMessages*& serviceInstalle()
{
    static ServiceMessages* service = nullptr;
    return service;
}
} // namespace

StyleMessage StyleMessage::duType(const QString& type)
{
    const QString t = type.trimmed().toUpper();
    if (t == QStringLiteral("ERREUR"))
        return {IconeMessage::Critique, false};
    if (t == QStringLiteral("AIDE"))
        return {IconeMessage::Information, false};
    if (t == QStringLiteral("QUESTION"))
        return {IconeMessage::Question, true};
    if (t == QStringLiteral("CHOIX"))
        return {IconeMessage::Question, true, true};
    return {IconeMessage::Aucune, false};
}

ServiceMessages* ServiceMessages::installer(ServiceMessages* service)
{
    ServiceMessages* ancien = serviceInstalle();
    serviceInstalle() = service;
    return ancien;
}

ServiceMessages& ServiceMessages::courant()
{
    static MessagesConsole console;
    ServiceMessages* s = serviceInstalle();
    return s ? *s : console;
}

qint16 AfficherMessage(const QString& type, const QString& message)
{
    return ServiceMessages::courant().afficher(type, StyleMessage::duType(type), message);
}
