#include "data/Litteraux.h"

#include "commun/AppelParNom.h"
#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/LocaleUtilisateur.h"
#include "commun/Nombres.h"
#include "commun/ValeursProcessus.h"

#include <algorithm>
#include <cmath>

QString TypeBaseCourant()
{
    return LireMembre(ValeursProcessus::courantes().fenetrePrincipale, QStringLiteral("typeBase")).toString();
}

OrdreSql FormatDateBase(const QString& date, bool avecHeure)
{
    // Le littéral est écrit depuis la valeur lue, jamais depuis le texte reçu.
    const auto instant = LireDateHeure(date.trimmed());
    return instant ? FormatDateBase(*instant, avecHeure) : OrdreSql();
}

OrdreSql FormatDateBase(const QDate& date, bool avecHeure)
{
    return FormatDateBase(DateHeure(date), avecHeure);
}

OrdreSql FormatDateBase(const QDateTime& instant, bool avecHeure)
{
    return LitteralDate(instant, TypeBaseCourant(), avecHeure);
}

OrdreSql LitteralDate(const QDate& date, const QString& type)
{
    return LitteralDate(DateHeure(date), type, false);
}

OrdreSql LitteralDate(const QDateTime& instant, const QString& type, bool avecHeure)
{
    if (!instant.isValid())
        return OrdreSql();
    const QString motif = avecHeure ? QStringLiteral("MM/DD/YYYY hh:nn:ss") : QStringLiteral("MM/DD/YYYY");
    if (type == QStringLiteral("ACCESS"))
        return OrdreSql::sansVerification(u'#' + FormatDate(instant, motif) + u'#');
    if (type == QStringLiteral("POSTGRESQL"))
        return OrdreSql::sansVerification(u'\'' + FormatDate(instant, motif) + u'\'');
    if (type == QStringLiteral("ORACLE")) {
        if (avecHeure)
            return OrdreSql::sansVerification(QStringLiteral(" to_date('") + FormatDate(instant, QStringLiteral("DD/MM/YYYY hh:nn:ss"))
                                              + QStringLiteral("', 'DD/MM/YYYY HH24:MI:SS') "));
        return OrdreSql::sansVerification(QStringLiteral(" to_date('") + TexteDate(instant.date()) + QStringLiteral("', 'DD/MM/YYYY') "));
    }
    return OrdreSql();
}

OrdreSql TexteSqlDate(const QDate& date)
{
    return date.isValid() ? OrdreSql::sansVerification(u'\'' + TexteDate(date) + u'\'') : OrdreSql();
}

OrdreSql TexteSqlHeure(const QTime& heure)
{
    return heure.isValid() ? OrdreSql::sansVerification(u'\'' + TexteHeure(heure) + u'\'') : OrdreSql();
}

OrdreSql TexteSqlNombre(double valeur)
{
    if (!std::isfinite(valeur))
        return OrdreSql();
    QString t = QString::number(valeur, 'f', 2);
    while (t.endsWith(u'0'))
        t.chop(1);
    if (t.endsWith(u'.'))
        t.chop(1);
    t.replace(u'.', LocaleUtilisateur::separateurDecimal());
    return OrdreSql::sansVerification(u'\'' + t + u'\'');
}

OrdreSql FormatHeureBase(const QString& heure)
{
    const auto t = LireHeure(heure.trimmed());
    return t ? LitteralHeure(*t, TypeBaseCourant()) : OrdreSql();
}

OrdreSql LitteralHeure(const QTime& heure, const QString& type)
{
    const std::optional<QTime> t = heure.isValid() ? std::optional<QTime>(heure) : std::nullopt;
    if (!t)
        return OrdreSql();
    if (type == QStringLiteral("ACCESS"))
        return OrdreSql::sansVerification(u'#' + TexteHeure(*t) + u'#');
    if (type == QStringLiteral("POSTGRESQL"))
        return OrdreSql::sansVerification(QStringLiteral("'12/30/1899 ") + TexteHeure(*t) + u'\'');
    if (type == QStringLiteral("ORACLE"))
        return OrdreSql::sansVerification(QStringLiteral(" to_date('30/12/1899 ") + TexteHeure(*t)
                                          + QStringLiteral("', 'DD/MM/YYYY HH24:MI:SS') "));
    return OrdreSql();
}

std::optional<QVariant> ConvertirNombre(const QVariant& valeur, bool nulSiVide)
{
    if (EstVide(valeur))
        return nulSiVide ? QVariant() : QVariant(0);
    const auto n = LireNombre(valeur);
    if (!n)
        return std::nullopt;
    return QVariant(*n);
}

void RemplacerTexte(QString& texte, const QString& cherche, const QString& remplacement)
{
    if (texte.isEmpty() || cherche.isEmpty())
        return;
    // La recherche reprend au premier caractère à chaque fois ; un remplacement
    // qui contient le texte cherché, ou qui le recrée sans fin avec ses
    // voisins, ne finirait pas : au-delà d'un tour par caractère, le reste est
    // remplacé en une passe.
    if (remplacement.contains(cherche)) {
        texte.replace(cherche, remplacement);
        return;
    }
    qsizetype tours = texte.size() + 1;
    qsizetype position = texte.indexOf(cherche);
    while (position >= 0 && tours-- > 0) {
        texte.replace(position, cherche.size(), remplacement);
        position = texte.indexOf(cherche);
    }
    if (position >= 0)
        texte.replace(cherche, remplacement);
}

void RemplacerTexte(QVariant& texte, const QString& cherche, const QVariant& remplacement)
{
    QString t = TexteCellule(texte);
    if (t.isEmpty() || cherche.isEmpty())
        return;
    RemplacerTexte(t, cherche, TexteCellule(remplacement));
    texte = t;
}

OrdreSql LitteralCode(const NomVerifie& code)
{
    const QString& c = code.texte();
    const bool chiffres = std::all_of(c.cbegin(), c.cend(), [](QChar x) { return x >= u'0' && x <= u'9'; });
    return chiffres ? OrdreSql(code) : "'" + OrdreSql(code) + "'";
}
