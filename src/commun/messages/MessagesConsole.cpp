#include "commun/messages/MessagesConsole.h"

MessagesConsole::MessagesConsole(std::FILE* sortie)
    : m_sortie(sortie)
{
}

qint16 MessagesConsole::afficher(const QString&, const StyleMessage& style, const QString& message)
{
    QString ligne;
    switch (style.icone) {
    case IconeMessage::Critique:
        ligne = QStringLiteral("Erreur : ");
        break;
    case IconeMessage::Question:
        ligne = style.annuler ? QStringLiteral("Question (réponse : Annuler) : ") : QStringLiteral("Question (réponse : Non) : ");
        break;
    default:
        break;
    }
    ligne += message;
    ligne.replace(u'\r', QString());
    std::fputs(ligne.toLocal8Bit().constData(), m_sortie);
    std::fputc('\n', m_sortie);
    std::fflush(m_sortie);
    // Sans personne pour répondre, rien n'est fait ni perdu.
    if (!style.ouiNon)
        return BoutonMessage::OK;
    return style.annuler ? BoutonMessage::Annuler : BoutonMessage::Non;
}
