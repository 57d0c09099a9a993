#include "control/DispositionControle.h"

#include "control/CadreTitre.h"
#include "control/CelluleNombre.h"
#include "control/ChampDate.h"
#include "control/CtlToolBar.h"
#include "control/EnteteStations.h"
#include "control/PanneauChargement.h"
#include "control/VueGraphique.h"
#include "entry/GrillePoints.h"
#include "render/moteur/MoteurGraphique.h"

#include <QGridLayout>
#include <QHeaderView>
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

QLabel* etiquette(const QString& texte, QWidget* parent, const QString& nom = QString())
{
    auto* l = new QLabel(texte, parent);
    if (!nom.isEmpty())
        l->setObjectName(nom);
    return l;
}

} // namespace

DispositionControle::DispositionControle(QWidget& controle)
    : m_controle(controle)
{
    m_palette = new CtlToolBar(&controle);
    creerChampsDates();
    m_picture1 = etiquette(QString(), &controle, QStringLiteral("Picture1"));
    creerEntete();
    creerCadreReference();
    creerVues();
    creerCadreOutils();
    creerCadresLecture();
    etatDeCreation();
}

// Dates de la période à charger, et année du graphique annuel.
void DispositionControle::creerChampsDates()
{
    QWidget* c = &m_controle;
    m_lblDateDebut = etiquette(QStringLiteral("date &Début"), c, QStringLiteral("LblDateDebut"));
    m_dateDebut = new ChampDate(QStringLiteral("TxtDateDebut"), ChampDate::Forme::Date, c);
    m_lblDateFin = etiquette(QStringLiteral("date &Fin"), c, QStringLiteral("LblDateFin"));
    m_dateFin = new ChampDate(QStringLiteral("TxtDateFin"), ChampDate::Forme::Date, c);
    m_lblAnnee = etiquette(QStringLiteral("Année"), c, QStringLiteral("LblAnnee"));
    m_annee = new ChampDate(QStringLiteral("TxtAnnee"), ChampDate::Forme::Annee, c);
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

// En-tête des stations.
void DispositionControle::creerEntete()
{
    m_frmEntete = new QWidget(&m_controle);
    m_frmEntete->setObjectName(QStringLiteral("FrmEntete"));
    m_frmEntete->setGeometry(0, px(hautEntete), m_controle.width(), px(hauteurEntete));
    m_entete = new EnteteStations(m_frmEntete);
    m_entete->setGeometry(0, 0, m_controle.width(), px(hauteurEntete));
}

// Cadre de la courbe de référence.
void DispositionControle::creerCadreReference()
{
    m_frmCourbeReference = new CadreTitre(QStringLiteral("FrmCourbeReference"), &m_controle);
    CadreTitre* cadre = m_frmCourbeReference;
    cadre->setTitle(QStringLiteral("Courbe sélectionnée"));
    cadre->setGeometry(0, px(hautEntete), m_controle.width(), px(hauteurReference));
    auto* grille = new QGridLayout(cadre);
    grille->setContentsMargins(8, 4, 8, 4);
    m_lblCodeReference = etiquette(QString(), cadre, QStringLiteral("LblCodeReference"));
    m_lblLibelleCourbeReference = etiquette(QString(), cadre, QStringLiteral("LblLibelleCourbeReference"));
    m_lblDateDebutReference = etiquette(QString(), cadre, QStringLiteral("LblDateDebutReference"));
    m_lblDateFinReference = etiquette(QString(), cadre, QStringLiteral("LblDateFinReference"));
    grille->addWidget(etiquette(QStringLiteral("Code"), cadre), 0, 0);
    grille->addWidget(m_lblCodeReference, 0, 1);
    grille->addWidget(etiquette(QStringLiteral("Libellé"), cadre), 0, 2);
    grille->addWidget(m_lblLibelleCourbeReference, 0, 3);
    grille->addWidget(etiquette(QStringLiteral("Données enregistrées pour la courbe du"), cadre), 1, 0, 1, 2);
    grille->addWidget(m_lblDateDebutReference, 1, 2);
    grille->addWidget(m_lblDateFinReference, 1, 3);
    grille->setColumnStretch(3, 1);
}

// Les deux graphiques empilés : celui des pluies sur le principal, à sa place.
void DispositionControle::creerVues()
{
    m_graphique = new VueGraphique(QStringLiteral("Graphique"), &m_controle);
    m_graphique->setGeometry(0, px(hautGraphique), m_controle.width(), m_controle.height() - px(hautGraphique));
    m_graphiqueSuperpose = new VueGraphique(QStringLiteral("GraphiqueSuperposePluvio"), &m_controle);
    m_graphiqueSuperpose->setGeometry(m_graphique->geometry());
}

// Cadre d'édition, avec la grille des points.
void DispositionControle::creerCadreOutils()
{
    m_frmOutils = new CadreTitre(QStringLiteral("FrmOutils"), &m_controle);
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
    m_frmOutils->setGeometry(m_controle.width() - px(largeurSprPoints) - 4, px(hautGraphique), px(largeurSprPoints),
                             m_controle.height() - px(hautGraphique));
}

// Cadres de lecture et de chargement, sur le haut du graphique.
void DispositionControle::creerCadresLecture()
{
    m_frmAide = new CadreTitre(QStringLiteral("FrmAide"), &m_controle);
    auto* l = new QVBoxLayout(m_frmAide);
    l->setContentsMargins(2, 2, 2, 2);
    m_sprAide = new QTableWidget(m_frmAide);
    m_sprAide->setObjectName(QStringLiteral("SprAide"));
    l->addWidget(m_sprAide);
    m_frmChargement = new CadreTitre(QStringLiteral("FrmChargement"), &m_controle);
    auto* c = new QVBoxLayout(m_frmChargement);
    c->setContentsMargins(6, 2, 6, 4);
    m_messageChargement = etiquette(QString(), m_frmChargement, QStringLiteral("LblChargement"));
    m_barreChargement = new QProgressBar(m_frmChargement);
    c->addWidget(m_messageChargement);
    c->addWidget(m_barreChargement);
}

// À la création : les cadres, le graphique des pluies caché à la place du principal ;
// ce qu'un graphique neuf retrouvera.
void DispositionControle::etatDeCreation()
{
    m_frmAide->Initialiser(855, QStringLiteral("Coord."), true);
    m_frmChargement->Initialiser(1095, QStringLiteral("Chargement"), true);
    m_frmAide->setFixedSize(130, px(855));
    m_frmChargement->setFixedSize(320, px(1095));
    m_frmChargement->hide();
    m_graphiqueSuperpose->move(m_graphique->pos());
    m_graphiqueSuperpose->hide();
    m_frmOutils->hide();
    m_frmCourbeReference->hide();
    QList<QWidget*> enfants = m_controle.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    enfants << m_entete << m_sprPoints;
    m_creation.retenir(enfants);
}

void DispositionControle::appliquerType(TypeGraph type)
{
    // Les outils que le genre cache, puis les cadres et champs qu'il montre ou cache ;
    // un champ qu'il laisse « inchangé » garde sa visibilité.
    const TraitsTypeGraph& t = Traits(type);
    for (qint16 outil : t.outilsCaches)
        if (outil != 0)
            m_palette->Masquer(outil);
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

void DispositionControle::redimensionner(TypeGraph type)
{
    const int w = twips(m_controle.width());
    const int h = twips(m_controle.height());
    m_frmEntete->resize(m_controle.width(), m_frmEntete->height());
    m_entete->resize(px(w), m_entete->height());
    m_entete->Redimensionner(w - 100);
    placerOutilsOuReference(w, type);
    if (h - twips(m_graphique->y()) - 20 > 0)
        m_graphique->resize(m_graphique->width(), px(h - twips(m_graphique->y()) - 20));
    if (h - twips(m_graphique->y()) - 400 > 0)
        m_frmOutils->resize(m_frmOutils->width(), px(h - twips(m_graphique->y()) - 400));

    m_palette->setGeometry(0, 0, px(w), px(hautPalette));
    m_graphiqueSuperpose->setGeometry(m_graphique->geometry());
    // Un widget caché ne reçoit son redimensionnement qu'une fois montré : les moteurs suivent dès maintenant.
    m_graphique->moteur().setTaille(m_graphique->size());
    m_graphiqueSuperpose->moteur().setTaille(m_graphiqueSuperpose->size());
    placerLecture(type);
    m_frmChargement->move(m_graphique->x() + (m_graphique->width() - m_frmChargement->width()) / 2, m_frmChargement->y());
}

// La largeur du graphique : le cadre d'édition se range à sa droite, quel que soit le genre,
// plutôt que de le couvrir ; sinon la courbe de référence le pousse sous elle.
void DispositionControle::placerOutilsOuReference(int w, TypeGraph type)
{
    const bool points = !m_sprPoints->isHidden() && !m_frmOutils->isHidden();
    if (points) {
        const int gauche = w - twips(m_frmOutils->width()) - 100;
        m_frmOutils->move(px(gauche), m_graphique->y());
        if (w - 100 - twips(m_frmOutils->width()) > 0)
            m_graphique->resize(px(w - 100 - twips(m_frmOutils->width())), m_graphique->height());
    } else if (Traits(type).reference == TraitsTypeGraph::Visibilite::Montre) {
        m_graphique->move(m_graphique->x(), m_frmCourbeReference->y() + m_frmCourbeReference->height() + px(50));
        m_frmCourbeReference->resize(px(w), m_frmCourbeReference->height());
        if (w - twips(m_graphique->x()) - 20 > 0)
            m_graphique->resize(px(w - twips(m_graphique->x()) - 20), m_graphique->height());
    } else {
        m_graphique->resize(px(w - 20), m_graphique->height());
    }
}

// Le cadre « Coord. » se range au bout droit de la bande des dates, sous la palette (jamais sur
// son bouton d'aide) ; l'en-tête et le cadre de référence s'arrêtent avant lui.
void DispositionControle::placerLecture(TypeGraph type)
{
    // Sans station à montrer, le cadre de l'en-tête vide ne couvre pas le graphique.
    m_frmEntete->setVisible(!m_enteteMasquee && !m_entete->isHidden());
    const int gauche = m_controle.width() - m_frmAide->width() - 4;
    m_frmAide->move(gauche, px(hautPalette) + 2);
    m_picture1->move(gauche - m_picture1->width() - 6, px(hautDates));
    if (Traits(type).enHaut)
        return;
    const int libre = std::max(0, m_picture1->x() - 4);
    m_frmEntete->resize(libre, m_frmEntete->height());
    m_entete->resize(libre, m_entete->height());
    m_frmCourbeReference->resize(libre, m_frmCourbeReference->height());
}

// Les graphiques superposés remontent au niveau de la courbe de référence, mais pas sous le
// cadre « Coord. », qui couvrirait le haut de leur tracé et l'axe de droite.
void DispositionControle::alignerSurReference(TypeGraph type)
{
    const int haut = std::max(m_frmCourbeReference->y(), px(hautPalette) + 2 + m_frmAide->height() + 2);
    m_graphique->move(m_graphique->x(), haut);
    m_graphiqueSuperpose->move(m_graphiqueSuperpose->x(), haut);
    m_frmChargement->move(m_frmChargement->x(), m_graphique->y());
    redimensionner(type);
}

void DispositionControle::masquerEntete()
{
    m_enteteMasquee = true;
    m_frmEntete->setVisible(false);
}

void DispositionControle::preparerLecture()
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
    // La date sous le pointeur, puis la valeur : une cellule de nombre à deux décimales.
    for (int r = 0; r < 2; ++r) {
        auto* cellule = r == 0 ? new QTableWidgetItem() : new CelluleNombre(2);
        cellule->setBackground(QColor(255, 255, 100));
        m_sprAide->setItem(r, 0, cellule);
    }
}

void DispositionControle::remettreANeuf()
{
    m_palette->Retablir();
    m_creation.restaurer();
    m_sprPoints->setLignes(0);
    for (QLabel* l : {m_lblCodeReference, m_lblLibelleCourbeReference, m_lblDateDebutReference, m_lblDateFinReference})
        l->clear();
}

void DispositionControle::ecrireReference(const QString& code, const QString& libelle, const QString& debut, const QString& fin)
{
    m_lblCodeReference->setText(code);
    m_lblLibelleCourbeReference->setText(libelle);
    m_lblDateDebutReference->setText(debut);
    m_lblDateFinReference->setText(fin);
}

QString DispositionControle::codeReference() const
{
    return m_lblCodeReference->text();
}

std::unique_ptr<PanneauChargement> DispositionControle::panneauChargement(CtlGraphique& ctl) const
{
    return std::make_unique<PanneauChargement>(m_frmChargement, m_messageChargement, m_barreChargement, &ctl);
}
