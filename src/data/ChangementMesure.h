#pragma once

#include <QDate>
#include <QMap>
#include <QString>
#include <QTime>
#include <QVariant>
#include <optional>

// Une ligne entière d'une table de mesures : son instant (DateCreation, Heure)
// et chacune de ses autres colonnes, par nom en minuscules (un serveur ne garde
// pas la casse des noms), sous la forme d'une cellule (nombre, texte, date ;
// invalide pour NULL).
struct LigneMesure
{
    QDate date;
    QTime heure;
    QMap<QString, QVariant> colonnes;

    bool operator==(const LigneMesure&) const = default;
};

// Une mesure changée : la ligne d'avant et celle d'après, la première absente
// pour un ajout, la seconde pour une suppression.
struct ChangementMesure
{
    QDate date;
    QTime heure;
    std::optional<LigneMesure> avant, apres;

    bool estAjout() const { return !avant && apres; }
    bool estSuppression() const { return avant && !apres; }
};
