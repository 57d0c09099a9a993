// graphique bulletin : la situation hydrologique d'un mois, station par station, en PDF et en classeur.
#include "AffichageProgression.h"
#include "Commandes.h"
#include "FichierSortie.h"
#include "LigneCommande.h"
#include "OptionsStatistiques.h"
#include "data/bases/OuvertureBase.h"

#include "commun/TexteAffichable.h"
#include "data/BaseDonnees.h"
#include "data/bulletin/BulletinMensuel.h"
#include "output/bulletin/EcritureBulletin.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

struct Options
{
    QString base, sortie;
    std::optional<QString> classeur;
    BulletinMensuel::Demande demande;
};

QString cite(const QString& texte)
{
    return QStringLiteral("« %1 »").arg(TexteAffichable(texte));
}

QString lireMois(const QString& texte, QDate& mois)
{
    static const QRegularExpression forme(QStringLiteral("^(\\d{1,2})/(\\d{4})$"));
    const auto m = forme.match(texte.trimmed());
    const int numero = m.hasMatch() ? m.captured(1).toInt() : 0;
    if (numero < 1 || numero > 12 || m.captured(2).toInt() < 1800)
        return QStringLiteral("mois incorrect : %1 (format attendu MM/AAAA).").arg(cite(texte));
    mois = QDate(m.captured(2).toInt(), numero, 1);
    return QString();
}

QString verifierFichier(const QString& chemin, const char* extension, const QString& base)
{
    if (const QString defaut = FichierSortie::defaut(chemin, base); !defaut.isEmpty())
        return defaut;
    if (QFileInfo(chemin).suffix().toLower() != QLatin1String(extension))
        return QStringLiteral("fichier de sortie %1 : l'extension doit être %2.").arg(cite(chemin), QLatin1String(extension));
    if (!QFileInfo(QFileInfo(chemin).absolutePath()).isDir())
        return QStringLiteral("le dossier de %1 n'existe pas.").arg(cite(chemin));
    return QString();
}

// Les stations de --stations, du genre de --genre quand il est donné.
QString lireStations(const QStringList& codes, const std::optional<QString>& texteGenre, QList<CleStation>& stations)
{
    QString erreur;
    std::optional<GenreStation::Genre> genre;
    if (texteGenre && !(genre = StationsBase::lireGenre(*texteGenre, erreur)))
        return erreur;
    if (genre && codes.isEmpty())
        return QStringLiteral("l'option --genre précise les stations de --stations.");
    for (const QString& code : codes)
        stations.append({code, genre});
    return QString();
}

QString lireOptions(const QStringList& arguments, Options& o)
{
    LigneCommande l(arguments);
    QString manque;
    o.base = l.obligatoire(QStringLiteral("--base"), manque);
    const QString mois = l.obligatoire(QStringLiteral("--mois"), manque);
    o.sortie = l.obligatoire(QStringLiteral("--sortie"), manque);
    o.classeur = l.option(QStringLiteral("--classeur"));
    const QStringList codes = l.liste(QStringLiteral("--stations")).value_or(QStringList());
    const auto genre = l.option(QStringLiteral("--genre"));
    const OptionsStatistiques statistiques(l, OptionsStatistiques::Portee::MoisSeulement);
    if (QString defaut = l.defaut(manque); !defaut.isEmpty())
        return defaut;
    if (QString defaut = lireStations(codes, genre, o.demande.stations); !defaut.isEmpty())
        return defaut;
    if (QString defaut = statistiques.moisHydro(o.demande.moisHydro); !defaut.isEmpty())
        return defaut;
    if (QString defaut = lireMois(mois, o.demande.mois); !defaut.isEmpty())
        return defaut;
    if (QString defaut = verifierFichier(o.sortie, "pdf", o.base); !defaut.isEmpty())
        return defaut;
    if (o.classeur) {
        if (QString defaut = verifierFichier(*o.classeur, "xlsx", o.base); !defaut.isEmpty())
            return defaut;
    }
    return QString();
}

} // namespace

int commandeBulletin(const QStringList& arguments)
{
    Options o;
    if (const QString defaut = lireOptions(arguments, o); !defaut.isEmpty())
        return echec(defaut);
    QString erreur;
    auto base = ouvrirBase(o.base, false, erreur);
    if (!base)
        return echec(erreur);
    AffichageProgression progression;
    const auto avancer = [&progression](const QString& legende, int pourcent) {
        progression.afficher(legende, pourcent);
        return true;
    };
    const auto bulletin = BulletinMensuel::calculer(*base, o.demande, avancer, erreur);
    if (!bulletin)
        return echec(erreur);
    if (!EcritureBulletin::ecrire(*bulletin, o.sortie, o.classeur.value_or(QString()), avancer, erreur))
        return echec(erreur);
    progression.terminer();
    return sortieOk;
}
