// graphique tracer, exporter, annuaire : tout graphique de toute station, dessiné comme un hôte le
// demanderait, en image ou en classeur avec son graphique natif.
#include "AffichageProgression.h"
#include "Commandes.h"
#include "FichierSortie.h"
#include "Journal.h"
#include "LigneCommande.h"
#include "OptionsDemande.h"
#include "data/bases/OuvertureBase.h"

#include "commun/RaisonSysteme.h"
#include "commun/TexteAffichable.h"
#include "commun/messages/MessagesEnregistres.h"
#include "control/CtlGraphique.h"
#include "control/HoteGraphique.h"
#include "data/BaseDonnees.h"
#include "output/tableur/ApplicationTableur.h"
#include "render/moteur/MoteurGraphique.h"

#include <QFileInfo>

namespace {

enum class Sortie { Image, Classeur, Annuaire };

// Ce que la ligne de commande demande, en plus de la demande faite à l'hôte.
struct Options
{
    Sortie genre = Sortie::Image;
    bool annuel = false;
    QString base, sortie, extension;
    std::optional<QString> journal;
    QSize taille;
};

bool entierDans(const QString& texte, int min, int max, int& valeur)
{
    bool ok = false;
    valeur = texte.trimmed().toInt(&ok);
    return ok && valeur >= min && valeur <= max;
}

QString cite(const QString& texte)
{
    return QStringLiteral("« %1 »").arg(TexteAffichable(texte));
}

QString verifierSorties(Options& o, const QString& largeur, const QString& hauteur)
{
    int l = 0, h = 0;
    if (!entierDans(largeur, 200, 10000, l) || !entierDans(hauteur, 150, 10000, h))
        return QStringLiteral("taille incorrecte : %1 × %2 (de 200 × 150 à 10000 × 10000 pixels).")
            .arg(TexteAffichable(largeur, 20), TexteAffichable(hauteur, 20));
    o.taille = QSize(l, h);
    for (const QString* chemin : {&o.sortie, o.journal ? &*o.journal : nullptr})
        if (chemin)
            if (const QString defaut = FichierSortie::defaut(*chemin, o.base); !defaut.isEmpty())
                return defaut;
    o.extension = QFileInfo(o.sortie).suffix().toLower();
    if (o.genre != Sortie::Image && o.extension != QStringLiteral("xlsx"))
        return QStringLiteral("fichier de sortie %1 : l'extension doit être xlsx.").arg(cite(o.sortie));
    if (o.genre == Sortie::Image && o.extension != QStringLiteral("png") && o.extension != QStringLiteral("svg")
        && o.extension != QStringLiteral("pdf"))
        return QStringLiteral("fichier de sortie %1 : l'extension doit être png, svg ou pdf.").arg(cite(o.sortie));
    if (o.genre != Sortie::Image && !QFileInfo(QFileInfo(o.sortie).absolutePath()).isDir())
        return QStringLiteral("le dossier de %1 n'existe pas.").arg(cite(o.sortie));
    if (o.journal && QFileInfo(*o.journal).absoluteFilePath() == QFileInfo(o.sortie).absoluteFilePath())
        return QStringLiteral("--journal et --sortie désignent le même fichier.");
    return QString();
}

// Toute la demande lue et vérifiée avant d'ouvrir quoi que ce soit ; le défaut sinon.
QString lireDemande(const QStringList& arguments, HoteGraphique::Demande& d, Options& o)
{
    LigneCommande l(arguments);
    QString manque;
    o.base = l.obligatoire(QStringLiteral("--base"), manque);
    // La page d'annuaire se fait d'ordinaire du graphique d'annuaire.
    const OptionsDemande demande(l, manque, o.genre == Sortie::Annuaire ? std::optional(QStringLiteral("annuaire")) : std::nullopt);
    o.sortie = l.obligatoire(QStringLiteral("--sortie"), manque);
    if (o.genre == Sortie::Annuaire)
        o.annuel = l.drapeau(QStringLiteral("--annuel"));
    const QString largeur = l.option(QStringLiteral("--largeur")).value_or(QStringLiteral("1200"));
    const QString hauteur = l.option(QStringLiteral("--hauteur")).value_or(QStringLiteral("700"));
    o.journal = l.option(QStringLiteral("--journal"));
    if (QString defaut = l.defaut(manque); !defaut.isEmpty())
        return defaut;
    for (const QString& defaut : {demande.appliquer(d), verifierSorties(o, largeur, hauteur)})
        if (!defaut.isEmpty())
            return defaut;
    return QString();
}

// Chaque ordre et chaque écriture au moteur, dans le journal.
void brancherJournal(Journal& trace, BaseDonnees& base, HoteGraphique& hote)
{
    base.setObservateur([&trace](const QString& ordre) { trace.sql(ordre); });
    for (MoteurGraphique* m : {&hote.controle().Graphique(), &hote.controle().GraphiqueSuperposePluvio()})
        m->setObservateur([&trace](const QString& nom, int numero, std::optional<int> indice, const QVariant& valeur) {
            trace.ecrit(nom, numero, indice, valeur);
        });
}

// Le graphique chargé et dessiné ; faux et la raison quand rien ne doit être écrit.
bool charger(HoteGraphique& hote, const HoteGraphique::Demande& d, BaseDonnees& base, QString& erreur)
{
    AffichageProgression progression;
    QObject::connect(&hote.controle(), &CtlGraphique::progression, &hote,
                     [&progression](const QString& message, int pourcent) { progression.afficher(message, pourcent); });
    if (!hote.tracer(d, &base, erreur))
        return false;
    progression.terminer();
    erreur = HoteGraphique::echecDeChargement(base);
    return erreur.isEmpty();
}

// Le dernier message d'erreur du contrôle, sinon son dernier message.
QString dernierMessage(const MessagesEnregistres& messages)
{
    for (auto m = messages.messages().crbegin(); m != messages.messages().crend(); ++m)
        if (m->style.icone == IconeMessage::Critique)
            return m->texte.simplified();
    return messages.textes().isEmpty() ? QString() : messages.textes().constLast().simplified();
}

// Le classeur du graphique chargé, écrit d'un coup à sa place ; faux et la raison sinon.
bool ecrireClasseur(CtlGraphique& ctl, const Options& o, const MessagesEnregistres& messages, QString& erreur)
{
    const QString chemin = QFileInfo(o.sortie).absoluteFilePath();
    bool ecrit = false;
    if (o.genre == Sortie::Classeur) {
        ecrit = !ctl.ExporterClasseur(chemin).isEmpty();
    } else {
        ApplicationTableur tableur;
        ctl.CreationAnnuaire(nullptr, &tableur, o.annuel, false);
        ecrit = tableur.ActiveWorkbook() && tableur.ActiveChart().valide() && tableur.ActiveWorkbook()->SaveAs(chemin, erreur);
    }
    if (!ecrit && erreur.isEmpty())
        erreur = messages.textes().isEmpty() ? QStringLiteral("rien à exporter pour ce graphique.") : dernierMessage(messages);
    return ecrit;
}

bool ecrireSortie(CtlGraphique& ctl, const Options& o, const MessagesEnregistres& messages, FichierSortie& image, QString& erreur)
{
    if (o.genre != Sortie::Image)
        return ecrireClasseur(ctl, o, messages, erreur);
    if (ctl.EcrireImage(image.fichier(), o.extension, o.taille))
        return true;
    erreur = QStringLiteral("impossible d'écrire %1 : %2.").arg(cite(o.sortie), RaisonFichier(image.fichier()));
    return false;
}

// Une réussite redit les messages du contrôle, puis ce que le graphique ne montre pas.
void avertirApresReussite(HoteGraphique& hote, const MessagesEnregistres& messages, const Options& o)
{
    for (const QString& message : messages.textes())
        avertir(message);
    // Ce qui manque dit pourquoi, plutôt qu'un graphique vide sans raison.
    const QString avis = hote.avis();
    if (!avis.isEmpty())
        avertir(avis);
    else if (o.genre == Sortie::Image && !hote.aDesDonnees())
        avertir(QStringLiteral("aucune donnée pour ce graphique ; le graphique vide est écrit dans %1.").arg(cite(o.sortie)));
}

int tracerVers(const QStringList& arguments, Sortie genre)
{
    HoteGraphique::Demande d;
    Options o;
    o.genre = genre;
    if (const QString defaut = lireDemande(arguments, d, o); !defaut.isEmpty())
        return echec(defaut);
    QString erreur;
    auto base = ouvrirBase(o.base, false, erreur);
    if (!base)
        return echec(erreur);
    // Les sorties s'ouvrent ensemble, une fois la demande vérifiée, et ne
    // prennent leur place qu'une fois tout réussi.
    FichierSortie image, fichierJournal;
    if ((genre == Sortie::Image && !image.preparer(o.sortie, erreur))
        || (o.journal && !fichierJournal.preparer(*o.journal, erreur)))
        return echec(erreur);
    std::optional<Journal> trace;
    HoteGraphique hote;
    hote.resize(o.taille.width(), o.taille.height() + 110);
    // Un classeur se passe de la fenêtre : rien n'est peint.
    if (genre == Sortie::Image)
        hote.show();
    if (o.journal)
        brancherJournal(trace.emplace(fichierJournal.fichier()), *base, hote);
    hote.controle().setOuvrirApresExport(false);
    // Les messages du contrôle sont gardés : un refus tient en une ligne, une réussite les dit ensuite.
    MessagesEnregistres messages;
    if (!charger(hote, d, *base, erreur) || !ecrireSortie(hote.controle(), o, messages, image, erreur))
        return echec(erreur);
    if (trace && !trace->terminer())
        return echec(QStringLiteral("impossible d'écrire le journal %1 : %2.").arg(cite(*o.journal), RaisonFichier(fichierJournal.fichier())));
    if ((genre == Sortie::Image && !image.valider(erreur)) || (o.journal && !fichierJournal.valider(erreur)))
        return echec(erreur);
    avertirApresReussite(hote, messages, o);
    return sortieOk;
}

} // namespace

int commandeTracer(const QStringList& arguments)
{
    return tracerVers(arguments, Sortie::Image);
}

int commandeExporter(const QStringList& arguments)
{
    return tracerVers(arguments, Sortie::Classeur);
}

int commandeAnnuaire(const QStringList& arguments)
{
    return tracerVers(arguments, Sortie::Annuaire);
}
