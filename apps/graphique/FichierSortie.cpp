#include "FichierSortie.h"

#include "commun/TexteAffichable.h"
#include "commun/RaisonSysteme.h"
#include "data/bases/OuvertureBase.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <optional>
#include <utility>

namespace {

QString cite(const QString& chemin)
{
    return QStringLiteral("« %1 »").arg(TexteAffichable(chemin));
}

// Le fichier que le chemin atteint, liens suivis ; rien s'il n'existe pas.
std::optional<std::pair<dev_t, ino_t>> identite(const QString& chemin)
{
    struct stat etat{};
    if (stat(QFile::encodeName(chemin).constData(), &etat) != 0)
        return std::nullopt;
    return std::pair{etat.st_dev, etat.st_ino};
}

// Le chemin absolu, dossier résolu : la place d'un fichier qui n'existe pas encore.
QString place(const QString& chemin)
{
    const QFileInfo info(chemin);
    const QString dossier = QFileInfo(info.absolutePath()).canonicalFilePath();
    return dossier.isEmpty() ? info.absoluteFilePath() : dossier + u'/' + info.fileName();
}

} // namespace

bool FichierSortie::surLaBase(const QString& chemin, const QString& base)
{
    if (base.isEmpty() || estConnexionPostgres(base))
        return false;
    const auto sortie = identite(chemin);
    const QString lieu = place(chemin);
    // Le moteur nomme ses compagnons d'après la base telle que donnée ou d'après le fichier qu'elle désigne.
    QStringList bases{base};
    if (const QString resolue = QFileInfo(base).canonicalFilePath(); !resolue.isEmpty())
        bases << resolue;
    for (const QString& b : bases)
        for (const char* suffixe : {"", "-journal", "-wal", "-shm"}) {
            const QString f = b + QLatin1String(suffixe);
            const auto id = identite(f);
            if ((sortie && id && *sortie == *id) || place(f) == lieu)
                return true;
        }
    return false;
}

FichierSortie::~FichierSortie()
{
    m_temporaire.close();
}

QString FichierSortie::defaut(const QString& chemin, const QString& base)
{
    if (surLaBase(chemin, base))
        return QStringLiteral("%1 est la base lue ou un de ses fichiers : rien n'y est écrit, choisir un autre fichier de sortie.")
            .arg(cite(chemin));
    struct stat etat{};
    const QByteArray nom = QFile::encodeName(chemin);
    if (lstat(nom.constData(), &etat) != 0)
        return errno == ENOENT ? QString() : QStringLiteral("impossible d'écrire %1 : %2.").arg(cite(chemin), RaisonErrno(errno));
    if (S_ISREG(etat.st_mode) || S_ISLNK(etat.st_mode))
        return QString();
    if (S_ISDIR(etat.st_mode))
        return QStringLiteral("%1 est un dossier : donner un nom de fichier.").arg(cite(chemin));
    return QStringLiteral("%1 n'est pas un fichier ordinaire (périphérique, tube…) : rien n'y est écrit.").arg(cite(chemin));
}

bool FichierSortie::preparer(const QString& chemin, QString& erreur)
{
    m_chemin = chemin;
    if (const QString d = defaut(chemin); !d.isEmpty()) {
        erreur = d;
        return false;
    }
    const QFileInfo cible(chemin);
    const QString dossier = cible.absolutePath();
    if (!QFileInfo(dossier).isDir()) {
        erreur = QStringLiteral("le dossier de sortie %1 n'existe pas.").arg(cite(dossier));
        return false;
    }
    m_provisoire.emplace(chemin);
    const int fd = m_provisoire->creer(erreur);
    if (fd < 0)
        return false;
    if (m_temporaire.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    m_provisoire->abandonner();
    erreur = QStringLiteral("impossible d'écrire dans le dossier %1.").arg(cite(dossier));
    return false;
}

bool FichierSortie::valider(QString& erreur)
{
    const bool ecrit = m_temporaire.flush() && ::fsync(m_temporaire.handle()) == 0;
    const QString raison = RaisonFichier(m_temporaire);
    m_temporaire.close();
    if (!ecrit || m_temporaire.error() != QFileDevice::NoError) {
        erreur = QStringLiteral("impossible d'écrire %1 : %2.").arg(cite(m_chemin), raison);
        return false;
    }
    // rename() remplace le lien lui-même, et d'un coup : l'ancien fichier reste entier jusque-là.
    return m_provisoire->mettreEnPlace(erreur);
}
