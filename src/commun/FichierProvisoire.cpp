#include "commun/FichierProvisoire.h"

#include "commun/TexteAffichable.h"
#include "commun/RaisonSysteme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString prefixe = QStringLiteral(".graphique-");

// Les provisoires en cours, lisibles depuis un gestionnaire de signal : des
// chemins en octets dans des cases fixes, sans allocation.
constexpr int nombreCases = 16;
constexpr int longueurCase = 4096;
std::array<std::array<char, longueurCase>, nombreCases> cases{};
std::array<std::atomic<bool>, nombreCases> occupees{};

int retenir(const QString& chemin)
{
    const QByteArray octets = QFile::encodeName(chemin);
    if (octets.size() >= longueurCase - 16)
        return -1;
    for (int i = 0; i < nombreCases; ++i) {
        bool libre = false;
        if (occupees[size_t(i)].compare_exchange_strong(libre, true)) {
            std::memcpy(cases[size_t(i)].data(), octets.constData(), size_t(octets.size()) + 1);
            return i;
        }
    }
    return -1;
}

void oublier(int place)
{
    if (place >= 0)
        occupees[size_t(place)] = false;
}

void effacerEnCours(int signal)
{
    for (int i = 0; i < nombreCases; ++i)
        if (occupees[size_t(i)]) {
            char* chemin = cases[size_t(i)].data();
            unlink(chemin);
            // Le journal d'une base SQLite à moitié écrite.
            const size_t n = std::strlen(chemin);
            std::memcpy(chemin + n, "-journal", 9);
            unlink(chemin);
            chemin[n] = '\0';
        }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

mode_t droitsOrdinaires()
{
    const mode_t masque = umask(0);
    umask(masque);
    return 0666 & ~masque;
}

QString cite(const QString& chemin)
{
    return QStringLiteral("« %1 »").arg(TexteAffichable(chemin));
}

// Le provisoire prend le nom de la cible seulement si personne ne l'a pris ;
// link() pour un système de fichiers qui ne connaît pas RENAME_NOREPLACE.
bool placerSansRemplacer(const QByteArray& de, const QByteArray& vers)
{
    if (renameat2(AT_FDCWD, de.constData(), AT_FDCWD, vers.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::link(de.constData(), vers.constData()) != 0)
        return false;
    ::unlink(de.constData());
    return true;
}

} // namespace

FichierProvisoire::FichierProvisoire(const QString& cible)
    : m_cible(cible)
{
}

FichierProvisoire::~FichierProvisoire()
{
    abandonner();
}

bool FichierProvisoire::reserver(QString& erreur)
{
    const int fd = creer(erreur);
    if (fd < 0)
        return false;
    ::close(fd);
    // Le moteur de base veut créer le fichier lui-même : le nom reste à nous (pid).
    ::unlink(QFile::encodeName(m_chemin).constData());
    return true;
}

int FichierProvisoire::creer(QString& erreur)
{
    const QFileInfo cible(m_cible);
    const QString dossier = cible.absolutePath();
    nettoyer(dossier);
    for (int essai = 0; essai < 100; ++essai) {
        const QString nom = QStringLiteral("%1/%2%3-%4-%5").arg(dossier, prefixe).arg(getpid()).arg(essai).arg(cible.fileName());
        // Un signal entre la création et l'inscription laisserait le fichier derrière lui.
        sigset_t signaux, avant;
        sigemptyset(&signaux);
        for (const int s : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&signaux, s);
        pthread_sigmask(SIG_BLOCK, &signaux, &avant);
        const int fd = ::open(QFile::encodeName(nom).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, droitsOrdinaires());
        const int cause = errno;
        if (fd >= 0)
            m_place = retenir(nom);
        pthread_sigmask(SIG_SETMASK, &avant, nullptr);
        if (fd >= 0) {
            m_chemin = nom;
            return fd;
        }
        errno = cause;
        if (errno != EEXIST) {
            erreur = QStringLiteral("impossible d'écrire dans le dossier %1 : %2.")
                         .arg(cite(dossier), RaisonErrno(errno));
            return -1;
        }
    }
    erreur = QStringLiteral("impossible de créer un fichier dans le dossier %1.").arg(cite(dossier));
    return -1;
}

bool FichierProvisoire::mettreEnPlace(QString& erreur, bool remplacer)
{
    const QByteArray de = QFile::encodeName(m_chemin), vers = QFile::encodeName(m_cible);
    const bool place = remplacer ? std::rename(de.constData(), vers.constData()) == 0 : placerSansRemplacer(de, vers);
    if (!place) {
        erreur = errno == EEXIST && !remplacer
            ? QStringLiteral("%1 est apparu pendant l'écriture : il est laissé tel quel.").arg(cite(m_cible))
            : QStringLiteral("impossible d'écrire %1 : %2.").arg(cite(m_cible), RaisonErrno(errno));
        abandonner();
        return false;
    }
    oublier(m_place);
    m_place = -1;
    m_chemin.clear();
    return true;
}

void FichierProvisoire::abandonner()
{
    if (m_chemin.isEmpty())
        return;
    QFile::remove(m_chemin);
    QFile::remove(m_chemin + QStringLiteral("-journal"));
    oublier(m_place);
    m_place = -1;
    m_chemin.clear();
}

void FichierProvisoire::nettoyer(const QString& dossier)
{
    static const QRegularExpression nom(QStringLiteral("^\\.graphique-(\\d+)-\\d+-.+$"));
    const QStringList restes = QDir(dossier).entryList({prefixe + u'*'}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& reste : restes) {
        const auto m = nom.match(reste);
        bool lu = false;
        const qint64 pid = m.hasMatch() ? m.captured(1).toLongLong(&lu) : 0;
        // Un processus vivant (celui-ci, ou un autre qui écrit en même temps) garde les siens.
        if (lu && pid > 0 && pid != getpid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            QFile::remove(QDir(dossier).filePath(reste));
    }
}

void FichierProvisoire::effacerAuxSignaux()
{
    for (const int s : {SIGINT, SIGTERM, SIGHUP})
        std::signal(s, effacerEnCours);
}
