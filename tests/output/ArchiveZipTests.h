#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <optional>
#include <zip.h>
#include <zlib.h>

// Lecture d'une archive zip pour les essais, avec libzip : un lecteur qui
// n'est pas notre écriture.
class ArchiveZipTests
{
public:
    explicit ArchiveZipTests(const QString& chemin)
        : m_archive(zip_open(QFile::encodeName(chemin).constData(), ZIP_RDONLY, nullptr))
    {
    }
    ~ArchiveZipTests()
    {
        if (m_archive)
            zip_discard(m_archive);
    }
    ArchiveZipTests(const ArchiveZipTests&) = delete;
    ArchiveZipTests& operator=(const ArchiveZipTests&) = delete;

    bool ouverte() const { return m_archive != nullptr; }

    QStringList noms() const
    {
        QStringList liste;
        for (zip_int64_t i = 0; m_archive && i < zip_get_num_entries(m_archive, 0); ++i)
            liste.append(QString::fromUtf8(zip_get_name(m_archive, zip_uint64_t(i), 0)));
        return liste;
    }

    std::optional<QByteArray> lire(const QString& nom) const
    {
        zip_stat_t info;
        if (!m_archive || zip_stat(m_archive, nom.toUtf8().constData(), 0, &info) != 0)
            return std::nullopt;
        zip_file_t* f = zip_fopen_index(m_archive, info.index, 0);
        if (!f)
            return std::nullopt;
        QByteArray octets(qsizetype(info.size), '\0');
        const zip_int64_t lus = zip_fread(f, octets.data(), info.size);
        zip_fclose(f);
        if (lus != zip_int64_t(info.size))
            return std::nullopt;
        // libzip ne vérifie pas le CRC d'une entrée lue d'un trait : l'essai le fait.
        if ((info.valid & ZIP_STAT_CRC)
            && info.crc != crc32(0, reinterpret_cast<const Bytef*>(octets.constData()), uInt(octets.size())))
            return std::nullopt;
        return octets;
    }

private:
    zip_t* m_archive;
};
