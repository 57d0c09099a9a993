// Exports vers le tableur : le graphique affiché (outil 8) et la page d'annuaire.
#include "commun/AppelParNom.h"
#include "commun/Garde.h"
#include "commun/ValeursProcessus.h"
#include "control/CtlGraphique.h"
#include "control/CtlGraphiquePrive.h"
#include "control/DialogueProgression.h"
#include "control/EnteteStations.h"
#include "data/Periodes.h"
#include "output/Excel.h"
#include "output/exports/AnnuaireTableur.h"
#include "output/exports/ExportGraphiqueTableur.h"
#include "output/exports/JaugeParNom.h"
#include "output/tableur/ApplicationTableur.h"
#include "settings/OuvertureFichierEcrit.h"
#include "commun/messages/Messages.h"
#include "commun/Valeurs.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QDir>

auto CtlGraphique::demandeExport(bool superposition) const
{
    const ValeursProcessus& v = ValeursProcessus::courantes();
    QObject* hote = v.fenetrePrincipale;
    ExportGraphiqueTableur::Demande demande;
    demande.type = d->typeGraphique;
    demande.superposition = superposition;
    const bool deuxGraphiques = Traits(d->typeGraphique).deuxGraphiques;
    // Sur ces deux genres, les pluies sont dans la seconde collection, les piézomètres dans la première.
    demande.courbes = deuxGraphiques ? d->collCourbes2.get() : d->collCourbes.get();
    demande.nappes = deuxGraphiques ? d->collCourbes.get() : nullptr;
    demande.variante = variante();
    demande.courbe = enCourbes();
    demande.periode = Periodes::periodeDesLettres(d->chainePeriodes.toUpper());
    demande.typeDonnees = d->typeDonnees;
    demande.codeChargement = d->chaineChargement;
    demande.statistiquesMeteoFrance = d->isStatistiquesMeteoFrance;
    demande.titreStatistiqueMeteoFrance = d->titreStatistiqueMeteoFrance;
    demande.titre = titreEntete();
    demande.texteEntete1 = RecupSprEntete()->TexteFichier1();
    demande.texteEntete2 = RecupSprEntete()->TexteFichier2();
    if (deuxGraphiques && d->collCourbes->Compter() >= 1)
        demande.station = d->collCourbes->GetCourbe(1)->Titre();
    const QVariant chemin = LireMembre(hote, QStringLiteral("CheminEdition"));
    demande.cheminEdition = chemin.isValid() ? chemin.toString() : v.cheminEdition;
    demande.formatNommage = LireMembre(hote, QStringLiteral("formatNommageFichier")).toInt();
    demande.nomProjet = v.nomProjet;
    demande.pointDecimal = v.pointOk;
    qint16 typeEchelle = d->typeAffichageEchelle;
    demande.coefficient = CoefficientEchelle(typeEchelle);
    demande.modeProfondeur = typeEchelle == 0;
    demande.unite = Traits(d->typeGraphique).riviere() ? d->echelle : QString();
    demande.aquifere = LireMembre(hote, QStringLiteral("Aquifere")).toString();
    return demande;
}

QString CtlGraphique::ExporterClasseur(const QString& chemin, FenetreProgression* progression) noexcept
{
    QString enregistre;
    sousGarde([&] {
        ApplicationTableur tableur;
        ExportGraphiqueTableur::Demande demande = demandeExport(Traits(d->typeGraphique).superposeStations());
        demande.extension = ExtensionExcel(&tableur);
        if (!chemin.isEmpty())
            demande.cheminImpose = chemin;
        const auto r = ExportGraphiqueTableur(demande, tableur, progression).executer();
        if (r.enregistre)
            enregistre = r.chemin;
    });
    return enregistre;
}

QString CtlGraphique::nomClasseurPropose(const QString& page) const noexcept
{
    QString nom;
    sousGarde([&] {
        ExportGraphiqueTableur::Demande d = demandeExport(false);
        d.extension = QStringLiteral("xlsx");
        const QFileInfo f(ExportGraphiqueTableur::NomFichier(d));
        nom = f.dir().filePath(page + f.fileName());
    });
    return nom;
}

void CtlGraphique::exporterVersTableur(bool, bool)
{
    const QString chemin = [&] {
        DialogueProgression fenetre(QStringLiteral("Exporter vers Excel"), window());
        return ExporterClasseur(QString(), &fenetre);
    }();
    if (!chemin.isEmpty() && d->ouvrirApresExport)
        OuvrirFichierEcrit(chemin);
}

QString CtlGraphique::EnregistrerAnnuaire(bool annuel, const QString& cheminImpose) noexcept
{
    QString enregistre;
    sousGarde([&] {
        ApplicationTableur tableur;
        CreationAnnuaire(nullptr, &tableur, annuel, false);
        ClasseurTableur* classeur = tableur.ActiveWorkbook();
        if (!classeur || !tableur.ActiveChart().valide())
            return;
        // Le nom de l'export du même graphique, précédé de la page : les deux fichiers ne se remplacent pas.
        const QFileInfo nom(ExportGraphiqueTableur::NomFichier(demandeExport(false)));
        const QString page = annuel ? QStringLiteral("Annuaire ") : QStringLiteral("Chronique ");
        const QString chemin = cheminImpose.isEmpty() ? nom.dir().filePath(page + nom.fileName()) : cheminImpose;
        QString erreur;
        // Un chemin choisi dans le dialogue d'enregistrement y a déjà été confirmé.
        if (cheminImpose.isEmpty() && !ExportGraphiqueTableur::RemplacementAccepte(chemin))
            return;
        if (!classeur->SaveAs(chemin, erreur)) {
            AfficherMessage(QStringLiteral("Erreur"), erreur);
            return;
        }
        enregistre = chemin;
    });
    return enregistre;
}

void CtlGraphique::CreationAnnuaire(QObject* jauge, QObject* MonAppliExcel, bool CourbeAnnuelle, bool automatique) noexcept
{
    sousGarde([&] {
        auto* tableur = qobject_cast<ApplicationTableur*>(MonAppliExcel);
        if (!tableur)
            return;
        // Le sablier revient à la flèche à toute sortie.
        struct Sablier
        {
            Sablier() { QApplication::setOverrideCursor(Qt::WaitCursor); }
            ~Sablier() { QApplication::restoreOverrideCursor(); }
        } sablier;
        AnnuaireTableur::Demande d;
        d.courbes = this->d->collCourbes.get();
        d.courbeAnnuelle = CourbeAnnuelle;
        d.automatique = automatique;
        d.pointDecimal = ValeursProcessus::courantes().pointOk;
        JaugeParNom progression(jauge);
        AnnuaireTableur annuaire(d, *tableur, &progression);
        annuaire.executer();
        // Le bloc reste dans le presse-papiers du système, comme après une copie.
        if (!automatique && !annuaire.texte().isEmpty())
            QApplication::clipboard()->setText(annuaire.texte());
    });
}
