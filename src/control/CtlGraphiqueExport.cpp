// Exports vers le tableur : le graphique affiché (outil 8) et la page d'annuaire.
#include "commun/AppelParNom.h"
#include "commun/Garde.h"
#include "commun/ValeursProcessus.h"
#include "control/CtlGraphique.h"
#include "control/CtlGraphiquePrive.h"
#include "control/DialogueProgression.h"
#include "control/EnteteStations.h"
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
    ExportGraphiqueTableur::Demande d;
    d.type = this->d->typeGraphique;
    d.superposition = superposition;
    const bool deuxGraphiques = Traits(this->d->typeGraphique).deuxGraphiques;
    // Sur ces deux genres, les pluies sont dans la seconde collection, les piézomètres dans la première.
    d.courbes = deuxGraphiques ? this->d->collCourbes2.get() : this->d->collCourbes.get();
    d.nappes = deuxGraphiques ? this->d->collCourbes.get() : nullptr;
    d.typeGraph = this->d->chaineTypeGraph;
    d.typeAffichage = this->d->chaineTypeAffichage;
    d.periodes = this->d->chainePeriodes;
    d.typeDonnees = this->d->typeDonnees;
    d.codeChargement = this->d->chaineChargement;
    d.statistiquesMeteoFrance = this->d->isStatistiquesMeteoFrance;
    d.titreStatistiqueMeteoFrance = this->d->titreStatistiqueMeteoFrance;
    d.titre = titreEntete();
    d.texteEntete1 = RecupSprEntete()->TexteFichier1();
    d.texteEntete2 = RecupSprEntete()->TexteFichier2();
    if (deuxGraphiques && this->d->collCourbes->Compter() >= 1)
        d.station = this->d->collCourbes->GetCourbe(1)->Titre();
    const QVariant chemin = LireMembre(hote, QStringLiteral("CheminEdition"));
    d.cheminEdition = chemin.isValid() ? chemin.toString() : v.cheminEdition;
    d.formatNommage = LireMembre(hote, QStringLiteral("formatNommageFichier")).toInt();
    d.nomProjet = v.nomProjet;
    d.pointDecimal = v.pointOk;
    qint16 typeEchelle = this->d->typeAffichageEchelle;
    d.coefficient = CoefficientEchelle(typeEchelle);
    d.modeProfondeur = typeEchelle == 0;
    d.unite = this->d->typeGraphique == TypeGraph::PluvioStation ? this->d->echelle : QString();
    d.aquifere = LireMembre(hote, QStringLiteral("Aquifere")).toString();
    return d;
}

QString CtlGraphique::ExporterClasseur(const QString& chemin, FenetreProgression* progression) noexcept
{
    QString enregistre;
    sousGarde([&] {
        ApplicationTableur tableur;
        ExportGraphiqueTableur::Demande d = demandeExport(this->d->typeGraphique == TypeGraph::Superposition);
        d.extension = ExtensionExcel(&tableur);
        if (!chemin.isEmpty())
            d.cheminImpose = chemin;
        const auto r = ExportGraphiqueTableur(d, tableur, progression).executer();
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
