#include "PageErreur.h"

#include "GabaritPage.h"

QString phrase(const QString& texte)
{
    return texte.isEmpty() ? texte : texte.front().toUpper() + texte.mid(1);
}

ReponsePortail pageErreur(int statut, const QString& texte)
{
    ReponsePortail r;
    r.statut = statut;
    r.gardee = false;
    const QString titre = statut == 404 ? QStringLiteral("Page introuvable")
                          : statut == 503 ? QStringLiteral("Portail occupé")
                          : statut >= 500 ? QStringLiteral("Erreur du portail")
                                          : QStringLiteral("Demande refusée");
    r.corps = gabaritPage(titre, QStringLiteral("<p class=\"erreur\">%1</p>\n").arg(echappe(phrase(texte))));
    return r;
}

QByteArray reponseBrute(int statut, const QByteArray& raison, const QString& texte)
{
    const QByteArray corps = pageErreur(statut, texte).corps;
    return "HTTP/1.1 " + QByteArray::number(statut) + ' ' + raison
        + "\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\nContent-Length: "
        + QByteArray::number(corps.size()) + "\r\n\r\n" + corps;
}
