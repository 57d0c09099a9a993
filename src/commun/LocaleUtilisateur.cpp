#include "commun/LocaleUtilisateur.h"

#include <optional>

namespace {
std::optional<QLocale>& localeCourante()
{
    static std::optional<QLocale> locale;
    return locale;
}
std::optional<QChar>& separateurGarde()
{
    static std::optional<QChar> separateur;
    return separateur;
}
} // namespace

const QLocale& LocaleUtilisateur::locale()
{
    auto& l = localeCourante();
    if (!l) {
        QLocale systeme = QLocale::system();
        systeme.setNumberOptions(QLocale::OmitGroupSeparator);
        l = systeme;
    }
    return *l;
}

QChar LocaleUtilisateur::separateurDecimal()
{
    auto& s = separateurGarde();
    if (!s) {
        const QString point = locale().decimalPoint();
        s = point.isEmpty() ? QChar(u',') : point.at(0);
    }
    return *s;
}

void LocaleUtilisateur::definir(const QLocale& locale)
{
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    localeCourante() = l;
    separateurGarde().reset();
}
