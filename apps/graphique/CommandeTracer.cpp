// graphique tracer : tout graphique de toute station, dessiné comme un hôte le demanderait.
#include "AffichageProgression.h"
#include "Commandes.h"
#include "FichierSortie.h"
#include "Journal.h"
#include "LigneCommande.h"
#include "OuvertureBase.h"

#include "commun/Dates.h"
#include "commun/TexteAffichable.h"
#include "control/CtlGraphique.h"
#include "control/HoteGraphique.h"
#include "control/VueGraphique.h"
#include "data/BaseDonnees.h"
#include "render/moteur/MoteurGraphique.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool entierDans(const QString& texte, int min, int max, int& valeur)
{
    bool ok = false;
    valeur = texte.trimmed().toInt(&ok);
    return ok && valeur >= min && valeur <= max;
}

} // namespace

int commandeTracer(const QStringList& arguments)
{
    LigneCommande l(arguments);
    QString erreur;
    const QString texteBase = l.obligatoire(QStringLiteral("--base"), erreur);
    const QString genre = l.obligatoire(QStringLiteral("--type"), erreur);
    const QString station = l.obligatoire(QStringLiteral("--station"), erreur);
    const QString sortie = l.obligatoire(QStringLiteral("--sortie"), erreur);
    HoteGraphique::Demande d;
    d.mesures = l.option(QStringLiteral("--mesures")).value_or(QStringLiteral("1"));
    d.periodes = l.option(QStringLiteral("--periodes")).value_or(QStringLiteral("M"));
    const QString affichage = l.option(QStringLiteral("--affichage")).value_or(QString());
    d.variante = l.option(QStringLiteral("--variante")).value_or(QString()).toUpper();
    d.debut = l.option(QStringLiteral("--debut")).value_or(QString());
    d.fin = l.option(QStringLiteral("--fin")).value_or(QString());
    const QString annee = l.option(QStringLiteral("--annee")).value_or(QString());
    d.cumul = l.drapeau(QStringLiteral("--cumul"));
    const QString stations = l.option(QStringLiteral("--stations")).value_or(QString());
    const QString largeur = l.option(QStringLiteral("--largeur")).value_or(QStringLiteral("1200"));
    const QString hauteur = l.option(QStringLiteral("--hauteur")).value_or(QStringLiteral("700"));
    const auto journal = l.option(QStringLiteral("--journal"));
    if (const QString defaut = l.defaut(erreur); !defaut.isEmpty())
        return echec(defaut);

    const auto type = TypeGraphDepuisNom(genre);
    if (!type)
        return echec(QStringLiteral("genre de graphique inconnu : « %1 » (edition, Annee, annuaire, travail, Superposition, "
                                    "PluvioPiezo, reference, comparaisonNormale, PluvioStation).")
                         .arg(TexteAffichable(genre)));
    d.type = *type;
    d.station = station;
    static const QRegularExpression chiffres(QStringLiteral("^[1-6]+$"));
    if (!chiffres.match(d.mesures).hasMatch())
        return echec(QStringLiteral("mesure inconnue : « %1 » (chiffres de 1 à 6).").arg(TexteAffichable(d.mesures)));
    static const QRegularExpression lettres(QStringLiteral("^[MDTAHS]$"));
    if (!lettres.match(d.periodes).hasMatch())
        return echec(QStringLiteral("période inconnue : « %1 » (une lettre parmi M, D, T, A, H, S).").arg(TexteAffichable(d.periodes)));
    // By default the year graph and the reference are curves, the totals by month and the other charts bars.
    const bool courbes = (d.type == TypeGraph::Annee && d.variante != QStringLiteral("CUMUL_MENSUEL")
                          && d.variante != QStringLiteral("CUMUL_ANNUEL"))
        || d.type == TypeGraph::reference;
    d.affichage = affichage.isEmpty() ? (courbes ? QStringLiteral("COURBE") : QStringLiteral("HISTO")) : affichage.toUpper();
    if (d.affichage != QStringLiteral("COURBE") && d.affichage != QStringLiteral("HISTO"))
        return echec(QStringLiteral("affichage inconnu : « %1 » (COURBE ou HISTO).").arg(TexteAffichable(affichage)));
    if (!d.variante.isEmpty() && d.variante != QStringLiteral("CUMUL_ANNUEL") && d.variante != QStringLiteral("CUMUL_MENSUEL")
        && d.variante != QStringLiteral("EDITION"))
        return echec(QStringLiteral("variante inconnue : « %1 » (CUMUL_ANNUEL, CUMUL_MENSUEL ou EDITION).").arg(TexteAffichable(d.variante)));
    for (const QString* date : {&d.debut, &d.fin})
        if (!date->isEmpty() && !LireDate(*date))
            return echec(QStringLiteral("date incorrecte : « %1 » (format attendu JJ/MM/AAAA).").arg(TexteAffichable(*date)));
    if (!d.debut.isEmpty() && !d.fin.isEmpty() && *LireDate(d.debut) > *LireDate(d.fin))
        return echec(QStringLiteral("la date de début (%1) est après la date de fin (%2).").arg(d.debut, d.fin));
    if (!annee.isEmpty() && !entierDans(annee, 1800, 2200, d.annee))
        return echec(QStringLiteral("année incorrecte : « %1 ».").arg(TexteAffichable(annee)));
    int l_ = 0, h_ = 0;
    if (!entierDans(largeur, 200, 10000, l_) || !entierDans(hauteur, 150, 10000, h_))
        return echec(QStringLiteral("taille incorrecte : %1 × %2 (de 200 × 150 à 10000 × 10000 pixels).")
                         .arg(TexteAffichable(largeur, 20), TexteAffichable(hauteur, 20)));
    for (const QString& s : stations.split(u',', Qt::SkipEmptyParts))
        d.stations << s.trimmed();
    for (const QString* chemin : {&sortie, journal ? &*journal : nullptr})
        if (chemin)
            if (const QString defaut = FichierSortie::defaut(*chemin); !defaut.isEmpty())
                return echec(defaut);
    const QString extension = QFileInfo(sortie).suffix().toLower();
    if (extension != QStringLiteral("png") && extension != QStringLiteral("svg") && extension != QStringLiteral("pdf"))
        return echec(QStringLiteral("fichier de sortie « %1 » : l'extension doit être png, svg ou pdf.").arg(TexteAffichable(sortie)));
    if (journal && QFileInfo(*journal).absoluteFilePath() == QFileInfo(sortie).absoluteFilePath())
        return echec(QStringLiteral("--journal et --sortie désignent le même fichier."));

    auto base = ouvrirBase(texteBase, false, erreur);
    if (!base)
        return echec(erreur);
    // Les sorties s'ouvrent ensemble, une fois la demande vérifiée, et ne
    // prennent leur place qu'une fois tout réussi.
    FichierSortie image, fichierJournal;
    if (!image.preparer(sortie, erreur) || (journal && !fichierJournal.preparer(*journal, erreur)))
        return echec(erreur);
    std::optional<Journal> trace;
    if (journal)
        trace.emplace(fichierJournal.fichier());

    HoteGraphique hote;
    hote.resize(l_, h_ + 110);
    hote.show();
    if (trace) {
        base->setObservateur([&trace](const QString& ordre) { trace->sql(ordre); });
        for (MoteurGraphique* m : {&hote.controle().Graphique(), &hote.controle().GraphiqueSuperposePluvio()})
            m->setObservateur([&trace](const QString& nom, int numero, std::optional<int> indice, const QVariant& valeur) {
                trace->ecrit(nom, numero, indice, valeur);
            });
    }
    AffichageProgression progression;
    QObject::connect(&hote.controle(), &CtlGraphique::progression, &hote,
                     [&progression](const QString& message, int pourcent) { progression.afficher(message, pourcent); });
    if (!hote.tracer(d, base.get(), erreur))
        return echec(erreur);
    progression.terminer();
    // Un ordre en échec n'est pas une station sans données : le dire plutôt que dessiner un graphique vide.
    if (const auto& e = base->PremierEchec())
        return echec(QStringLiteral("le chargement a échoué : %1 (ordre : « %2 »).").arg(e->erreur, TexteAffichable(e->ordre, 120)));
    if (!hote.controle().EcrireImage(image.fichier(), extension, QSize(l_, h_)))
        return echec(QStringLiteral("impossible d'écrire « %1 » : le disque est peut-être plein.").arg(TexteAffichable(sortie)));
    if (trace && !trace->terminer())
        return echec(QStringLiteral("impossible d'écrire le journal « %1 » : le disque est peut-être plein.").arg(TexteAffichable(*journal)));
    if (!image.valider(erreur) || (journal && !fichierJournal.valider(erreur)))
        return echec(erreur);
    if (!hote.aDesDonnees())
        avertir(QStringLiteral("aucune donnée pour ce graphique ; le graphique vide est écrit dans « %1 ».").arg(TexteAffichable(sortie)));
    return sortieOk;
}
