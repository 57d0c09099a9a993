#pragma once

#include <QString>

// Le nom d'un projet devient un nom de fichier des réglages (ou une clé du
// registre) : il ne doit désigner rien d'autre que lui-même.
class NomProjet
{
public:
    static constexpr qsizetype longueurMax = 64;

    // Pourquoi le nom est refusé, en une ligne française ; vide s'il est accepté.
    static QString defaut(const QString& nom);
};
