#include "commun/parametres/Parametres.h"

#include "commun/ValeursProcessus.h"
#include "commun/parametres/Decouper.h"
#include "commun/parametres/NomProjet.h"

#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <memory>

namespace {

constexpr int versionMajeure = 6;

// "SOFTWARE\ORG\APP…" → organisation ORG, application APP….
std::unique_ptr<QSettings> ouvrir(const QString& cheminCle)
{
    const QString chemin = cheminCle.trimmed().isEmpty() ? CleParametresParDefaut() : cheminCle;
    QStringList morceaux;
    Decouper(chemin, morceaux, QStringLiteral("\\"));
    morceaux.removeAll(QString());
    if (!morceaux.isEmpty() && morceaux.first().compare(QStringLiteral("SOFTWARE"), Qt::CaseInsensitive) == 0)
        morceaux.removeFirst();
    // Chaque morceau devient un nom de dossier ou de fichier : aucun ne sort du dossier des réglages.
    if (morceaux.isEmpty() || std::any_of(morceaux.cbegin(), morceaux.cend(), [](const QString& m) { return !NomProjet::defaut(m).isEmpty(); }))
        return nullptr;
    const QString organisation = morceaux.takeFirst();
    const QString application = morceaux.join(u'/');
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation, application);
}

QString sansBlancs(const QString& t)
{
    qsizetype debut = 0, fin = t.size();
    while (debut < fin && t.at(debut) == u' ')
        ++debut;
    while (fin > debut && t.at(fin - 1) == u' ')
        --fin;
    return t.mid(debut, fin - debut);
}

} // namespace

QString CleParametresParDefaut()
{
    return QStringLiteral("SOFTWARE\\NORVANE\\") + ValeursProcessus::courantes().nomProjet
        + QString::number(versionMajeure);
}

QString EmplacementParametres(const QString& cheminCle)
{
    const auto reglages = ouvrir(cheminCle);
    return reglages ? reglages->fileName() : QString();
}

bool EcrireParametre(const QString& nom, QString& valeur, const QString& cheminCle)
{
    auto reglages = ouvrir(cheminCle);
    if (!reglages || nom.isEmpty() || !reglages->isWritable())
        return false;
    if (valeur.isEmpty())
        valeur = QStringLiteral(" ");
    const QVariant avant = reglages->value(nom);
    reglages->setValue(nom, valeur);
    reglages->sync();
    if (reglages->status() == QSettings::NoError)
        return true;
    // Le magasin a refusé l'écriture : le paramètre reste aussi inchangé dans ce programme.
    if (avant.isValid())
        reglages->setValue(nom, avant);
    else
        reglages->remove(nom);
    return false;
}

bool EcrireParametre(const QString& nom, const QString& valeur, const QString& cheminCle)
{
    QString copie = valeur;
    return EcrireParametre(nom, copie, cheminCle);
}

QString LireParametre(const QString& nom, const QString& cheminCle, bool garderCasse)
{
    auto reglages = ouvrir(cheminCle);
    if (!reglages || nom.isEmpty())
        return QString();
    const QVariant v = reglages->value(nom);
    if (!v.isValid())
        return QString();
    QString texte = v.metaType().id() == QMetaType::QStringList ? v.toStringList().join(QStringLiteral(", "))
                                                                : v.toString();
    const qsizetype nul = texte.indexOf(QChar(u'\0'));
    if (nul >= 0)
        texte.truncate(nul);
    texte = sansBlancs(texte);
    return garderCasse ? texte : texte.toUpper();
}
