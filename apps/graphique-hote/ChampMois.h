#pragma once

#include <QDateEdit>

// Un mois et son année, en français (« mars 2015 ») : les flèches et la
// molette passent d'un mois au suivant même d'une année à l'autre, et
// d'une année à l'autre sur l'année.
class ChampMois : public QDateEdit
{
    Q_OBJECT

public:
    explicit ChampMois(QWidget* parent = nullptr);
    void stepBy(int pas) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    QDate voisin(int pas) const;
};
