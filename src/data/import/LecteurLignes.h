#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Les lignes d'un fichier, compressé par gzip ou non (zlib lit l'un et
// l'autre), lues par grands blocs sans garder le fichier en mémoire. Une ligne
// se termine par LF ou CRLF ; une ligne démesurée est passée sans être gardée.
class LecteurLignes
{
public:
    static constexpr qsizetype longueurMaxLigne = 64 * 1024;

    explicit LecteurLignes(const QString& chemin);
    ~LecteurLignes();
    LecteurLignes(const LecteurLignes&) = delete;
    LecteurLignes& operator=(const LecteurLignes&) = delete;

    // Vide quand le fichier est ouvert ; sinon pourquoi, en français.
    const QString& erreurOuverture() const { return m_erreurOuverture; }

    // La ligne suivante, vue dans le tampon jusqu'au prochain appel ; faux à
    // la fin du fichier ou sur une erreur de lecture. `tropLongue` : la ligne
    // dépassait `longueurMaxLigne` et `ligne` est vide.
    bool suivante(QByteArrayView& ligne, bool& tropLongue);

    qint64 numero() const { return m_numero; }
    // Le fichier est illisible, ou son contenu compressé tronqué ou abîmé.
    bool erreurLecture() const { return m_erreurLecture; }
    // Avancement de la lecture, de 0 à 100, d'après les octets lus du fichier.
    int pourcent() const;

private:
    bool remplir();
    void passerLaFinDeLigne();
    bool rendre(qsizetype fin, bool complete, QByteArrayView& ligne, bool& tropLongue);

    void* m_fichier = nullptr;
    qint64 m_taille = 0;
    QString m_erreurOuverture;
    QByteArray m_tampon;
    qsizetype m_debut = 0;
    qsizetype m_fin = 0;
    bool m_finFichier = false;
    bool m_erreurLecture = false;
    qint64 m_numero = 0;
};
