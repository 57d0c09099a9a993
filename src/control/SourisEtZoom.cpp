#include "control/SourisEtZoom.h"

#include "control/CtlGraphique.h"

#include "commun/AppelParNom.h"
#include "commun/Dates.h"
#include "commun/Garde.h"
#include "commun/Nombres.h"
#include "control/FenetreZoom.h"
#include "control/EditionPoints.h"
#include "control/VueGraphique.h"
#include "render/FctGraphique.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"
#include "commun/messages/Messages.h"

#include <QEvent>
#include <QLabel>
#include <QMetaProperty>
#include <QTableWidget>

#include <cmath>
#include <tuple>
#include <utility>

namespace {

// Les bornes du moteur se lisent en simple précision : les hôtes comparent ces valeurs arrondies.
float simple(const MoteurGraphique& g, int numero)
{
    return float(g.lireNombre(numero));
}

FenetreZoom::Bornes bornesX(const MoteurGraphique& g)
{
    return {g.lireNombre(Prop::XMin), g.lireNombre(Prop::XMax)};
}

void ecrireBornesX(MoteurGraphique& g, const FenetreZoom::Bornes& b)
{
    g.ecrire(Prop::XMin, b.min);
    g.ecrire(Prop::XMax, b.max);
}

void ecrireCellule(QTableWidget* grille, int ligne, int colonne, const QString& texte)
{
    QTableWidgetItem* cellule = grille->item(ligne, colonne);
    if (!cellule) {
        cellule = new QTableWidgetItem();
        grille->setItem(ligne, colonne, cellule);
    }
    cellule->setText(texte);
}

} // namespace

SourisEtZoom::SourisEtZoom(CtlGraphique& controle)
    : m_ctl(controle)
{
}

MoteurGraphique& SourisEtZoom::graphique() const
{
    return m_ctl.Graphique();
}

void SourisEtZoom::brancher(VueGraphique& vue)
{
    // Un signal de la vue entre dans le contrôle comme un appel de l'hôte : sous la garde.
    CtlGraphique* c = &m_ctl;
    QObject::connect(&vue, &VueGraphique::sourisDeplacee, c, [this](double x, double y, Qt::MouseButtons b, Qt::KeyboardModifiers) {
        sousGarde([&] { sourisDeplacee(x, y, b); });
    });
    QObject::connect(&vue, &VueGraphique::sourisEnfoncee, c, [this](Qt::MouseButton b, double x, double y, Qt::KeyboardModifiers) {
        sousGarde([&] { sourisEnfoncee(b, x, y); });
    });
    QObject::connect(&vue, &VueGraphique::sourisRelachee, c, [this](Qt::MouseButton b, double x, double y, Qt::KeyboardModifiers) {
        sousGarde([&] { sourisRelachee(b, x, y); });
    });
    QObject::connect(&vue, &VueGraphique::molette, c, [c](double x, double, int crans) { c->ZoomerMolette(x, crans); });
    QObject::connect(&vue, &VueGraphique::doubleClic, c, [c] { c->ZoomerToutePeriode(); });
    QObject::connect(&vue, &VueGraphique::toucheDebut, c, [c] { c->ZoomerToutePeriode(); });
    QObject::connect(&vue, &VueGraphique::objetDepose, c,
                     [this](QObject* o, const QPointF& p) { sousGarde([&] { objetDepose(o, p); }); });
}

void SourisEtZoom::remettreANeuf()
{
    m_vueInitiale.reset();
    m_fenetreDemandee.reset();
    m_rectangle = {};
    m_ancreDecalage.reset();
}

std::optional<std::pair<QDate, QDate>> SourisEtZoom::joursEntre(double x1, double x2) const
{
    const Classe_Graphiques& c = m_ctl.CollCourbes();
    const auto debut = c.debutAffichage(), fin = c.finAffichage();
    if (!debut || !fin)
        return std::nullopt;
    return FenetreZoom::dates(*debut, *fin, bornesX(graphique()), x1, x2);
}

bool SourisEtZoom::periodeAffichee() const
{
    const Classe_Graphiques* c = m_ctl.collectionSiCreee();
    return c && c->aDesPeriodes();
}

bool SourisEtZoom::pointsDates() const
{
    return Traits(m_ctl.TypeGraphique()).deuxGraphiques;
}

void SourisEtZoom::sourisDeplacee(double x, double y, Qt::MouseButtons boutons)
{
    if (m_ancreDecalage && (boutons & Qt::MiddleButton)) {
        decaler(*m_ancreDecalage - x);
        return;
    }
    suivreRectangle(x, y);
}

void SourisEtZoom::sourisEnfoncee(Qt::MouseButton bouton, double x, double y)
{
    if (!periodeAffichee())
        return;
    if (bouton == Qt::MiddleButton) {
        m_ancreDecalage = x;
        return;
    }
    graphique().ecrire(Prop::AxeY, 0);
    const bool dedans = pointDansGraphique(x, y);
    // Le rectangle part d'un point de la zone de tracé : ailleurs, il ne zoomerait pas.
    if ((m_ctl.outilCourant() == 3 || m_ctl.outilCourant() == 5) && dedans)
        m_rectangle = {true, true, x, y, x, y};
}

void SourisEtZoom::sourisRelachee(Qt::MouseButton bouton, double x, double y)
{
    if (bouton == Qt::MiddleButton) {
        m_ancreDecalage.reset();
        return;
    }
    const bool rectangle = m_rectangle.dessin;
    if (rectangle) {
        effacerRectangle();
        graphique().GSSetROP(0);
        m_rectangle.dessin = false;
    }
    if (!periodeAffichee())
        return;
    switch (m_ctl.outilCourant()) {
    case 2:
        zoomerPas(bouton);
        break;
    case 3:
        if (rectangle)
            zoomerRectangle();
        break;
    case 4:
        m_ctl.edition().ajouterPointClic(x, y);
        break;
    case 5:
        if (!rectangle)
            break;
        if (bouton == Qt::LeftButton)
            zoomerRectangle();
        else
            m_ctl.edition().supprimerPlage(m_rectangle.x1, m_rectangle.x2);
        break;
    default:
        break;
    }
}

void SourisEtZoom::objetDepose(QObject* objet, const QPointF& position)
{
    const QMetaProperty nous = m_ctl.vueGraphique()->metaObject()->userProperty();
    const QMetaProperty lui = objet->metaObject()->userProperty();
    if (!lui.isValid() || nous.read(m_ctl.vueGraphique()) != lui.read(objet))
        return;
    AppelerMembre(objet, QStringLiteral("affiche"),
                  {float(m_ctl.vueGraphique()->x() + position.x()), float(m_ctl.vueGraphique()->y() + position.y()),
                   QVariant::fromValue(objet)});
}

void SourisEtZoom::dessinerRectangle(double x1, double y1, double x2, double y2)
{
    graphique().GSBox2D(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1), 1, 15);
}

void SourisEtZoom::effacerRectangle()
{
    // Tracer de nouveau le même cadre l'efface.
    if (!m_rectangle.premierMouvement)
        dessinerRectangle(m_rectangle.x1, m_rectangle.y1, m_rectangle.x2, m_rectangle.y2);
}

void SourisEtZoom::suivreRectangle(double x, double y)
{
    if (!periodeAffichee())
        return;
    afficherCoordonnees(x, y);
    if (!m_rectangle.dessin)
        return;
    Rectangle& r = m_rectangle;
    if (r.premierMouvement) {
        r.x2 = x;
        r.y2 = y;
        dessinerRectangle(r.x1, r.y1, r.x2, r.y2);
        r.premierMouvement = false;
        return;
    }
    dessinerRectangle(r.x1, r.y1, r.x2, r.y2);
    graphique().GSSetROP(2);
    r.x2 = x;
    r.y2 = y;
    dessinerRectangle(r.x1, r.y1, r.x2, r.y2);
}

bool SourisEtZoom::pointDansGraphique(double x, double y) const
{
    const MoteurGraphique& g = m_ctl.vueGraphique()->moteur();
    return FenetreZoom::dedans(x, simple(g, Prop::XMin), simple(g, Prop::XMax))
        && FenetreZoom::dedans(y, simple(g, Prop::YMin), simple(g, Prop::YMax));
}

std::optional<QDate> SourisEtZoom::jourSous(double x)
{
    MoteurGraphique& g = graphique();
    const Classe_Graphiques& c = m_ctl.CollCourbes();
    g.ecrire(Prop::AxeY, 0);
    const FenetreZoom::Bornes b = bornesX(g);
    if (b.max == b.min)
        return std::nullopt;
    const auto& debut = c.instantDebutAffichage();
    const auto& fin = c.instantFinAffichage();
    const auto sous = debut && fin ? FenetreZoom::dateSous(*debut, *fin, b, x) : std::nullopt;
    return sous ? std::optional(sous->date()) : std::nullopt;
}

void SourisEtZoom::afficherCoordonnees(double x, double y)
{
    const auto jour = jourSous(x);
    const FenetreZoom::Bornes b = bornesX(graphique());
    // Une période d'un seul instant se lit à sa date ; sinon, rien hors de la période.
    if (b.max != b.min && !jour)
        return;
    const QString date = b.max != b.min ? TexteDate(*jour) : m_ctl.CollCourbes().DateDebutAffichage();
    const bool dedans = pointDansGraphique(x, y);
    ecrireCellule(m_ctl.SprAide(), 0, 0, dedans ? date : QString());
    ecrireCellule(m_ctl.SprAide(), 1, 0, dedans ? FormatNombre(y, QStringLiteral("#.##")) : QString());
}

void SourisEtZoom::retenirVueInitiale()
{
    if (m_vueInitiale)
        return;
    MoteurGraphique& g = graphique();
    VueInitiale v;
    v.echelles = m_echellesDuTrace;
    g.ecrire(Prop::AxeY, 0);
    v.xMin = g.lireNombre(Prop::XMin);
    v.xMax = g.lireNombre(Prop::XMax);
    v.yMin = g.lireNombre(Prop::YMin);
    v.yMax = g.lireNombre(Prop::YMax);
    const MoteurGraphique& s = m_ctl.GraphiqueSuperposePluvio();
    v.xMinSuperpose = s.lireNombre(Prop::XMin);
    v.xMaxSuperpose = s.lireNombre(Prop::XMax);
    m_vueInitiale = v;
}

void SourisEtZoom::zoomerRectangle()
{
    MoteurGraphique& g = graphique();
    g.ecrire(Prop::AxeY, 0);
    const Rectangle& r = m_rectangle;
    const bool premier = pointDansGraphique(r.x1, r.y1), second = pointDansGraphique(r.x2, r.y2);
    const double gauche = std::min(r.x1, r.x2), droite = std::max(r.x1, r.x2);
    const double bas = std::min(r.y1, r.y2), haut = std::max(r.y1, r.y2);
    if (premier && second && haut - bas > 0.1 && gauche < droite) {
        retenirVueInitiale();
        Classe_Graphiques& c = m_ctl.CollCourbes();
        c.setEchelleYAuto(false);
        c.setMinY(bas);
        c.setMaxY(haut);
        appliquerFenetreX(gauche, droite);
        reconstruireAxes(bas, haut);
    }
    g.GSSetROP(0);
}

void SourisEtZoom::zoomerPas(Qt::MouseButton bouton)
{
    if (bouton != Qt::LeftButton)
        return;
    MoteurGraphique& g = graphique();
    Classe_Graphiques& c = m_ctl.CollCourbes();
    g.ecrire(Prop::AxeY, 0);
    retenirVueInitiale();
    const double s = c.MaxAxeX();
    const double xMin = double(float(std::trunc(g.lireNombre(Prop::XMin) / 2)));
    const double xMax = s - (s - g.lireNombre(Prop::XMax)) / 2;
    const double yMin = g.lireNombre(Prop::YMin), yMax = g.lireNombre(Prop::YMax);
    c.setEchelleYAuto(false);
    c.setMinY(yMin + (c.MinDonnees() - yMin) / 2);
    c.setMaxY(yMax + (c.MaxDonnees() - yMax) / 2);
    c.setEchelleXAuto(false);
    const auto debut = c.debutChargement(), fin = c.finChargement();
    if (debut && fin && s != 0) {
        const double jours = double(debut->daysTo(*fin));
        c.setAffichage(debut->addDays(std::llround(jours * xMin / s + 1)), debut->addDays(std::llround(jours * xMax / s - 1)));
    }
    reconstruireAxes(c.MinY(), c.MaxY());
    ecrireBornesX(g, {xMin, xMax});
    g.ecrire(Prop::GraduationsX, 2);
    alignerGraphiqueSuperpose();
    g.ecrire(Prop::Dessin, 2);
}

// Les dates affichées suivent la nouvelle fenêtre, l'axe passe en libellés réguliers.
void SourisEtZoom::appliquerFenetreX(double gauche, double droite)
{
    Classe_Graphiques& c = m_ctl.CollCourbes();
    if (const auto jours = joursEntre(gauche, droite))
        c.setAffichage(jours->first, jours->second);
    c.setEchelleXAuto(false);
    c.setUniteAxe(UniteAxe::Vide);
    m_fenetreDemandee = FenetreZoom::Bornes{gauche, droite};
}

// Échelles et libellés de la nouvelle vue, puis le moteur redessine dans la fenêtre demandée.
void SourisEtZoom::reconstruireAxes(double yMin, double yMax)
{
    MoteurGraphique& g = graphique();
    Classe_Graphiques& c = m_ctl.CollCourbes();
    QDate debut, fin;
    if (pointsDates()) {
        FctGraphique::InitEchellesPiezo(c, m_ctl.CollCourbes2(), g, m_ctl.typeAffichageEchelle() != 0, yMin, yMax);
        m_ctl.titrerAxeDesPluies(g, Prop::TitreYDroite);
        if (!m_ctl.echelle().isEmpty())
            g.ecrire(Prop::TitreYGauche, m_ctl.echelle());
        FctGraphique::InitAxeDatesPiezo(c, g, debut, fin);
    } else {
        m_ctl.echelleDesValeurs(yMin, yMax);
        const bool cumul = m_ctl.enCourbes() && m_ctl.isCumul();
        // Les libellés refaits ramènent le nombre de points à celui de la première courbe : les autres
        // le gardent. Ceux d'une vue précédente ne restent pas sous les points qu'ils ne nomment plus.
        const int points = g.lire(Prop::NbPoints).toInt();
        for (int p = 1; p <= points; ++p)
            g.ecrireIndexe(Prop::LibelleX, p, QString());
        FctGraphique::InitAxeDates(c, g, debut, fin, cumul, m_ctl.variante() == Variante::CumulAnnuel);
        g.ecrire(Prop::NbPoints, points);
    }
    // Les échelles refaites effacent le titre des graphiques de nappe : l'écran garde le sien.
    m_ctl.legendeEcran();
    m_ctl.signalerEchelleFixe();
    if (m_fenetreDemandee) {
        ecrireBornesX(g, *m_fenetreDemandee);
        m_fenetreDemandee.reset();
        alignerGraphiqueSuperpose();
        g.ecrire(Prop::Dessin, 2);
    }
    annoncerPeriode();
}

std::optional<std::pair<QDate, QDate>> SourisEtZoom::periodeTracee() const
{
    const Classe_Graphiques* courbes = m_ctl.collectionSiCreee();
    if (!courbes)
        return std::nullopt;
    const Classe_Graphiques& c = *courbes;
    // L'axe couvre la période chargée en échelle automatique, la période affichée sinon (zoom
    // compris) ; les cumuls de l'année alignent les années des statistiques, la période chargée.
    const bool cumulAnnee = Traits(m_ctl.TypeGraphique()).annuel && !m_vueInitiale && EstCumul(m_ctl.variante());
    const bool chargee = c.EchelleXAuto() || cumulAnnee;
    const auto debut = chargee ? c.debutChargement() : c.debutAffichage();
    const auto fin = chargee ? c.finChargement() : c.finAffichage();
    if (!debut || !fin)
        return std::nullopt;
    // Le cumul annuel arrête chaque année au jour comparé : de la première fenêtre à la dernière.
    if (cumulAnnee && m_ctl.variante() == Variante::CumulAnnuel) {
        const auto premiere = m_ctl.fenetreCumulAnnuel(debut->year()), derniere = m_ctl.fenetreCumulAnnuel(fin->year());
        if (premiere && derniere)
            return std::pair{premiere->first, derniere->second};
    }
    return std::pair{*debut, *fin};
}

void SourisEtZoom::annoncerPeriode()
{
    const auto periode = periodeTracee();
    if (periode == m_periodeAnnoncee)
        return;
    m_periodeAnnoncee = periode;
    emit m_ctl.periodeTraceeChangee();
}

// Le graphique des pluies sous la nappe montre les mêmes dates : ses bornes suivent
// celles du principal, à proportion de leurs étendues avant le zoom, et son image est réécrite.
void SourisEtZoom::alignerGraphiqueSuperpose()
{
    if (!pointsDates() || !m_vueInitiale)
        return;
    const VueInitiale& v = *m_vueInitiale;
    const double entiere = v.xMax - v.xMin;
    if (!(entiere > 0))
        return;
    MoteurGraphique& g = graphique();
    MoteurGraphique& s = m_ctl.GraphiqueSuperposePluvio();
    const FenetreZoom::Bornes b = bornesX(g);
    const double echelle = (v.xMaxSuperpose - v.xMinSuperpose) / entiere;
    ecrireBornesX(s, {v.xMinSuperpose + (b.min - v.xMin) * echelle, v.xMinSuperpose + (b.max - v.xMin) * echelle});
    s.ecrire(Prop::Dessin, 2);
    s.ecrire(Prop::Dessin, 6);
}

void SourisEtZoom::zoomerMolette(double x, int crans)
{
    if (!periodeAffichee())
        return;
    retenirVueInitiale();
    const VueInitiale& v = *m_vueInitiale;
    const FenetreZoom::Bornes b = FenetreZoom::molette(bornesX(graphique()), {v.xMin, v.xMax}, x, crans);
    if (b == bornesX(graphique()))
        return;
    appliquerFenetreX(b.min, b.max);
    graphique().ecrire(Prop::AxeY, 0);
    reconstruireAxes(graphique().lireNombre(Prop::YMin), graphique().lireNombre(Prop::YMax));
}

void SourisEtZoom::decaler(double ecartX)
{
    if (!periodeAffichee() || ecartX == 0)
        return;
    retenirVueInitiale();
    const VueInitiale& v = *m_vueInitiale;
    const FenetreZoom::Bornes vue = bornesX(graphique());
    const FenetreZoom::Bornes b = FenetreZoom::decaler(vue, {v.xMin, v.xMax}, ecartX);
    if (b == vue)
        return;
    appliquerFenetreX(b.min, b.max);
    graphique().ecrire(Prop::AxeY, 0);
    reconstruireAxes(graphique().lireNombre(Prop::YMin), graphique().lireNombre(Prop::YMax));
}

void SourisEtZoom::zoomerToutePeriode()
{
    if (!periodeAffichee() || !m_vueInitiale)
        return;
    const VueInitiale v = *m_vueInitiale;
    rendreEchelles(v.echelles);
    m_fenetreDemandee = FenetreZoom::Bornes{v.xMin, v.xMax};
    // La vue d'avant le zoom sert encore à replacer le graphique des pluies.
    reconstruireAxes(v.yMin, v.yMax);
    m_vueInitiale.reset();
    m_ctl.signalerEchelleFixe();
    annoncerPeriode();
}

SourisEtZoom::Echelles SourisEtZoom::echellesCourantes() const
{
    const Classe_Graphiques& c = m_ctl.CollCourbes();
    return {c.EchelleXAuto(), c.EchelleYAuto(), c.MinY(), c.MaxY(), c.uniteAxe(), c.bornesAffichage(), c.PasAxeX()};
}

void SourisEtZoom::retenirEchellesDuTrace()
{
    m_echellesDuTrace = echellesCourantes();
}

void SourisEtZoom::noterEchellesAvantOptions()
{
    m_echellesAvantOptions = echellesCourantes();
}

void SourisEtZoom::garderChoixDesOptions()
{
    const auto avant = std::exchange(m_echellesAvantOptions, std::nullopt);
    if (!m_vueInitiale || !avant)
        return;
    const Echelles apres = echellesCourantes();
    Echelles& vue = m_vueInitiale->echelles;
    // L'échelle Y se prend entière ; les dates, au jour près (la boîte n'écrit pas d'heure).
    if (std::tie(apres.echelleYAuto, apres.minY, apres.maxY) != std::tie(avant->echelleYAuto, avant->minY, avant->maxY)) {
        vue.echelleYAuto = apres.echelleYAuto;
        vue.minY = apres.minY;
        vue.maxY = apres.maxY;
    }
    const auto jours = [](const Echelles& e) { return std::pair(e.affichage.first.jour(), e.affichage.second.jour()); };
    if (apres.echelleXAuto != avant->echelleXAuto || jours(apres) != jours(*avant)) {
        vue.echelleXAuto = apres.echelleXAuto;
        vue.affichage = apres.affichage;
    }
}

// La collection reprend les échelles et les dates d'avant le tracé zoomé.
void SourisEtZoom::rendreEchelles(const Echelles& v)
{
    Classe_Graphiques& c = m_ctl.CollCourbes();
    c.setEchelleXAuto(v.echelleXAuto);
    c.setEchelleYAuto(v.echelleYAuto);
    c.setMinY(v.minY);
    c.setMaxY(v.maxY);
    c.setUniteAxe(v.unite);
    c.setPasAxeX(v.pas);
    c.setBornesAffichage(v.affichage);
}

void SourisEtZoom::oublierZoom()
{
    if (!m_vueInitiale)
        return;
    rendreEchelles(m_vueInitiale->echelles);
    m_vueInitiale.reset();
}

