#pragma once

#include <QString>
#include <ostream>

// Les textes de Qt lisibles dans les messages d'échec des tests (seuls ou en liste).
inline void PrintTo(const QString& texte, std::ostream* sortie)
{
    *sortie << '"' << texte.left(2000).toStdString() << '"';
}
