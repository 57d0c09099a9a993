#pragma once

#include <QByteArrayView>
#include <QString>

// Les textes d'un fichier public (noms des stations). Les fichiers récents sont
// en UTF-8, les plus anciens en Windows-1252 (Latin-1 et quelques signes de
// plus : œ, Œ, ’, €…) ; un texte qui n'est pas de l'UTF-8 valide est lu en
// Windows-1252, où tout octet a un sens.
class TexteArchive
{
public:
    static bool estUtf8(QByteArrayView octets);
    static QString depuisWindows1252(QByteArrayView octets);
    static QString lire(QByteArrayView octets, bool utf8) { return utf8 ? QString::fromUtf8(octets) : depuisWindows1252(octets); }
    // Un champ seul, quand on ne connaît pas le reste du fichier (un message qui le cite).
    static QString deviner(QByteArrayView octets) { return lire(octets, estUtf8(octets)); }
};
