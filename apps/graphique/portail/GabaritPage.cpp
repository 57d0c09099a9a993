#include "GabaritPage.h"

QString echappe(const QString& texte)
{
    return texte.toHtmlEscaped();
}

QByteArray gabaritPage(const QString& titre, const QString& corps)
{
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
               "<title>%1 — graphique</title>\n<link rel=\"stylesheet\" href=\"/actifs/portail.css\">\n"
               "<script src=\"/actifs/portail.js\" defer></script>\n</head>\n<body>\n"
               "<header><nav><a href=\"/\">Stations</a> <a href=\"/bulletin\">Bulletins</a></nav></header>\n"
               "<main>\n<h1>%1</h1>\n%2</main>\n</body>\n</html>\n")
        .arg(echappe(titre), corps)
        .toUtf8();
}
