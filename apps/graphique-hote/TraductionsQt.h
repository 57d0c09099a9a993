#pragma once

// Les textes de Qt lui-même en français : Oui, Non, Annuler, Ouvrir, les boîtes
// d'impression et de fichiers. Faux quand la traduction n'est pas installée
// (paquet qt6-translations-l10n) : Qt parle alors anglais, rien d'autre ne change.
class TraductionsQt
{
public:
    static bool installer();
};
