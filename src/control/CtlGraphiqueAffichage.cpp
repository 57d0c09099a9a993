// Affichage du contrôle graphique : les collections de courbes confiées au
// moteur, point par point.
#include "commun/AppelParNom.h"
#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Garde.h"
#include "commun/Nombres.h"
#include "control/ChampDate.h"
#include "control/CtlGraphique.h"
#include "control/CtlGraphiquePrive.h"
#include "control/EditionPoints.h"
#include "control/SourisEtZoom.h"
#include "control/VueGraphique.h"
#include "commun/ValeursProcessus.h"
#include "data/ChargeurPluie.h"
#include "data/Litteraux.h"
#include "data/Periodes.h"
#include "render/FctGraphique.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>
#include <limits>
#include <optional>

namespace {

const QString fichierPluie = QStringLiteral("tmp.WMF");

double valeurPoint(const QVariant& v)
{
    return EstVide(v) ? 0.0 : LireNombre(v).value_or(0.0);
}

void jauge(QObject* j, const QString& legende, double valeur)
{
    if (!j)
        return;
    EcrireMembre(j, QStringLiteral("Caption"), legende);
    EcrireMembre(j, QStringLiteral("Value"), valeur);
}

} // namespace

void CtlGraphique::dessinerPointsCategorie(const Classe_Graphique& courbe, int premierePosition, bool cumul)
{
    MoteurGraphique& g = Graphique();
    const int n = courbe.NbValeurs();
    const bool normale = Traits(d->typeGraphique).ecarts;
    const bool plusieursJeux = g.lire(Prop::NbJeux).toInt() != 1;
    Q_UNUSED(cumul);
    for (int i = 0; i < n; ++i) {
        const int p = i + premierePosition;
        // Une valeur vide se trace à 0.
        const double v = valeurPoint(courbe.cellule(2, i));
        if (!normale) {
            if (plusieursJeux)
                g.ecrireIndexe(Prop::CouleurPoint, p, courbe.Couleur());
        } else {
            g.ecrireIndexe(Prop::CouleurPoint, p, v > 0 ? courbe.Couleur() : 12);
        }
        g.ecrireIndexe(Prop::ValeurPoint, p, double(float(v)));
        g.ecrire(Prop::Manquant, 0);
    }
}

// L'axe des valeurs d'un graphique par périodes et son titre, au tracé comme au zoom.
void CtlGraphique::echelleDesValeurs(double minimum, double maximum)
{
    MoteurGraphique& g = Graphique();
    FctGraphique::InitEchellePluvio(CollCourbes(), g, minimum, maximum);
    if (Traits(d->typeGraphique).ecarts)
        g.ecrire(Prop::TitreYGauche, QStringLiteral("Comparaison à la normale en mm"));
    else
        titrerAxeDesPluies(g, Prop::TitreYGauche);
}

void CtlGraphique::titrerAxeDesPluies(MoteurGraphique& g, int titre) const
{
    // La superposition ne trace que la première mesure demandée ; les autres genres, toutes.
    const QString mesures = Traits(d->typeGraphique).superposeStations() ? d->chaineChargement.left(1) : d->chaineChargement;
    if (!mesures.isEmpty() && mesures.count(u'3') == mesures.size())
        g.ecrire(titre, QStringLiteral("Évapotranspiration en mm"));
}

void CtlGraphique::AffichageGraphique(bool, bool SuperpositionCourbes, const QString& Frequence) noexcept
{
    sousGarde([&] {
        d->souris->oublierZoom();
        d->souris->retenirEchellesDuTrace();
        d->legendeEnValeur.clear();
        d->anneeNonComparee.clear();
        MoteurGraphique& g = Graphique();
        Classe_Graphiques& c = CollCourbes();
        if (c.Compter() == 0) {
            g.ecrire(Prop::Reinitialisation, 9);
            g.ecrire(Prop::Dessin, 1);
            d->edition->apresAffichage();
            d->souris->annoncerPeriode();
            return;
        }
        g.ecrire(Prop::Reinitialisation, 9);
        g.ecrire(Prop::CouleurFond, c.CouleurFond());
        g.ecrire(Prop::NbJeux, 2);
        g.ecrire(Prop::PlacementJeux, SuperpositionCourbes ? 2 : 0);
        g.ecrire(Prop::NbJeux, 1);
        g.ecrire(Prop::XMin, 0);
        if (c.MaxAxeX() != 0)
            g.ecrire(Prop::XMax, c.MaxAxeX());

        const bool cumul = enCourbes() && d->isCumul;
        QDate debut, fin;
        FctGraphique::InitAxeDates(c, g, debut, fin, cumul, variante() == Variante::CumulAnnuel);
        c.setMaxAxeX(g.lire(Prop::XMax).toDouble());
        echelleDesValeurs(0, 0);

        int jeu = 0;
        for (int k = 1; k <= c.Compter(); ++k) {
            const CourbePtr courbe = c.GetCourbe(k);
            if (courbe && courbe->Afficher() && courbe->NbValeurs() > 0)
                dessinerJeuCategorie(*courbe, ++jeu, cumul);
        }
        if (jeu >= 1)
            espacerLibelles(Frequence);
        marquerAnneeChoisie(cumul ? 2 : 1);
        d->jeuxParCourbe = false;
        legendeEcran();
        signalerEchelleFixe();
        d->edition->apresAffichage();
        d->souris->annoncerPeriode();
    });
}

// Le jeu `jeu` d'un graphique par périodes : la courbe point par point ; un cumul part d'un premier point à 0.
void CtlGraphique::dessinerJeuCategorie(const Classe_Graphique& courbe, int jeu, bool cumul)
{
    MoteurGraphique& g = Graphique();
    g.ecrire(Prop::NbJeux, jeu);
    g.ecrire(Prop::Jeu, jeu);
    g.ecrire(Prop::Manquant, 0);
    g.ecrire(Prop::NbPoints, 1);
    g.ecrireIndexe(Prop::CouleurPoint, 1, courbe.Couleur());
    g.ecrire(Prop::NbPoints, courbe.NbValeurs());
    int premiere = 1;
    if (cumul) {
        g.ecrire(Prop::NbPoints, courbe.NbValeurs() + 1);
        if (g.lire(Prop::NbJeux).toInt() != 1)
            g.ecrireIndexe(Prop::CouleurPoint, 1, courbe.Couleur());
        g.ecrireIndexe(Prop::ValeurPoint, 1, 0.0);
        g.ecrire(Prop::Manquant, 0);
        premiere = 2;
    }
    dessinerPointsCategorie(courbe, premiere, cumul);
    g.ecrire(Prop::Dessin, 2);
}

// Sans regroupement, un libellé tous les k points, k tiré du pas de l'axe ; sinon à chaque point.
void CtlGraphique::espacerLibelles(const QString& Frequence)
{
    MoteurGraphique& g = Graphique();
    const Classe_Graphiques& c = CollCourbes();
    int espacement = 1;
    if (PeriodeDepuisTexte(Frequence) == Periode::Sans && c.PasAxeX() >= 1) {
        const int k = int(Int(g.lire(Prop::NbPoints).toDouble() / (c.PasAxeX() + 1)));
        espacement = (k >= 1 && k < 20) ? k : 1;
    }
    g.ecrire(Prop::EspacementLibelles, espacement);
    g.ecrire(Prop::EspacementGraduations, g.lire(Prop::EspacementLibelles).toInt());
    g.ecrire(Prop::Dessin, 2);
}

namespace {

CourbePtr premiereTracee(Classe_Graphiques& c)
{
    for (int k = 1; k <= c.Compter(); ++k)
        if (const CourbePtr courbe = c.GetCourbe(k); courbe && courbe->Afficher() && courbe->NbValeurs() > 0)
            return courbe;
    return nullptr;
}

// « Année 2023 au 7 décembre » : l'année choisie ne compte ses pluies que jusqu'au jour comparé ;
// une année hydrologique dit ses deux bornes.
QString legendeCumul(int annee, const std::optional<std::pair<QDate, QDate>>& fenetre)
{
    if (!fenetre)
        return QStringLiteral("Année %1").arg(annee);
    if (fenetre->first == QDate(annee, 1, 1))
        return QStringLiteral("Année %1 au %2").arg(annee).arg(JourEnLettres(fenetre->second));
    return QStringLiteral("Du %1 au %2").arg(JourEnLettres(fenetre->first, true), JourEnLettres(fenetre->second, true));
}

} // namespace

std::optional<std::pair<QDate, QDate>> CtlGraphique::fenetreCumulAnnuel(int annee) const
{
    const Classe_Graphiques* c = collectionSiCreee();
    const CourbePtr courbe = c && c->Compter() > 0 ? c->GetCourbe(1) : nullptr;
    // Chaque point tient la fin de sa fenêtre : le jour et le mois comparés.
    const auto jour = courbe && courbe->NbValeurs() > 0 ? DateDepuisCellule(courbe->cellule(0, 0)) : std::nullopt;
    if (!jour)
        return std::nullopt;
    const bool hydro = c->periode() == Periode::Hydro;
    return ChargeurPluie::fenetreCumulAnnuel(annee, hydro, Periodes::moisHydro(ValeursProcessus::courantes().moisAnneeHydro),
                                             jour->date());
}

// Le cumul annuel range les années par leur total (un point chacune, sur le premier jeu) :
// celle du champ Année s'y distingue, et la légende la nomme.
void CtlGraphique::marquerAnneeChoisie(int premierePosition)
{
    if (!Traits(d->typeGraphique).annuel || variante() != Variante::CumulAnnuel)
        return;
    bool lue = false;
    const int annee = TxtAnnee()->texte().trimmed().toInt(&lue);
    const CourbePtr courbe = premiereTracee(CollCourbes());
    if (!lue || !courbe)
        return;
    for (int i = 0; i < courbe->NbValeurs(); ++i) {
        const auto date = DateDepuisCellule(courbe->cellule(0, i));
        if (!date || date->date().year() != annee)
            continue;
        MoteurGraphique& g = Graphique();
        g.ecrire(Prop::Jeu, 1);
        g.ecrire(Prop::PointEnValeur, i + premierePosition);
        g.ecrire(Prop::CouleurPointEnValeur, courbe->Couleur() == 12 ? 14 : 12);
        d->legendeEnValeur = legendeCumul(annee, fenetreCumulAnnuel(annee));
        return;
    }
    // Hors des années comparées (rangées par total), rien ne la distingue : l'hôte le dit.
    QList<int> annees;
    for (int i = 0; i < courbe->NbValeurs(); ++i)
        if (const auto date = DateDepuisCellule(courbe->cellule(0, i)))
            annees << date->date().year();
    if (annees.isEmpty())
        return;
    const auto [de, a] = std::minmax_element(annees.cbegin(), annees.cend());
    d->anneeNonComparee = QStringLiteral("L'année %1 n'est pas parmi les années comparées (%2 à %3).").arg(annee).arg(*de).arg(*a);
}

namespace {

// Les abscisses d'un graphique de points datés : des heures depuis le début de
// l'axe, mises à l'échelle de l'axe (XMax).
struct EchelleTemps
{
    qint64 jourDebut = 0;
    double facteur = 0;

    double abscisse(qint64 jourJulien, int msJour, const std::optional<QTime>& heure) const
    {
        // Minutes comptées sur les numéros de jour : un quart de million de points passent par ici.
        const qint64 minutes = (jourJulien - jourDebut) * 1440 + (msJour + (heure ? heure->msecsSinceStartOfDay() : 0)) / 60000;
        return double(minutes) / 60.0 * facteur + 0.1;
    }

    // La position d'une cellule datée ; rien quand elle n'est pas une date.
    std::optional<double> abscisse(const QVariant& date, const std::optional<QTime>& heure) const
    {
        // Une date seule, le cas des mesures, sans passer par un instant.
        if (date.typeId() == QMetaType::QDate) {
            const QDate& d = *static_cast<const QDate*>(date.constData());
            return d.isValid() ? std::optional<double>(abscisse(d.toJulianDay(), 0, heure)) : std::nullopt;
        }
        const auto jour = DateDepuisCellule(date);
        return jour ? std::optional<double>(abscisse(jour->date().toJulianDay(), jour->time().msecsSinceStartOfDay(), heure))
                    : std::nullopt;
    }
};

std::optional<QTime> heureDe(const QVariant& cellule)
{
    if (cellule.metaType().id() == QMetaType::QTime)
        return cellule.toTime();
    return cellule.metaType().id() == QMetaType::QString ? LireHeure(cellule.toString()) : std::nullopt;
}

// Les courbes montrées, la plus fournie d'abord ; à égalité, l'ordre de la collection.
std::vector<int> courbesParTaille(Classe_Graphiques& c)
{
    std::vector<int> rangs;
    for (int k = 1; k <= c.Compter(); ++k)
        if (c.GetCourbe(k)->Afficher())
            rangs.push_back(k);
    std::stable_sort(rangs.begin(), rangs.end(), [&](int a, int b) { return c.GetCourbe(a)->NbValeurs() > c.GetCourbe(b)->NbValeurs(); });
    return rangs;
}

// Ce qu'un point daté donne au moteur, lu dans les cellules ou dans les colonnes.
struct PointLu
{
    bool date = false;
    int validite = 0;
    double x = 0;
    QVariant valeur;  // invalide quand la cellule est vide
    bool coupure = false;
};

PointLu pointDesCellules(const TableauValeurs& t, int i, const EchelleTemps& echelle)
{
    PointLu pt;
    pt.date = !EstVide(t(0, i));
    pt.validite = qRound(LireNombre(t(3, i)).value_or(0.0));
    pt.x = echelle.abscisse(t(0, i), heureDe(t(1, i))).value_or(0.0);
    if (const QVariant v = t.valeur(2, i); !EstVide(v))
        pt.valeur = v;
    pt.coupure = LireNombre(t(4, i)).value_or(0.0) != 0;
    return pt;
}

// Les heures d'une colonne, lues une fois par texte (une série horaire n'en a que 24).
using HeuresLues = QHash<quint64, std::optional<QTime>>;

std::optional<QTime> heureLue(const ColonneTypee& colonne, int i, HeuresLues& lues)
{
    if (colonne.genre() == ColonneTypee::Genre::Heure && !colonne.estNul(i))
        return QTime::fromMSecsSinceStartOfDay(colonne.heure(i));
    if (colonne.genre() != ColonneTypee::Genre::Texte || colonne.estNul(i))
        return heureDe(colonne.cellule(i));
    const quint64 mot = colonne.mot(i);
    const auto connue = lues.constFind(mot);
    if (connue != lues.constEnd())
        return *connue;
    return *lues.insert(mot, LireHeure(colonne.texte(i).toString()));
}

// La date, la validité, la position et la coupure d'un point lues dans les colonnes.
template <typename Point>
Point debutDePoint(const ColonnesTypees& c, int i, const EchelleTemps& echelle, HeuresLues& heures)
{
    const ColonneTypee& dates = c.colonne(0);
    Point pt;
    pt.date = !dates.estVide(i);
    pt.validite = qRound(c.colonne(3).nombre(i).value_or(0.0));
    const auto heure = heureLue(c.colonne(1), i, heures);
    pt.x = dates.genre() == ColonneTypee::Genre::Jour && !dates.estNul(i) ? echelle.abscisse(dates.jour(i), 0, heure)
                                                                           : echelle.abscisse(dates.cellule(i), heure).value_or(0.0);
    pt.coupure = c.colonne(4).nombre(i).value_or(0.0) != 0;
    return pt;
}

PointLu pointDesColonnes(const ColonnesTypees& c, int i, const EchelleTemps& echelle, HeuresLues& heures)
{
    PointLu pt = debutDePoint<PointLu>(c, i, echelle, heures);
    if (!c.colonne(2).estVide(i))
        pt.valeur = c.colonne(2).cellule(i);
    return pt;
}

// Un point daté et sa valeur ; une continuité coupe la ligne après lui par un point manquant de plus.
void ecrirePoint(MoteurGraphique& g, const PointLu& pt, int& p)
{
    g.ecrire(Prop::Point, p);
    g.ecrireIndexe(Prop::Plafond, p, double(9999.0f));
    g.ecrireIndexe(Prop::Validite, p, pt.validite);
    g.ecrire(Prop::PositionX, pt.x);
    if (!pt.valeur.isValid())
        return;
    g.ecrire(Prop::ValeurTexte, pt.valeur);
    g.ecrire(Prop::Manquant, 0);
    if (!pt.coupure)
        return;
    ++p;
    g.ecrire(Prop::NbPoints, g.lire(Prop::NbPoints).toInt() + 1);
    g.ecrire(Prop::Point, p);
    g.ecrire(Prop::PositionX, pt.x);
    g.ecrire(Prop::ValeurTexte, pt.valeur);
    g.ecrire(Prop::Manquant, 1);
}

MoteurGraphique::PointDate pointMoteur(const PointLu& pt)
{
    return {pt.date, pt.validite, pt.x, pt.valeur.isValid(), LireNombre(pt.valeur), pt.coupure};
}

// Le même point lu dans les colonnes, sans cellule pour sa valeur.
MoteurGraphique::PointDate pointMoteur(const ColonnesTypees& c, int i, const EchelleTemps& echelle, HeuresLues& heures)
{
    const ColonneTypee& valeurs = c.colonne(2);
    auto pt = debutDePoint<MoteurGraphique::PointDate>(c, i, echelle, heures);
    pt.avecValeur = !valeurs.estVide(i);
    pt.valeur = pt.avecValeur ? valeurs.nombre(i) : std::nullopt;
    return pt;
}

template <typename Lecture>
void ecrireParLots(MoteurGraphique& g, int n, const Lecture& lire)
{
    constexpr int lot = 4096;
    std::vector<MoteurGraphique::PointDate> points;
    points.reserve(lot);
    int p = 1;
    for (int debut = 0; debut < n; debut += lot) {
        points.clear();
        for (int i = debut; i < std::min(n, debut + lot); ++i)
            points.push_back(lire(i));
        g.ecrirePointsDates(points, p);
    }
}

template <typename Lecture>
void ecrireUnAUn(MoteurGraphique& g, int n, const Lecture& lire)
{
    int p = 1;
    for (int i = 0; i < n; ++i, ++p) {
        const PointLu pt = lire(i);
        if (!pt.date)
            g.ecrire(Prop::Manquant, 1);
        else
            ecrirePoint(g, pt, p);
    }
}

// Le jeu `k` : ses points datés, placés sur l'axe du temps. Faux quand la courbe n'a rien.
bool ecrireSerieDatee(MoteurGraphique& g, const Classe_Graphique& courbe, int k, const EchelleTemps& echelle)
{
    const ColonnesTypees* colonnes = courbe.colonnes();
    const TableauValeurs* t = colonnes ? nullptr : courbe.tableau();
    const int n = courbe.NbValeurs();
    if ((!t && !colonnes) || n <= 0 || (colonnes && colonnes->lignes() < 5))
        return false;
    g.ecrire(Prop::Jeu, k);
    if (n >= g.lire(Prop::NbPoints).toInt())
        g.ecrire(Prop::NbPoints, n + 1);
    HeuresLues heures;
    const auto lire = [&](int i) { return colonnes ? pointDesColonnes(*colonnes, i, echelle, heures) : pointDesCellules(*t, i, echelle); };
    // Sans personne pour voir chaque écriture, la série entre par lots.
    if (g.observe())
        ecrireUnAUn(g, n, lire);
    else if (colonnes)
        ecrireParLots(g, n, [&](int i) { return pointMoteur(*colonnes, i, echelle, heures); });
    else
        ecrireParLots(g, n, [&](int i) { return pointMoteur(lire(i)); });
    return true;
}

// Les positions jamais atteintes en fin de jeu sont manquantes ; chaque point prend la couleur de la courbe.
void terminerJeu(MoteurGraphique& g, int k, int couleur)
{
    g.ecrire(Prop::Jeu, k);
    const int n = g.lire(Prop::NbPoints).toInt();
    for (int p = n; p >= 1; --p) {
        g.ecrire(Prop::Point, p);
        if (g.lire(Prop::PositionX).toDouble() != 0)
            break;
        g.ecrire(Prop::Manquant, 1);
    }
    if (!g.observe())
        return g.colorerPoints(n, couleur);
    for (int p = 1; p <= n; ++p)
        g.ecrireIndexe(Prop::CouleurPoint, p, couleur);
}

// Les jeux que nulle courbe montrée n'a remplis : leurs points, ajoutés à 0 quand
// un autre jeu agrandit le nombre de points commun, sont tous manquants.
void viderJeuxNonDessines(MoteurGraphique& g, const std::vector<int>& dessinees)
{
    const int n = g.lire(Prop::NbPoints).toInt();
    for (int k = 1; k <= g.lire(Prop::NbJeux).toInt(); ++k) {
        if (std::binary_search(dessinees.begin(), dessinees.end(), k))
            continue;
        g.ecrire(Prop::Jeu, k);
        for (int p = 1; p <= n; ++p) {
            g.ecrire(Prop::Point, p);
            g.ecrire(Prop::Manquant, 1);
        }
    }
}

} // namespace

// Les axes d'un graphique de points datés : l'axe du temps, puis les échelles (nappes et pluie, ou pluie seule).
void CtlGraphique::axesPointsDates(bool superpositionCourbes, QDate& debut, QDate& fin)
{
    MoteurGraphique& g = Graphique();
    Classe_Graphiques& c = CollCourbes();
    g.ecrire(Prop::Reinitialisation, 9);
    g.ecrire(Prop::CouleurFond, c.CouleurFond());
    g.ecrire(Prop::NbJeux, 0);
    g.ecrire(Prop::PlacementJeux, superpositionCourbes ? 2 : 0);
    g.ecrire(Prop::NbJeux, c.Compter());
    g.ecrire(Prop::XMin, 0);
    if (c.MaxAxeX() != 0)
        g.ecrire(Prop::XMax, c.MaxAxeX());
    FctGraphique::InitAxeDatesPiezo(c, g, debut, fin);
    c.setMaxAxeX(g.lire(Prop::XMax).toDouble());
    if (Traits(d->typeGraphique).deuxGraphiques) {
        FctGraphique::InitEchellesPiezo(c, CollCourbes2(), g, d->typeAffichageEchelle != 0, 0, 0);
        titrerAxeDesPluies(g, Prop::TitreYDroite);
        if (!d->echelle.isEmpty())
            g.ecrire(Prop::TitreYGauche, d->echelle);
    } else {
        FctGraphique::InitEchellePluvio(c, g, 0, 0);
    }
    g.ecrire(Prop::Grille, 0);
}

void CtlGraphique::AffichageGraphiquePiezo(bool, bool SuperpositionCourbes, QObject* jaugeHote) noexcept
{
    sousGarde([&] {
        d->souris->oublierZoom();
        d->souris->retenirEchellesDuTrace();
        d->legendeEnValeur.clear();
        d->anneeNonComparee.clear();
        MoteurGraphique& g = Graphique();
        Classe_Graphiques& c = CollCourbes();
        g.ecrire(Prop::Dessin, 1);
        if (c.Compter() == 0)
            return;
        QDate debut, fin;
        axesPointsDates(SuperpositionCourbes, debut, fin);
        if (!debut.isValid() || !fin.isValid())
            return;
        const QDateTime d1 = DateHeure(debut), d2 = DateHeure(fin);
        const double heures = double(DateDiff(Intervalle::Minute, d1, d2)) / 60.0;
        const EchelleTemps echelle{debut.toJulianDay(), heures > 0 ? g.lire(Prop::XMax).toDouble() / heures : 0.0};
        for (int s = 1; s <= g.lire(Prop::NbJeux).toInt(); ++s) {
            g.ecrire(Prop::Jeu, s);
            g.ecrire(Prop::Manquant, 1);
            g.ecrire(Prop::NbPoints, 1);
        }
        std::vector<int> dessinees;
        for (int k : courbesParTaille(c)) {
            if (d->annulation)
                break;
            if (ecrireSerieDatee(g, *c.GetCourbe(k), k, echelle))
                dessinees.push_back(k);
            interrogerAnnulation(jaugeHote);
        }
        std::sort(dessinees.begin(), dessinees.end());
        for (int k : dessinees) {
            if (d->annulation)
                break;
            terminerJeu(g, k, c.GetCourbe(k)->Couleur());
            interrogerAnnulation(jaugeHote);
        }
        if (!d->annulation)
            viderJeuxNonDessines(g, dessinees);
        d->jeuxParCourbe = true;
        legendeEcran();
        signalerEchelleFixe();
        d->souris->annoncerPeriode();
    });
}

void CtlGraphique::AffichageGraphiqueSuperposepluvioPiezo(bool, bool, QObject* jaugeHote) noexcept
{
    sousGarde([&] {
        d->souris->oublierZoom();
        MoteurGraphique& s = GraphiqueSuperposePluvio();
        MoteurGraphique& g = Graphique();
        Classe_Graphiques& pluie = CollCourbes2();

        // Le graphique des pluies, en barres sous les courbes de nappe.
        s.ecrire(Prop::Dessin, 1);
        s.ecrire(Prop::Reinitialisation, 9);
        s.ecrire(Prop::CouleurFond, pluie.CouleurFond());
        s.ecrire(Prop::NbJeux, 1);
        QDate debut, fin;
        FctGraphique::InitAxeDatesSuperpose(pluie, s, debut, fin);
        FctGraphique::InitEchellesSuperpose(CollCourbes(), pluie, s, 0, 0);
        g.ecrire(Prop::Dessin, 2);
        QCoreApplication::processEvents();

        int jeu = 0, premierDate = 0, nombre = 0;
        for (int k = 1; k <= pluie.Compter(); ++k) {
            const CourbePtr courbe = pluie.GetCourbe(k);
            if (!courbe || !courbe->Afficher() || courbe->NbValeurs() <= 0)
                continue;
            ++jeu;
            s.ecrire(Prop::NbJeux, jeu);
            s.ecrire(Prop::Jeu, jeu);
            s.ecrire(Prop::Manquant, 0);
            s.ecrire(Prop::NbPoints, 1);
            s.ecrireIndexe(Prop::CouleurPoint, 1, courbe->Couleur());
            s.ecrire(Prop::NbPoints, courbe->NbValeurs());
            const bool tableau = courbe->colonnes() || courbe->tableau();
            const bool plusieursJeux = s.lire(Prop::NbJeux).toInt() != 1;
            for (int i = 0; i < courbe->NbValeurs(); ++i) {
                if (plusieursJeux)
                    s.ecrireIndexe(Prop::CouleurPoint, i + 1, courbe->Couleur());
                s.ecrireIndexe(Prop::ValeurPoint, i + 1, valeurPoint(courbe->cellule(2, i)));
                s.ecrire(Prop::Manquant, 0);
            }
            // Les premiers points sans date ne font que remplir la série : les barres partent du premier daté.
            if (jeu == 1 && tableau) {
                while (premierDate < courbe->NbValeurs() && EstVide(courbe->cellule(0, premierDate)))
                    ++premierDate;
                nombre = courbe->NbValeurs();
            }
        }
        s.ecrire(Prop::ContourBarres, 0);
        if (nombre > premierDate) {
            s.ecrire(Prop::XMin, premierDate);
            s.ecrire(Prop::XMax, nombre);
        }
        s.ecrire(Prop::Dessin, 2);

        s.ecrire(Prop::Grille, CollCourbes().StyleGrille());
        s.ecrire(Prop::FichierImage, fichierPluie);
        s.ecrire(Prop::Dessin, 6);
        s.ecrire(Prop::JeuEnValeur, 0);
        s.ecrire(Prop::Dessin, 2);
        jauge(jaugeHote, QStringLiteral("Chargement des données piézomètres"), 65);

        g.ecrire(Prop::PlacementImageFond, 4);
        g.ecrire(Prop::ImageFond, fichierPluie);
        g.ecrire(Prop::TypeGraphe, 6);
        jauge(jaugeHote, QStringLiteral("Affichage des courbes piézomètres"), 99);
        AffichageGraphiquePiezo(false, false, jaugeHote);
        g.ecrire(Prop::JeuEnValeur, 0);
        vueGraphiqueSuperposePluvio()->hide();
        g.ecrire(Prop::Dessin, 2);
    });
}

namespace {

// Les valeurs tracées les plus basse et haute, tous jeux confondus ; rien sans point tracé.
std::optional<std::pair<double, double>> extremesTraces(const ModeleGraphique& m)
{
    double bas = std::numeric_limits<double>::max(), haut = std::numeric_limits<double>::lowest();
    for (const JeuDonnees& j : m.jeux) {
        if (j.taille() == 0 || j.resumes().visibles() == 0)
            continue;
        bas = std::min(bas, j.resumes().bas());
        haut = std::max(haut, j.resumes().haut());
    }
    return bas <= haut ? std::optional(std::pair(bas, haut)) : std::nullopt;
}

// Le nombre que l'axe écrit à son bord : son libellé donné (profondeurs), sinon la borne.
QString texteBord(const ModeleGraphique& m, bool enHaut, double borne)
{
    const int i = enHaut ? m.divisionsY(0) + 1 : 1;
    const QString donne = m.axes[0].libelles.value(i).trimmed();
    return donne.isEmpty() ? TexteNombre(borne) : donne;
}

} // namespace

QString CtlGraphique::uniteValeurs() const
{
    if (Traits(d->typeGraphique).riviere())
        return d->echelle;
    return Traits(d->typeGraphique).piezometres() ? QStringLiteral("m") : QStringLiteral("mm");
}

void CtlGraphique::signalerEchelleFixe()
{
    MoteurGraphique& g = Graphique();
    const auto extremes = extremesTraces(g.modele());
    QStringList hors;
    if (!CollCourbes().EchelleYAuto() && !d->souris->zoome() && extremes) {
        g.ecrire(Prop::AxeY, 0);
        const double bas = g.lireNombre(Prop::YMin), haut = g.lireNombre(Prop::YMax);
        const QString unite = uniteValeurs().isEmpty() ? QString() : u' ' + uniteValeurs();
        if (extremes->second > haut)
            hors << QStringLiteral("des valeurs dépassent ") + texteBord(g.modele(), true, haut) + unite;
        if (extremes->first < bas)
            hors << QStringLiteral("des valeurs passent sous ") + texteBord(g.modele(), false, bas) + unite;
    }
    g.ecrire(Prop::MarquesDepassement, hors.isEmpty() ? 0 : 1);
    g.ecrire(Prop::Avertissement, hors.isEmpty() ? QString() : QStringLiteral("Échelle fixe : ") + hors.join(QStringLiteral(" ; ")));
}
