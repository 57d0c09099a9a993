#include "data/bases/Traducteur.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/bases/OutilsTraduction.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

using namespace OutilsTraduction;

Traducteur::Traducteur(Catalogue catalogue)
    : m_catalogue(std::move(catalogue))
{
}

Traducteur::~Traducteur() = default;

TypeValeur Traducteur::typeDeColonne(TypeColonne type)
{
    switch (type) {
    case TypeColonne::Date:
    case TypeColonne::Heure:
    case TypeColonne::DateHeure:
        return TypeValeur::Date;
    case TypeColonne::Entier:
        return TypeValeur::Entier;
    case TypeColonne::Reel:
        return TypeValeur::Reel;
    case TypeColonne::Texte:
        return TypeValeur::Texte;
    case TypeColonne::Booleen:
        return TypeValeur::Booleen;
    case TypeColonne::Autre:
        break;
    }
    return TypeValeur::Inconnu;
}

std::optional<QDateTime> Traducteur::dateLitterale(const QString& texte)
{
    const QString t = texte.trimmed();
    const int a = int(t.indexOf(u'/'));
    const int b = a < 0 ? -1 : int(t.indexOf(u'/', a + 1));
    if (a > 0 && b > a)
        return ConvertirEnDate(t.mid(a + 1, b - a - 1) + u'/' + t.left(a) + t.mid(b));
    return ConvertirEnDate(t);
}

QString Traducteur::litteralTexte(const QString& texte) const
{
    QString t = texte;
    t.replace(u'\'', QStringLiteral("''"));
    return u'\'' + t + u'\'';
}

std::nullopt_t Traducteur::echec(const QString& texte)
{
    if (m_erreur.isEmpty())
        m_erreur = texte;
    return std::nullopt;
}
