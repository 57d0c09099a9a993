#include "commun/FichierProvisoire.h"

#include "commun_tests/Fichiers.h"

#include <QDir>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// Les restes d'écrivains tués net portent un numéro de processus vivant : le
// sien (un programme de conteneur est toujours le processus 1) ou celui d'init.
// Personne ne les tient : ils partent, et l'écriture suivante ne manque pas de nom.
TEST(FichierProvisoire, UnResteSansVerrouPartQuelQueSoitSonProcessus)
{
    QTemporaryDir dossier;
    const QString cible = dossier.filePath("a.png");
    for (int n = 0; n < 100; ++n)
        for (const qint64 pid : {qint64(getpid()), qint64(1)})
            ecrireFichier(dossier.filePath(QStringLiteral(".graphique-%1-%2-a.png").arg(pid).arg(n)), "reste");
    ecrireFichier(dossier.filePath(".graphique-1-7-b.db-journal"), "journal d'une base disparue");
    ecrireFichier(dossier.filePath(".graphique-notes.txt"), "à l'utilisateur");

    // Un écrivain vivant du même processus garde son fichier et le journal de sa base.
    FichierProvisoire vivant(dossier.filePath("c.db"));
    QString erreur;
    ASSERT_TRUE(vivant.reserver(erreur)) << erreur.toStdString();
    ecrireFichier(vivant.chemin() + "-journal", "journal vivant");

    FichierProvisoire suivant(cible);
    const int fd = suivant.creer(erreur);
    ASSERT_GE(fd, 0) << erreur.toStdString();
    ::close(fd);
    EXPECT_EQ(fichiersDuDossier(dossier.path()).size(), 4) << fichiersDuDossier(dossier.path()).join(' ').toStdString();
    EXPECT_TRUE(QFileInfo::exists(vivant.chemin() + "-journal"));
    ASSERT_TRUE(suivant.mettreEnPlace(erreur)) << erreur.toStdString();
    vivant.abandonner();
    EXPECT_EQ(fichiersDuDossier(dossier.path()), QStringList({".graphique-notes.txt", "a.png"}));
}

// Un fichier remplacé garde ses droits ; un nom de 255 octets s'écrit, son provisoire raccourci.
TEST(FichierProvisoire, LaCibleGardeSesDroitsEtUnNomTresLongSEcrit)
{
    QTemporaryDir dossier;
    const QString prive = ecrireFichier(dossier.filePath("prive.pdf"), "ancien");
    const QString long_ = dossier.filePath(QString(251, u'n') + ".pdf");
    for (const auto& [cible, avant, apres] : {std::tuple{prive, mode_t(0600), mode_t(0600)}, std::tuple{prive, mode_t(0640), mode_t(0640)},
                                              std::tuple{long_, mode_t(0), mode_t(0644)}}) {
        if (avant) {
            ASSERT_EQ(::chmod(QFile::encodeName(cible).constData(), avant), 0);
        }
        const mode_t masque = ::umask(022);
        FichierProvisoire f(cible);
        QString erreur;
        const int fd = f.creer(erreur);
        ::umask(masque);
        ASSERT_GE(fd, 0) << erreur.toStdString();
        EXPECT_EQ(::write(fd, "neuf", 4), 4);
        ::close(fd);
        ASSERT_TRUE(f.mettreEnPlace(erreur)) << erreur.toStdString();
        EXPECT_EQ(lireFichier(cible), "neuf");
        EXPECT_EQ(modeDe(cible, 07777), apres) << std::oct << avant;
    }
    EXPECT_EQ(fichiersDuDossier(dossier.path()).size(), 2);
}

} // namespace
