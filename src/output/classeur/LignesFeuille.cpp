#include "output/classeur/LignesFeuille.h"

#include "output/classeur/TexteXlsx.h"

#include <QLocale>

namespace LignesFeuille {

QString refus(qint64 points, int lignesEnPlus)
{
    if (points + lignesEnPlus <= kLignesMax)
        return QString();
    const QLocale francais(QLocale::French);
    // Les titres prennent des lignes : à la limite exacte, il manque la leur.
    const QString titres = lignesEnPlus == 1 ? QStringLiteral("dont une pour l'en-tête")
                                             : QStringLiteral("dont %1 pour les titres").arg(lignesEnPlus);
    return QStringLiteral("Le classeur ne peut pas tenir %1 points sur une feuille : un tableur s'arrête à %2 lignes, %3, "
                          "soit %4 points au plus. Exporter une période plus courte, ou regrouper les points (par jour, par mois…).")
        .arg(francais.toString(points), francais.toString(kLignesMax), titres, francais.toString(kLignesMax - lignesEnPlus));
}

} // namespace LignesFeuille
