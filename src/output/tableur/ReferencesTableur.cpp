#include "output/tableur/ReferencesTableur.h"

#include "output/classeur/TexteXlsx.h"

#include <QRegularExpression>

namespace ReferencesTableur {

namespace {

std::optional<int> Entier(const QString& texte, int maximum)
{
    bool ok = false;
    const int n = texte.toInt(&ok);
    return ok && n >= 1 && n <= maximum ? std::optional<int>(n) : std::nullopt;
}

// Les coins d'une plage, remis dans l'ordre quand ils sont donnés à l'envers.
std::optional<PlageXlsx> Plage(std::optional<int> l1, std::optional<int> c1, std::optional<int> l2,
                               std::optional<int> c2)
{
    if (!l1 || !c1 || !l2 || !c2)
        return std::nullopt;
    PlageXlsx p;
    p.ligne1 = std::min(*l1, *l2);
    p.ligne2 = std::max(*l1, *l2);
    p.colonne1 = std::min(*c1, *c2);
    p.colonne2 = std::max(*c1, *c2);
    return p;
}

std::optional<int> ColonneDepuisLettres(const QString& lettres)
{
    qint64 n = 0;
    for (const QChar c : lettres) {
        n = n * 26 + (c.toUpper().unicode() - u'A' + 1);
        if (n > kColonnesMax)
            return std::nullopt;
    }
    return n >= 1 ? std::optional<int>(int(n)) : std::nullopt;
}

} // namespace

std::optional<PlageXlsx> LireAdresseR1C1(const QString& adresse)
{
    static const QRegularExpression motif(QStringLiteral("^R(\\d{1,7})C(\\d{1,5})(?::R(\\d{1,7})C(\\d{1,5}))?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto m = motif.match(adresse.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QString l2 = m.captured(3).isEmpty() ? m.captured(1) : m.captured(3);
    const QString c2 = m.captured(4).isEmpty() ? m.captured(2) : m.captured(4);
    return Plage(Entier(m.captured(1), kLignesMax), Entier(m.captured(2), kColonnesMax), Entier(l2, kLignesMax),
                 Entier(c2, kColonnesMax));
}

std::optional<PlageXlsx> LireAdresseA1(const QString& adresse)
{
    static const QRegularExpression motif(
        QStringLiteral("^\\$?([A-Z]{1,3})\\$?(\\d{1,7})(?::\\$?([A-Z]{1,3})\\$?(\\d{1,7}))?$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = motif.match(adresse.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QString c2 = m.captured(3).isEmpty() ? m.captured(1) : m.captured(3);
    const QString l2 = m.captured(4).isEmpty() ? m.captured(2) : m.captured(4);
    return Plage(Entier(m.captured(2), kLignesMax), ColonneDepuisLettres(m.captured(1)), Entier(l2, kLignesMax),
                 ColonneDepuisLettres(c2));
}

std::optional<PlageXlsx> LirePlageR1C1(const QString& formule)
{
    QString texte = formule.trimmed();
    if (texte.startsWith(u'='))
        texte.remove(0, 1);
    const qsizetype point = texte.lastIndexOf(u'!');
    if (point <= 0)
        return std::nullopt;
    QString feuille = texte.left(point);
    if (feuille.size() >= 2 && feuille.startsWith(u'\'') && feuille.endsWith(u'\''))
        feuille = feuille.mid(1, feuille.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    auto plage = LireAdresseR1C1(texte.mid(point + 1));
    if (!plage || feuille.isEmpty())
        return std::nullopt;
    plage->feuille = feuille;
    return plage;
}

QString LireNomLitteral(const QString& formule)
{
    QString texte = formule;
    if (texte.startsWith(u'='))
        texte.remove(0, 1);
    if (texte.size() >= 2 && texte.startsWith(u'"') && texte.endsWith(u'"'))
        return texte.mid(1, texte.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return formule;
}

} // namespace ReferencesTableur
