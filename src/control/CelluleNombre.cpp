#include "control/CelluleNombre.h"

#include "commun/Nombres.h"

#include <QLocale>
#include <cmath>

CelluleNombre::CelluleNombre(int decimales)
    : QTableWidgetItem(QTableWidgetItem::UserType)
    , m_decimales(decimales)
{
}

QString CelluleNombre::texte(double valeur, int decimales)
{
    QLocale francais(QLocale::French);
    francais.setNumberOptions(QLocale::OmitGroupSeparator);
    // Un -0,001 arrondi n'a plus de signe à montrer.
    const double arrondi = Round(valeur, decimales);
    return francais.toString(arrondi == 0 ? 0.0 : arrondi, 'f', decimales);
}

void CelluleNombre::setData(int role, const QVariant& valeur)
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QTableWidgetItem::setData(role, valeur);
    const auto nombre = LireNombre(valeur);
    QTableWidgetItem::setData(role, nombre ? texte(*nombre, m_decimales) : QString());
}

QTableWidgetItem* CelluleNombre::clone() const
{
    auto* copie = new CelluleNombre(m_decimales);
    *copie = *this;
    return copie;
}
