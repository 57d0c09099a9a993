#include "data/NomsVerifies.h"

namespace {

constexpr int longueurMax = 40;

} // namespace

bool EstNomVerifie(const QString& nom)
{
    if (nom.isEmpty() || nom.size() > longueurMax)
        return false;
    for (const QChar c : nom) {
        const char16_t u = c.unicode();
        const bool permis = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')
            || u == u'_' || u == u'-';
        if (!permis)
            return false;
    }
    return true;
}

QString NomTableStation(const QString& prefixe, const QString& code)
{
    if (!EstNomVerifie(code) || !EstNomVerifie(prefixe + code))
        return QString();
    return prefixe + code;
}

QString MessageNomRefuse(const QString& nom)
{
    return QStringLiteral("Nom refusé : « %1 » (lettres, chiffres, « _ » et « - » seulement, %2 caractères au plus).")
        .arg(nom)
        .arg(longueurMax);
}
