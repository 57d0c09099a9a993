#include "data/NomVerifie.h"

#include "commun/TexteAffichable.h"

namespace {

constexpr int longueurMax = 40;

} // namespace

bool EstNomVerifie(const QString& nom)
{
    if (nom.isEmpty() || nom.size() > longueurMax)
        return false;
    const auto alphanumerique = [&](qsizetype i) {
        if (i < 0 || i >= nom.size())
            return false;
        const char16_t u = nom[i].unicode();
        return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_';
    };
    // Un « - » entre deux lettres ou chiffres reste dans le nom pour l'analyseur
    // des ordres ; ailleurs, il commencerait un commentaire ou une soustraction.
    for (qsizetype i = 0; i < nom.size(); ++i)
        if (!alphanumerique(i) && !(nom[i] == u'-' && alphanumerique(i - 1) && alphanumerique(i + 1)))
            return false;
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
    return QStringLiteral("Nom refusé : « %1 » (lettres, chiffres, « _ », et « - » entre deux lettres ou chiffres, %2 caractères au "
                          "plus).")
        .arg(TexteAffichable(nom))
        .arg(longueurMax);
}

QString MessageCodeRefuse(const QString& code, bool barreOblique)
{
    return QStringLiteral("code de station refusé « %1 » (lettres, chiffres, « _ »%2, et « - » entre deux lettres ou chiffres)")
        .arg(TexteAffichable(code, 40), barreOblique ? QStringLiteral(", « / »") : QString());
}
