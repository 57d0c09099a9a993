#pragma once

#include <QString>
#include <QStringList>

// Les bases que l'application retient d'une fois sur l'autre : la dernière
// ouverte et les récentes. Un fichier est retenu par son chemin absolu (un
// lancement depuis un autre dossier le retrouve), une fois seulement ; une
// connexion sans son mot de passe.
class BasesRecentes
{
public:
    static constexpr int nombreMax = 8;

    // Le texte tel qu'il se retient : chemin absolu d'un fichier, connexion sans mot de passe.
    static QString normaliser(const QString& texte);
    static QStringList liste();
    static QString derniere();
    static void retenir(const QString& texte);
};
