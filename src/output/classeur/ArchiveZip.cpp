#include "output/classeur/ArchiveZip.h"
#include "commun/RaisonSysteme.h"

#include <QDateTime>
#include <QtEndian>
#include <limits>
#include <zlib.h>

// Le format : pour chaque entrée un en-tête local puis ses octets compressés ;
// à la fin le répertoire central et sa fin. L'en-tête local est écrit avant
// les octets, puis complété (CRC, tailles) par un retour en arrière : les
// lecteurs qui n'acceptent pas les descripteurs de données le lisent aussi.

namespace {

constexpr quint32 kEnteteLocal = 0x04034b50;
constexpr quint32 kEnteteCentral = 0x02014b50;
constexpr quint32 kFinRepertoire = 0x06054b50;
constexpr quint16 kVersion = 20;  // 2.0 : deflate
constexpr quint16 kDeflate = 8;
constexpr quint16 kNomsUtf8 = 1u << 11;
// Le niveau 9 prend quatre fois plus de temps pour un fichier à peine plus
// petit, voire plus gros, sur des feuilles de nombres.
constexpr int kNiveau = 4;
constexpr qsizetype kMorceau = 64 * 1024;
constexpr quint64 kMax32 = std::numeric_limits<quint32>::max();

void Ajouter16(QByteArray& o, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    o.append(b, 2);
}

void Ajouter32(QByteArray& o, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    o.append(b, 4);
}

} // namespace

struct ArchiveZip::Compresseur
{
    z_stream flux{};
    bool pret = false;
    QByteArray sortie;
    ~Compresseur()
    {
        if (pret)
            deflateEnd(&flux);
    }
};

ArchiveZip::ArchiveZip(QFile& fichier) : m_fichier(fichier), m_compresseur(std::make_unique<Compresseur>())
{
    const QDateTime maintenant = QDateTime::currentDateTime();
    const QDate d = maintenant.date();
    const QTime t = maintenant.time();
    m_dateDos = quint16(((qMax(d.year(), 1980) - 1980) << 9) | (d.month() << 5) | d.day());
    m_heureDos = quint16((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
}

ArchiveZip::~ArchiveZip() = default;

bool ArchiveZip::echec(const QString& raison)
{
    if (m_raison.isEmpty())
        m_raison = raison;
    return false;
}

bool ArchiveZip::ecrireFichier(const QByteArray& octets)
{
    if (!EcrireTout(m_fichier, octets))
        return echec(RaisonFichier(m_fichier));
    return true;
}

bool ArchiveZip::ouvrirEntree(const QString& nom)
{
    if (!m_raison.isEmpty() || (m_ouverte && !fermerEntree()))
        return false;
    Entree e;
    e.nom = nom.toUtf8();
    e.position = quint64(m_fichier.pos());
    if (e.position > kMax32)
        return echec(QStringLiteral("le classeur dépasse 4 Go"));
    e.crc = quint32(crc32(0, nullptr, 0));
    if (!demarrerCompression())
        return echec(QStringLiteral("mémoire insuffisante pour compresser"));
    m_entrees.push_back(e);
    m_ouverte = true;
    return ecrireFichier(enteteLocal(e));
}

bool ArchiveZip::demarrerCompression()
{
    Compresseur& c = *m_compresseur;
    if (c.pret)
        deflateEnd(&c.flux);
    c.flux = z_stream{};
    // Fenêtre négative : deflate brut, sans l'enveloppe zlib, comme le veut le zip.
    c.pret = deflateInit2(&c.flux, kNiveau, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    return c.pret;
}

QByteArray ArchiveZip::enteteLocal(const Entree& e) const
{
    QByteArray entete;
    Ajouter32(entete, kEnteteLocal);
    Ajouter16(entete, kVersion);
    Ajouter16(entete, kNomsUtf8);
    Ajouter16(entete, kDeflate);
    Ajouter16(entete, m_heureDos);
    Ajouter16(entete, m_dateDos);
    Ajouter32(entete, 0);  // CRC, tailles : complétés à la fermeture
    Ajouter32(entete, 0);
    Ajouter32(entete, 0);
    Ajouter16(entete, quint16(e.nom.size()));
    Ajouter16(entete, 0);
    return entete + e.nom;
}

bool ArchiveZip::deverser(bool fin)
{
    Compresseur& c = *m_compresseur;
    int etat = Z_OK;
    do {
        c.sortie.resize(kMorceau);
        c.flux.next_out = reinterpret_cast<Bytef*>(c.sortie.data());
        c.flux.avail_out = uInt(kMorceau);
        etat = deflate(&c.flux, fin ? Z_FINISH : Z_NO_FLUSH);
        if (etat == Z_STREAM_ERROR)
            return echec(QStringLiteral("compression impossible"));
        c.sortie.resize(kMorceau - qsizetype(c.flux.avail_out));
        m_entrees.back().compresse += quint64(c.sortie.size());
        if (!c.sortie.isEmpty() && !ecrireFichier(c.sortie))
            return false;
    } while (c.flux.avail_out == 0 || (fin && etat != Z_STREAM_END));
    return true;
}

bool ArchiveZip::ecrire(const char* octets, qsizetype taille)
{
    if (!m_raison.isEmpty() || !m_ouverte)
        return echec(QStringLiteral("aucune entrée ouverte"));
    Entree& e = m_entrees.back();
    Compresseur& c = *m_compresseur;
    while (taille > 0) {
        const uInt part = uInt(qMin<qsizetype>(taille, kMorceau));
        e.crc = quint32(crc32(e.crc, reinterpret_cast<const Bytef*>(octets), part));
        e.taille += part;
        c.flux.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(octets));
        c.flux.avail_in = part;
        if (!deverser(false))
            return false;
        octets += part;
        taille -= part;
    }
    if (e.taille > kMax32 || e.compresse > kMax32)
        return echec(QStringLiteral("une partie du classeur dépasse 4 Go"));
    return true;
}

bool ArchiveZip::fermerEntree()
{
    if (!m_raison.isEmpty() || !m_ouverte)
        return false;
    m_ouverte = false;
    if (!deverser(true))
        return false;
    const Entree& e = m_entrees.back();
    const qint64 fin = m_fichier.pos();
    QByteArray complement;
    Ajouter32(complement, e.crc);
    Ajouter32(complement, quint32(e.compresse));
    Ajouter32(complement, quint32(e.taille));
    // Vidé d'abord : un échec d'écriture retenu dans le tampon garde sa raison.
    if (!m_fichier.flush() || !m_fichier.seek(qint64(e.position) + 14) || !ecrireFichier(complement) || !m_fichier.seek(fin))
        return echec(RaisonFichier(m_fichier));
    return true;
}

QByteArray ArchiveZip::enteteCentral(const Entree& e) const
{
    QByteArray entete;
    Ajouter32(entete, kEnteteCentral);
    Ajouter16(entete, kVersion);  // fait par : 2.0, attributs MS-DOS
    Ajouter16(entete, kVersion);
    Ajouter16(entete, kNomsUtf8);
    Ajouter16(entete, kDeflate);
    Ajouter16(entete, m_heureDos);
    Ajouter16(entete, m_dateDos);
    Ajouter32(entete, e.crc);
    Ajouter32(entete, quint32(e.compresse));
    Ajouter32(entete, quint32(e.taille));
    Ajouter16(entete, quint16(e.nom.size()));
    Ajouter16(entete, 0);  // champ supplémentaire
    Ajouter16(entete, 0);  // commentaire
    Ajouter16(entete, 0);  // disque
    Ajouter16(entete, 0);  // attributs internes
    Ajouter32(entete, 0);  // attributs externes
    Ajouter32(entete, quint32(e.position));
    return entete + e.nom;
}

bool ArchiveZip::terminer()
{
    if (m_ouverte && !fermerEntree())
        return false;
    if (!m_raison.isEmpty())
        return false;
    const quint64 debut = quint64(m_fichier.pos());
    if (debut > kMax32 || m_entrees.size() > 0xffff)
        return echec(QStringLiteral("le classeur dépasse 4 Go"));
    QByteArray repertoire;
    for (const Entree& e : m_entrees)
        repertoire += enteteCentral(e);
    const quint32 tailleRepertoire = quint32(repertoire.size());
    Ajouter32(repertoire, kFinRepertoire);
    Ajouter16(repertoire, 0);  // ce disque, celui du répertoire
    Ajouter16(repertoire, 0);
    Ajouter16(repertoire, quint16(m_entrees.size()));
    Ajouter16(repertoire, quint16(m_entrees.size()));
    Ajouter32(repertoire, tailleRepertoire);
    Ajouter32(repertoire, quint32(debut));
    Ajouter16(repertoire, 0);  // commentaire
    if (!ecrireFichier(repertoire))
        return false;
    return m_fichier.flush() || echec(RaisonFichier(m_fichier));
}
