#include "control/ChampDate.h"
#include "control/ChampDatePrive.h"

#include "commun/Dates.h"

ChampDate::ChampDate(const QString& nom, Forme forme, QWidget* parent)
    : QLineEdit(parent)
    , d(std::make_unique<ChampDatePrive>(forme))
{
    setObjectName(nom);
    setInputMask(forme == Forme::Date ? QStringLiteral("99/99/9999;_") : QStringLiteral("9999;_"));
    setMaximumWidth(forme == Forme::Date ? 110 : 60);
}

ChampDate::~ChampDate() = default;

QString ChampDate::texte() const
{
    if (d->forme == Forme::Annee) {
        const QString t = text().trimmed();
        return t.isEmpty() ? QStringLiteral("____") : t;
    }
    const QString t = text();
    return t == QStringLiteral("//") ? QString() : t;
}

void ChampDate::setTexte(const QString& t)
{
    setText(d->forme == Forme::Annee && t == QStringLiteral("____") ? QString() : t);
}

bool ChampDate::EstValide() const
{
    return date().has_value();
}

std::optional<QDate> ChampDate::date() const
{
    if (d->forme == Forme::Annee) {
        bool ok = false;
        const int a = texte().toInt(&ok);
        return ok && a >= 100 && a <= 9999 ? std::optional<QDate>(QDate(a, 1, 1)) : std::nullopt;
    }
    return LireDate(texte());
}

void ChampDate::setDate(const QDate& jour)
{
    setTexte(d->forme == Forme::Annee ? QString::number(jour.year()) : TexteDate(jour));
}
