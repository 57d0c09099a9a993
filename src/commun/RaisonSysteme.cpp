#include "commun/RaisonSysteme.h"

#include <cerrno>
#include <cstring>

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
    return QString::fromLocal8Bit(std::strerror(numero));
}
