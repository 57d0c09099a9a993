#include "commun/TexteAffichable.h"

namespace {

bool commande(char16_t u)
{
    return u < 0x20 || (u >= 0x7f && u < 0xa0) || (u >= 0x202a && u <= 0x202e) || (u >= 0x2066 && u <= 0x2069)
        || u == 0x200e || u == 0x200f || u == 0x061c;
}

} // namespace

QString TexteAffichable(const QString& texte, int longueurMax)
{
    const bool coupe = texte.size() > longueurMax;
    QString propre = coupe ? texte.left(longueurMax) : texte;
    // Une moitié de paire UTF-16 laissée par la coupe ne s'affiche pas.
    if (coupe && !propre.isEmpty() && propre.back().isHighSurrogate())
        propre.chop(1);
    for (QChar& c : propre)
        if (commande(c.unicode()))
            c = u'?';
    if (coupe)
        propre += QStringLiteral("… (%1 caractères)").arg(texte.size());
    return propre;
}
