#include "commun/ColonneTypee.h"

#include "commun/Cellule.h"
#include "commun/Nombres.h"

#include <QDate>
#include <QTime>
#include <bit>

namespace {

quint64 motTexte(std::size_t debut, qsizetype longueur)
{
    return (quint64(debut) << 32) | quint32(longueur);
}

} // namespace

void ColonneTypee::reserver(qsizetype lignes)
{
    m_reserve = lignes;
    m_codes.reserve(std::size_t(lignes));
}

bool ColonneTypee::accepter(Genre genre)
{
    if (m_genre == genre)
        return true;
    if (m_genre == Genre::Vide) {
        m_genre = genre;
        return true;
    }
    if (m_genre != Genre::Cellules)
        passerEnCellules();
    return false;
}

void ColonneTypee::ajouterNul()
{
    if (m_genre == Genre::Cellules) {
        m_cellules.append(QVariant());
    } else if (!m_large) {
        m_codes.push_back(codeNul);
    } else {
        if (m_nuls.empty())
            m_nuls.assign(std::size_t(m_taille), 0);
        m_nuls.push_back(1);
        m_mots.push_back(0);
    }
    ++m_taille;
}

int ColonneTypee::chercher(quint64 mot, QStringView texte) const
{
    const auto egal = [&](std::size_t r) {
        if (m_genre != Genre::Texte)
            return m_distincts[r] == mot;
        const quint64 m = m_distincts[r];
        return QStringView(m_textes.data() + (m >> 32), qsizetype(quint32(m))) == texte;
    };
    // Une suite de lignes répète souvent la précédente, ou la suivante (heures).
    const std::size_t n = m_distincts.size();
    for (std::size_t essai : {std::size_t(m_dernier), std::size_t(m_dernier) + 1})
        if (essai < n && egal(essai))
            return int(m_dernier = quint8(essai));
    for (std::size_t r = 0; r < n; ++r)
        if (egal(r))
            return int(m_dernier = quint8(r));
    return -1;
}

void ColonneTypee::ajouterMot(quint64 mot)
{
    if (!m_large) {
        int r = chercher(mot, {});
        if (r < 0 && m_distincts.size() < distinctsMax) {
            m_distincts.push_back(mot);
            r = int(m_distincts.size()) - 1;
        }
        if (r >= 0) {
            m_codes.push_back(quint8(r));
            ++m_taille;
            return;
        }
        passerEnLarge();
    }
    if (!m_nuls.empty())
        m_nuls.push_back(0);
    m_mots.push_back(mot);
    ++m_taille;
}

void ColonneTypee::ajouterEntier(qint64 valeur)
{
    if (accepter(Genre::Entier))
        return ajouterMot(quint64(valeur));
    m_cellules.append(QVariant(valeur));
    ++m_taille;
}

void ColonneTypee::ajouterReel(double valeur)
{
    if (accepter(Genre::Reel))
        return ajouterMot(std::bit_cast<quint64>(valeur));
    m_cellules.append(QVariant(valeur));
    ++m_taille;
}

void ColonneTypee::ajouterJour(qint64 jourJulien)
{
    if (accepter(Genre::Jour))
        return ajouterMot(quint64(jourJulien));
    m_cellules.append(QVariant(QDate::fromJulianDay(jourJulien)));
    ++m_taille;
}

void ColonneTypee::ajouterHeure(int msJour)
{
    if (accepter(Genre::Heure))
        return ajouterMot(quint64(msJour));
    m_cellules.append(QVariant(QTime::fromMSecsSinceStartOfDay(msJour)));
    ++m_taille;
}

void ColonneTypee::ajouterTexte(QStringView texte)
{
    if (!accepter(Genre::Texte)) {
        m_cellules.append(QVariant(texte.toString()));
        ++m_taille;
        return;
    }
    const auto nouveau = [&] {
        const quint64 mot = motTexte(m_textes.size(), texte.size());
        m_textes.append(texte.utf16(), std::size_t(texte.size()));
        return mot;
    };
    if (!m_large) {
        if (const int r = chercher(0, texte); r >= 0) {
            m_codes.push_back(quint8(r));
            ++m_taille;
            return;
        }
        if (m_distincts.size() < distinctsMax) {
            m_distincts.push_back(nouveau());
            m_codes.push_back(quint8(m_distincts.size() - 1));
            ++m_taille;
            return;
        }
        passerEnLarge();
    }
    // Large : le texte de la ligne précédente sert encore s'il est le même.
    const bool memeTexte = m_taille > 0 && !estNul(m_taille - 1) && this->texte(m_taille - 1) == texte;
    const quint64 mot = memeTexte ? m_mots.back() : nouveau();
    ++m_taille;
    if (!m_nuls.empty())
        m_nuls.push_back(0);
    m_mots.push_back(mot);
}

void ColonneTypee::ajouterTexteUtf8(const char* texte, qsizetype octets)
{
    constexpr qsizetype court = 64;
    if (octets <= court) {
        char16_t tampon[court];
        qsizetype i = 0;
        for (; i < octets && uchar(texte[i]) < 0x80; ++i)
            tampon[i] = char16_t(texte[i]);
        if (i == octets)
            return ajouterTexte(QStringView(tampon, octets));
    }
    ajouterTexte(QString::fromUtf8(texte, octets));
}

void ColonneTypee::ajouter(const QVariant& cellule)
{
    switch (cellule.metaType().id()) {
    case QMetaType::UnknownType:
        return ajouterNul();
    case QMetaType::LongLong:
        return ajouterEntier(cellule.toLongLong());
    case QMetaType::Double:
        return ajouterReel(cellule.toDouble());
    case QMetaType::QString:
        return ajouterTexte(*static_cast<const QString*>(cellule.constData()));
    case QMetaType::QDate:
        if (cellule.toDate().isValid())
            return ajouterJour(cellule.toDate().toJulianDay());
        break;
    case QMetaType::QTime:
        if (cellule.toTime().isValid())
            return ajouterHeure(cellule.toTime().msecsSinceStartOfDay());
        break;
    default:
        break;
    }
    if (m_genre != Genre::Cellules)
        passerEnCellules();
    m_cellules.append(cellule);
    ++m_taille;
}

void ColonneTypee::ajouterDepuis(const ColonneTypee& source, qsizetype i)
{
    if (source.m_genre == Genre::Cellules)
        return ajouter(source.m_cellules[i]);
    if (source.estNul(i))
        return ajouterNul();
    switch (source.m_genre) {
    case Genre::Entier: return ajouterEntier(qint64(source.mot(i)));
    case Genre::Reel: return ajouterReel(source.reel(i));
    case Genre::Jour: return ajouterJour(source.jour(i));
    case Genre::Heure: return ajouterHeure(source.heure(i));
    case Genre::Texte: return ajouterTexte(source.texte(i));
    case Genre::Vide:
    case Genre::Cellules: break;
    }
    ajouterNul();
}

void ColonneTypee::passerEnLarge()
{
    m_mots.reserve(std::size_t(std::max(m_reserve, m_taille + 1)));
    for (qsizetype i = 0; i < m_taille; ++i) {
        const quint8 code = m_codes[std::size_t(i)];
        if (code == codeNul) {
            if (m_nuls.empty())
                m_nuls.assign(std::size_t(m_taille), 0);
            m_nuls[std::size_t(i)] = 1;
        }
        m_mots.push_back(code == codeNul ? 0 : m_distincts[code]);
    }
    std::vector<quint8>().swap(m_codes);
    std::vector<quint64>().swap(m_distincts);
    m_large = true;
}

void ColonneTypee::passerEnCellules()
{
    QList<QVariant> cellules;
    cellules.reserve(std::max(m_reserve, m_taille + 1));
    for (qsizetype i = 0; i < m_taille; ++i)
        cellules.append(cellule(i));
    m_cellules = std::move(cellules);
    m_genre = Genre::Cellules;
    std::vector<quint8>().swap(m_codes);
    std::vector<quint64>().swap(m_distincts);
    std::vector<quint64>().swap(m_mots);
    std::vector<quint8>().swap(m_nuls);
    std::u16string().swap(m_textes);
}

bool ColonneTypee::estNul(qsizetype i) const
{
    if (m_genre == Genre::Cellules) {
        const QVariant& c = m_cellules[i];
        return !c.isValid() || c.isNull();
    }
    if (!m_large)
        return m_codes[std::size_t(i)] == codeNul;
    return !m_nuls.empty() && m_nuls[std::size_t(i)] != 0;
}

bool ColonneTypee::estVide(qsizetype i) const
{
    if (m_genre == Genre::Cellules)
        return EstVide(m_cellules[i]);
    if (estNul(i))
        return true;
    return m_genre == Genre::Texte && quint32(mot(i)) == 0;
}

quint64 ColonneTypee::mot(qsizetype i) const
{
    if (!m_large) {
        const quint8 code = m_codes[std::size_t(i)];
        return code == codeNul ? ~quint64(0) : m_distincts[code];
    }
    return m_mots[std::size_t(i)];
}

QVariant ColonneTypee::celluleDe(quint64 mot) const
{
    switch (m_genre) {
    case Genre::Entier: return QVariant(qint64(mot));
    case Genre::Reel: return QVariant(std::bit_cast<double>(mot));
    case Genre::Jour: return QVariant(QDate::fromJulianDay(qint64(mot)));
    case Genre::Heure: return QVariant(QTime::fromMSecsSinceStartOfDay(int(mot)));
    case Genre::Texte: return QVariant(QStringView(m_textes.data() + (mot >> 32), qsizetype(quint32(mot))).toString());
    case Genre::Vide:
    case Genre::Cellules: break;
    }
    return QVariant();
}

QVariant ColonneTypee::cellule(qsizetype i) const
{
    if (m_genre == Genre::Cellules)
        return m_cellules[i];
    return estNul(i) ? QVariant() : celluleDe(mot(i));
}

double ColonneTypee::reel(qsizetype i) const
{
    const quint64 m = mot(i);
    return m_genre == Genre::Entier ? double(qint64(m)) : std::bit_cast<double>(m);
}

qint64 ColonneTypee::jour(qsizetype i) const
{
    return qint64(mot(i));
}

int ColonneTypee::heure(qsizetype i) const
{
    return int(mot(i));
}

QStringView ColonneTypee::texte(qsizetype i) const
{
    const quint64 m = mot(i);
    return QStringView(m_textes.data() + (m >> 32), qsizetype(quint32(m)));
}

QStringView ColonneTypee::texteCellule(qsizetype i, QString& tampon) const
{
    if (m_genre == Genre::Texte && !estNul(i))
        return texte(i);
    tampon = TexteCellule(cellule(i));
    return tampon;
}

std::optional<double> ColonneTypee::nombre(qsizetype i) const
{
    if (m_genre == Genre::Cellules)
        return LireNombre(m_cellules[i]);
    if (estNul(i))
        return std::nullopt;
    if (m_genre == Genre::Entier || m_genre == Genre::Reel)
        return reel(i);
    return LireNombre(celluleDe(mot(i)));
}

std::size_t ColonneTypee::octets() const
{
    return m_codes.capacity() + m_distincts.capacity() * 8 + m_mots.capacity() * 8 + m_nuls.capacity()
        + m_textes.capacity() * 2 + std::size_t(m_cellules.capacity()) * sizeof(QVariant);
}
