#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Ce que les exports traduisent des courbes vers le tableur.
namespace CorrespondancesTableur {

// Motif de trait d'une courbe → style de trait du tableur (continu, tirets, points…).
int StyleTrait(int motif);
// Symbole d'une courbe → marque du tableur ; rien pour un symbole sans équivalent.
std::optional<int> Marque(int symbole);
// Numéro de couleur de la palette → entier `Color` du tableur.
qint64 Couleur(int numero);

// Les dates collées : format et largeur de colonne ("31/12/2024 23:59:00" sans #).
inline const QString kFormatDates = QStringLiteral("DD/MM/YYYY hh:mm:ss");
inline constexpr double kLargeurDates = 19;

} // namespace CorrespondancesTableur
