#pragma once

#include <QString>
#include <QStringList>

// Où l'application trouve son manuel : installé, à côté du programme
// (../share/graphique/aide/), sinon dans les sources quand elle est lancée
// depuis le dossier de construction.
class EmplacementAide
{
public:
    // La page d'accueil que l'aide cherche pour le projet de l'application (KOR).
    static QString nomPageAccueil();

    explicit EmplacementAide(const QString& dossierProgramme);

    // Les dossiers essayés, dans l'ordre.
    const QStringList& dossiers() const { return m_dossiers; }
    // Le chemin de la page d'accueil ; vide si aucun dossier ne la tient.
    QString pageAccueil() const;
    // Ce que l'on dit quand elle manque : les dossiers où elle a été cherchée.
    QString messageIntrouvable() const;

private:
    QStringList m_dossiers;
};
