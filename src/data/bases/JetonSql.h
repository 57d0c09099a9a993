#pragma once

#include <QString>

// Un mot d'un ordre de la formulation Access.
struct JetonSql
{
    enum class Genre {
        Fin,
        Identifiant,  // nom, ou mot-clé : l'analyseur décide
        Nombre,       // tel qu'écrit
        Texte,        // décodé : '…' avec '' dedans, E'…' avec échappements \, "…"
        Date,         // le contenu de #…#
        Symbole       // ( ) , . ; * + - / \ ^ & = <> < > <= >=
    };

    Genre genre = Genre::Fin;
    QString texte;
    bool entreCrochets = false;  // [nom] : jamais un mot-clé
    int position = 0;            // dans l'ordre, pour les messages
};
