#pragma once

// Le temps d'un essai du contrôle : la date du jour fixée, les images du
// moteur dans un dossier jetable, puis tout remis comme avant.
#include "commun/Horloge.h"
#include "commun/ValeursProcessus.h"
#include "render/moteur/MoteurGraphique.h"

#include <QDate>
#include <QTemporaryDir>

class JourFixe
{
public:
    explicit JourFixe(const QDate& jour)
    {
        Horloge::fixer(jour);
        MoteurGraphique::definirDossierImages(dossier.path());
    }
    ~JourFixe()
    {
        Horloge::fixer(QDate());
        MoteurGraphique::definirDossierImages(QString());
        ValeursProcessus::courantes().fenetrePrincipale = nullptr;
    }
    JourFixe(const JourFixe&) = delete;
    JourFixe& operator=(const JourFixe&) = delete;

    QString chemin(const QString& nom) const { return dossier.filePath(nom); }

    QTemporaryDir dossier;
};
