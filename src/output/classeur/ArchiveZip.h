#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>
#include <vector>

// Une archive zip écrite d'un trait dans un fichier ouvert : chaque entrée
// est compressée (deflate) à mesure qu'on l'écrit, si bien qu'une feuille de
// plusieurs mégaoctets de XML n'est jamais tenue entière en mémoire. Sans
// zip64 : une entrée ou l'archive au-delà de 4 Go est refusée.
class ArchiveZip
{
public:
    explicit ArchiveZip(QFile& fichier);
    ~ArchiveZip();
    ArchiveZip(const ArchiveZip&) = delete;
    ArchiveZip& operator=(const ArchiveZip&) = delete;

    // Chaque écriture rend faux au premier échec, et les suivantes aussi ; `raison` le dit.
    bool ouvrirEntree(const QString& nom);
    bool ecrire(const char* octets, qsizetype taille);
    bool ecrire(const QByteArray& octets) { return ecrire(octets.constData(), octets.size()); }
    bool fermerEntree();
    // Le répertoire central, qui rend l'archive lisible.
    bool terminer();
    const QString& raison() const { return m_raison; }

private:
    struct Entree
    {
        QByteArray nom;
        quint32 crc = 0;
        quint64 compresse = 0;
        quint64 taille = 0;
        quint64 position = 0;
    };
    struct Compresseur;

    bool demarrerCompression();
    QByteArray enteteLocal(const Entree& e) const;
    QByteArray enteteCentral(const Entree& e) const;
    bool deverser(bool fin);
    bool ecrireFichier(const QByteArray& octets);
    bool echec(const QString& raison);

    QFile& m_fichier;
    std::unique_ptr<Compresseur> m_compresseur;
    std::vector<Entree> m_entrees;
    bool m_ouverte = false;
    quint16 m_heureDos = 0;
    quint16 m_dateDos = 0;
    QString m_raison;
};
