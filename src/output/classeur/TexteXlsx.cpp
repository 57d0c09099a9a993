#include "output/classeur/TexteXlsx.h"

#include <QXmlStreamWriter>
#include <charconv>

namespace {

bool CaractereInterdit(char16_t c)
{
    if (c < 0x20)
        return c != u'\t' && c != u'\n' && c != u'\r';
    return c == 0xFFFE || c == 0xFFFF;
}

} // namespace

QString NettoyerTexteCellule(const QString& texte)
{
    QString propre;
    propre.reserve(qMin(texte.size(), qsizetype(kLongueurTexteMax)));
    const qsizetype n = texte.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = texte.at(i);
        if (c.isHighSurrogate()) {
            if (i + 1 < n && texte.at(i + 1).isLowSurrogate()) {
                // La paire entière, ou rien si elle dépasserait la limite.
                if (propre.size() + 2 > kLongueurTexteMax)
                    break;
                propre.append(c).append(texte.at(i + 1));
                ++i;
            }
            continue;
        }
        if (c.isLowSurrogate() || CaractereInterdit(c.unicode()))
            continue;
        if (propre.size() >= kLongueurTexteMax)
            break;
        propre.append(c);
    }
    return propre;
}

QString LettresColonne(int colonne)
{
    QString lettres;
    while (colonne > 0) {
        const int reste = (colonne - 1) % 26;
        lettres.prepend(QChar(u'A' + reste));
        colonne = (colonne - 1) / 26;
    }
    return lettres;
}

QString ReferenceCellule(int ligne, int colonne)
{
    return LettresColonne(colonne) + QString::number(ligne);
}

qint64 SerieDate(const QDate& date)
{
    return QDate(1899, 12, 30).daysTo(date);
}

QString TexteNombreXml(double valeur)
{
    char tampon[32];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, valeur).ptr;
    return QString::fromLatin1(tampon, fin - tampon);
}

void EcrireTexteXml(QXmlStreamWriter& x, const QString& texte)
{
    const QStringList morceaux = texte.split(u'\r');
    for (qsizetype i = 0; i < morceaux.size(); ++i) {
        if (i > 0)
            x.writeEntityReference(QStringLiteral("#13"));
        if (!morceaux.at(i).isEmpty())
            x.writeCharacters(morceaux.at(i));
    }
}
