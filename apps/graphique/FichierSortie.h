#pragma once

#include "commun/FichierProvisoire.h"

#include <QFile>
#include <QString>
#include <optional>

// Un fichier que la commande écrit (le graphique, le journal) : écrit d'abord
// à côté de sa place sous un nom temporaire, puis mis à sa place d'un seul
// coup quand tout a réussi. Un échec ne laisse rien : ni fichier à moitié
// écrit, ni ancien fichier abîmé. Seuls les fichiers ordinaires sont écrits ;
// un lien symbolique est remplacé lui-même, jamais le fichier qu'il désigne.
class FichierSortie
{
public:
    FichierSortie() = default;
    ~FichierSortie();
    FichierSortie(const FichierSortie&) = delete;
    FichierSortie& operator=(const FichierSortie&) = delete;

    // Ce qui interdit d'écrire à ce chemin (dossier, périphérique, tube…, la base
    // `base` ou un de ses fichiers) ; vide sinon.
    static QString defaut(const QString& chemin, const QString& base = QString());
    // Vrai quand `chemin` est le fichier de la base ou son -journal, -wal, -shm,
    // par son nom comme par un lien, symbolique ou dur.
    static bool surLaBase(const QString& chemin, const QString& base);

    // Crée le fichier temporaire ; faux et un message sinon.
    bool preparer(const QString& chemin, QString& erreur);
    QFile& fichier() { return m_temporaire; }

    // Met le fichier à sa place ; faux et un message sinon (le temporaire est effacé).
    bool valider(QString& erreur);

private:
    QString m_chemin;
    std::optional<FichierProvisoire> m_provisoire;
    QFile m_temporaire;
};
