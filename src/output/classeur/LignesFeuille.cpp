#include "output/classeur/LignesFeuille.h"

#include "output/classeur/TexteXlsx.h"

#include <QLocale>

namespace LignesFeuille {

QString refus(qint64 points, int lignesEnPlus)
{
    if (points + lignesEnPlus <= kLignesMax)
        return QString();
    const QLocale francais(QLocale::French);
    return QStringLiteral("Le classeur ne peut pas tenir %1 points sur une feuille : un tableur s'arrête à %2 lignes. "
                          "Exporter une période plus courte, ou regrouper les points (par jour, par mois…).")
        .arg(francais.toString(points), francais.toString(kLignesMax));
}

} // namespace LignesFeuille
