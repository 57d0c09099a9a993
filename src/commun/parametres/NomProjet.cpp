#include "commun/parametres/NomProjet.h"

#include "commun/TexteAffichable.h"

namespace {

bool aUnCaractereDeCommande(const QString& nom)
{
    for (const QChar c : nom)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return true;
    return false;
}

} // namespace

QString NomProjet::defaut(const QString& nom)
{
    QString raison;
    if (nom.trimmed().isEmpty())
        raison = QStringLiteral("il est vide");
    else if (nom.size() > longueurMax)
        raison = QStringLiteral("plus de %1 caractères").arg(longueurMax);
    else if (nom.contains(u'/') || nom.contains(u'\\'))
        raison = QStringLiteral("il porte un séparateur de chemin (« / » ou « \\ »)");
    else if (nom.contains(QStringLiteral("..")))
        raison = QStringLiteral("il porte « .. »");
    else if (aUnCaractereDeCommande(nom))
        raison = QStringLiteral("il porte un caractère de commande");
    if (raison.isEmpty())
        return QString();
    return QStringLiteral("nom de projet refusé « %1 » : %2.").arg(TexteAffichable(nom, 40), raison);
}
