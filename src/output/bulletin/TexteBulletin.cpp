#include "output/bulletin/TexteBulletin.h"

#include "data/bulletin/BulletinMensuel.h"
#include "data/bulletin/CalculBulletin.h"

#include <QLocale>

namespace TexteBulletin {

QString nombre(std::optional<double> v, int decimales)
{
    return v ? QLocale(QLocale::French).toString(*v, 'f', decimales) : QString();
}

QString valeur(const LigneBulletin& l, std::optional<double> v)
{
    return nombre(v, l.genre->decimales);
}

QString rapport(const LigneBulletin& l)
{
    return nombre(l.rapport, 0);
}

QString deMois(int mois)
{
    const QString nom = QLocale(QLocale::French).monthName(mois);
    const bool voyelle = QStringLiteral("aeiouy").contains(nom.at(0));
    return (voyelle ? QStringLiteral("d'") : QStringLiteral("de ")) + nom;
}

QString resume(const LigneBulletin& l, QDate mois, int moisHydro)
{
    const QString unite = u' ' + l.genre->texteUnite();
    if (!l.valeur)
        return QStringLiteral("Aucune mesure en %1.").arg(BulletinMensuel::texteMois(mois));
    QString t = QStringLiteral("%1 en %2 : %3").arg(l.texteGrandeur(), BulletinMensuel::texteMois(mois), valeur(l, l.lue(l.valeur)) + unite);
    if (l.rapport)
        t += QStringLiteral(", soit %1 % de la normale (%2)").arg(rapport(l), valeur(l, l.lue(l.normale)) + unite);
    t += QStringLiteral(" ; rang %1 parmi les mois %2 du relevé ; %3.")
             .arg(l.texteRang(), deMois(mois.month()),
                  l.classe ? l.texteClasse()
                           : QStringLiteral("relevé trop court pour le classer (moins de %1 ans)").arg(CalculBulletin::effectifClasses));
    if (l.cumul) {
        const QDate debut(mois.month() >= moisHydro ? mois.year() : mois.year() - 1, moisHydro, 1);
        t += QStringLiteral(" Cumul depuis le 1er %1 : %2").arg(BulletinMensuel::texteMois(debut), valeur(l, l.cumul) + unite);
        if (l.normaleCumulee)
            t += QStringLiteral(" pour une normale de %1").arg(valeur(l, l.normaleCumulee) + unite);
        t += u'.';
    }
    if (l.tendance)
        t += QStringLiteral(" Tendance du %1 depuis le mois précédent : %2.").arg(l.genre->texteGrandeur().toLower(), l.texteTendance());
    return t;
}

} // namespace TexteBulletin
