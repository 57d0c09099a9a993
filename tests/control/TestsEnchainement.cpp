// Le contrôle d'un graphique à l'autre dans le même hôte : un chargement annulé,
// un zoom et son retour, la période et le titre de la référence, le rechargement
// demandé par un hôte tiers.
#include "SurBaseExemple.h"

#include "commun_tests/Enchainement.h"
#include "commun_tests/JourFixe.h"
#include "commun_tests/ImagesGardees.h"
#include "commun_tests/Souris.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "control/ChampDate.h"
#include "control/EnteteStations.h"
#include "control/ListeStations.h"
#include "control/VueGraphique.h"

#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <functional>

namespace {

constexpr QSize tailleImage(1200, 700);

class Enchainement : public SurBaseExemple
{
protected:
    void SetUp() override
    {
        SurBaseExemple::SetUp();
        // La date du jour réelle, comme dans l'application.
        Horloge::fixer(QDate());
    }

    static void montrer(QWidget& w)
    {
        w.resize(tailleImage.width(), tailleImage.height() + 110);
        w.show();
    }

    static QImage ecranDe(QWidget& w)
    {
        // L'écran tel qu'une personne le voit, une fois les dispositions en attente faites :
        // la boucle d'événements tourne sans cesse sous ses yeux, pas entre deux lignes d'un essai.
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // L'écran sans la lecture des coordonnées, qui suit la souris.
    static QImage ecranSansLecture(CtlGraphique& c)
    {
        QImage image = ecranDe(c);
        QPainter(&image).fillRect(c.composant(QStringLiteral("FrmAide"))->geometry(), Qt::black);
        return image;
    }
};

// Ce qu'une personne fait sur le graphique tracé.
struct Geste
{
    const char* nom;
    std::function<void(CtlGraphique&)> faire;
};

void zoomer(CtlGraphique& c)
{
    glisser(c.vueGraphique(), dansLeTrace(c, 0.3, 0.2), dansLeTrace(c, 0.6, 0.9));
}

void tournerMolette(CtlGraphique& c)
{
    molette(c.vueGraphique(), dansLeTrace(c, 0.4, 0.5), 1);
}

// Un chargement arrêté à l'étape annoncée numéro `etape`, comme par le bouton Annuler de la
// jauge ; rend le nombre d'étapes annoncées.
int chargerEtAnnuler(HoteGraphique& hote, const HoteGraphique::Demande& d, BaseDonnees* base, int etape = 3)
{
    CtlGraphique& c = hote.controle();
    int etapes = 0;
    const auto lien = QObject::connect(&c, &CtlGraphique::progression, &c, [&] {
        if (++etapes == etape)
            c.AnnulerChargement();
    });
    QString erreur;
    EXPECT_TRUE(hote.tracer(d, base, erreur));
    QObject::disconnect(lien);
    return etapes;
}

} // namespace

TEST_F(Enchainement, UnChargementAnnuleLaisseUnGraphiqueVideQuiLeDit)
{
    HoteGraphique hote;
    montrer(hote);
    CtlGraphique& c = hote.controle();
    for (const Requete& q : requetes()) {
        // Toutes les étapes du chargement, de l'ouverture du cadre de chargement à sa fermeture.
        const int etapes = chargerEtAnnuler(hote, q.demande, base.get(), 0);
        // Arrêté au début, au milieu ou à la fin, jamais à moitié tracé.
        for (const int etape : QSet<int>{2, 3, etapes / 2 + 1, etapes - 1}) {
            if (etape < 2 || etape >= etapes)
                continue;  // ouverture et fermeture du cadre : rien à arrêter entre elles
            SCOPED_TRACE(QStringLiteral("%1, arrêté à l'étape %2 sur %3").arg(q.nom).arg(etape).arg(etapes).toStdString());
            tracer(hote, requetes().front().demande);
            chargerEtAnnuler(hote, q.demande, base.get(), etape);
            EXPECT_TRUE(c.Graphique().vierge());  // aucune série peinte
            EXPECT_TRUE(c.vueGraphiqueSuperposePluvio()->isHidden());
            EXPECT_FALSE(c.vueGraphique()->isHidden());
        }
    }
}

TEST_F(Enchainement, ZoomEtRetourGardentTitreLegendeEtBandesEtDisentLaPeriodeTracee)
{
    JourFixe jour{QDate(2024, 12, 7)};
    HoteGraphique hote;
    CtlGraphique& c = hote.controle();
    c.setTitreEtLegendeALEcran(true);
    montrer(hote);
    int annonces = 0;
    QObject::connect(&c, &CtlGraphique::periodeTraceeChangee, &c, [&] { ++annonces; });
    for (const Requete& q : requetes()) {
        if (q.demande.type == TypeGraph::travail)
            continue;
        SCOPED_TRACE(q.nom.toStdString());
        tracer(hote, q.demande);
        const QImage avant = ecranSansLecture(c);
        const QString titre = c.Graphique().lire(Prop::TitreGraphique).toString();
        const auto entiere = c.periodeTracee();
        ASSERT_TRUE(entiere);
        // Un cumul de l'année s'étend sur les années de ses statistiques, chacune jusqu'au jour comparé.
        if (q.nom == QStringLiteral("Annee CUMUL_ANNUEL")) {
            EXPECT_EQ(*entiere, std::pair(QDate(1981, 1, 1), QDate(2023, 12, 7)));
        }
        EXPECT_FALSE(titre.trimmed().isEmpty());
        // Les bandes au-dessus du graphique (palette, dates, en-tête) ne bougent pas.
        const QRect bandes(0, 0, c.width(), c.vueGraphique()->y());
        for (const Geste& g : {Geste{"zoom", zoomer}, Geste{"molette", tournerMolette}}) {
            const char* geste = g.nom;
            annonces = 0;
            g.faire(c);
            EXPECT_EQ(c.Graphique().lire(Prop::TitreGraphique).toString(), titre) << geste;
            EXPECT_EQ(comparer(ecranSansLecture(c).copy(bandes), avant.copy(bandes)).pixels, 0) << geste;
            const auto vue = c.periodeTracee();
            ASSERT_TRUE(vue) << geste;
            EXPECT_GE(vue->first, entiere->first) << geste;
            EXPECT_LE(vue->second, entiere->second) << geste;
            EXPECT_LT(vue->first.daysTo(vue->second), entiere->first.daysTo(entiere->second)) << geste;
            EXPECT_GE(annonces, 1) << geste;
            // Double clic : toute la période, le même écran qu'avant le geste.
            QTest::mouseDClick(c.vueGraphique(), Qt::LeftButton, {}, dansLeTrace(c, 0.5, 0.5));
            EXPECT_EQ(c.periodeTracee(), entiere) << geste;
            const Difference d = comparer(ecranSansLecture(c), avant);
            if (d.pixels) {
                garderImage(avant, q.nom + u'-' + QString::fromLatin1(geste) + QStringLiteral("-avant"));
                garderImage(ecranSansLecture(c), q.nom + u'-' + QString::fromLatin1(geste) + QStringLiteral("-retour"));
            }
            EXPECT_EQ(d.pixels, 0) << geste << " : " << d.zone.x() << ", " << d.zone.y() << " " << d.zone.width() << "×" << d.zone.height();
        }
    }
}

TEST_F(Enchainement, LaReferenceATitrePeriodeEtAxeDeLaReference)
{
    HoteGraphique hote;
    montrer(hote);
    CtlGraphique& c = hote.controle();
    const QList<Requete> liste = requetesAEnchainer();
    const auto reference = std::find_if(liste.begin(), liste.end(), [](const Requete& q) { return q.nom == "reference"; });
    tracer(hote, reference->demande);
    const QString nom = c.RecupSprEntete()->NomStation();
    // La référence de l'exemple couvre 1981 à 2024 : ni plus (jusqu'à l'année en cours), ni moins.
    EXPECT_EQ(c.periodeTracee(), std::pair(QDate(1981, 1, 1), QDate(2024, 12, 31)));
    EXPECT_EQ(c.getDateFinChargement(), QStringLiteral("31/12/2024"));
    c.setTitreEtLegendeALEcran(true);
    EXPECT_EQ(c.Graphique().lire(Prop::TitreGraphique).toString(), QStringLiteral("Courbe de référence - %1 (76401001)").arg(nom));
    // La courbe ne retombe pas à zéro après ses dernières données : tous ses points ont une valeur.
    const CourbePtr courbe = c.CollCourbes().GetCourbe(1);
    ASSERT_TRUE(courbe);
    EXPECT_EQ(*LireDate(TexteCellule(courbe->cellule(0, courbe->NbValeurs() - 1))), QDate(2024, 12, 1));
}

namespace {

// Un hôte tiers : le contrôle au centre de sa fenêtre principale, sa liste de stations, et ce que
// l'interface publique du contrôle demande pour chaque graphique (InitGraphique, l'en-tête, les
// dates, MonTabPluvio et les chaînes de la demande), puis ChargementDonnees.
class HoteTiers
{
public:
    explicit HoteTiers(BaseDonnees* base)
        : m_base(base)
    {
        m_fenetre.setCentralWidget(m_controle);
        m_fenetre.resize(1200, 800);
        m_fenetre.show();
        m_principale.setProperty("typeBase", base->typeBase());
        m_principale.setProperty("coefficientProfondeur", -1);
        m_principale.setProperty("typeAffichageEchelle", 0);
        for (const BaseExemple::Station& s : BaseExemple::stations())
            m_liste.ajouter(s.code, s.nom, s.genre);
        m_controle->setOuvrirApresExport(false);
    }
    CtlGraphique& controle() { return *m_controle; }

    void tracer(const HoteGraphique::Demande& d)
    {
        const bool riviere = d.type == TypeGraph::PluvioStation;
        m_controle->InitGraphique(d.type, &m_liste, QStringLiteral("KOR"), riviere ? 1 : 0, {}, {}, {}, false, QStringLiteral("10"),
                                  {}, m_base, &m_principale, 0);
        EnteteStations* entete = m_controle->RecupSprEntete();
        if (entete->stations().isEmpty())
            entete->Initialiser(&m_liste, m_base, QStringLiteral("KOR"));
        const bool reference = d.type == TypeGraph::reference;
        entete->selectionner(d.station, reference ? QStringLiteral("reference") : QStringLiteral("pluvio"));
        if (reference)
            m_controle->InitCourbeReference(d.station, entete->NomStation(), QStringLiteral("01/01/1981"), QStringLiteral("31/12/2024"), 0, 0);
        recharger(d);
    }

    // La même station, d'autres dates, d'autres choix : ChargementDonnees seul, comme l'outil 10.
    void recharger(const HoteGraphique::Demande& d)
    {
        if (d.debut.isValid()) {
            m_controle->TxtDateDebut()->setTexte(TexteDate(d.debut));
            m_controle->TxtDateFin()->setTexte(TexteDate(d.fin));
        }
        m_controle->TxtAnnee()->setTexte(QString::number(d.annee));
        TableauValeurs stations(5, int(d.stations.size()) + 2);
        for (int i = 0; i < d.stations.size(); ++i) {
            stations(1, i + 2) = d.stations[i];
            stations(2, i + 2) = stations(3, i + 2) = d.stations[i];
        }
        if (d.type == TypeGraph::Superposition)
            for (int i = 0; i <= d.stations.size(); ++i) {
                const QString code = i == 0 ? d.station : d.stations[i - 1];
                stations(1, i + 1) = stations(2, i + 1) = code;
                stations(3, i + 1) = QString::number(11 + i);
            }
        m_controle->setMonTabPluvio(QVariant::fromValue(stations));
        m_controle->setMaChaineChargement(d.mesures);
        m_controle->setMaChainePeriodes(d.periodes);
        m_controle->setMaChaineTypeGraph(d.variante);
        m_controle->setMaChaineTypeAffichage(d.affichage);
        m_controle->ChargementDonnees();
    }

private:
    BaseDonnees* m_base;
    QMainWindow m_fenetre;
    CtlGraphique* m_controle = new CtlGraphique;
    QObject m_principale;
    ListeStations m_liste;
};

} // namespace

TEST_F(Enchainement, LeControleDUnHoteTiersSuitChaqueRechargement)
{
    HoteTiers hote(base.get());
    // Sans InitGraphique : la même station rechargée sur d'autres dates, après un zoom, montre les
    // nouvelles dates comme un contrôle neuf, et le même graphique rechargé est le même.
    const QList<Requete> toutes = requetes();
    for (const auto& [premiere, seconde] : {std::pair{0, 4}, {14, 15}, {12, 13}}) {
        SCOPED_TRACE((toutes[premiere].nom + QStringLiteral(" puis ") + toutes[seconde].nom).toStdString());
        hote.tracer(toutes[premiere].demande);
        zoomer(hote.controle());
        HoteGraphique::Demande d = toutes[seconde].demande;
        d.station = toutes[premiere].demande.station;
        d.type = toutes[premiere].demande.type;
        hote.recharger(d);
        HoteTiers neuf(base.get());
        neuf.tracer(d);
        EXPECT_EQ(hote.controle().periodeTracee(), neuf.controle().periodeTracee());
        // La lecture des coordonnées garde la dernière position de la souris.
        EXPECT_EQ(comparer(ecranSansLecture(hote.controle()), ecranSansLecture(neuf.controle())).pixels, 0);
        const QImage avant = ecranSansLecture(hote.controle());
        hote.recharger(d);
        EXPECT_EQ(comparer(ecranSansLecture(hote.controle()), avant).pixels, 0);
    }
}
