#include "output/classeur/PaquetOoxml.h"

#include "commun/FichierProvisoire.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamWriter>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <zip.h>

PaquetOoxml::PaquetOoxml()
{
    ajouterTypeParDefaut(QStringLiteral("rels"),
                         QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    ajouterTypeParDefaut(QStringLiteral("xml"), QStringLiteral("application/xml"));
}

void PaquetOoxml::ajouterPartie(const QString& chemin, const QByteArray& octets, const QString& typeContenu)
{
    for (Partie& p : m_parties) {
        if (p.chemin == chemin) {
            p = {chemin, octets, typeContenu};
            return;
        }
    }
    m_parties.append({chemin, octets, typeContenu});
}

void PaquetOoxml::ajouterTypeParDefaut(const QString& extension, const QString& typeContenu)
{
    m_typesParDefaut.append({extension, typeContenu});
}

bool PaquetOoxml::contient(const QString& chemin) const
{
    return partie(chemin) != nullptr;
}

const QByteArray* PaquetOoxml::partie(const QString& chemin) const
{
    for (const Partie& p : m_parties)
        if (p.chemin == chemin)
            return &p.octets;
    return nullptr;
}

QByteArray PaquetOoxml::typesContenu() const
{
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("Types"));
    x.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
    for (const auto& [extension, type] : m_typesParDefaut) {
        x.writeEmptyElement(QStringLiteral("Default"));
        x.writeAttribute(QStringLiteral("Extension"), extension);
        x.writeAttribute(QStringLiteral("ContentType"), type);
    }
    for (const Partie& p : m_parties) {
        if (p.type.isEmpty())
            continue;
        x.writeEmptyElement(QStringLiteral("Override"));
        x.writeAttribute(QStringLiteral("PartName"), u'/' + p.chemin);
        x.writeAttribute(QStringLiteral("ContentType"), p.type);
    }
    x.writeEndDocument();
    return octets;
}

namespace {

// Le niveau par défaut de libzip (9) prend quatre fois plus de temps pour un
// fichier à peine plus petit, voire plus gros, sur des feuilles de nombres.
constexpr zip_uint32_t kNiveauCompression = 4;

bool AjouterEntree(zip_t* archive, const QString& chemin, const QByteArray& octets)
{
    // Les octets restent à nous jusqu'à zip_close : pas de copie.
    zip_source_t* source = zip_source_buffer(archive, octets.constData(), zip_uint64_t(octets.size()), 0);
    if (!source)
        return false;
    const zip_int64_t rang = zip_file_add(archive, chemin.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (rang < 0) {
        zip_source_free(source);
        return false;
    }
    return zip_set_file_compression(archive, zip_uint64_t(rang), ZIP_CM_DEFLATE, kNiveauCompression) == 0;
}

} // namespace

bool PaquetOoxml::ecrireArchive(const QString& chemin, QString& raison) const
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(chemin).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        raison = QString::fromUtf8(zip_error_strerror(&e));
        zip_error_fini(&e);
        return false;
    }
    const QByteArray types = typesContenu();
    bool ok = AjouterEntree(archive, QStringLiteral("[Content_Types].xml"), types);
    for (qsizetype i = 0; ok && i < m_parties.size(); ++i)
        ok = AjouterEntree(archive, m_parties.at(i).chemin, m_parties.at(i).octets);
    if (!ok || zip_close(archive) != 0) {
        raison = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        return false;
    }
    return true;
}

bool PaquetOoxml::enregistrer(const QString& chemin, QString& erreur) const
{
    const QFileInfo cible(chemin);
    const QString dossier = cible.absolutePath();
    if (!QFileInfo(dossier).isDir()) {
        erreur = QStringLiteral("Le dossier « %1 » n'existe pas.").arg(QDir::toNativeSeparators(dossier));
        return false;
    }
    const QString affiche = QDir::toNativeSeparators(cible.absoluteFilePath());
    FichierProvisoire provisoire(cible.absoluteFilePath());
    QString raison;
    if (!provisoire.reserver(raison)) {
        erreur = QStringLiteral("Impossible d'écrire « %1 » : %2").arg(affiche, raison);
        return false;
    }
    if (!ecrireArchive(provisoire.chemin(), raison)) {
        erreur = QStringLiteral("Impossible d'écrire « %1 » : %2").arg(affiche, raison);
        return false;  // le fichier provisoire s'efface avec son objet
    }
    // Droits ordinaires d'un document, pas ceux, privés, du fichier temporaire de l'archive.
    QFile::setPermissions(provisoire.chemin(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    // rename remplace la destination d'un seul coup, sans moment où elle manque.
    if (!provisoire.mettreEnPlace(raison)) {
        erreur = QStringLiteral("Impossible d'écrire « %1 » : %2").arg(affiche, raison);
        return false;
    }
    return true;
}
