// Command-line program of the chart component.
#include "commun/Dates.h"
#include "commun/ValeursProcessus.h"
#include "data/Litteraux.h"
#include "model/Classe_Graphiques.h"
#include "settings/parametres/Parametres.h"

#include <QCoreApplication>
#include <QObject>
#include <QSettings>
#include <QStringList>
#include <cstdio>

namespace {

constexpr int sortieErreur = 2;

void ecrire(std::FILE* f, const QString& texte)
{
    std::fputs(texte.toLocal8Bit().constData(), f);
    std::fputc('\n', f);
}

int erreur(const QString& texte)
{
    ecrire(stderr, QStringLiteral("graphique : ") + texte);
    return sortieErreur;
}

const char* const aide = R"(Usage : graphique COMMANDE [OPTIONS]

Composant de graphiques hydrologiques et hydrogéologiques.

Commandes :
  options [--projet NOM]
      Affiche les options d'affichage que prend un nouveau graphique du
      projet NOM (KOR par défaut), lues dans les paramètres de l'utilisateur ;
      la première fois, les valeurs par défaut y sont écrites.
  litteraux --date JJ/MM/AAAA [--heure hh:nn:ss]
      Affiche les littéraux de date et d'heure que reçoit chaque type de
      base (ACCESS, POSTGRESQL, ORACLE).
  version
      Affiche la version du composant.

Options générales :
  -h, --aide   Affiche cette aide.

Code de sortie : 0 si tout va bien, 2 si la demande est incorrecte.
)";

// Value of "--nom VALEUR" in the arguments, removed from them.
bool extraireOption(QStringList& arguments, const QString& nom, QString& valeur)
{
    const qsizetype i = arguments.indexOf(nom);
    if (i < 0)
        return false;
    if (i + 1 >= arguments.size()) {
        valeur.clear();
        arguments.remove(i);
        return true;
    }
    valeur = arguments.at(i + 1);
    arguments.remove(i, 2);
    return true;
}

QString ouiNon(bool b)
{
    return b ? QStringLiteral("oui") : QStringLiteral("non");
}

int commandeOptions(QStringList arguments)
{
    QString projet = QStringLiteral("KOR");
    if (extraireOption(arguments, QStringLiteral("--projet"), projet) && projet.trimmed().isEmpty())
        return erreur(QStringLiteral("l'option --projet attend un nom de projet."));
    if (!arguments.isEmpty())
        return erreur(QStringLiteral("argument inconnu : ") + arguments.first());
    ValeursProcessus::courantes().nomProjet = projet;

    const Classe_Graphiques collection;
    const GestionExportExcel& o = collection.GestionExportExcel();
    QSettings emplacement(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("NORVANE"), projet + u'6');
    ecrire(stdout, QStringLiteral("Options d'affichage du projet %1 (%2)").arg(projet, emplacement.fileName()));
    const QList<std::pair<QString, QString>> lignes = {
        {QStringLiteral("Légende"), ouiNon(o.AfficherLegende)},
        {QStringLiteral("Titre"), ouiNon(o.AfficherTitre)},
        {QStringLiteral("Aquifère"), ouiNon(o.AfficherAquifere)},
        {QStringLiteral("Axe des profondeurs"), ouiNon(o.AfficherAxeProfondeur)},
        {QStringLiteral("Titre de l'axe des profondeurs"), ouiNon(o.AfficherTitreAxeProfondeur)},
        {QStringLiteral("Libellé de l'axe des profondeurs"), o.LibelleAxeProfondeur},
        {QStringLiteral("Axe NGF"), ouiNon(o.AfficherAxeNGF)},
        {QStringLiteral("Titre de l'axe NGF"), ouiNon(o.AfficherTitreAxeNGF)},
        {QStringLiteral("Libellé de l'axe NGF"), o.LibelleAxeNGF},
        {QStringLiteral("Axe des dates (années)"), o.TypeAxeX + (o.FormatAxeX.isEmpty() ? QString() : u' ' + o.FormatAxeX)},
        {QStringLiteral("Axe des dates (une année)"),
         o.TypeAxeXAnnee + (o.FormatAxeXAnnee.isEmpty() ? QString() : u' ' + o.FormatAxeXAnnee)},
        {QStringLiteral("Taille des polices des axes"), QString::number(o.TaillePoliceAxes)},
        {QStringLiteral("Taille des polices des titres"), QString::number(o.TaillePoliceTitre)},
    };
    for (const auto& [nom, valeur] : lignes)
        ecrire(stdout, QStringLiteral("  %1 : %2").arg(nom, valeur));
    return 0;
}

int commandeLitteraux(QStringList arguments)
{
    QString date, heure;
    if (!extraireOption(arguments, QStringLiteral("--date"), date))
        return erreur(QStringLiteral("l'option --date JJ/MM/AAAA est obligatoire."));
    const bool avecHeure = extraireOption(arguments, QStringLiteral("--heure"), heure);
    if (!arguments.isEmpty())
        return erreur(QStringLiteral("argument inconnu : ") + arguments.first());
    if (!LireDate(date))
        return erreur(QStringLiteral("date incorrecte : « %1 » (format attendu JJ/MM/AAAA).").arg(date));
    if (avecHeure && !LireHeure(heure))
        return erreur(QStringLiteral("heure incorrecte : « %1 » (format attendu hh:nn:ss).").arg(heure));

    QObject fenetre;
    ValeursProcessus::courantes().fenetrePrincipale = &fenetre;
    for (const char* type : {"ACCESS", "POSTGRESQL", "ORACLE"}) {
        fenetre.setProperty("typeBase", QString::fromLatin1(type));
        QString ligne = QStringLiteral("%1\tdate : %2\tdate et heure : %3")
                            .arg(QString::fromLatin1(type), FormatDateBase(date),
                                 FormatDateBase(avecHeure ? date + u' ' + heure : date, true));
        if (avecHeure)
            ligne += QStringLiteral("\theure : ") + FormatHeureBase(heure);
        ecrire(stdout, ligne);
    }
    ValeursProcessus::courantes().fenetrePrincipale = nullptr;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("graphique"));
    QStringList arguments = QCoreApplication::arguments().mid(1);

    if (arguments.isEmpty())
        return erreur(QStringLiteral("aucune commande. « graphique --aide » les présente."));
    const QString commande = arguments.takeFirst();
    if (commande == QStringLiteral("-h") || commande == QStringLiteral("--aide")) {
        std::fputs(aide, stdout);
        return 0;
    }
    if (commande == QStringLiteral("version")) {
        ecrire(stdout, QStringLiteral(GRAPHIQUE_VERSION));
        return 0;
    }
    if (commande == QStringLiteral("options"))
        return commandeOptions(arguments);
    if (commande == QStringLiteral("litteraux"))
        return commandeLitteraux(arguments);
    return erreur(QStringLiteral("commande inconnue : « %1 ». « graphique --aide » les présente.").arg(commande));
}
