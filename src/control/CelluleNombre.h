#pragma once

#include <QTableWidgetItem>

// Une cellule de grille qui tient un nombre : le texte qu'on y écrit (avec le
// point ou la virgule) se montre avec ses décimales fixes et la virgule
// décimale, « 0,51 », « 3,00 ». Un texte qui n'est pas un nombre la laisse vide.
class CelluleNombre : public QTableWidgetItem
{
public:
    explicit CelluleNombre(int decimales);

    void setData(int role, const QVariant& valeur) override;
    QTableWidgetItem* clone() const override;

    static QString texte(double valeur, int decimales);

private:
    int m_decimales;
};
