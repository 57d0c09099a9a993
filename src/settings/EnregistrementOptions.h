#pragma once

struct ChoixOptions;

// Range les options vérifiées dans les paramètres de l'utilisateur, dans
// l'ordre où la boîte d'options les écrit. Les booléens s'écrivent "1" ou "0".
class EnregistrementOptions
{
public:
    // Vrai quand chaque paramètre a pu être écrit.
    static bool enregistrer(const ChoixOptions& choix);
};
