#include "ReglagesHote.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Créé vide et privé s'il manque : QSettings le récrit ensuite en gardant ses droits.
void rendrePrive(const QString& chemin)
{
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    const int fd = ::open(QFile::encodeName(chemin).constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    ::fchmod(fd, 0600);
    ::close(fd);
}

} // namespace

QSettings ReglagesHote()
{
    const QSettings lecture(QStringLiteral("graphique"), QStringLiteral("graphique-hote"));
    rendrePrive(lecture.fileName());
    return QSettings(QStringLiteral("graphique"), QStringLiteral("graphique-hote"));
}
