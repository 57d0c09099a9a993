#include "commun/RaisonSysteme.h"

#include <QByteArray>
#include <QFileDevice>

#include <cerrno>

namespace {

struct Traduction
{
    int numero;
    const char* anglais;
    const char* francais;
};

// Les raisons qu'un fichier écrit ou lu rencontre le plus : disque, droits, noms.
const Traduction traductions[] = {
    {ENOSPC, "No space left on device", "le disque est plein"},
    {EDQUOT, "Disk quota exceeded", "le quota du disque est atteint"},
    {EACCES, "Permission denied", "accès refusé"},
    {EPERM, "Operation not permitted", "opération non permise"},
    {EROFS, "Read-only file system", "le disque est en lecture seule"},
    {ENAMETOOLONG, "File name too long", "le nom du fichier est trop long"},
    {ENOENT, "No such file or directory", "le fichier ou le dossier n'existe pas"},
    {EISDIR, "Is a directory", "c'est un dossier"},
    {ENOTDIR, "Not a directory", "un élément du chemin n'est pas un dossier"},
    {EFBIG, "File too large", "le fichier dépasse la taille permise"},
    {EIO, "Input/output error", "erreur de lecture ou d'écriture du disque"},
    {EMFILE, "Too many open files", "trop de fichiers ouverts"},
    {ELOOP, "Too many levels of symbolic links", "trop de liens symboliques enchaînés"},
    {ETXTBSY, "Text file busy", "le fichier est en cours d'exécution"},
    {EBUSY, "Device or resource busy", "le fichier ou le disque est occupé"},
    {EXDEV, "Invalid cross-device link", "le fichier est sur un autre disque"},
    {ENOMEM, "Cannot allocate memory", "mémoire insuffisante"},
    {EEXIST, "File exists", "le fichier existe déjà"},
    {ESTALE, "Stale file handle", "le fichier n'est plus joignable sur le disque réseau"},
    {0, "No file name specified", "aucun nom de fichier n'est donné"},
    {0, "Unknown error", "erreur inconnue"},
};

} // namespace

QString RaisonSysteme(const QString& raison)
{
    const QString t = raison.trimmed();
    for (const Traduction& x : traductions)
        if (t.compare(QLatin1String(x.anglais), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(x.francais);
    return raison;
}

QString RaisonErrno(int numero)
{
    for (const Traduction& x : traductions)
        if (x.numero != 0 && x.numero == numero)
            return QString::fromUtf8(x.francais);
    // Le texte du système serait anglais : le numéro, au moins, dit lequel.
    return QStringLiteral("erreur du système n° %1").arg(numero);
}

QString RaisonFichier(const QFileDevice& fichier)
{
    const QString raison = fichier.errorString().trimmed();
    if (fichier.error() == QFileDevice::NoError || raison.isEmpty() || raison == QLatin1String("Unknown error"))
        return QStringLiteral("le disque est peut-être plein");
    return RaisonSysteme(raison);
}

bool EcrireTout(QIODevice& sortie, const QByteArray& octets)
{
    qint64 fait = 0;
    while (fait < octets.size()) {
        const qint64 n = sortie.write(octets.constData() + fait, octets.size() - fait);
        if (n <= 0)
            return false;
        fait += n;
    }
    return true;
}
