#include "IdentiteApplication.h"

#include <QApplication>

void IdentiteApplication::appliquer()
{
    QApplication::setApplicationName(QStringLiteral("graphique-hote"));
    QApplication::setOrganizationName(QStringLiteral("graphique"));
    // Sans lui, les boîtes de message porteraient le nom du programme, « graphique-hote ».
    QApplication::setApplicationDisplayName(QString::fromUtf8(kNomAffiche));
}
