#pragma once

#include "commun/CodesGraphique.h"

#include "commun/TypeGraph.h"

#include <QDate>
#include <QString>
#include <optional>

class AxeTableur;

// Les unités de l'axe du temps d'un graphique de classeur, choisies d'après
// la chaîne des périodes de l'hôte, le genre de graphique et la durée affichée.
struct EchelleTemps
{
    int uniteBase = 0;  // 0 jours, 1 mois, 2 années
    int echelleMajeure = 1;
    double uniteMajeure = 12;
    int echelleMineure = 0;
    double uniteMineure = 1;
    QString formatParDefaut;

    // `periode` : celle des lettres de MaChainePeriodes ; rien : les jours.
    static EchelleTemps choisir(std::optional<Periode> periode, TypeGraph type, Variante variante, const QDate& debut,
                                const QDate& fin);
    // Unités, bornes (jours de série de `debut` et `fin`) et format des étiquettes.
    void appliquer(const AxeTableur& axe, const QDate& debut, const QDate& fin, const QString& format) const;
};
