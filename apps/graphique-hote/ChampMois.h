#pragma once

#include "SaisieDate.h"

// Un mois et son année, écrit en français (« mars 2015 ») et tapé comme on l'écrit :
// « 03/2015 », « 3/15 », « mars 2015 ». Haut et Bas passent d'un mois au suivant, même
// d'une année à l'autre, ou d'une année à l'autre quand le curseur est sur l'année.
class ChampMois : public SaisieDate
{
    Q_OBJECT

public:
    explicit ChampMois(QWidget* parent = nullptr);

protected:
    std::optional<QDate> lire(const QString& texte) const override;
    QString ecrire(const QDate& date) const override;
    QDate avancer(const QDate& date, int pas, int partie) const override;
};
