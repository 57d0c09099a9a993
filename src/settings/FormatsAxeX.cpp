#include "settings/FormatsAxeX.h"

namespace {

const QString automatique = QStringLiteral("AUTO");
const QString personnalise = QStringLiteral("PERSO");
const QString fixe = QStringLiteral("FIXE");

int indiceDuCode(const QStringList& choix, const QString& code)
{
    for (int i = 0; i < choix.size(); ++i)
        if (FormatsAxeX::code(choix[i]) == code)
            return i;
    return -1;
}

} // namespace

const QStringList& FormatsAxeX::choixAnnee()
{
    static const QStringList liste = {
        QStringLiteral("Format automatique [AUTO]"),     QStringLiteral("m Exemple: 1 [m]"),
        QStringLiteral("mm Exemple: 01 [mm]"),           QStringLiteral("mmm Exemple: avr [mmm]"),
        QStringLiteral("mmmm Exemple: avril [mmmm]"),    QStringLiteral("mmm-yy Exemple: avr-08 [yy]"),
        QStringLiteral("Format personnalisé [PERSO]"),
    };
    return liste;
}

const QStringList& FormatsAxeX::choixPluriannuel()
{
    static const QStringList liste = {
        QStringLiteral("Format automatique [AUTO]"),
        QStringLiteral("yy Exemple: 08 [yy]"),
        QStringLiteral("yyyy Exemple: 2008 [yyyy]"),
        QStringLiteral("Format personnalisé [PERSO]"),
    };
    return liste;
}

QString FormatsAxeX::code(const QString& choix)
{
    const qsizetype debut = choix.lastIndexOf(u'[');
    const qsizetype fin = choix.lastIndexOf(u']');
    if (debut < 0 || fin <= debut)
        return QString();
    return choix.mid(debut + 1, fin - debut - 1);
}

FormatsAxeX::Reglage FormatsAxeX::reglage(const QString& code, const QString& texte)
{
    if (code == automatique)
        return {automatique, QString()};
    if (code == personnalise)
        return {personnalise, texte};
    return {fixe, code};
}

int FormatsAxeX::indice(const QStringList& choix, const Reglage& r)
{
    const int perso = indiceDuCode(choix, personnalise);
    if (r.type == personnalise)
        return perso;
    if (r.type == fixe) {
        const int i = indiceDuCode(choix, r.format);
        return i >= 0 ? i : perso;
    }
    return indiceDuCode(choix, automatique);
}
