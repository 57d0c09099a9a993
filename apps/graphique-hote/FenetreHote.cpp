#include "FenetreHote.h"

#include "AideBureau.h"
#include "BasesRecentes.h"
#include "DialogueBulletin.h"
#include "DialogueImport.h"
#include "DialoguePostgres.h"
#include "EmplacementAide.h"
#include "FormulaireGraphique.h"
#include "GrilleCourbes.h"
#include "JaugeChargement.h"
#include "PanneauDemande.h"
#include "ReglagesHote.h"
#include "SaisieDate.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/TexteAffichable.h"
#include "commun/messages/Messages.h"
#include "control/CtlGraphique.h"
#include "control/DialogueProgression.h"
#include "control/EnteteStations.h"
#include "control/VueGraphique.h"
#include "data/BaseDonnees.h"
#include "data/bases/HistoriqueMesures.h"
#include "data/StationsBase.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/BaseExemple.h"
#include "data/bases/BasePostgres.h"
#include "commun/MotDePasse.h"
#include "data/bases/OuvertureBase.h"
#include "data/bulletin/BulletinMensuel.h"
#include "settings/Aide.h"
#include "settings/OuvertureFichierEcrit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Une jauge finie ne revient pas : cachée seulement, son minuteur la remontrerait
// au-dessus du message qui suit. Fermée, elle vaudrait Annuler.
void terminer(QProgressDialog& jauge)
{
    jauge.reset();
    jauge.hide();
}

QString nomAffiche(const QString& texte)
{
    return estConnexionPostgres(texte) ? QStringLiteral("PostgreSQL : ") + texte : QFileInfo(texte).fileName();
}

// Deux bases du même nom dans deux dossiers se distinguent dans le menu.
QString nomRecent(const QString& texte)
{
    if (estConnexionPostgres(texte))
        return nomAffiche(texte);
    return QStringLiteral("%1 — %2").arg(QFileInfo(texte).fileName(), QDir::toNativeSeparators(QFileInfo(texte).path()));
}

} // namespace

FenetreHote::FenetreHote(QWidget* parent)
    : QMainWindow(parent)
    , m_formulaire(new FormulaireGraphique)
    , m_panneau(new PanneauDemande)
    , m_courbes(new GrilleCourbes(m_formulaire->controle()))
    , m_etat(new QLabel)
{
    setObjectName(QStringLiteral("FenetreHote"));
    // Le système ajoute le nom de l'application : « Suivi hydrologique — Graphiques ».
    setWindowTitle(QStringLiteral("Suivi hydrologique"));
    // Dix courbes sur un graphique annuel ne se distinguent qu'avec leur légende.
    m_formulaire->controle().setTitreEtLegendeALEcran(true);
    // La demande défile quand la liste des courbes prend de la place.
    auto* defilement = new QScrollArea;
    defilement->setWidget(m_panneau);
    defilement->setWidgetResizable(true);
    defilement->setFrameShape(QFrame::NoFrame);
    auto* gauche = new QSplitter(Qt::Vertical);
    gauche->addWidget(defilement);
    gauche->addWidget(m_courbes);
    gauche->setSizes({680, 160});
    auto* centre = new QSplitter(Qt::Horizontal);
    centre->addWidget(gauche);
    centre->addWidget(m_formulaire);
    centre->setStretchFactor(1, 1);
    centre->setSizes({380, 1000});
    setCentralWidget(centre);
    // Une raison longue (statistiques cachées) passe à la ligne plutôt que d'être coupée au bord.
    m_etat->setWordWrap(true);
    statusBar()->addWidget(m_etat, 1);
    creerVolets();
    creerMenus();
    const EmplacementAide aide(QCoreApplication::applicationDirPath());
    m_formulaire->definirFichierAide(aide.pageAccueil());
    m_aideAbsente = aide.pageAccueil().isEmpty() ? aide.messageIntrouvable() : QString();
    connect(m_panneau, &PanneauDemande::tracerDemande, this, &FenetreHote::tracer);
    connect(m_panneau, &PanneauDemande::corrigerDemande, this, &FenetreHote::corriger);
    connect(&m_formulaire->controle(), &CtlGraphique::periodeTraceeChangee, this, &FenetreHote::majEtat);
    // Une courbe montrée ou cachée à la main : la barre d'état ne dit plus non tracé ce qui l'est.
    connect(m_courbes, &QTableWidget::cellClicked, this, &FenetreHote::majEtat);
    // Le contrôle lit les champs du formulaire sur la fenêtre qui le contient : ils y sont aussi.
    for (const QByteArray& nom : m_formulaire->dynamicPropertyNames())
        setProperty(nom.constData(), m_formulaire->property(nom.constData()));
    QSettings r = ReglagesHote();
    resize(1400, 900);
    restoreGeometry(r.value(QStringLiteral("fenetre/geometrie")).toByteArray());
    restoreState(r.value(QStringLiteral("fenetre/etat")).toByteArray());
    // Avant le premier graphique, un cadre qui dit quoi faire plutôt qu'un graphique vide gradué.
    m_formulaire->controle().montrerCadreVide(QStringLiteral("Choisir une station, un genre de graphique et une période, puis Tracer."));
    majEtat();
}

FenetreHote::~FenetreHote() = default;

void FenetreHote::creerVolets()
{
    auto* volet = new QDockWidget(QStringLiteral("Données du graphique"), this);
    volet->setObjectName(QStringLiteral("VoletDonnees"));
    m_donnees = new QTableWidget(volet);
    m_donnees->setObjectName(QStringLiteral("SprDonnees"));
    m_donnees->setEditTriggers(QAbstractItemView::NoEditTriggers);
    volet->setWidget(m_donnees);
    addDockWidget(Qt::BottomDockWidgetArea, volet);
    volet->hide();
}

void FenetreHote::creerMenus()
{
    creerMenuFichier();
    creerMenuGraphique();
    creerMenuAide();
}

void FenetreHote::creerMenuFichier()
{
    QMenu* m = menuBar()->addMenu(QStringLiteral("&Fichier"));
    m->addAction(QStringLiteral("&Ouvrir une base SQLite…"), QKeySequence::Open, this, &FenetreHote::choisirFichierSqlite);
    m->addAction(QStringLiteral("Se &connecter à PostgreSQL…"), this, &FenetreHote::choisirPostgres);
    m_recentes = m->addMenu(QStringLiteral("Bases &récentes"));
    m->addAction(QStringLiteral("Base d'&exemple"), this, [this] { ouvrirBaseExemple(true); });
    m->addSeparator();
    m->addAction(QStringLiteral("&Importer un fichier CSV…"), QKeySequence(QStringLiteral("Ctrl+I")), this,
                 &FenetreHote::importerCsv);
    m->addSeparator();
    QAction* enregistrer = m->addAction(QStringLiteral("&Enregistrer le graphique…"), QKeySequence::Save, this,
                                        &FenetreHote::enregistrerSous);
    enregistrer->setObjectName(QStringLiteral("ActionEnregistrer"));
    QAction* imprimer = m->addAction(QStringLiteral("Im&primer…"), QKeySequence::Print, this, &FenetreHote::imprimer);
    m_actionsGraphique = {enregistrer, imprimer};
    // Le même classeur que l'outil 8 de la palette, à l'endroit choisi.
    m_actionExporter = m->addAction(QStringLiteral("Exporter vers le &classeur…"), this, &FenetreHote::exporterClasseur);
    m_actionExporter->setObjectName(QStringLiteral("ActionExporterClasseur"));
    m_actionAnnuaire = m->addAction(QStringLiteral("&Annuaire en classeur…"), this, &FenetreHote::exporterAnnuaire);
    m_actionAnnuaire->setObjectName(QStringLiteral("ActionAnnuaireClasseur"));
    QAction* bulletin = m->addAction(QStringLiteral("&Bulletin du mois…"), this, &FenetreHote::faireBulletin);
    bulletin->setObjectName(QStringLiteral("ActionBulletin"));
    bulletin->setStatusTip(QStringLiteral("La situation hydrologique d'un mois, station par station, en PDF et en classeur."));
    majExports();
    m->addSeparator();
    // Ctrl+Q écrit tel quel : le raccourci « Quitter » du thème manque hors d'un bureau complet.
    QAction* quitter = m->addAction(QStringLiteral("&Quitter"), QKeySequence(QStringLiteral("Ctrl+Q")), this, &QWidget::close);
    quitter->setObjectName(QStringLiteral("ActionQuitter"));
    majBasesRecentes();
}

void FenetreHote::creerMenuGraphique()
{
    CtlGraphique& c = m_formulaire->controle();
    QMenu* m = menuBar()->addMenu(QStringLiteral("&Graphique"));
    m->addAction(QStringLiteral("&Tracer"), QKeySequence(Qt::Key_F5), this, &FenetreHote::tracer);
    m->addAction(QStringLiteral("Toute la &période"), QKeySequence(QStringLiteral("Ctrl+0")), this,
                 [&c] { c.ZoomerToutePeriode(); });
    m->addSeparator();
    // Les outils de la souris sur le graphique ; la lecture des valeurs sous le pointeur vaut dans chacun.
    const std::pair<const char*, qint16> outils[] = {{"Zoom avant au &rectangle (glisser sur le graphique)", 3},
                                                     {"Zoom arrière par &pas (clic : élargir la vue)", 2}};
    for (const auto& choix : outils) {
        const qint16 outil = choix.second;
        m->addAction(QString::fromUtf8(choix.first), this, [&c, outil] { c.declencheOutil(outil); });
    }
    m->addSeparator();
    QAction* corriger = m->addAction(QStringLiteral("&Corriger les mesures…"), QKeySequence(QStringLiteral("Ctrl+E")), this,
                                     &FenetreHote::corriger);
    corriger->setObjectName(QStringLiteral("ActionCorriger"));
    corriger->setStatusTip(QStringLiteral("Les mesures du pluviomètre choisi, sur les dates du panneau : points, plages et grille."));
    QAction* annuler = m->addAction(QStringLiteral("&Annuler la dernière correction…"), this, &FenetreHote::annulerDerniereCorrection);
    annuler->setObjectName(QStringLiteral("ActionAnnulerCorrection"));
    m->addAction(QStringLiteral("Date de dernière &validation…"), this, &FenetreHote::choisirDateValidation);
    m->addSeparator();
    QAction* donnees = findChild<QDockWidget*>(QStringLiteral("VoletDonnees"))->toggleViewAction();
    donnees->setText(QStringLiteral("&Données du graphique"));
    m->addAction(donnees);
}

void FenetreHote::AppelDeclencheClick(qint16 index)
{
    // Les boutons de la palette que l'hôte sert : 10 fermer, 0 imprimer.
    if (index == 10)
        close();
    else if (index == 0)
        imprimer();
}

void FenetreHote::Form_Resize()
{
    m_formulaire->controle().DispositionRedimensionnement();
}

void FenetreHote::TraitementParametres()
{
    m_formulaire->appliquerStatistiques(m_panneau->statistiques());
    m_formulaire->recharger();
    apresChargement();
}

void FenetreHote::choisirDateValidation()
{
    QDialog boite(this);
    boite.setWindowTitle(QStringLiteral("Date de dernière validation"));
    auto* champ = new SaisieDate(&boite);
    champ->setObjectName(QStringLiteral("DateValidation"));
    champ->setDate(LireDate(m_derniereValidation).value_or(QDate()));
    auto* forme = new QFormLayout(&boite);
    forme->addRow(new QLabel(QStringLiteral("Les points jusqu'à cette date ne se modifient plus ;\n"
                                            "vide : aucun point protégé. Prise au prochain tracé."),
                             &boite));
    forme->addRow(QStringLiteral("&Date"), champ);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &boite);
    boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    forme->addRow(boutons);
    connect(boutons, &QDialogButtonBox::rejected, &boite, &QDialog::reject);
    // Une date refusée laisse la boîte ouverte sur ce qui a été tapé.
    connect(boutons, &QDialogButtonBox::accepted, &boite, [this, &boite, champ] {
        const QString refus = champ->text().trimmed().isEmpty() ? QString() : champ->refus(QStringLiteral("Date de dernière validation"));
        if (refus.isEmpty())
            boite.accept();
        else
            message(QStringLiteral("aide"), refus);
    });
    if (boite.exec() == QDialog::Accepted)
        m_derniereValidation = TexteDate(champ->date());
}

void FenetreHote::creerMenuAide()
{
    QMenu* m = menuBar()->addMenu(QStringLiteral("&Aide"));
    QAction* aide = m->addAction(QStringLiteral("&Aide"), QKeySequence::HelpContents, this, [this] {
        m_aideAbsente.isEmpty() ? OuvrirAide(0) : message(QStringLiteral("erreur"), m_aideAbsente);
    });
    aide->setObjectName(QStringLiteral("ActionAide"));
    m->addAction(QStringLiteral("À &propos"), this, [this] {
        message(QStringLiteral("aide"), QStringLiteral("Graphique %1 — graphiques de suivi hydrologique et hydrogéologique.")
                                            .arg(m_formulaire->controle().getVersion()));
    });
}

void FenetreHote::message(const QString& type, const QString& texte)
{
    AfficherMessage(type, MotDePasse::retirer(texte));
}

QString FenetreHote::cheminBaseExemple()
{
    const QString dossier = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return dossier + QStringLiteral("/exemple.db");
}

void FenetreHote::ouvrirAuDemarrage(const QString& demandee)
{
    if (!demandee.isEmpty()) {
        ouvrirBase(demandee);
        return;
    }
    const QString derniere = BasesRecentes::derniere();
    if (!derniere.isEmpty() && ouvrirBase(derniere))
        return;
    // La base d'exemple en attendant, sans prendre la place de la dernière : le prochain lancement la réessaie.
    if (ouvrirBaseExemple(derniere.isEmpty()) && !derniere.isEmpty())
        statusBar()->showMessage(QStringLiteral("La dernière base ne s'ouvre pas : la base d'exemple est ouverte en attendant."), 15000);
}

bool FenetreHote::ouvrirBaseExemple(bool retenir)
{
    const QString exemple = cheminBaseExemple();
    if (!QFileInfo::exists(exemple)) {
        QDir().mkpath(QFileInfo(exemple).path());
        QProgressDialog jauge(QStringLiteral("Préparation de la base d'exemple"), QString(), 0, 100, this);
        jauge.setWindowModality(Qt::WindowModal);
        jauge.setMinimumDuration(300);
        QString erreur;
        if (!BaseExemple::creerFichier(exemple, BaseExemple::graineParDefaut, [&](const QString& legende, int p) {
                jauge.setLabelText(legende);
                jauge.setValue(p);
            }, erreur)) {
            terminer(jauge);
            message(QStringLiteral("erreur"), QStringLiteral("La base d'exemple n'a pas pu être créée : %1").arg(erreur));
            return false;
        }
    }
    return ouvrirBase(exemple, retenir);
}

bool FenetreHote::ouvrirBase(const QString& texte, bool retenir)
{
    if (!m_formulaire->controle().conclureCorrections())
        return false;
    // Un fichier s'ouvre et se retient par son chemin absolu : un autre dossier de lancement le retrouve.
    const QString cible = estConnexionPostgres(texte) ? texte : BasesRecentes::normaliser(texte);
    QString erreur;
    std::unique_ptr<BaseDonnees> base = ::ouvrirBase(cible, false, erreur);
    if (!base) {
        message(QStringLiteral("erreur"), erreur.left(1).toUpper() + erreur.mid(1));
        return false;
    }
    m_base = std::move(base);
    m_texteBase = cible;
    if (retenir)
        BasesRecentes::retenir(cible);
    majBasesRecentes();
    lireStations();
    majEtat();
    return true;
}

void FenetreHote::majBasesRecentes()
{
    if (!m_recentes)
        return;
    m_recentes->clear();
    const QStringList recentes = BasesRecentes::liste();
    for (const QString& b : recentes)
        m_recentes->addAction(nomRecent(b), this, [this, b] { ouvrirBase(b); })->setToolTip(b);
    m_recentes->setEnabled(!recentes.isEmpty());
}

void FenetreHote::lireStations()
{
    const auto stations = HoteGraphique::lireStations(m_base.get());
    if (!stations) {
        message(QStringLiteral("erreur"), QStringLiteral("La liste des stations ne peut pas être lue : %1")
                                              .arg(m_base ? m_base->DerniereErreur() : QString()));
        m_panneau->definirStations({}, {});
        return;
    }
    QHash<QString, std::pair<QDate, QDate>> etendues;
    for (const HoteGraphique::Station& s : *stations)
        etendues.insert(s.code, HoteGraphique::etendue(m_base.get(), s));
    m_panneau->definirStations(*stations, etendues);
}

void FenetreHote::choisirFichierSqlite()
{
    const QString f = QFileDialog::getOpenFileName(this, QStringLiteral("Ouvrir une base SQLite"), QString(),
                                                   QStringLiteral("Bases SQLite (*.db *.sqlite *.sqlite3);;Tous les fichiers (*)"));
    if (!f.isEmpty())
        ouvrirBase(f);
}

void FenetreHote::choisirPostgres()
{
    DialoguePostgres d(this);
    if (d.exec() == QDialog::Accepted)
        ouvrirBase(d.texteConnexion());
}

bool FenetreHote::tracer()
{
    QString erreur;
    const auto demande = m_panneau->demande(erreur);
    return charger(demande, erreur, false);
}

bool FenetreHote::corriger()
{
    QString erreur;
    const auto demande = m_panneau->demandeCorrection(erreur);
    return charger(demande, erreur, true);
}

bool FenetreHote::charger(const std::optional<HoteGraphique::Demande>& demande, QString erreur, bool correction)
{
    // Le graphique d'avant est remplacé : ses corrections en attente d'abord.
    if (!m_formulaire->controle().conclureCorrections())
        return false;
    if (!m_base)
        erreur = QStringLiteral("Aucune base n'est ouverte : Fichier, Ouvrir une base.");
    if (!demande || !m_base) {
        message(QStringLiteral("aide"), erreur);
        return false;
    }
    bool annule = false;
    const bool trace = chargerSousJauge(*demande, correction, erreur, annule);
    // Fermée pendant le chargement : elle se ferme maintenant, sans autre message.
    if (m_fermerApresChargement) {
        QTimer::singleShot(0, this, &QWidget::close);
        return false;
    }
    if (trace)
        erreur = HoteGraphique::echecDeChargement(*m_base);
    m_derniere = demande;
    apresChargement();
    return direIssue(erreur, annule);
}

// Le chargement, la fenêtre bloquée et la jauge montrée le temps qu'il dure.
bool FenetreHote::chargerSousJauge(const HoteGraphique::Demande& demande, bool correction, QString& erreur, bool& annule)
{
    // Le message passager du graphique d'avant ne reste pas sous le nouveau.
    statusBar()->clearMessage();
    m_formulaire->appliquerStatistiques(m_panneau->statistiques());
    JaugeChargement jauge(m_formulaire->controle(), this);
    m_base->OublierEchecs();
    bloquerPendantChargement(true);
    const bool trace = correction ? m_formulaire->corriger(demande, m_base.get(), erreur)
                                  : m_formulaire->tracer(demande, m_base.get(), erreur);
    bloquerPendantChargement(false);
    annule = jauge.annulee();
    terminer(jauge);
    return trace;
}

bool FenetreHote::direIssue(const QString& erreur, bool annule)
{
    if (!erreur.isEmpty() || annule) {
        message(QStringLiteral("erreur"), annule ? QStringLiteral("Chargement annulé.") : erreur.left(1).toUpper() + erreur.mid(1));
        return false;
    }
    // Un graphique vide faute de statistiques le dit dans la barre d'état, sans ce message-ci.
    if (m_formulaire->aDesDonnees() || !m_formulaire->avis().isEmpty())
        return true;
    // Le graphique de travail tracé seul ne charge rien : il attend les points qu'on y pose.
    const bool travail = Traits(m_formulaire->controle().TypeGraphique()).saisie;
    statusBar()->showMessage(travail ? QStringLiteral("Le graphique de travail reçoit les points qu'on y pose ; « Corriger les "
                                                      "mesures… » y charge celles du pluviomètre choisi.")
                                     : QStringLiteral("Aucune mesure pour cette station sur cette période."),
                             15000);
    return true;
}

void FenetreHote::apresChargement()
{
    m_courbes->remplir();
    remplirDonnees();
    majEtat();
    majExports();
}

// Un graphique avec des mesures s'exporte ; la page d'annuaire se fait depuis le graphique d'annuaire.
void FenetreHote::majExports()
{
    // Avant le premier graphique, il n'y a que le cadre qui dit quoi faire : rien à enregistrer ni imprimer.
    for (QAction* a : m_actionsGraphique)
        a->setEnabled(m_derniere.has_value());
    const bool donnees = m_derniere && m_formulaire->aDesDonnees();
    const bool annuaire = donnees && Traits(m_formulaire->controle().TypeGraphique()).pageAnnuaire;
    m_actionExporter->setEnabled(donnees);
    m_actionExporter->setStatusTip(donnees ? QStringLiteral("Le graphique affiché en classeur, à l'endroit choisi.")
                                           : QStringLiteral("Tracer d'abord un graphique qui a des mesures."));
    m_actionAnnuaire->setEnabled(annuaire);
    m_actionAnnuaire->setStatusTip(annuaire ? QStringLiteral("La page d'annuaire en classeur, à l'endroit choisi.")
                                            : QStringLiteral("Tracer d'abord un graphique « annuaire » qui a des mesures."));
}

QString FenetreHote::dossierEdition()
{
    return QDir::toNativeSeparators(m_formulaire->fenetrePrincipale()->property("CheminEdition").toString());
}

// Où écrire un classeur : le nom que l'export donnerait, dans le dossier d'édition, à confirmer ou changer.
QString FenetreHote::cheminClasseur(const QString& titre, const QString& propose)
{
    QString chemin = QFileDialog::getSaveFileName(this, titre, propose, QStringLiteral("Classeur (*.xlsx)"));
    if (!chemin.isEmpty() && QFileInfo(chemin).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) != 0)
        chemin += QStringLiteral(".xlsx");
    return chemin;
}

void FenetreHote::classeurEcrit(const QString& chemin)
{
    if (chemin.isEmpty())
        return;
    statusBar()->showMessage(QStringLiteral("Classeur écrit dans %1").arg(QDir::toNativeSeparators(chemin)), 15000);
    OuvrirFichierEcrit(chemin);
}

void FenetreHote::exporterClasseur()
{
    CtlGraphique& c = m_formulaire->controle();
    const QString chemin = cheminClasseur(QStringLiteral("Exporter vers le classeur"), c.nomClasseurPropose());
    if (chemin.isEmpty())
        return;
    QString ecrit;
    {
        // La jauge part avant que le classeur s'ouvre ou qu'un message paraisse.
        DialogueProgression progression(QStringLiteral("Exporter vers le classeur"), this);
        ecrit = c.ExporterClasseur(chemin, &progression);
    }
    classeurEcrit(ecrit);
}

void FenetreHote::exporterAnnuaire()
{
    const QStringList pages = {QStringLiteral("Courbe des maximums journaliers de l'année"),
                               QStringLiteral("Chronique de la période")};
    bool ok = false;
    const QString page = QInputDialog::getItem(this, QStringLiteral("Annuaire en classeur"), QStringLiteral("Page à écrire :"),
                                               pages, 0, false, &ok);
    if (!ok)
        return;
    const bool annuel = page == pages.first();
    CtlGraphique& c = m_formulaire->controle();
    const QString chemin = cheminClasseur(QStringLiteral("Annuaire en classeur"),
                                          c.nomClasseurPropose(annuel ? QStringLiteral("Annuaire ") : QStringLiteral("Chronique ")));
    if (!chemin.isEmpty())
        classeurEcrit(c.EnregistrerAnnuaire(annuel, chemin));
}

void FenetreHote::faireBulletin()
{
    if (!m_base) {
        message(QStringLiteral("aide"), QStringLiteral("Aucune base n'est ouverte : Fichier, Ouvrir une base."));
        return;
    }
    const auto stations = StationsBase::lire(m_base.get());
    if (!stations) {
        message(QStringLiteral("erreur"),
                QStringLiteral("La liste des stations ne peut pas être lue : %1").arg(m_base->DerniereErreur()));
        return;
    }
    DialogueBulletin dialogue(*stations, dossierEdition(), *m_base, this);
    if (dialogue.exec() != QDialog::Accepted)
        return;
    const EditionBulletin::Demande demande = dialogue.demande();
    QString ecrits = QDir::toNativeSeparators(demande.pdf);
    if (!demande.classeur.isEmpty())
        ecrits += QStringLiteral(" et ") + QDir::toNativeSeparators(demande.classeur);
    statusBar()->showMessage(QStringLiteral("Bulletin de %1 écrit dans %2").arg(BulletinMensuel::texteMois(demande.mois), ecrits), 15000);
    OuvrirFichierEcrit(demande.pdf);
    if (!demande.classeur.isEmpty())
        OuvrirFichierEcrit(demande.classeur);
}

bool FenetreHote::annulerDerniereCorrection()
{
    if (!m_formulaire->controle().conclureCorrections())
        return false;
    QString erreur;
    const QString station = pluviometreCorrige(erreur);
    if (station.isEmpty() || !m_base) {
        message(QStringLiteral("aide"), m_base ? erreur : QStringLiteral("Aucune base n'est ouverte : Fichier, Ouvrir une base."));
        return false;
    }
    const QString table = QStringLiteral("PLUVIO_") + station;
    const auto dernier = correctionAAnnuler(station, table);
    if (!dernier)
        return false;
    const QString question = QStringLiteral("Annuler la dernière correction du pluviomètre %1 (%2, le %3 par %4) ? "
                                            "%5 mesure(s) reprendront leur valeur d'avant.")
                                 .arg(station, dernier->origine, TexteDateHeure(dernier->quand).left(16), dernier->qui)
                                 .arg(dernier->mesures);
    if (AfficherMessage(QStringLiteral("question"), question) != BoutonMessage::Oui)
        return false;
    HistoriqueMesures::Lot annule;
    if (!HistoriqueMesures::annulerDernier(*m_base, table, annule, erreur, dernier->numero)) {
        message(QStringLiteral("erreur"), erreur);
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Correction annulée : %1 mesure(s) rendues telles qu'avant.").arg(annule.mesures),
                             8000);
    // Le graphique de cette station montre ce que la base tient de nouveau.
    if (m_derniere && m_formulaire->controle().RecupSprEntete()->CodeStation() == station)
        TraitementParametres();
    return true;
}

// Les corrections visent le pluviomètre du graphique de correction montré (celui de son en-tête),
// sinon celui choisi dans la liste.
QString FenetreHote::pluviometreCorrige(QString& erreur)
{
    CtlGraphique& c = m_formulaire->controle();
    if (m_derniere && Traits(c.TypeGraphique()).saisie)
        return c.RecupSprEntete()->CodeStation();
    const auto demande = m_panneau->demandeCorrection(erreur);
    return demande ? demande->station : QString();
}

// La dernière correction encore en place ; aucune, dit pourquoi, s'il n'y en a pas, si l'historique
// ne se lit pas, ou si elle touche une mesure validée (jusqu'à la date de dernière validation).
std::optional<HistoriqueMesures::Lot> FenetreHote::correctionAAnnuler(const QString& station, const QString& table)
{
    QString erreur;
    const auto dernier = HistoriqueMesures::aAnnuler(*m_base, table, erreur);
    if (!dernier) {
        message(erreur.isEmpty() ? QStringLiteral("aide") : QStringLiteral("erreur"),
                erreur.isEmpty() ? QStringLiteral("Aucune correction à annuler pour le pluviomètre %1.").arg(station) : erreur);
        return std::nullopt;
    }
    const auto validation = LireDate(m_derniereValidation);
    const QDate premier = validation && dernier->premiere.isValid() && dernier->premiere <= *validation ? dernier->premiere : QDate();
    if (premier.isValid()) {
        message(QStringLiteral("aide"), QStringLiteral("La dernière correction du pluviomètre %1 change la mesure du %2, protégée par "
                                                       "la date de dernière validation (%3) : rien n'a été annulé.")
                                            .arg(station, TexteDate(premier), TexteDate(*validation)));
        return std::nullopt;
    }
    return dernier;
}

bool FenetreHote::enregistrerGraphique(const QString& chemin)
{
    const QSize taille = m_formulaire->controle().vueGraphique()->size().expandedTo(QSize(800, 500));
    if (m_formulaire->controle().EcrireImage(chemin, taille))
        return true;
    message(QStringLiteral("erreur"), QStringLiteral("Impossible d'écrire « %1 » : le dossier est-il accessible, le disque plein ?")
                                          .arg(TexteAffichable(chemin)));
    return false;
}

void FenetreHote::enregistrerSous()
{
    QString filtre;
    QString chemin = QFileDialog::getSaveFileName(this, QStringLiteral("Enregistrer le graphique"), QString(),
                                                  QStringLiteral("Image PNG (*.png);;Dessin SVG (*.svg);;Document PDF (*.pdf)"),
                                                  &filtre);
    if (chemin.isEmpty())
        return;
    if (QFileInfo(chemin).suffix().isEmpty())
        chemin += filtre.contains(QStringLiteral("svg")) ? QStringLiteral(".svg")
            : filtre.contains(QStringLiteral("pdf"))     ? QStringLiteral(".pdf")
                                                         : QStringLiteral(".png");
    if (enregistrerGraphique(chemin))
        statusBar()->showMessage(QStringLiteral("Graphique enregistré dans %1").arg(chemin), 8000);
}

void FenetreHote::imprimer()
{
    CtlGraphique& c = m_formulaire->controle();
    QPrintDialog dialogue(&c.vueGraphique()->imprimante(), this);
    if (dialogue.exec() == QDialog::Accepted)
        c.ImpressionGraphique();
}

void FenetreHote::importerCsv()
{
    if (!m_base) {
        message(QStringLiteral("aide"), QStringLiteral("Ouvrez d'abord la base qui recevra les mesures."));
        return;
    }
    QStringList codes;
    for (const auto& s : HoteGraphique::lireStations(m_base.get()).value_or(QList<HoteGraphique::Station>{}))
        codes << s.code;
    DialogueImport d(codes, this);
    // Un import refusé rouvre le dialogue tel qu'il était rempli : rien n'est à saisir de nouveau.
    while (d.exec() == QDialog::Accepted) {
        ImportMesures::Bilan bilan;
        QString erreur;
        if (importerFichier(d, bilan, erreur)) {
            // La liste montre déjà la station qui a reçu les mesures quand le bilan paraît.
            lireStations();
            m_panneau->selectionner(d.demande().code, d.demande().genre);
            message(QStringLiteral("aide"), bilan.texte());
            return;
        }
        message(QStringLiteral("erreur"), erreur.left(1).toUpper() + erreur.mid(1));
    }
}

bool FenetreHote::importerFichier(const DialogueImport& d, ImportMesures::Bilan& bilan, QString& erreur)
{
    QProgressDialog jauge(QStringLiteral("Import des mesures"), QStringLiteral("Annuler"), 0, 100, this);
    jauge.setObjectName(QStringLiteral("JaugeImport"));
    jauge.setWindowTitle(QStringLiteral("Import"));
    jauge.setWindowModality(Qt::WindowModal);
    jauge.setMinimumDuration(300);
    const bool ok = ImportMesures::importerFichier(static_cast<BaseAcces&>(*m_base), d.fichier(), d.demande(), bilan,
                                                   erreur, [&](int p) {
                                                       jauge.setValue(p);
                                                       // Annuler se lit même avant que la jauge ne paraisse.
                                                       QCoreApplication::processEvents();
                                                       return !jauge.wasCanceled();
                                                   });
    terminer(jauge);
    return ok;
}

// Les courbes du graphique, une colonne de dates et une de valeurs chacune.
void FenetreHote::remplirDonnees()
{
    Classe_Graphiques& c = m_formulaire->controle().CollCourbes();
    int lignes = 0;
    for (int k = 1; k <= c.Compter(); ++k)
        lignes = std::max(lignes, c.GetCourbe(k)->NbValeurs());
    m_donnees->clear();
    m_donnees->setColumnCount(2 * c.Compter());
    m_donnees->setRowCount(std::min(lignes, 200000));
    QStringList titres;
    for (int k = 1; k <= c.Compter(); ++k) {
        const CourbePtr courbe = c.GetCourbe(k);
        titres << QStringLiteral("Date") << courbe->Titre();
        for (int i = 0; i < std::min(courbe->NbValeurs(), 200000); ++i) {
            m_donnees->setItem(i, 2 * (k - 1), new QTableWidgetItem(TexteCellule(courbe->cellule(0, i))));
            m_donnees->setItem(i, 2 * (k - 1) + 1, new QTableWidgetItem(TexteCelluleFrancaise(courbe->cellule(2, i))));
        }
    }
    m_donnees->setHorizontalHeaderLabels(titres);
}

void FenetreHote::majEtat()
{
    QStringList parties{m_base ? QStringLiteral("Base : ") + nomAffiche(BasesRecentes::normaliser(m_texteBase))
                               : QStringLiteral("Aucune base ouverte")};
    if (m_derniere) {
        // La station que l'en-tête du contrôle a tracée : un code partagé par un pluviomètre et sa référence y est départagé.
        const EnteteStations* entete = m_formulaire->controle().RecupSprEntete();
        parties << QStringLiteral("Station : %1 %2").arg(entete->CodeStation(), entete->NomStation());
        // La période que l'axe montre, zoom compris, et non celle des champs de dates.
        if (const auto periode = m_formulaire->controle().periodeTracee())
            parties << QStringLiteral("Période : du %1 au %2").arg(TexteDate(periode->first), TexteDate(periode->second));
        // Ce que le graphique ne montre pas faute de données, dit tant qu'il est à l'écran.
        if (const QString avis = m_formulaire->avis(); !avis.isEmpty())
            parties << avis;
    }
    m_etat->setText(parties.join(QStringLiteral("   —   ")));
}

// Pendant un chargement, aucune autre demande n'est reçue (ni base, ni tracé,
// ni import, ni panneau) ; seuls la jauge, Quitter et la fermeture restent, qui l'arrêtent.
void FenetreHote::bloquerPendantChargement(bool pendant)
{
    m_chargementEnCours = pendant;
    m_panneau->setEnabled(!pendant);
    m_courbes->setEnabled(!pendant);
    for (QDockWidget* volet : findChildren<QDockWidget*>())
        if (volet->widget())
            volet->widget()->setEnabled(!pendant);
    if (!pendant) {
        // Une action disparue pendant le chargement (un menu refait) n'est plus là pour être rétablie.
        for (const auto& [action, active] : std::as_const(m_actionsAvantChargement))
            if (action)
                action->setEnabled(active);
        m_actionsAvantChargement.clear();
        return;
    }
    for (QAction* a : findChildren<QAction*>())
        if (!a->menu() && a->objectName() != QStringLiteral("ActionQuitter")) {
            m_actionsAvantChargement.append({a, a->isEnabled()});
            a->setEnabled(false);
        }
}

void FenetreHote::closeEvent(QCloseEvent* evenement)
{
    if (m_chargementEnCours) {
        m_fermerApresChargement = true;
        m_formulaire->controle().AnnulerChargement();
        evenement->ignore();
        return;
    }
    if (!m_formulaire->controle().conclureCorrections()) {
        evenement->ignore();
        return;
    }
    QSettings r = ReglagesHote();
    r.setValue(QStringLiteral("fenetre/geometrie"), saveGeometry());
    r.setValue(QStringLiteral("fenetre/etat"), saveState());
    QMainWindow::closeEvent(evenement);
}
