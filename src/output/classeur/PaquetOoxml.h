#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

class QFile;

// Un paquet OOXML : des parties (chemin dans l'archive, octets, type de
// contenu) réunies dans une archive zip avec leur [Content_Types].xml.
// Les parties s'écrivent dans l'ordre où elles ont été ajoutées.
class PaquetOoxml
{
public:
    // Emporte le tampon dans l'archive et le vide ; faux si l'écriture a échoué.
    using Verser = std::function<bool(QByteArray&)>;
    // Une partie écrite au moment de l'enregistrement, morceau par morceau,
    // après celles qui la précèdent : une feuille n'est jamais tenue entière.
    using Producteur = std::function<bool(const Verser&)>;

    PaquetOoxml();

    // Un type vide laisse l'extension décider (types par défaut : rels, xml).
    void ajouterPartie(const QString& chemin, const QByteArray& octets, const QString& typeContenu = {});
    void ajouterPartie(const QString& chemin, Producteur producteur, const QString& typeContenu = {});
    // Type par défaut d'une extension (par exemple "png" pour des images).
    void ajouterTypeParDefaut(const QString& extension, const QString& typeContenu);
    bool contient(const QString& chemin) const;
    // Les octets d'une partie donnée telle quelle ; rien pour une partie produite.
    const QByteArray* partie(const QString& chemin) const;

    QByteArray typesContenu() const;

    // Enregistrement atomique : l'archive est écrite dans un fichier
    // temporaire du dossier de destination puis renommée ; en cas d'échec
    // rien ne reste et `erreur` dit pourquoi, en français.
    bool enregistrer(const QString& chemin, QString& erreur) const;

private:
    bool ecrireArchive(QFile& fichier, QString& raison) const;

    struct Partie
    {
        QString chemin;
        QByteArray octets;
        QString type;
        Producteur producteur;
    };
    void remplacerOuAjouter(Partie partie);
    QList<Partie> m_parties;
    QList<std::pair<QString, QString>> m_typesParDefaut;
};
