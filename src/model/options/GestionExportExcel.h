#pragma once

#include <QString>
#include <QtGlobal>

// Options d'affichage communes au graphique et à ses exports vers le tableur.
// Simple valeur : les copies sont indépendantes et se comparent par ==, pour que
// la boîte d'options applique ou annule par copie. Un nouvel exemplaire garde
// des zéros et des textes vides tant qu'il n'est pas rempli depuis les
// paramètres de l'utilisateur.
struct GestionExportExcel
{
    QString TypeAxeXAnnee;          // "AUTO", "FIXE" ou "PERSO"
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

    // Lit chaque option dans le paramètre utilisateur du même nom ; à la première
    // utilisation ("InitOptionExcel" vide), écrit d'abord les valeurs par défaut.
    void ChargerDepuisParametres();
};
