#pragma once

#include <QString>
#include <QtGlobal>

// Display options shared by the chart and its spreadsheet exports. A plain
// value: copies are independent and compare with ==, so that the options dialog
// applies or cancels by copying. A new record holds zeros and empty texts until
// it is filled from the user parameters.
struct GestionExportExcel
{
    QString TypeAxeXAnnee;          // "AUTO", "FIXE" or "PERSO"
    QString FormatAxeXAnnee;
    QString TypeAxeX;
    QString FormatAxeX;
    bool AfficherAxeProfondeur = false;
    bool AfficherTitreAxeProfondeur = false;
    QString LibelleAxeProfondeur;
    bool AfficherAxeNGF = false;
    bool AfficherTitreAxeNGF = false;
    QString LibelleAxeNGF;
    bool AfficherTitre = false;
    bool AfficherAquifere = false;
    bool AfficherLegende = false;
    qint16 TaillePoliceAxes = 0;
    qint16 TaillePoliceTitre = 0;

    bool operator==(const GestionExportExcel&) const = default;

    // Reads every option from the user parameters of the same names; on first
    // use ("InitOptionExcel" empty) writes the defaults first.
    void ChargerDepuisParametres();
};
