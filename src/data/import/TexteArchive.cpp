#include "data/import/TexteArchive.h"

#include <QStringDecoder>

namespace {

// Les octets 0x80 à 0x9F de Windows-1252 ; les cinq que la table laisse libres restent eux-mêmes.
constexpr char16_t de80a9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

bool TexteArchive::estUtf8(QByteArrayView octets)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texte = utf8(octets);
    return !utf8.hasError();
}

QString TexteArchive::depuisWindows1252(QByteArrayView octets)
{
    QString texte(octets.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < octets.size(); ++i) {
        const auto o = static_cast<unsigned char>(octets[i]);
        texte[i] = o >= 0x80 && o <= 0x9F ? QChar(de80a9F[o - 0x80]) : QChar(o);
    }
    return texte;
}
