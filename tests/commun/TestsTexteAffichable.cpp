#include "commun/TexteAffichable.h"
#include "commun/MotDePasse.h"
#include "commun/RaisonSysteme.h"

#include <cerrno>

#include <gtest/gtest.h>

namespace {

TEST(TexteAffichable, NettoieEtCoupeCeQuiVientDAilleurs)
{
    EXPECT_EQ(TexteAffichable(QStringLiteral("Port-Aubin (Pluviomètre)")), QStringLiteral("Port-Aubin (Pluviomètre)"));
    // Échappements du terminal, NUL, fin de ligne, tabulation, inversion du sens d'écriture.
    EXPECT_EQ(TexteAffichable(QStringLiteral("\x1b[2Ja") + QChar(0) + QStringLiteral("b\nc\td") + QChar(0x202e) + QStringLiteral("e")),
              QStringLiteral("?[2Ja?b?c?d?e"));
    EXPECT_EQ(TexteAffichable(QString(QChar(0x9b))), QStringLiteral("?"));
    // Trop long : coupé, la longueur dite.
    EXPECT_EQ(TexteAffichable(QString(100, u'x'), 10), QStringLiteral("xxxxxxxxxx… (100 caractères)"));
    // Une paire UTF-16 n'est pas coupée en deux.
    const QString emoji = QStringLiteral("abc") + QString::fromUcs4(U"\U0001F327");
    EXPECT_EQ(TexteAffichable(emoji + emoji, 4), QStringLiteral("abc… (10 caractères)"));
    EXPECT_EQ(TexteAffichable(QString()), QString());
}

} // namespace

// Ce que le système dit en anglais d'un fichier se lit en français ; une raison inconnue reste entière.
TEST(RaisonSysteme, LesRaisonsDuSystemeDitesEnFrancais)
{
    const std::pair<const char*, const char*> cas[] = {
        {"No space left on device", "le disque est plein"},
        {"Read-only file system", "le disque est en lecture seule"},
        {"Permission denied", "accès refusé"},
        {"No file name specified", "aucun nom de fichier n'est donné"},
        {"Une raison déjà française", "Une raison déjà française"},
    };
    for (const auto& [anglais, francais] : cas)
        EXPECT_EQ(RaisonSysteme(QString::fromUtf8(anglais)), QString::fromUtf8(francais));
    EXPECT_EQ(RaisonErrno(ENOSPC), "le disque est plein");
    EXPECT_EQ(RaisonErrno(ENAMETOOLONG), "le nom du fichier est trop long");
}

// Chaque écriture d'un mot de passe que libpq comprend disparaît, le reste de la connexion gardé.
TEST(MotDePasse, ChaqueEcritureDeLibpqEstRetireeLeResteGarde)
{
    const std::pair<const char*, const char*> cas[] = {
        {"postgresql://u:Zq9s%40cr@h:5432/b", "postgresql://u@h:5432/b"},
        {"POSTGRES://u:Zq9:x@h/b", "POSTGRES://u@h/b"},
        {"postgresql://h/b?password=Zq9&sslmode=require", "postgresql://h/b?sslmode=require"},
        {"postgresql://h/b?sslmode=require&PassWord=Zq9&connect_timeout=3", "postgresql://h/b?sslmode=require&connect_timeout=3"},
        {"postgresql://h/b?passw%6Frd=Zq9", "postgresql://h/b"},
        {"postgresql://u:Zq9@h/b?sslpassword=Zq9", "postgresql://u@h/b"},
        {"host=h password=Zq9 dbname=b", "host=h dbname=b"},
        {R"(host=h password = 'Zq9 \'c\\ité' dbname=b)", "host=h dbname=b"},
        {R"(host=h PASSWORD=Zq9\ x user=u)", "host=h user=u"},
        {"password='Zq9 jamais fermé", ""},
        {"host=h user=u passfile=/p dbname=b", "host=h user=u passfile=/p dbname=b"},
        {"/données/mot de passe=secret.db", "/données/mot de passe=secret.db"},
    };
    for (const auto& [texte, attendu] : cas)
        EXPECT_EQ(MotDePasse::retirer(QString::fromUtf8(texte)), QString::fromUtf8(attendu)) << texte;

    // Un message de libpq qui cite un passage où le mot de passe est encore (décodé ou non) : ce passage est vidé.
    EXPECT_EQ(MotDePasse::masquer(QStringLiteral(R"(invalid percent-encoded token: "Zq9%zz")"), QStringLiteral("postgresql://u:Zq9%zz@h/b")),
              QStringLiteral(R"(invalid percent-encoded token: "…")"));
    EXPECT_EQ(MotDePasse::masquer(QStringLiteral(R"(bad "p@ss" in "host")"), QStringLiteral("postgresql://u:p%40ss@h/b")),
              QStringLiteral(R"(bad "…" in "host")"));
    EXPECT_EQ(MotDePasse::masquer(QStringLiteral(R"(URI: "postgresql://u:Zq9@[::1/b")"), QStringLiteral("postgresql://u:Zq9@[::1/b")),
              QStringLiteral(R"(URI: "postgresql://u@[::1/b")"));
}
