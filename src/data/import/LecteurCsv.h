#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

class QIODevice;

// Une mesure lue dans un fichier CSV : date, heure (minuit quand la ligne n'en
// donne pas), valeur, et le numéro de sa ligne.
struct MesureCsv
{
    qint64 ligne = 0;
    QDate date;
    QTime heure;
    double valeur = 0;
    bool journee = false;  // la ligne ne donne pas d'heure : une valeur du jour
};

// Une ligne refusée : son numéro et pourquoi.
struct LigneRefusee
{
    qint64 ligne = 0;
    QString motif;
};

// Lit un fichier de mesures ligne après ligne, sans le garder en mémoire : une
// date (JJ/MM/AAAA ou AAAA-MM-JJ, l'heure pouvant lui être jointe), une heure
// facultative (hh:nn ou hh:nn:ss), une valeur (virgule ou point décimal).
// Le séparateur (";", tabulation ou ",") est celui de la première ligne.
// Cette première ligne n'est un en-tête que si aucun de ses champs ne
// ressemble à une date ou à un nombre et qu'un champ au moins porte une
// lettre : une première ligne de données mal écrite est une erreur, pas un
// en-tête.
class LecteurCsv
{
public:
    // Au-delà, la ligne est refusée sans être gardée.
    static constexpr qsizetype longueurMaxLigne = 64 * 1024;
    // Lignes refusées dont le détail est gardé ; les autres sont seulement comptées.
    static constexpr int refusGardes = 5;

    explicit LecteurCsv(QIODevice& source);

    // La mesure suivante ; faux à la fin du fichier. Les lignes refusées sont
    // passées et comptées.
    bool suivante(MesureCsv& mesure);

    qint64 lignesLues() const { return m_numero; }
    qint64 nombreRefus() const { return m_nombreRefus; }
    const QList<LigneRefusee>& premiersRefus() const { return m_refus; }
    // L'en-tête reconnu, vide quand il n'y en a pas.
    const QString& entete() const { return m_entete; }
    // La lecture du fichier a échoué (pas une ligne fausse : le fichier lui-même).
    bool erreurLecture() const { return m_erreurLecture; }

    // Une ligne de données, le séparateur connu ; le motif du refus sinon.
    static bool lireLigne(QByteArrayView ligne, char separateur, MesureCsv& mesure, QString& motif);
    static bool estEntete(QByteArrayView ligne, char separateur);
    static char separateurDe(QByteArrayView ligne);

private:
    // La ligne suivante, sans sa fin de ligne, vue dans le tampon de lecture.
    bool lireLigneBrute(QByteArrayView& ligne, bool& tropLongue);
    bool remplir();
    void refuser(const QString& motif);

    QIODevice& m_source;
    QByteArray m_tampon;
    qsizetype m_debut = 0;
    bool m_finSource = false;
    char m_separateur = 0;
    qint64 m_numero = 0;
    qint64 m_nombreRefus = 0;
    QList<LigneRefusee> m_refus;
    QString m_entete;
    bool m_premiere = true;
    bool m_erreurLecture = false;
};
