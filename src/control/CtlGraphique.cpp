#include "control/CtlGraphique.h"

#include "commun/AppelParNom.h"
#include "commun/Dates.h"
#include "commun/Garde.h"
#include "commun/Horloge.h"
#include "commun/ValeursProcessus.h"
#include "control/CadreTitre.h"
#include "control/ChampDate.h"
#include "control/CtlToolBar.h"
#include "control/EditionPoints.h"
#include "control/EnteteStations.h"
#include "control/PanneauChargement.h"
#include "control/SourisEtZoom.h"
#include "control/VueGraphique.h"
#include "entry/GrillePoints.h"
#include "render/moteur/ProprietesMoteur.h"
#include "render/moteur/SortiesImage.h"
#include "settings/Aide.h"

#include <QEvent>
#include <QHeaderView>
#include <QPrinter>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int twipsParPixel = 15;

int px(int twips)
{
    return twips / twipsParPixel;
}

int twips(int pixels)
{
    return pixels * twipsParPixel;
}

// Place des enfants à la création, en twips.
constexpr int hautPalette = 510;
constexpr int hautDates = 555;
constexpr int hauteurDates = 375;
constexpr int hautEntete = 990;
constexpr int hauteurEntete = 480;
constexpr int hauteurReference = 900;
constexpr int hautGraphique = 1530;
constexpr int largeurSprPoints = 3900;

BaseDonnees*& baseProcessus()
{
    static BaseDonnees* base = nullptr;
    return base;
}

QLabel* etiquette(const QString& texte, QWidget* parent, const QString& nom = QString())
{
    auto* l = new QLabel(texte, parent);
    if (!nom.isEmpty())
        l->setObjectName(nom);
    return l;
}

} // namespace

CtlGraphique::CtlGraphique(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CtlGraphique"));
    resize(900, 600);

    m_palette = new CtlToolBar(this);
    connect(m_palette, &CtlToolBar::ClickBouton, this, [this](qint16 i) { declencheOutil(i); });

    creerChampsDates();
    m_picture1 = etiquette(QString(), this, QStringLiteral("Picture1"));

    // En-tête des stations.
    m_frmEntete = new QWidget(this);
    m_frmEntete->setObjectName(QStringLiteral("FrmEntete"));
    m_frmEntete->setGeometry(0, px(hautEntete), width(), px(hauteurEntete));
    m_entete = new EnteteStations(m_frmEntete);
    m_entete->setGeometry(0, 0, width(), px(hauteurEntete));

    creerCadreReference();

    // Les deux graphiques empilés : celui des pluies sur le principal, à sa place.
    m_graphique = new VueGraphique(QStringLiteral("Graphique"), this);
    m_graphique->setGeometry(0, px(hautGraphique), width(), height() - px(hautGraphique));
    m_graphiqueSuperpose = new VueGraphique(QStringLiteral("GraphiqueSuperposePluvio"), this);
    m_graphiqueSuperpose->setGeometry(m_graphique->geometry());

    creerCadreOutils();
    creerCadresLecture();
    m_souris = std::make_unique<SourisEtZoom>(*this);
    m_souris->brancher(*m_graphique);
    m_picture1->installEventFilter(this);
    m_edition = std::make_unique<EditionPoints>(*this, *m_sprPoints, *m_frmOutils);
    m_edition->brancher(*m_cmdInsertion, *m_cmdSuppression, *m_cmdEnregistrer);

    // À la création : les cadres, le graphique des pluies à la place du principal, pas d'aperçu.
    m_frmAide->Initialiser(855, QStringLiteral("Coord."), true);
    m_frmChargement->Initialiser(1095, QStringLiteral("Chargement"), true);
    m_frmAide->setFixedSize(130, px(855));
    m_frmChargement->setFixedSize(320, px(1095));
    m_frmChargement->hide();
    m_graphiqueSuperpose->move(m_graphique->pos());
    m_graphiqueApercu = false;
    m_graphiqueSuperpose->hide();
    m_frmOutils->hide();
    m_frmCourbeReference->hide();
    QList<QWidget*> enfants = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    enfants << m_entete << m_sprPoints;
    m_dispositionCreation.retenir(enfants);
    DispositionRedimensionnement();
}

// Dates de la période à charger, et année du graphique annuel.
void CtlGraphique::creerChampsDates()
{
    m_lblDateDebut = etiquette(QStringLiteral("date &Début"), this, QStringLiteral("LblDateDebut"));
    m_dateDebut = new ChampDate(QStringLiteral("TxtDateDebut"), ChampDate::Forme::Date, this);
    m_lblDateFin = etiquette(QStringLiteral("date &Fin"), this, QStringLiteral("LblDateFin"));
    m_dateFin = new ChampDate(QStringLiteral("TxtDateFin"), ChampDate::Forme::Date, this);
    m_lblAnnee = etiquette(QStringLiteral("Année"), this, QStringLiteral("LblAnnee"));
    m_annee = new ChampDate(QStringLiteral("TxtAnnee"), ChampDate::Forme::Annee, this);
    m_lblDateDebut->setBuddy(m_dateDebut);
    m_lblDateFin->setBuddy(m_dateFin);
    m_lblAnnee->setBuddy(m_annee);
    int x = 6;
    for (QWidget* w : std::initializer_list<QWidget*>{m_lblDateDebut, m_dateDebut, m_lblDateFin, m_dateFin, m_lblAnnee, m_annee}) {
        const int largeur = qobject_cast<QLabel*>(w) ? w->sizeHint().width() + 4 : w->maximumWidth();
        w->setGeometry(x, px(hautDates), largeur, px(hauteurDates));
        x += largeur + 6;
    }
}

// Cadre de la courbe de référence.
void CtlGraphique::creerCadreReference()
{
    m_frmCourbeReference = new CadreTitre(QStringLiteral("FrmCourbeReference"), this);
    m_frmCourbeReference->setTitle(QStringLiteral("Courbe sélectionnée"));
    m_frmCourbeReference->setGeometry(0, px(hautEntete), width(), px(hauteurReference));
    auto* grille = new QGridLayout(m_frmCourbeReference);
    grille->setContentsMargins(8, 4, 8, 4);
    m_lblCodeReference = etiquette(QString(), m_frmCourbeReference, QStringLiteral("LblCodeReference"));
    m_lblLibelleCourbeReference = etiquette(QString(), m_frmCourbeReference, QStringLiteral("LblLibelleCourbeReference"));
    m_lblDateDebutReference = etiquette(QString(), m_frmCourbeReference, QStringLiteral("LblDateDebutReference"));
    m_lblDateFinReference = etiquette(QString(), m_frmCourbeReference, QStringLiteral("LblDateFinReference"));
    grille->addWidget(etiquette(QStringLiteral("Code"), m_frmCourbeReference), 0, 0);
    grille->addWidget(m_lblCodeReference, 0, 1);
    grille->addWidget(etiquette(QStringLiteral("Libellé"), m_frmCourbeReference), 0, 2);
    grille->addWidget(m_lblLibelleCourbeReference, 0, 3);
    grille->addWidget(etiquette(QStringLiteral("Données enregistrées pour la courbe du"), m_frmCourbeReference), 1, 0, 1, 2);
    grille->addWidget(m_lblDateDebutReference, 1, 2);
    grille->addWidget(m_lblDateFinReference, 1, 3);
    grille->setColumnStretch(3, 1);
}

// Cadre d'édition, avec la grille des points.
void CtlGraphique::creerCadreOutils()
{
    m_frmOutils = new CadreTitre(QStringLiteral("FrmOutils"), this);
    m_frmOutils->setTitle(QString());
    auto* l = new QVBoxLayout(m_frmOutils);
    l->setContentsMargins(2, 2, 2, 2);
    m_sprPoints = new GrillePoints(m_frmOutils);
    m_sprPoints->setObjectName(QStringLiteral("SprPoints"));
    l->addWidget(m_sprPoints, 1);
    m_cmdInsertion = new QPushButton(QStringLiteral("Insérer un point"), m_frmOutils);
    m_cmdSuppression = new QPushButton(QStringLiteral("Supprimer un point"), m_frmOutils);
    m_cmdEnregistrer = new QPushButton(QStringLiteral("Enregistrer les données"), m_frmOutils);
    m_cmdInsertion->setObjectName(QStringLiteral("CmdInsertion"));
    m_cmdSuppression->setObjectName(QStringLiteral("CmdSuppression"));
    m_cmdEnregistrer->setObjectName(QStringLiteral("CmdEnregistrer"));
    l->addWidget(m_cmdInsertion);
    l->addWidget(m_cmdSuppression);
    l->addWidget(m_cmdEnregistrer);
    m_frmOutils->setGeometry(width() - px(largeurSprPoints) - 4, px(hautGraphique), px(largeurSprPoints),
                             height() - px(hautGraphique));
}

// Cadres de lecture et de chargement, sur le haut du graphique.
void CtlGraphique::creerCadresLecture()
{
    m_frmAide = new CadreTitre(QStringLiteral("FrmAide"), this);
    auto* l = new QVBoxLayout(m_frmAide);
    l->setContentsMargins(2, 2, 2, 2);
    m_sprAide = new QTableWidget(m_frmAide);
    m_sprAide->setObjectName(QStringLiteral("SprAide"));
    l->addWidget(m_sprAide);
    m_frmChargement = new CadreTitre(QStringLiteral("FrmChargement"), this);
    auto* c = new QVBoxLayout(m_frmChargement);
    c->setContentsMargins(6, 2, 6, 4);
    m_messageChargement = etiquette(QString(), m_frmChargement, QStringLiteral("LblChargement"));
    m_barreChargement = new QProgressBar(m_frmChargement);
    c->addWidget(m_messageChargement);
    c->addWidget(m_barreChargement);
}

CtlGraphique::~CtlGraphique() = default;

BaseDonnees* CtlGraphique::baseDonnees()
{
    return baseProcessus();
}

MoteurGraphique& CtlGraphique::Graphique()
{
    return m_graphique->moteur();
}

MoteurGraphique& CtlGraphique::GraphiqueSuperposePluvio()
{
    return m_graphiqueSuperpose->moteur();
}

Classe_Graphiques& CtlGraphique::CollCourbes()
{
    if (!m_collCourbes)
        m_collCourbes = std::make_shared<Classe_Graphiques>();
    return *m_collCourbes;
}

Classe_Graphiques& CtlGraphique::CollCourbes2()
{
    return *CollCourbes2Partagee();
}

std::shared_ptr<Classe_Graphiques> CtlGraphique::CollCourbes2Partagee()
{
    if (!m_collCourbes2)
        m_collCourbes2 = std::make_shared<Classe_Graphiques>();
    return m_collCourbes2;
}

QWidget* CtlGraphique::composant(const QString& nom) const
{
    return findChild<QWidget*>(nom);
}

void CtlGraphique::setCalculAuto(bool autoCalcul) noexcept
{
    m_calculauto = autoCalcul;
}

void CtlGraphique::MiseAjoutCourbes2(const std::shared_ptr<Classe_Graphiques>& mCollCourbes2) noexcept
{
    if (mCollCourbes2)
        m_collCourbes2 = mCollCourbes2;
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
        m_typeGraphique = type;
        emit typeGraphiqueChange(qint16(type));
        appliquerDispositionType();
        DispositionRedimensionnement();
    });
}

void CtlGraphique::appliquerDispositionType()
{
    // Les outils que le genre cache, puis les cadres et champs qu'il montre ou cache ;
    // un champ qu'il laisse « inchangé » garde sa visibilité.
    const TraitsTypeGraph& t = Traits(m_typeGraphique);
    for (qint16 outil : t.outilsCaches)
        if (outil != 0)
            MasquerOutils(outil);
    auto appliquer = [](TraitsTypeGraph::Visibilite regle, std::initializer_list<QWidget*> widgets) {
        if (regle == TraitsTypeGraph::Visibilite::Inchange)
            return;
        for (QWidget* w : widgets)
            w->setVisible(regle == TraitsTypeGraph::Visibilite::Montre);
    };
    if (t.reference == TraitsTypeGraph::Visibilite::Montre)
        m_frmCourbeReference->move(0, m_frmCourbeReference->y());
    appliquer(t.reference, {m_frmCourbeReference});
    appliquer(t.cadreOutils, {m_frmOutils});
    appliquer(t.points, {m_sprPoints});
    appliquer(t.annee, {m_lblAnnee, m_annee});
    appliquer(t.dates, {m_lblDateDebut, m_lblDateFin, m_dateDebut, m_dateFin});
    appliquer(t.entete, {m_entete});
}

void CtlGraphique::resizeEvent(QResizeEvent* evenement)
{
    QWidget::resizeEvent(evenement);
    DispositionRedimensionnement();
}

void CtlGraphique::DispositionRedimensionnement() noexcept
{
    sousGarde([&] {
        const int w = twips(width());
        const int h = twips(height());
        m_frmEntete->resize(width(), m_frmEntete->height());
        m_entete->resize(px(w), m_entete->height());
        m_entete->Redimensionner(w - 100);

        const bool points = !m_sprPoints->isHidden() && !m_frmOutils->isHidden();
        // Le cadre d'édition se range à droite du graphique, quel que soit le genre, plutôt que de le couvrir.
        if (points) {
            const int gauche = w - twips(m_frmOutils->width()) - 100;
            m_frmOutils->move(px(gauche), m_graphique->y());
            if (w - 100 - twips(m_frmOutils->width()) > 0)
                m_graphique->resize(px(w - 100 - twips(m_frmOutils->width())), m_graphique->height());
        } else if (Traits(m_typeGraphique).reference == TraitsTypeGraph::Visibilite::Montre) {
            m_graphique->move(m_graphique->x(), m_frmCourbeReference->y() + m_frmCourbeReference->height() + px(50));
            m_frmCourbeReference->resize(px(w), m_frmCourbeReference->height());
            if (w - twips(m_graphique->x()) - 20 > 0)
                m_graphique->resize(px(w - twips(m_graphique->x()) - 20), m_graphique->height());
        } else {
            m_graphique->resize(px(w - 20), m_graphique->height());
        }
        if (h - twips(m_graphique->y()) - 20 > 0)
            m_graphique->resize(m_graphique->width(), px(h - twips(m_graphique->y()) - 20));
        if (h - twips(m_graphique->y()) - 400 > 0)
            m_frmOutils->resize(m_frmOutils->width(), px(h - twips(m_graphique->y()) - 400));

        m_palette->setGeometry(0, 0, px(w), px(hautPalette));
        m_graphiqueSuperpose->setGeometry(m_graphique->geometry());
        // Un widget caché ne reçoit son redimensionnement qu'une fois montré : les moteurs suivent dès maintenant.
        Graphique().setTaille(m_graphique->size());
        GraphiqueSuperposePluvio().setTaille(m_graphiqueSuperpose->size());
        placerLecture();
        m_frmChargement->move(m_graphique->x() + (m_graphique->width() - m_frmChargement->width()) / 2, m_frmChargement->y());

        if (Traits(m_typeGraphique).deuxGraphiques && CollCourbes().Compter() >= 1)
            AffichageGraphiqueSuperposepluvioPiezo(false, false, nullptr);
    });
}

bool CtlGraphique::graphiqueEnHaut() const
{
    return Traits(m_typeGraphique).enHaut;
}

// Le cadre « Coord. » se range au bout droit de la bande des dates, sous la palette (jamais sur
// son bouton d'aide) ; l'en-tête et le cadre de référence s'arrêtent avant lui.
void CtlGraphique::placerLecture()
{
    // Sans station à montrer, le cadre de l'en-tête vide ne couvre pas le graphique.
    m_frmEntete->setVisible(!m_enteteMasquee && !m_entete->isHidden());
    const int gauche = width() - m_frmAide->width() - 4;
    m_frmAide->move(gauche, px(hautPalette) + 2);
    m_picture1->move(gauche - m_picture1->width() - 6, px(hautDates));
    if (graphiqueEnHaut())
        return;
    const int libre = std::max(0, m_picture1->x() - 4);
    m_frmEntete->resize(libre, m_frmEntete->height());
    m_entete->resize(libre, m_entete->height());
    m_frmCourbeReference->resize(libre, m_frmCourbeReference->height());
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
            m_entete->Initialiser(SprListe, xxBD, processus.nomProjet);

        processus.nomProjet = xxNomProjet;
        m_typeAffichageEchelle = xxTypeAffichageEchelle;
        m_typeExploitation = xxType_Exploitation;
        processus.fichierAide = xxFichierAide;
        processus.cheminEdition = xxCheminEdition;
        processus.pointOk = xxPoint_Ok;
        processus.moisAnneeHydro = xxMoisAnneeHydro;
        processus.excel = xxExcel;
        EcrireMembre(xxFenetrePrincipale, QStringLiteral("NoVersionGraphique"),
                     QStringLiteral("Version graphique ") + getVersion());
        m_noAide = xxNoAide;
        m_outilCourant = 0;
        m_compteurCouleur = 0;

        reglagesDeDepart();
        preparerSprAide();
        viderCollections(TypeGraph);
        if (traits.datesDuPluviometre)
            remplirDatesDepuisPluviometre();
        if (traits.enHaut)
            alignerGraphiquesSurReference();
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
    m_souris->remettreANeuf();
    m_annulation = false;
    m_jeuxParCourbe = false;
    m_graphiqueApercu = false;
    m_edition->setDerniereValidation(std::nullopt);
    m_palette->Retablir();
    m_dispositionCreation.restaurer();
    m_sprPoints->setLignes(0);
    for (QLabel* l : {m_lblCodeReference, m_lblLibelleCourbeReference, m_lblDateDebutReference, m_lblDateFinReference})
        l->clear();
    m_souris->annoncerPeriode();
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
    m_graphique->show();

    if (type == TypeGraph::Annee) {
        const int annee = Horloge::aujourdhui().year();
        m_annee->setDate(QDate(annee, 1, 1));
        c.setChargement(QDate(annee, 1, 1), QDate(annee, 12, 31));
    }
    if (!Traits(type).deuxGraphiques)
        return;
    c.setGrilleX(false);
    c.setGrilleY(false);
    m_graphiqueSuperpose->hide();
    m_graphique->hide();
    Classe_Graphiques& c2 = CollCourbes2();
    c2.ViderCollection();
    c2.setMinDonnees(0);
    c2.setMaxDonnees(0);
    c2.setGrilleX(false);
    c2.setGrilleY(false);
}

// Les graphiques superposés remontent au niveau de la courbe de référence, mais pas sous le
// cadre « Coord. », qui couvrirait le haut de leur tracé et l'axe de droite.
void CtlGraphique::alignerGraphiquesSurReference()
{
    const int haut = std::max(m_frmCourbeReference->y(), px(hautPalette) + 2 + m_frmAide->height() + 2);
    m_graphique->move(m_graphique->x(), haut);
    m_graphiqueSuperpose->move(m_graphiqueSuperpose->x(), haut);
    m_frmChargement->move(m_frmChargement->x(), m_graphique->y());
    DispositionRedimensionnement();
}

void CtlGraphique::preparerSprAide()
{
    // Une colonne, deux lignes (date, valeur), sur fond jaune pâle.
    m_sprAide->setColumnCount(1);
    m_sprAide->setRowCount(2);
    m_sprAide->horizontalHeader()->hide();
    m_sprAide->verticalHeader()->hide();
    m_sprAide->horizontalHeader()->setStretchLastSection(true);
    m_sprAide->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_sprAide->setFocusPolicy(Qt::NoFocus);
    // Les deux lignes tiennent dans le cadre sans ascenseur.
    m_sprAide->verticalHeader()->setMinimumSectionSize(12);
    m_sprAide->verticalHeader()->setDefaultSectionSize(16);
    m_sprAide->setFrameShape(QFrame::NoFrame);
    m_sprAide->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_sprAide->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < 2; ++r) {
        auto* cellule = new QTableWidgetItem();
        cellule->setBackground(QColor(255, 255, 100));
        m_sprAide->setItem(r, 0, cellule);
    }
}

void CtlGraphique::ChoisirOutil(qint16 mode) noexcept
{
    sousGarde([&] {
        m_outilCourant = mode;
        static const std::pair<int, int> reglages[] = {{2, 0}, {2, 3}, {0, 4}, {2, 1}, {2, 0}};
        if (mode >= 2 && mode <= 6) {
            const auto [style, souris] = reglages[mode - 2];
            Graphique().ecrire(Prop::PlacementJeux, style);
            Graphique().ecrire(Prop::Curseur, souris);
        }
    });
}

void CtlGraphique::MasquerOutils(qint16 Index) noexcept
{
    sousGarde([&] { m_palette->Masquer(Index); });
}

void CtlGraphique::MasquerEntete() noexcept
{
    sousGarde([&] {
        m_enteteMasquee = true;
        m_frmEntete->setVisible(false);
    });
}

QString CtlGraphique::getDateDebutChargement() const noexcept
{
    return sousGarde(QString(), [&] { return m_dateDebut->texte(); });
}

QString CtlGraphique::getDateFinChargement() const noexcept
{
    return sousGarde(QString(), [&] { return m_dateFin->texte(); });
}

void CtlGraphique::RecupDatesChargement(QString& DateDebut, QString& DateFin) const noexcept
{
    sousGarde([&] {
        DateDebut = m_dateDebut->texte();
        DateFin = m_dateFin->texte();
    });
}

QObject* CtlGraphique::getExtender() noexcept
{
    return sousGarde<QObject*>(nullptr, [&]() -> QObject* {
        m_extender = parentWidget() ? static_cast<QObject*>(window()) : nullptr;
        return m_extender;
    });
}

bool CtlGraphique::titreEtLegende()
{
    Classe_Graphiques& c = CollCourbes();
    if (!c.aDesPeriodes())
        return false;
    MoteurGraphique& g = Graphique();
    const QString police = QStringLiteral("Comic Sans MS");
    g.ecrire(Prop::ClasseTexte, 0);
    g.ecrire(Prop::PolicePolice, police);
    g.ecrire(Prop::TaillePolice, 125);
    const QString a = m_entete->TexteA(), b = m_entete->TexteB(), texteC = m_entete->TexteC();
    if (!a.isEmpty())
        g.ecrire(Prop::TitreGraphique, a + QStringLiteral(" - "));
    g.ecrire(Prop::TitreGraphique, g.lire(Prop::TitreGraphique).toString() + b);
    if (!texteC.isEmpty())
        g.ecrire(Prop::TitreGraphique, g.lire(Prop::TitreGraphique).toString() + QStringLiteral(" (") + texteC + u')');
    if (c.Compter() > 1) {
        bool affichee = false;
        for (int i = 1; i <= c.Compter(); ++i) {
            const CourbePtr courbe = c.GetCourbe(i);
            g.ecrireIndexe(Prop::Legende, i, courbe->Afficher() ? courbe->Titre() : courbe->Titre() + QStringLiteral(" (X)"));
            affichee = affichee || courbe->Afficher();
        }
        if (affichee) {
            g.ecrire(Prop::ClasseTexte, 3);
            g.ecrire(Prop::PolicePolice, police);
            g.ecrire(Prop::TaillePolice, 90);
            g.ecrire(Prop::Element, 5);
            g.ecrire(Prop::CouleurElement, 0);
            g.ecrire(Prop::CadreLegende, 0);
            g.ecrire(Prop::PositionLegende, c.Compter() <= 10 ? 2 : 1);
        }
    }
    return true;
}

void CtlGraphique::effacerLegende()
{
    for (int i = 1; i <= CollCourbes().Compter(); ++i)
        Graphique().ecrireIndexe(Prop::Legende, i, QString());
}

void CtlGraphique::setTitreEtLegendeALEcran(bool afficher) noexcept
{
    sousGarde([&] {
        m_titreLegendeEcran = afficher;
        if (afficher) {
            legendeEcran();
            return;
        }
        effacerLegende();
        Graphique().ecrire(Prop::TitreGraphique, QString());
    });
}

// À l'écran, la légende ne nomme que les courbes tracées, chacune sur son jeu de données (un jeu
// par courbe pour les nappes, un par courbe montrée ailleurs) ; le moteur lui fait sa place à
// droite ou dessous, hors de la zone de tracé. Titre et polices sont ceux de la page imprimée.
void CtlGraphique::legendeEcran()
{
    Classe_Graphiques& c = CollCourbes();
    if (!m_titreLegendeEcran || !c.aDesPeriodes())
        return;
    MoteurGraphique& g = Graphique();
    const QString police = QStringLiteral("Comic Sans MS");
    for (auto [classe, taille] : {std::pair{0, 125}, {3, 90}}) {
        g.ecrire(Prop::ClasseTexte, classe);
        g.ecrire(Prop::PolicePolice, police);
        g.ecrire(Prop::TaillePolice, taille);
    }
    g.ecrire(Prop::TitreGraphique, titreEntete());
    int jeu = 0, tracees = 0;
    for (int k = 1; k <= c.Compter(); ++k) {
        const CourbePtr courbe = c.GetCourbe(k);
        const bool tracee = courbe->Afficher() && courbe->NbValeurs() > 0;
        jeu = m_jeuxParCourbe ? k : jeu + (tracee ? 1 : 0);
        if (m_jeuxParCourbe || tracee)
            g.ecrireIndexe(Prop::Legende, jeu, tracee ? courbe->Titre() : QString());
        tracees += tracee ? 1 : 0;
    }
    g.ecrire(Prop::CadreLegende, 0);
    g.ecrire(Prop::PositionLegende, tracees <= 1 ? 0 : tracees <= 10 ? 2 : 1);
}

void CtlGraphique::ImpressionGraphique() noexcept
{
    sousGarde([&] {
        if (!titreEtLegende())
            return;
        MoteurGraphique& g = Graphique();
        // La page imprimable, en pixels de l'imprimante.
        QPrinter& imprimante = m_graphique->imprimante();
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
    AffichageGraphique(false, false, QStringLiteral("SANS"));
}

bool CtlGraphique::interrogerAnnulation(QObject* jauge)
{
    if (!jauge)
        return m_annulation;
    bool trouve = false;
    const QVariant r = AppelerMembre(jauge, QStringLiteral("AppelAnnulerTraitement"), {}, &trouve);
    if (trouve)
        m_annulation = r.toBool();
    return m_annulation;
}

void CtlGraphique::declencheOutil(qint16 Index) noexcept
{
    sousGarde([&] {
        const qint16 precedent = m_outilCourant;
        const bool change = Index != precedent;
        ChoisirOutil(Index);
        MoteurGraphique& g = Graphique();
        if (m_typeGraphique == TypeGraph::travail && change && m_outilCourant != 4 && g.lire(Prop::NbJeux).toInt() >= 2)
            m_edition->masquerPointsPoses();
        // La grille de l'outil 4 ne liste que les points posés : celle des mesures (outil 6) n'y passe pas.
        if (change && m_outilCourant == 4 && m_sprPoints->lignes() > 0 && m_sprPoints->origine(0))
            m_sprPoints->setLignes(0);
        m_frmOutils->setVisible((m_outilCourant == 4 || m_outilCourant == 5) && CollCourbes().debutChargement());

        QObject* hote = getExtender();
        switch (m_outilCourant) {
        case 0:
            AppelerMembre(hote, QStringLiteral("AppelDeclencheClick"), {qint16(10)});
            break;
        case 1:
            AppelerMembre(hote, QStringLiteral("AppelDeclencheClick"), {qint16(0)});
            break;
        case 6:
            m_edition->editerGrille();
            break;
        case 7:
            ouvrirOptionsGraphiques();
            break;
        case 8:
            exporterVersTableur(m_typeGraphique == TypeGraph::Annee, m_typeGraphique == TypeGraph::Superposition);
            break;
        case 9:
            OuvrirAide(m_noAide);
            break;
        case 10:
            demanderChargementALHote();
            break;
        default:
            AppelerMembre(hote, QStringLiteral("Form_Resize"));
            break;
        }
        if (m_outilCourant == 7 || m_outilCourant == 8 || m_outilCourant == 9)
            ChoisirOutil(precedent);
    });
}

bool CtlGraphique::demanderChargementALHote()
{
    bool hote = false;
    AppelerMembre(getExtender(), m_typeGraphique == TypeGraph::annuaire ? QStringLiteral("TraitementParametresTotal")
                                                                        : QStringLiteral("TraitementParametres"),
                  {}, &hote);
    return hote;
}

std::unique_ptr<PanneauChargement> CtlGraphique::panneauChargement()
{
    return std::make_unique<PanneauChargement>(m_frmChargement, m_messageChargement, m_barreChargement, this);
}

bool CtlGraphique::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == m_picture1 && evenement->type() == QEvent::MouseButtonRelease) {
        declencheOutil(10);
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}

// La souris, les zooms et la correction des points, confiés à leurs collaborateurs.
void CtlGraphique::DessinerRectangle(double x1, double y1, double x2, double y2) noexcept
{
    sousGarde([&] { m_souris->dessinerRectangle(x1, y1, x2, y2); });
}

void CtlGraphique::SuivreRectangle(double x, double y) noexcept
{
    sousGarde([&] { m_souris->suivreRectangle(x, y); });
}

void CtlGraphique::ZoomerRectangle() noexcept
{
    sousGarde([&] { m_souris->zoomerRectangle(); });
}

void CtlGraphique::ZoomerPas(Qt::MouseButton bouton) noexcept
{
    sousGarde([&] { m_souris->zoomerPas(bouton); });
}

void CtlGraphique::ZoomerMolette(double x, int crans) noexcept
{
    sousGarde([&] { m_souris->zoomerMolette(x, crans); });
}

void CtlGraphique::Decaler(double ecartX) noexcept
{
    sousGarde([&] { m_souris->decaler(ecartX); });
}

void CtlGraphique::ZoomerToutePeriode() noexcept
{
    sousGarde([&] { m_souris->zoomerToutePeriode(); });
}

void CtlGraphique::AfficherCoordonnees(double x, double y) noexcept
{
    sousGarde([&] { m_souris->afficherCoordonnees(x, y); });
}

void CtlGraphique::PointDansGraphique(double x, double y, bool& Dedans) const noexcept
{
    sousGarde([&] { Dedans = m_souris->pointDansGraphique(x, y); });
}

std::optional<std::pair<QDate, QDate>> CtlGraphique::periodeTracee() const noexcept
{
    return sousGarde(std::optional<std::pair<QDate, QDate>>(), [&] { return m_souris->periodeTracee(); });
}

void CtlGraphique::AjouterPointClic(double x, double y) noexcept
{
    sousGarde([&] { m_edition->ajouterPointClic(x, y); });
}

void CtlGraphique::RedessinerPoints() noexcept
{
    sousGarde([&] { m_edition->redessinerPoints(); });
}

void CtlGraphique::DeclencheEnregistrer() noexcept
{
    sousGarde([&] { m_edition->enregistrerPointsPoses(); });
}

void CtlGraphique::DeclencheSupprimer() noexcept
{
    sousGarde([&] { m_edition->effacerPointsPoses(); });
}
