// graphique options, graphique litteraux : ce qu'un nouveau graphique prend des
// paramètres de l'utilisateur, et les littéraux de date reçus par chaque type de base.
#include "Commandes.h"
#include "LigneCommande.h"

#include "commun/Dates.h"
#include "commun/ValeursProcessus.h"
#include "commun/parametres/NomProjet.h"
#include "commun/parametres/Parametres.h"
#include "data/Litteraux.h"
#include "model/Classe_Graphiques.h"
#include "settings/StatistiquesRetenues.h"

#include <QLocale>

namespace {

QString ouiNon(bool b)
{
    return b ? QStringLiteral("oui") : QStringLiteral("non");
}

// Les choix des statistiques que tracer, exporter et bulletin prennent sans leurs options.
QList<std::pair<QString, QString>> choixStatistiques()
{
    const StatistiquesRetenues::Choix c = StatistiquesRetenues::relire();
    return {{QStringLiteral("Années des statistiques"), c.premiereAnnee > 0 ? QStringLiteral("%1-%2").arg(c.premiereAnnee).arg(c.derniereAnnee)
                                                                             : QStringLiteral("d'après les mesures")},
            {QStringLiteral("Premier mois de l'année hydrologique"),
             c.moisHydro > 0 ? QLocale(QLocale::French).monthName(c.moisHydro) : QStringLiteral("aucun choix")},
            {QStringLiteral("Comparaison à la normale"),
             c.normalesOfficielles ? QStringLiteral("normales officielles") : QStringLiteral("médiane des mesures")}};
}

} // namespace

int commandeOptions(const QStringList& arguments)
{
    LigneCommande l(arguments);
    const QString projet = l.option(QStringLiteral("--projet")).value_or(NomProjet::programmes());
    if (const QString defaut = l.defaut(); !defaut.isEmpty())
        return echec(defaut);
    if (const QString defaut = NomProjet::defaut(projet); !defaut.isEmpty())
        return echec(defaut);
    ValeursProcessus::courantes().nomProjet = projet;

    const Classe_Graphiques collection;
    const GestionExportExcel& o = collection.GestionExportExcel();
    ecrireLigne(QStringLiteral("Options d'affichage du projet %1 (%2)").arg(projet, EmplacementParametres()));
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
    for (const auto& [nom, valeur] : lignes + choixStatistiques())
        ecrireLigne(QStringLiteral("  %1 : %2").arg(nom, valeur));
    return sortieOk;
}

int commandeLitteraux(const QStringList& arguments)
{
    LigneCommande l(arguments);
    QString erreur;
    const QString date = l.obligatoire(QStringLiteral("--date"), erreur);
    const auto heure = l.option(QStringLiteral("--heure"));
    if (const QString defaut = l.defaut(erreur.isEmpty() ? QString() : QStringLiteral("l'option --date JJ/MM/AAAA est obligatoire."));
        !defaut.isEmpty())
        return echec(defaut);
    if (!LireDate(date))
        return echec(QStringLiteral("date incorrecte : « %1 » (format attendu JJ/MM/AAAA).").arg(date));
    if (heure && !LireHeure(*heure))
        return echec(QStringLiteral("heure incorrecte : « %1 » (format attendu hh:nn:ss).").arg(*heure));

    QObject fenetre;
    ValeursProcessus::courantes().fenetrePrincipale = &fenetre;
    for (const char* type : {"ACCESS", "POSTGRESQL", "ORACLE"}) {
        fenetre.setProperty("typeBase", QString::fromLatin1(type));
        QString ligne = QStringLiteral("%1\tdate : %2\tdate et heure : %3")
                            .arg(QString::fromLatin1(type), FormatDateBase(date).texte(),
                                 FormatDateBase(heure ? date + u' ' + *heure : date, true).texte());
        if (heure)
            ligne += QStringLiteral("\theure : ") + FormatHeureBase(*heure).texte();
        ecrireLigne(ligne);
    }
    ValeursProcessus::courantes().fenetrePrincipale = nullptr;
    return sortieOk;
}
