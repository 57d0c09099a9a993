#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Un paquet OOXML : des parties (chemin dans l'archive, octets, type de
// contenu) réunies dans une archive zip avec leur [Content_Types].xml.
// Les parties s'écrivent dans l'ordre où elles ont été ajoutées.
class PaquetOoxml
{
public:
    PaquetOoxml();

    // Un type vide laisse l'extension décider (types par défaut : rels, xml).
    void ajouterPartie(const QString& chemin, const QByteArray& octets, const QString& typeContenu = {});
    // Type par défaut d'une extension (par exemple "png" pour des images).
    void ajouterTypeParDefaut(const QString& extension, const QString& typeContenu);
    bool contient(const QString& chemin) const;
    const QByteArray* partie(const QString& chemin) const;

    QByteArray typesContenu() const;

    // Enregistrement atomique : l'archive est écrite dans un fichier
    // temporaire du dossier de destination puis renommée ; en cas d'échec
    // rien ne reste et `erreur` dit pourquoi, en français.
    bool enregistrer(const QString& chemin, QString& erreur) const;

private:
    bool ecrireArchive(const QString& chemin, QString& raison) const;

    struct Partie
    {
        QString chemin;
        QByteArray octets;
        QString type;
    };
    QList<Partie> m_parties;
    QList<std::pair<QString, QString>> m_typesParDefaut;
};
