#include "settings/ValidationOptions.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"

#include <cmath>
#include <optional>

namespace {

using Refus = std::optional<QString>;

std::optional<double> nombre(const QString& texte)
{
    const auto n = LireNombre(QVariant(texte.trimmed()));
    if (!n || !std::isfinite(*n))
        return std::nullopt;
    return n;
}

// Un entier compris entre deux bornes, écrit avec ou sans décimales nulles.
std::optional<int> entier(const QString& texte, int minimum, int maximum)
{
    const auto n = nombre(texte);
    if (!n || *n != std::floor(*n) || *n < minimum || *n > maximum)
        return std::nullopt;
    return int(*n);
}

QString messageBornes(TypeGraph type)
{
    return QString::fromUtf8(Traits(type).refusBornes);
}

bool lireBornes(const QString& min, const QString& max, ChoixOptions::Echelle& echelle)
{
    const auto a = nombre(min), b = nombre(max);
    if (!a || !b)
        return false;
    echelle.minimum = *a;
    echelle.maximum = *b;
    return true;
}

Refus bornes(const SaisieOptions& s, TypeGraph type, ChoixOptions& c)
{
    if (!lireBornes(s.minimum, s.maximum, c.echelleY))
        return messageBornes(type);
    if (ValidationOptions::deuxGraphiques(type) && !lireBornes(s.minimumPluie, s.maximumPluie, c.echellePluie))
        return QStringLiteral("La valeur du minimum et/ou du maximum de la pluviométrie n'est pas correcte pour la saisie.");
    return std::nullopt;
}

Refus tailles(const SaisieOptions& s, ChoixOptions& c)
{
    const auto axes = entier(s.tailleAxes, ValidationOptions::taillePoliceMin, ValidationOptions::taillePoliceMax);
    const auto titre = entier(s.tailleTitre, ValidationOptions::taillePoliceMin, ValidationOptions::taillePoliceMax);
    if (!axes || !titre)
        return QStringLiteral("La valeur de la taille des polices des titres ou des axes n'est pas correcte.");
    c.options.TaillePoliceAxes = qint16(*axes);
    c.options.TaillePoliceTitre = qint16(*titre);
    c.texteTailleAxes = s.tailleAxes.trimmed();
    c.texteTailleTitre = s.tailleTitre.trimmed();
    return std::nullopt;
}

Refus separations(const SaisieOptions& s, ChoixOptions& c)
{
    const auto n = entier(s.nbSeparations, 0, ValidationOptions::separationsMax);
    if (!n)
        return QStringLiteral("Le nombre de séparateurs n'est pas correct.");
    c.nbSeparations = qint16(*n == 0 ? 1 : *n);
    return std::nullopt;
}

Refus ordreDesBornes(TypeGraph type, const ChoixOptions& c)
{
    const bool pluieInversee = ValidationOptions::deuxGraphiques(type) && !(c.echellePluie.minimum < c.echellePluie.maximum);
    if (!(c.echelleY.minimum < c.echelleY.maximum) || pluieInversee)
        return QStringLiteral("La valeur du minimum doit être inférieure au maximum.");
    return std::nullopt;
}

Refus dates(const SaisieOptions& s, ChoixOptions& c)
{
    const auto debut = LireDate(s.dateDebut.trimmed()), fin = LireDate(s.dateFin.trimmed());
    if (!debut || !fin)
        return QStringLiteral("Les dates d'affichage ne sont pas correctes.");
    if (DateDiff(Intervalle::Jour, *debut, *fin) <= 0)
        return QStringLiteral("La date de début doit être inférieure à la date de fin.");
    c.debut = *debut;
    c.fin = *fin;
    return std::nullopt;
}

QList<ChoixOptions::Courbe> courbes(const SaisieOptions& s)
{
    // Le dernier motif, "Invisible", cache la courbe ; le dernier symbole n'en met aucun.
    constexpr int motifInvisible = 5, symboleInvisible = 3;
    QList<ChoixOptions::Courbe> l;
    for (const SaisieOptions::Courbe& e : s.courbes) {
        ChoixOptions::Courbe c;
        c.afficher = e.motif != motifInvisible;
        c.pattern = qint16(c.afficher ? e.motif : 0);
        c.symbol = qint16(e.symbole == symboleInvisible ? -1 : e.symbole);
        l.append(c);
    }
    return l;
}

} // namespace

bool ValidationOptions::deuxGraphiques(TypeGraph type)
{
    return Traits(type).deuxGraphiques;
}

std::variant<ChoixOptions, QString> ValidationOptions::valider(const SaisieOptions& s, TypeGraph type)
{
    ChoixOptions c;
    c.grilleX = s.grilleX;
    c.grilleY = s.grilleY;
    c.couleurFond = s.couleurFond;
    c.courbes = courbes(s);
    c.options = s.options;
    Refus refus = bornes(s, type, c);
    if (!refus)
        refus = tailles(s, c);
    if (!refus)
        refus = separations(s, c);
    if (!refus)
        refus = ordreDesBornes(type, c);
    if (!refus)
        refus = dates(s, c);
    if (refus)
        return *refus;
    c.echelleY.automatique = s.echelleYAuto;
    c.echellePluie.automatique = s.echellePluieAuto;
    c.echelleXAuto = s.echelleXAuto;
    c.coteNgf = s.coteNgf;
    return c;
}
