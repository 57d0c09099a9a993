#include "Lancement.h"
#include "commun_tests/Fichiers.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<QTemporaryDir>>& dossiers()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> d;
    return d;
}

} // namespace

Resultat lancer(const QStringList& arguments, const QString& configuration, const QStringList& environnement, const QStringList& devant)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!configuration.isEmpty())
        env.insert("XDG_CONFIG_HOME", configuration);
    for (const QString& variable : environnement) {
        if (variable.contains(u'='))
            env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        else
            env.remove(variable);
    }
    p.setProcessEnvironment(env);
    if (devant.isEmpty())
        p.start(QStringLiteral(GRAPHIQUE_PROGRAMME), arguments);
    else
        p.start(devant.first(), devant.mid(1) + QStringList{QStringLiteral(GRAPHIQUE_PROGRAMME)} + arguments);
    EXPECT_TRUE(p.waitForFinished(60000)) << arguments.join(' ').left(300).toStdString();
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

void unRefus(const Resultat& r, const QString& attendu, const QString& contexte)
{
    const std::string texte = contexte.toStdString() + " : " + r.erreurs.left(300).toStdString();
    EXPECT_EQ(r.code, 2) << texte;
    EXPECT_EQ(r.erreurs.count('\n'), 1) << texte;
    EXPECT_TRUE(r.erreurs.contains(attendu)) << texte;
}

QString dossierTemporaire()
{
    dossiers().push_back(std::make_unique<QTemporaryDir>());
    return dossiers().back()->path();
}

QString baseExemple()
{
    static const QString chemin = [] {
        const QString f = dossierTemporaire() + QStringLiteral("/exemple.db");
        const Resultat r = lancer({"exemple", "--base", f});
        EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
        return f;
    }();
    return chemin;
}

QString copieDeLExemple(const QString& nom)
{
    const QString copie = dossierTemporaire() + u'/' + nom;
    QDir().mkpath(QFileInfo(copie).absolutePath());
    EXPECT_TRUE(QFile::copy(baseExemple(), copie));
    QFile::setPermissions(copie, QFile::ReadOwner | QFile::WriteOwner);
    return copie;
}

QString ecrireCsv(const QByteArray& contenu, const QString& nom)
{
    return ecrireFichier(dossierTemporaire() + u'/' + nom, contenu);
}

QByteArray jours(int nombre, const QByteArray& valeur, const QDate& debut)
{
    QByteArray csv;
    for (int i = 0; i < nombre; ++i)
        csv += debut.addDays(i).toString("dd/MM/yyyy").toLatin1() + ";" + valeur + "\n";
    return csv;
}
