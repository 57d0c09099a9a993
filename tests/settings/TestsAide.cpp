#include "commun/ValeursProcessus.h"
#include "settings/Aide.h"
#include "commun/messages/MessagesEnregistres.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class HoteAide : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString fichierAide MEMBER fichierAide)
public:
    QString fichierAide;
};

// Retient ce qui aurait été ouvert, et répond ce qu'on lui dit.
class Aide : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ancien = DefinirOuvreurDocument([this](const QUrl& u) {
            ouverts << u;
            return reussir;
        });
        ValeursProcessus::courantes().fenetrePrincipale = &hote;
        ValeursProcessus::courantes().nomProjet = "KOR";
    }
    void TearDown() override
    {
        DefinirOuvreurDocument(m_ancien);
        ValeursProcessus::courantes().fenetrePrincipale = nullptr;
        ValeursProcessus::courantes().nomProjet.clear();
    }
    void creer(const QString& chemin)
    {
        QDir().mkpath(QFileInfo(chemin).path());
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    HoteAide hote;
    QList<QUrl> ouverts;
    bool reussir = true;
    MessagesEnregistres messages;
    QTemporaryDir dossier;
    OuvreurDocument m_ancien;
};

// Une page locale à côté de la page principale, ou une adresse web, selon le produit.
TEST_F(Aide, PagesLocalesOuWebSelonLeProduit)
{
    const QString locale = dossier.path() + "/aide/KOR_help.htm", web = "HTTP://Aide.Norvane.fr/";
    creer(locale);
    const std::tuple<QString, QString, qint16, QString> cas[] = {
        {locale, "KORReader", 0, locale},
        {locale, "KORReader", 38, locale},  // un sujet sans sa page : la page principale à la place
        {web, "VANTReader", 5, "http://aide.norvane.fr/docs_vant/VANT_help_5.htm"},
        {web, "ORB", 0, "http://aide.norvane.fr/ORB_help.htm"},
        {web, "AUTRE", 1, "http://aide.norvane.fr/docs_autre/AUTRE_help_1.htm"},
    };
    for (const auto& [aide, projet, sujet, attendu] : cas) {
        hote.fichierAide = aide;
        ValeursProcessus::courantes().nomProjet = projet;
        OuvrirAide(sujet);
        ASSERT_FALSE(ouverts.isEmpty());
        EXPECT_EQ(ouverts.last().isLocalFile() ? ouverts.last().toLocalFile() : ouverts.last().toString(), attendu) << sujet;
    }
    EXPECT_EQ(ouverts.size(), 5);
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(Aide, LesDeuxMessages)
{
    hote.fichierAide.clear();
    OuvrirAide(0);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.messages()[0].style.icone, IconeMessage::Aucune);
    EXPECT_EQ(messages.textes()[0], "L'aide n'est pas installée ou le paramètrage n'est pas correct. "
                                    "Merci de vérifier le chemin dans l'écran d'administration.");
    EXPECT_TRUE(ouverts.isEmpty());

    reussir = false;
    hote.fichierAide = "http://aide/";
    OuvrirAide(3);
    ASSERT_EQ(messages.messages().size(), 2);
    EXPECT_EQ(messages.messages()[1].style.icone, IconeMessage::Critique);
    // Une page locale qui ne s'ouvre pas : le même message, lu plus bas avec le vrai ouvreur.
    EXPECT_EQ(messages.textes()[1], "Impossible d'ouvrir le fichier d'aide: http://aide/docs_kor/KOR_help_3.htm");
}

TEST_F(Aide, SansMembreChezLHoteLeFichierDeLInitialisation)
{
    QObject sansAide;
    ValeursProcessus::courantes().fenetrePrincipale = &sansAide;
    ValeursProcessus::courantes().fichierAide = "http://init/";
    OuvrirAide(0);
    ValeursProcessus::courantes().fichierAide.clear();
    ASSERT_EQ(ouverts.size(), 1);
    EXPECT_EQ(ouverts[0].toString(), "http://init/KOR_help.htm");
}

// L'ouvreur du bureau sous Linux : xdg-open, lancé pour de vrai. Celui qui ne trouve rien pour ouvrir
// la page rend la main en échec, et l'aide le dit ; celui qui garde la main (le navigateur lancé
// devant lui) vaut réussite au bout d'une seconde, sans que l'application l'attende davantage.
TEST_F(Aide, XdgOpenQuiEchoueEstDitCeluiQuiLanceReussit)
{
    DefinirOuvreurDocument(m_ancien);
    const QString chemin = qEnvironmentVariable("PATH");
    qputenv("PATH", (dossier.path() + u':' + chemin).toLocal8Bit());
    const auto ecrire = [&](const QByteArray& script) {
        QFile f(dossier.filePath("xdg-open"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + script + "\n");
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    };
    const QUrl page = QUrl::fromLocalFile(dossier.filePath("page.htm"));
    for (const auto& [script, attendu] : {std::pair{QByteArray("exit 3"), false}, std::pair{QByteArray("exit 0"), true},
                                          std::pair{QByteArray("exec sleep 3"), true}}) {
        ecrire(script);
        QElapsedTimer chrono;
        chrono.start();
        EXPECT_EQ(OuvrirDocument(page), attendu) << script.constData();
        EXPECT_LT(chrono.elapsed(), 2500) << script.constData();
    }
    ecrire("exit 4");
    hote.fichierAide = dossier.filePath("KOR_help.htm");
    OuvrirAide(0);
    EXPECT_EQ(messages.textes(), QStringList{"Impossible d'ouvrir le fichier d'aide: " + hote.fichierAide});
    EXPECT_TRUE(ouverts.isEmpty());
    qputenv("PATH", chemin.toLocal8Bit());
}

} // namespace

#include "TestsAide.moc"
