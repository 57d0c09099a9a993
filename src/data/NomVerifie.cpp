#include "data/NomVerifie.h"

#include "commun/TexteAffichable.h"

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

NomVerifie::NomVerifie(QString nom)
    : m_texte(std::move(nom))
{
}

NomVerifie::NomVerifie(QString nom, Constante)
    : m_texte(std::move(nom))
{
    // Un nom du code qui ne passerait pas est une faute de programmation.
    Q_ASSERT(EstNomVerifie(m_texte));
}

std::optional<NomVerifie> NomVerifie::depuis(const QString& nom)
{
    if (!EstNomVerifie(nom))
        return std::nullopt;
    return NomVerifie(nom);
}

std::optional<NomVerifie> NomVerifie::table(const QString& prefixe, const QString& code)
{
    if (!EstNomVerifie(code))
        return std::nullopt;
    return depuis(prefixe + code);
}

QString MessageNomRefuse(const QString& nom)
{
    return QStringLiteral("Nom refusé : « %1 » (lettres, chiffres, « _ » et « - » seulement, %2 caractères au plus).")
        .arg(TexteAffichable(nom))
        .arg(longueurMax);
}
