#include "commun/Valeurs.h"

#include "commun/AppelParNom.h"
#include "commun/Nombres.h"
#include "commun/ValeursProcessus.h"

qint16 CoefficientEchelle(qint16& typeAffichage)
{
    QObject* hote = ValeursProcessus::courantes().fenetrePrincipale;
    if (typeAffichage == 999) {
        bool trouve = false;
        const auto type = LireNombre(LireMembre(hote, QStringLiteral("typeAffichageEchelle"), &trouve));
        if (trouve && type)
            typeAffichage = CInt(*type).value_or(typeAffichage);
    }
    if (typeAffichage != 0)
        return 1;
    // Un hôte sans coefficient de profondeur garde les profondeurs telles que rangées.
    const auto coefficient = LireNombre(LireMembre(hote, QStringLiteral("coefficientProfondeur")));
    if (!coefficient)
        return 1;
    return CInt(*coefficient).value_or(1);
}

double ValeurMin(double valeur, const QString& texte)
{
    const auto n = LireNombre(texte);
    return n && *n < valeur ? *n : valeur;
}

double ValeurMax(double valeur, const QString& texte)
{
    const auto n = LireNombre(texte);
    return n && *n > valeur ? *n : valeur;
}
