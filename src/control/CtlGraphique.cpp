#include "control/CtlGraphique.h"
#include "control/CtlGraphiquePrive.h"

#include "commun/AppelParNom.h"
#include "commun/Dates.h"
#include "commun/Garde.h"
#include "commun/Horloge.h"
#include "commun/ValeursProcessus.h"
#include "control/CadreTitre.h"
#include "control/ChampDate.h"
#include "control/CtlToolBar.h"
#include "control/DispositionControle.h"
#include "control/EditionPoints.h"
#include "control/EnteteStations.h"
#include "control/OptionsAffichage.h"
#include "control/PanneauChargement.h"
#include "control/SourisEtZoom.h"
#include "control/VueGraphique.h"
#include "entry/GrillePoints.h"
#include "render/moteur/ProprietesMoteur.h"
#include "render/moteur/SortiesImage.h"
#include "settings/Aide.h"

#include <QEvent>
#include <QPrinter>
#include <QLabel>

namespace {

BaseDonnees*& baseProcessus()
{
    static BaseDonnees* base = nullptr;
    return base;
}

} // namespace

CtlGraphique::CtlGraphique(QWidget* parent)
    : QWidget(parent)
    , d(std::make_unique<CtlGraphiquePrive>())
{
    setObjectName(QStringLiteral("CtlGraphique"));
    resize(900, 600);
    d->disposition = std::make_unique<DispositionControle>(*this);
    connect(&d->disposition->palette(), &CtlToolBar::ClickBouton, this, [this](qint16 i) { declencheOutil(i); });
    d->souris = std::make_unique<SourisEtZoom>(*this);
    d->souris->brancher(d->disposition->vue());
    d->disposition->imageChargement().installEventFilter(this);
    d->edition = std::make_unique<EditionPoints>(*this, d->disposition->sprPoints(), d->disposition->cadreOutils());
    const DispositionControle::BoutonsEdition boutons = d->disposition->boutonsEdition();
    d->edition->brancher(boutons.inserer, boutons.supprimer, boutons.enregistrer);
    // Les corrections visent la station de l'en-tête : elles sont conclues avant qu'elle ne change.
    d->disposition->entete().definirConfirmation([this] { return conclureCorrections(); });
    d->options = std::make_unique<OptionsAffichage>(*this);
    DispositionRedimensionnement();
}

CtlGraphique::~CtlGraphique() = default;

BaseDonnees* CtlGraphique::baseDonnees()
{
    return baseProcessus();
}

MoteurGraphique& CtlGraphique::Graphique()
{
    return d->disposition->vue().moteur();
}

MoteurGraphique& CtlGraphique::GraphiqueSuperposePluvio()
{
    return d->disposition->vueSuperposee().moteur();
}

Classe_Graphiques& CtlGraphique::CollCourbes()
{
    if (!d->collCourbes)
        d->collCourbes = std::make_shared<Classe_Graphiques>();
    return *d->collCourbes;
}

Classe_Graphiques& CtlGraphique::CollCourbes2()
{
    return *CollCourbes2Partagee();
}

std::shared_ptr<Classe_Graphiques> CtlGraphique::CollCourbes2Partagee()
{
    if (!d->collCourbes2)
        d->collCourbes2 = std::make_shared<Classe_Graphiques>();
    return d->collCourbes2;
}

QWidget* CtlGraphique::composant(const QString& nom) const
{
    return findChild<QWidget*>(nom);
}

void CtlGraphique::setCalculAuto(bool autoCalcul) noexcept
{
    d->calculauto = autoCalcul;
}

void CtlGraphique::MiseAjoutCourbes2(const std::shared_ptr<Classe_Graphiques>& mCollCourbes2) noexcept
{
    if (mCollCourbes2)
        d->collCourbes2 = mCollCourbes2;
}

QString CtlGraphique::getVersion() const noexcept
{
    return sousGarde(QString(), [] {
        QStringList morceaux = QStringLiteral(GRAPHIQUE_VERSION).split(u'.');
        for (QString& m : morceaux)
            m = QString::number(m.toInt());
        return morceaux.join(u'.');
    });
}

void CtlGraphique::setTypeGraphiqueNumero(qint16 n)
{
    if (const auto t = TypeGraphDepuisNumero(n))
        setTypeGraphique(*t);
}

void CtlGraphique::setTypeGraphique(TypeGraph type) noexcept
{
    sousGarde([&] {
        d->typeGraphique = type;
        emit typeGraphiqueChange(qint16(type));
        d->disposition->appliquerType(type);
        redisposer();
    });
}

void CtlGraphique::resizeEvent(QResizeEvent* evenement)
{
    QWidget::resizeEvent(evenement);
    DispositionRedimensionnement();
}

void CtlGraphique::DispositionRedimensionnement() noexcept
{
    sousGarde([&] { redisposer(); });
}

void CtlGraphique::redisposer()
{
    d->disposition->redimensionner(d->typeGraphique);
    if (Traits(d->typeGraphique).deuxGraphiques && CollCourbes().Compter() >= 1)
        AffichageGraphiqueSuperposepluvioPiezo(false, false, nullptr);
}

void CtlGraphique::InitGraphique(TypeGraph TypeGraph, QObject* SprListe, const QString& xxNomProjet,
                                 qint16 xxTypeAffichageEchelle, const QString& xxType_Exploitation,
                                 const QString& xxFichierAide, const QString& xxCheminEdition, bool xxPoint_Ok,
                                 const QString& xxMoisAnneeHydro, const QString& xxExcel, BaseDonnees* xxBD,
                                 QObject* xxFenetrePrincipale, qint16 xxNoAide) noexcept
{
    sousGarde([&] {
        ValeursProcessus& processus = ValeursProcessus::courantes();
        baseProcessus() = xxBD;
        processus.fenetrePrincipale = xxFenetrePrincipale;
        getExtender();
        remettreANeuf();
        setTypeGraphique(TypeGraph);

        const TraitsTypeGraph& traits = Traits(TypeGraph);
        if (traits.enteteStations)
            d->disposition->entete().Initialiser(SprListe, xxBD, processus.nomProjet);

        processus.nomProjet = xxNomProjet;
        d->typeAffichageEchelle = xxTypeAffichageEchelle;
        d->typeExploitation = xxType_Exploitation;
        processus.fichierAide = xxFichierAide;
        processus.cheminEdition = xxCheminEdition;
        processus.pointOk = xxPoint_Ok;
        processus.moisAnneeHydro = xxMoisAnneeHydro;
        processus.excel = xxExcel;
        EcrireMembre(xxFenetrePrincipale, QStringLiteral("NoVersionGraphique"),
                     QStringLiteral("Version graphique ") + getVersion());
        d->noAide = xxNoAide;
        d->outilCourant = 0;
        d->compteurCouleur = 0;

        reglagesDeDepart();
        d->disposition->preparerLecture();
        viderCollections(TypeGraph);
        if (traits.datesDuPluviometre)
            remplirDatesDepuisPluviometre();
        // Les collections sont vides : les graphiques se placent sans rien redessiner.
        if (traits.enHaut)
            d->disposition->alignerSurReference(TypeGraph);
        ChoisirOutil(3);
    });
}

// Chaque graphique comme le premier : le tableau des dispositions laisse des
// composants « comme ils étaient », les moteurs et les collections gardent ce
// qu'on leur a écrit. Restent les choix de l'hôte (propriétés publiques, boutons
// voulus, en-tête masqué, titre à l'écran), sa liste de stations dans l'en-tête
// et les champs de dates qu'il remplit.
void CtlGraphique::remettreANeuf()
{
    Graphique().remettreANeuf();
    GraphiqueSuperposePluvio().remettreANeuf();
    CollCourbes() = Classe_Graphiques();
    CollCourbes2() = Classe_Graphiques();
    d->souris->remettreANeuf();
    d->annulation = false;
    d->jeuxParCourbe = false;
    d->graphiqueApercu = false;
    d->edition->setDerniereValidation(std::nullopt);
    d->disposition->remettreANeuf();
    d->souris->annoncerPeriode();
}

void CtlGraphique::reglagesDeDepart()
{
    MoteurGraphique& g = Graphique();
    for (auto [n, v] : {std::pair{2, 0}, {21, 1}, {46, 3}, {92, 1}, {58, 1}, {90, 1}, {45, 0}, {39, 7}, {38, 7},
                        {100, 0}, {81, 0}})
        g.ecrire(n, v);
    MoteurGraphique& s = GraphiqueSuperposePluvio();
    for (auto [n, v] : {std::pair{2, 0}, {21, 1}, {44, 3}, {42, 0}, {138, 0}, {46, 0}, {92, 1}, {58, 1}, {90, 1},
                        {45, 5}, {39, 7}, {38, 7}, {100, 0}, {81, 0}, {114, 2}, {121, 2}})
        s.ecrire(n, v);
    s.ecrire(Prop::CouleurFond, g.lire(Prop::CouleurFond).toInt());
}

void CtlGraphique::viderCollections(TypeGraph type)
{
    Classe_Graphiques& c = CollCourbes();
    c.ViderCollection();
    c.setMinDonnees(0);
    c.setMaxDonnees(0);
    c.setMaxAxeX(Graphique().lire(Prop::XMax).toDouble());
    vueGraphique()->show();

    if (Traits(type).annuel) {
        const int annee = Horloge::aujourdhui().year();
        d->disposition->annee().setDate(QDate(annee, 1, 1));
        c.setChargement(QDate(annee, 1, 1), QDate(annee, 12, 31));
    }
    if (!Traits(type).deuxGraphiques)
        return;
    c.setGrilleX(false);
    c.setGrilleY(false);
    vueGraphiqueSuperposePluvio()->hide();
    vueGraphique()->hide();
    Classe_Graphiques& c2 = CollCourbes2();
    c2.ViderCollection();
    c2.setMinDonnees(0);
    c2.setMaxDonnees(0);
    c2.setGrilleX(false);
    c2.setGrilleY(false);
}

void CtlGraphique::ChoisirOutil(qint16 mode) noexcept
{
    sousGarde([&] {
        d->outilCourant = mode;
        static const std::pair<int, int> reglages[] = {{2, 0}, {2, 3}, {0, 4}, {2, 1}, {2, 0}};
        if (mode >= 2 && mode <= 6) {
            const auto [style, souris] = reglages[mode - 2];
            Graphique().ecrire(Prop::PlacementJeux, style);
            Graphique().ecrire(Prop::Curseur, souris);
        }
    });
}

// La palette garde elle-même ses opérations.
void CtlGraphique::MasquerOutils(qint16 Index) noexcept
{
    d->disposition->palette().Masquer(Index);
}

void CtlGraphique::MasquerEntete() noexcept
{
    sousGarde([&] { d->disposition->masquerEntete(); });
}

QString CtlGraphique::getDateDebutChargement() const noexcept
{
    return sousGarde(QString(), [&] { return d->disposition->dateDebut().texte(); });
}

QString CtlGraphique::getDateFinChargement() const noexcept
{
    return sousGarde(QString(), [&] { return d->disposition->dateFin().texte(); });
}

void CtlGraphique::RecupDatesChargement(QString& DateDebut, QString& DateFin) const noexcept
{
    sousGarde([&] {
        DateDebut = d->disposition->dateDebut().texte();
        DateFin = d->disposition->dateFin().texte();
    });
}

QObject* CtlGraphique::getExtender() noexcept
{
    return sousGarde<QObject*>(nullptr, [&]() -> QObject* {
        d->extender = parentWidget() ? static_cast<QObject*>(window()) : nullptr;
        return d->extender;
    });
}

void CtlGraphique::ImpressionGraphique() noexcept
{
    sousGarde([&] {
        if (!titreEtLegende())
            return;
        MoteurGraphique& g = Graphique();
        // La page imprimable, en pixels de l'imprimante.
        QPrinter& imprimante = vueGraphique()->imprimante();
        const QRect page = imprimante.pageLayout().paintRectPixels(imprimante.resolution());
        const int p1 = page.left(), p2 = page.top(), p3 = page.width(), p4 = page.height();
        g.ecrire(Prop::CouleursImpression, 1);
        g.ecrire(Prop::Element, 7);
        g.ecrire(Prop::CouleurElement, 0);
        for (auto [i, v] : {std::pair{12, 1}, {6, p1}, {7, p2}, {8, p3}, {9, p4}, {2, 1}, {3, 1}, {4, p3}, {5, p4}, {11, 1}})
            g.ecrireIndexe(Prop::Impression, i, v);
        g.ecrire(Prop::Dessin, 5);
        g.ecrire(Prop::CouleurElement, 7);
        effacerLegende();
        legendeEcran();
    });
}

bool CtlGraphique::EcrireImage(const QString& chemin, const QSize& taille) noexcept
{
    return sousGarde(false, [&] { return commeImprime([&](const MoteurGraphique& g) { return SortiesImage::ecrire(g, chemin, taille); }); });
}

bool CtlGraphique::EcrireImage(QIODevice& sortie, const QString& format, const QSize& taille) noexcept
{
    return sousGarde(false, [&] {
        return commeImprime([&](const MoteurGraphique& g) { return SortiesImage::ecrire(g, sortie, format, taille); });
    });
}

bool CtlGraphique::commeImprime(const std::function<bool(const MoteurGraphique&)>& ecriture)
{
    // Un fichier porte le titre et la légende d'une page imprimée ; l'écran garde les siens.
    MoteurGraphique& g = Graphique();
    const QString titre = g.lire(Prop::TitreGraphique).toString();
    titreEtLegende();
    const bool ecrit = ecriture(g);
    effacerLegende();
    g.ecrire(Prop::TitreGraphique, titre);
    legendeEcran();
    return ecrit;
}

void CtlGraphique::redessiner()
{
    AffichageGraphique(false, false, TexteCode(Periode::Sans));
}

bool CtlGraphique::interrogerAnnulation(QObject* jauge)
{
    if (!jauge)
        return d->annulation;
    bool trouve = false;
    const QVariant r = AppelerMembre(jauge, QStringLiteral("AppelAnnulerTraitement"), {}, &trouve);
    if (trouve)
        d->annulation = r.toBool();
    return d->annulation;
}

namespace {

// Les outils d'un instant : l'outil d'avant reprend après eux, la saisie en cours aussi.
bool outilMomentane(qint16 outil)
{
    return outil == 7 || outil == 8 || outil == 9;
}

} // namespace

void CtlGraphique::declencheOutil(qint16 Index) noexcept
{
    sousGarde([&] {
        // Un outil qui remplace la saisie en cours la fait d'abord enregistrer ou abandonner.
        if (!outilMomentane(Index) && !d->edition->conclure(true))
            return;
        const qint16 precedent = d->outilCourant;
        const bool cadreMontre = !d->disposition->cadreOutils().isHidden();
        preparerOutil(Index);
        agirOutil();
        if (outilMomentane(d->outilCourant)) {
            ChoisirOutil(precedent);
            d->disposition->cadreOutils().setVisible(cadreMontre);
        }
    });
}

// Le mode choisi ; les points posés masqués quand on quitte la pose, le cadre d'édition montré pour les outils 4 et 5.
void CtlGraphique::preparerOutil(qint16 index)
{
    const bool change = index != d->outilCourant;
    ChoisirOutil(index);
    MoteurGraphique& g = Graphique();
    if (Traits(d->typeGraphique).saisie && change && d->outilCourant != 4 && g.lire(Prop::NbJeux).toInt() >= 2)
        d->edition->masquerPointsPoses();
    // La grille de l'outil 4 ne liste que les points posés : celle des mesures (outil 6) n'y passe pas.
    if (change && d->outilCourant == 4 && SprPoints()->lignes() > 0 && SprPoints()->origine(0))
        SprPoints()->setLignes(0);
    d->disposition->cadreOutils().setVisible((d->outilCourant == 4 || d->outilCourant == 5) && CollCourbes().debutChargement());
}

void CtlGraphique::agirOutil()
{
    QObject* hote = getExtender();
    switch (d->outilCourant) {
    case 0:
        AppelerMembre(hote, QStringLiteral("AppelDeclencheClick"), {qint16(10)});
        break;
    case 1:
        AppelerMembre(hote, QStringLiteral("AppelDeclencheClick"), {qint16(0)});
        break;
    case 6:
        d->edition->editerGrille();
        break;
    case 7:
        d->options->ouvrir();
        break;
    case 8:
        exporterVersTableur(Traits(d->typeGraphique).annuel, Traits(d->typeGraphique).superposeStations());
        break;
    case 9:
        OuvrirAide(d->noAide);
        break;
    case 10:
        demanderChargementALHote();
        break;
    default:
        AppelerMembre(hote, QStringLiteral("Form_Resize"));
        break;
    }
}

bool CtlGraphique::correctionsEnAttente() noexcept
{
    bool attente = false;
    sousGarde([&] { attente = d->edition->enAttente(); });
    return attente;
}

bool CtlGraphique::conclureCorrections() noexcept
{
    bool suite = true;
    sousGarde([&] { suite = d->edition->conclure(false); });
    return suite;
}

bool CtlGraphique::demanderChargementALHote()
{
    bool hote = false;
    AppelerMembre(getExtender(), Traits(d->typeGraphique).pageAnnuaire ? QStringLiteral("TraitementParametresTotal")
                                                                        : QStringLiteral("TraitementParametres"),
                  {}, &hote);
    return hote;
}

void CtlGraphique::appliquerAffichageRetenu()
{
    d->options->appliquerRetenu();
}

std::unique_ptr<PanneauChargement> CtlGraphique::panneauChargement()
{
    return d->disposition->panneauChargement(*this);
}

bool CtlGraphique::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == &d->disposition->imageChargement() && evenement->type() == QEvent::MouseButtonRelease) {
        declencheOutil(10);
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}

// La souris, les zooms et la correction des points, confiés à leurs collaborateurs.
void CtlGraphique::DessinerRectangle(double x1, double y1, double x2, double y2) noexcept
{
    sousGarde([&] { d->souris->dessinerRectangle(x1, y1, x2, y2); });
}

void CtlGraphique::SuivreRectangle(double x, double y) noexcept
{
    sousGarde([&] { d->souris->suivreRectangle(x, y); });
}

void CtlGraphique::ZoomerRectangle() noexcept
{
    sousGarde([&] { d->souris->zoomerRectangle(); });
}

void CtlGraphique::ZoomerPas(Qt::MouseButton bouton) noexcept
{
    sousGarde([&] { d->souris->zoomerPas(bouton); });
}

void CtlGraphique::ZoomerMolette(double x, int crans) noexcept
{
    sousGarde([&] { d->souris->zoomerMolette(x, crans); });
}

void CtlGraphique::Decaler(double ecartX) noexcept
{
    sousGarde([&] { d->souris->decaler(ecartX); });
}

void CtlGraphique::ZoomerToutePeriode() noexcept
{
    sousGarde([&] { d->souris->zoomerToutePeriode(); });
}

void CtlGraphique::AfficherCoordonnees(double x, double y) noexcept
{
    sousGarde([&] { d->souris->afficherCoordonnees(x, y); });
}

void CtlGraphique::PointDansGraphique(double x, double y, bool& Dedans) const noexcept
{
    sousGarde([&] { Dedans = d->souris->pointDansGraphique(x, y); });
}

std::optional<std::pair<QDate, QDate>> CtlGraphique::periodeTracee() const noexcept
{
    return sousGarde(std::optional<std::pair<QDate, QDate>>(), [&] { return d->souris->periodeTracee(); });
}

void CtlGraphique::AjouterPointClic(double x, double y) noexcept
{
    sousGarde([&] { d->edition->ajouterPointClic(x, y); });
}

void CtlGraphique::RedessinerPoints() noexcept
{
    sousGarde([&] { d->edition->redessinerPoints(); });
}

void CtlGraphique::DeclencheEnregistrer() noexcept
{
    sousGarde([&] { d->edition->enregistrerPointsPoses(); });
}

void CtlGraphique::DeclencheSupprimer() noexcept
{
    sousGarde([&] { d->edition->effacerPointsPoses(); });
}
