#pragma once

#include <QString>

// Le nom d'un projet devient un nom de fichier des réglages (ou une clé du
// registre) : il ne doit désigner rien d'autre que lui-même.
class NomProjet
{
public:
    static constexpr qsizetype longueurMax = 64;

    // Le projet des programmes de ce paquet, commandes et application de bureau :
    // tous lisent et écrivent ainsi les mêmes paramètres de l'utilisateur.
    static QString programmes() { return QStringLiteral("KOR"); }

    // Pourquoi le nom est refusé, en une ligne française ; vide s'il est accepté.
    static QString defaut(const QString& nom);
};
