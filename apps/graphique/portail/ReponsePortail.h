#pragma once

#include <QByteArray>

// Une réponse du portail avant son écriture : ce que la connexion en reçoit.
struct ReponsePortail
{
    int statut = 200;
    QByteArray type = "text/html; charset=utf-8";
    QByteArray corps;
    // Le nom proposé à l'enregistrement ; vide : la réponse s'affiche.
    QByteArray fichier;
    // Gardée et marquée d'une ETag : la même adresse sur les mêmes données rend les mêmes octets.
    bool gardee = true;
};
