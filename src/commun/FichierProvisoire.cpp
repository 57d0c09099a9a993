#include "commun/FichierProvisoire.h"

#include "commun/TexteAffichable.h"
#include "commun/RaisonSysteme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
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

// La ligne de SIGQUIT, faite d'avance : un gestionnaire de signal n'écrit que des octets prêts.
std::array<char, 256> ligneQuitter{};
size_t longueurQuitter = 0;

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
    if (signal == SIGQUIT) {
        [[maybe_unused]] const ssize_t ecrit = ::write(STDERR_FILENO, ligneQuitter.data(), longueurQuitter);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    // Le processus 1 d'un conteneur ne meurt pas d'un signal qu'il ne traite pas.
    _exit(128 + signal);
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

// Le nom tient dans les 255 octets d'un nom de fichier : une cible au nom très
// long perd le début du sien, jamais son extension.
QString nomProvisoire(const QString& dossier, const QString& nomCible)
{
    const QString tete = QStringLiteral("%1%2-%3-").arg(prefixe).arg(getpid()).arg(QRandomGenerator::global()->generate());
    QString queue = nomCible;
    while (!queue.isEmpty() && QFile::encodeName(tete + queue).size() > NAME_MAX)
        queue.remove(0, 1);
    return dossier + u'/' + tete + queue;
}

// Le fichier qui porte le verrou d'un reste : le sien, ou celui de la base dont il est le journal.
QString titulaire(const QString& chemin)
{
    const QString journal = QStringLiteral("-journal");
    if (chemin.endsWith(journal) && QFileInfo::exists(chemin.chopped(journal.size())))
        return chemin.chopped(journal.size());
    return chemin;
}

// Un reste que personne ne tient est effacé sous son verrou : un écrivain qui
// l'ouvrait à l'instant voit que son fichier n'est plus à son nom et en prend un autre.
void effacerSiLibre(const QString& chemin)
{
    const int fd = ::open(QFile::encodeName(titulaire(chemin)).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno != ENOENT)
        return;
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink(QFile::encodeName(chemin).constData());
    if (fd >= 0)
        ::close(fd);
}

bool memeFichier(int fd, const QString& nom)
{
    struct stat ouvert{}, nomme{};
    return ::fstat(fd, &ouvert) == 0 && ::lstat(QFile::encodeName(nom).constData(), &nomme) == 0 && ouvert.st_dev == nomme.st_dev
        && ouvert.st_ino == nomme.st_ino;
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
    // Le fichier vide reste, verrouillé : le moteur de base l'ouvre comme une base neuve.
    ::close(fd);
    return true;
}

int FichierProvisoire::creer(QString& erreur)
{
    const QFileInfo cible(m_cible);
    const QString dossier = cible.absolutePath();
    nettoyer(dossier);
    erreur.clear();
    for (int essai = 0; essai < 100; ++essai) {
        const int fd = ouvrirVerrouille(nomProvisoire(dossier, cible.fileName()), erreur);
        if (fd >= 0 || !erreur.isEmpty())
            return fd;
    }
    erreur = QStringLiteral("impossible de créer un fichier dans le dossier %1.").arg(cite(dossier));
    return -1;
}

// Le descripteur du fichier créé et verrouillé à ce nom ; -1 sans `erreur` quand le nom est à reprendre.
int FichierProvisoire::ouvrirVerrouille(const QString& nom, QString& erreur)
{
    // Un signal entre la création et l'inscription laisserait le fichier derrière lui.
    sigset_t signaux, avant;
    sigemptyset(&signaux);
    for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaddset(&signaux, s);
    pthread_sigmask(SIG_BLOCK, &signaux, &avant);
    const int fd = ::open(QFile::encodeName(nom).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, droitsOrdinaires());
    const int cause = errno;
    if (fd >= 0)
        m_place = retenir(nom);
    pthread_sigmask(SIG_SETMASK, &avant, nullptr);
    if (fd < 0) {
        if (cause != EEXIST)
            erreur = QStringLiteral("impossible d'écrire dans le dossier %1 : %2.").arg(cite(QFileInfo(nom).absolutePath()), RaisonErrno(cause));
        return -1;
    }
    // Un nettoyeur a pu le prendre pour un reste entre open et flock.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !memeFichier(fd, nom)) {
        ::close(fd);
        oublier(m_place);
        m_place = -1;
        return -1;
    }
    m_verrou = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    m_chemin = nom;
    return fd;
}

// La cible remplacée garde ses droits et, si le système le permet, son propriétaire.
void FichierProvisoire::garderDroits()
{
    struct stat etat{};
    if (m_verrou < 0 || ::stat(QFile::encodeName(m_cible).constData(), &etat) != 0 || !S_ISREG(etat.st_mode))
        return;
    if (etat.st_uid != ::geteuid() || etat.st_gid != ::getegid()) {
        [[maybe_unused]] const int change = ::fchown(m_verrou, etat.st_uid, etat.st_gid);
    }
    ::fchmod(m_verrou, etat.st_mode & 07777);
}

bool FichierProvisoire::mettreEnPlace(QString& erreur, bool remplacer)
{
    garderDroits();
    const QByteArray de = QFile::encodeName(m_chemin), vers = QFile::encodeName(m_cible);
    const bool place = remplacer ? std::rename(de.constData(), vers.constData()) == 0 : placerSansRemplacer(de, vers);
    if (!place) {
        erreur = errno == EEXIST && !remplacer
            ? QStringLiteral("%1 est apparu pendant l'écriture : il est laissé tel quel.").arg(cite(m_cible))
            : QStringLiteral("impossible d'écrire %1 : %2.").arg(cite(m_cible), RaisonErrno(errno));
        abandonner();
        return false;
    }
    liberer();
    return true;
}

void FichierProvisoire::abandonner()
{
    if (m_chemin.isEmpty())
        return;
    QFile::remove(m_chemin);
    QFile::remove(m_chemin + QStringLiteral("-journal"));
    liberer();
}

void FichierProvisoire::liberer()
{
    oublier(m_place);
    m_place = -1;
    if (m_verrou >= 0)
        ::close(m_verrou);
    m_verrou = -1;
    m_chemin.clear();
}

void FichierProvisoire::nettoyer(const QString& dossier)
{
    static const QRegularExpression nom(QStringLiteral("^\\.graphique-\\d+-\\d+-.+$"));
    const QDir d(dossier);
    for (const QString& reste : d.entryList({prefixe + u'*'}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks))
        if (nom.match(reste).hasMatch())
            effacerSiLibre(d.filePath(reste));
}

void FichierProvisoire::effacerAuxSignaux()
{
    const QByteArray ligne = QStringLiteral("%1 : arrêt demandé (SIGQUIT) ; rien n'est laissé à moitié écrit.\n")
                                 .arg(QString::fromLocal8Bit(program_invocation_short_name))
                                 .toLocal8Bit()
                                 .left(int(ligneQuitter.size()));
    std::memcpy(ligneQuitter.data(), ligne.constData(), size_t(ligne.size()));
    longueurQuitter = size_t(ligne.size());
    for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        std::signal(s, effacerEnCours);
    std::signal(SIGXFSZ, SIG_IGN);
}
