#include "control/CtlGraphique.h"

#include "commun/AppelParNom.h"
#include "commun/Dates.h"
#include "commun/Garde.h"
#include "commun/Nombres.h"
#include "control/FenetreZoom.h"
#include "control/VueGraphique.h"
#include "entry/GrillePoints.h"
#include "render/FctGraphique.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"
#include "commun/messages/Messages.h"

#include <QEvent>
#include <QLabel>
#include <QMetaProperty>
#include <QTableWidget>
#include <cmath>

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


constexpr int colonneDate = GrillePoints::Date;
constexpr int colonneValeur = GrillePoints::Valeur;
constexpr int colonneX = GrillePoints::PositionX;
constexpr int colonneY = GrillePoints::PositionY;

} // namespace

void CtlGraphique::brancherSouris()
{
    VueGraphique* v = m_graphique;
    connect(v, &VueGraphique::sourisDeplacee, this,
            [this](double x, double y, Qt::MouseButtons b, Qt::KeyboardModifiers) { sourisDeplacee(x, y, b); });
    connect(v, &VueGraphique::sourisEnfoncee, this,
            [this](Qt::MouseButton b, double x, double y, Qt::KeyboardModifiers) { sourisEnfoncee(b, x, y); });
    connect(v, &VueGraphique::sourisRelachee, this,
            [this](Qt::MouseButton b, double x, double y, Qt::KeyboardModifiers) { sourisRelachee(b, x, y); });
    connect(v, &VueGraphique::molette, this, [this](double x, double, int crans) { ZoomerMolette(x, crans); });
    connect(v, &VueGraphique::doubleClic, this, [this] { ZoomerToutePeriode(); });
    connect(v, &VueGraphique::toucheDebut, this, [this] { ZoomerToutePeriode(); });
    connect(v, &VueGraphique::objetDepose, this, [this](QObject* o, const QPointF& p) { objetDepose(o, p); });
    m_picture1->installEventFilter(this);
}

bool CtlGraphique::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == m_picture1 && evenement->type() == QEvent::MouseButtonRelease) {
        declencheOutil(10);
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}

bool CtlGraphique::periodeAffichee() const
{
    return m_collCourbes && !m_collCourbes->DateDebutChargement().isEmpty()
        && !m_collCourbes->DateDebutAffichage().isEmpty();
}

bool CtlGraphique::pointsDates() const
{
    switch (m_typeGraphique) {
    case TypeGraph::PluvioPiezo:
    case TypeGraph::PluvioStation:
        return true;
    default:
        return false;
    }
}

void CtlGraphique::sourisDeplacee(double x, double y, Qt::MouseButtons boutons)
{
    sousGarde([&] {
        if (m_ancreDecalage && (boutons & Qt::MiddleButton)) {
            Decaler(*m_ancreDecalage - x);
            return;
        }
        SuivreRectangle(x, y);
    });
}

void CtlGraphique::sourisEnfoncee(Qt::MouseButton bouton, double x, double y)
{
    sousGarde([&] {
        if (!periodeAffichee())
            return;
        if (bouton == Qt::MiddleButton) {
            m_ancreDecalage = x;
            return;
        }
        Graphique().ecrire(Prop::AxeY, 0);
        bool dedans = false;
        PointDansGraphique(x, y, dedans);
        // Le rectangle part d'un point de la zone de tracé : ailleurs, il ne zoomerait pas.
        if ((m_outilCourant == 3 || m_outilCourant == 5) && dedans)
            m_rectangle = {true, true, x, y, x, y};
    });
}

void CtlGraphique::sourisRelachee(Qt::MouseButton bouton, double x, double y)
{
    sousGarde([&] {
        if (bouton == Qt::MiddleButton) {
            m_ancreDecalage.reset();
            return;
        }
        const bool rectangle = m_rectangle.dessin;
        if (rectangle) {
            effacerRectangle();
            Graphique().GSSetROP(0);
            m_rectangle.dessin = false;
        }
        if (!periodeAffichee())
            return;
        switch (m_outilCourant) {
        case 2:
            ZoomerPas(bouton);
            break;
        case 3:
            if (rectangle)
                ZoomerRectangle();
            break;
        case 4:
            AjouterPointClic(x, y);
            break;
        case 5:
            if (!rectangle)
                break;
            if (bouton == Qt::LeftButton)
                ZoomerRectangle();
            else
                supprimerPlageSelectionnee(m_rectangle.x1, m_rectangle.x2);
            break;
        default:
            break;
        }
    });
}

void CtlGraphique::objetDepose(QObject* objet, const QPointF& position)
{
    sousGarde([&] {
        const QMetaProperty nous = m_graphique->metaObject()->userProperty();
        const QMetaProperty lui = objet->metaObject()->userProperty();
        if (!lui.isValid() || nous.read(m_graphique) != lui.read(objet))
            return;
        AppelerMembre(objet, QStringLiteral("affiche"),
                      {float(m_graphique->x() + position.x()), float(m_graphique->y() + position.y()),
                       QVariant::fromValue(objet)});
    });
}

void CtlGraphique::DessinerRectangle(double x1, double y1, double x2, double y2) noexcept
{
    sousGarde([&] {
        Graphique().GSBox2D(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1), 1, 15);
    });
}

void CtlGraphique::effacerRectangle()
{
    // Tracer de nouveau le même cadre l'efface.
    if (!m_rectangle.premierMouvement)
        DessinerRectangle(m_rectangle.x1, m_rectangle.y1, m_rectangle.x2, m_rectangle.y2);
}

void CtlGraphique::SuivreRectangle(double x, double y) noexcept
{
    sousGarde([&] {
        if (!periodeAffichee())
            return;
        AfficherCoordonnees(x, y);
        if (!m_rectangle.dessin)
            return;
        Rectangle& r = m_rectangle;
        if (r.premierMouvement) {
            r.x2 = x;
            r.y2 = y;
            DessinerRectangle(r.x1, r.y1, r.x2, r.y2);
            r.premierMouvement = false;
            return;
        }
        DessinerRectangle(r.x1, r.y1, r.x2, r.y2);
        Graphique().GSSetROP(2);
        r.x2 = x;
        r.y2 = y;
        DessinerRectangle(r.x1, r.y1, r.x2, r.y2);
    });
}

void CtlGraphique::PointDansGraphique(double x, double y, bool& Dedans) const noexcept
{
    sousGarde([&] {
        const MoteurGraphique& g = m_graphique->moteur();
        Dedans = FenetreZoom::dedans(x, simple(g, Prop::XMin), simple(g, Prop::XMax))
            && FenetreZoom::dedans(y, simple(g, Prop::YMin), simple(g, Prop::YMax));
    });
}

void CtlGraphique::AfficherCoordonnees(double x, double y) noexcept
{
    sousGarde([&] {
        MoteurGraphique& g = Graphique();
        const Classe_Graphiques& c = CollCourbes();
        g.ecrire(Prop::AxeY, 0);
        const FenetreZoom::Bornes b = bornesX(g);
        QString date = c.DateDebutAffichage();
        if (b.max != b.min) {
            const auto debut = LireDateHeure(c.DateDebutAffichage()), fin = LireDateHeure(c.DateFinAffichage());
            const auto sous = debut && fin ? FenetreZoom::dateSous(*debut, *fin, b, x) : std::nullopt;
            if (!sous)
                return;
            date = TexteDate(sous->date());
        }
        bool dedans = false;
        PointDansGraphique(x, y, dedans);
        ecrireCellule(m_sprAide, 0, 0, dedans ? date : QString());
        ecrireCellule(m_sprAide, 1, 0, dedans ? FormatNombre(y, QStringLiteral("#.##")) : QString());
    });
}

void CtlGraphique::retenirVueInitiale()
{
    if (m_vueInitiale)
        return;
    MoteurGraphique& g = Graphique();
    VueInitiale v;
    v.echelles = m_echellesDuTrace;
    g.ecrire(Prop::AxeY, 0);
    v.xMin = g.lireNombre(Prop::XMin);
    v.xMax = g.lireNombre(Prop::XMax);
    v.yMin = g.lireNombre(Prop::YMin);
    v.yMax = g.lireNombre(Prop::YMax);
    const MoteurGraphique& s = GraphiqueSuperposePluvio();
    v.xMinSuperpose = s.lireNombre(Prop::XMin);
    v.xMaxSuperpose = s.lireNombre(Prop::XMax);
    m_vueInitiale = v;
}

void CtlGraphique::ZoomerRectangle() noexcept
{
    sousGarde([&] {
        MoteurGraphique& g = Graphique();
        g.ecrire(Prop::AxeY, 0);
        const Rectangle& r = m_rectangle;
        bool premier = false, second = false;
        PointDansGraphique(r.x1, r.y1, premier);
        PointDansGraphique(r.x2, r.y2, second);
        const double gauche = std::min(r.x1, r.x2), droite = std::max(r.x1, r.x2);
        const double bas = std::min(r.y1, r.y2), haut = std::max(r.y1, r.y2);
        if (premier && second && haut - bas > 0.1 && gauche < droite) {
            retenirVueInitiale();
            Classe_Graphiques& c = CollCourbes();
            c.setEchelleYAuto(false);
            c.setMinY(bas);
            c.setMaxY(haut);
            appliquerFenetreX(gauche, droite);
            reconstruireAxes(bas, haut);
        }
        g.GSSetROP(0);
    });
}

void CtlGraphique::ZoomerPas(Qt::MouseButton bouton) noexcept
{
    sousGarde([&] {
        if (bouton != Qt::LeftButton)
            return;
        MoteurGraphique& g = Graphique();
        Classe_Graphiques& c = CollCourbes();
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
        const auto debut = LireDate(c.DateDebutChargement()), fin = LireDate(c.DateFinChargement());
        if (debut && fin && s != 0) {
            const double jours = double(debut->daysTo(*fin));
            c.setDateDebutAffichage(TexteDate(debut->addDays(std::llround(jours * xMin / s + 1))));
            c.setDateFinAffichage(TexteDate(debut->addDays(std::llround(jours * xMax / s - 1))));
        }
        reconstruireAxes(c.MinY(), c.MaxY());
        ecrireBornesX(g, {xMin, xMax});
        g.ecrire(Prop::GraduationsX, 2);
        alignerGraphiqueSuperpose();
        g.ecrire(Prop::Dessin, 2);
    });
}

// Les dates affichées suivent la nouvelle fenêtre, l'axe passe en libellés réguliers.
void CtlGraphique::appliquerFenetreX(double gauche, double droite)
{
    MoteurGraphique& g = Graphique();
    Classe_Graphiques& c = CollCourbes();
    const auto debut = LireDate(c.DateDebutAffichage()), fin = LireDate(c.DateFinAffichage());
    if (debut && fin) {
        const auto [d1, d2] = FenetreZoom::dates(*debut, *fin, bornesX(g), gauche, droite);
        c.setDateDebutAffichage(TexteDate(d1));
        c.setDateFinAffichage(TexteDate(d2));
    }
    c.setEchelleXAuto(false);
    c.setUniteAxeX(QStringLiteral("VIDE"));
    m_fenetreDemandee = FenetreZoom::Bornes{gauche, droite};
}

// Échelles et libellés de la nouvelle vue, puis le moteur redessine dans la fenêtre demandée.
void CtlGraphique::reconstruireAxes(double yMin, double yMax)
{
    MoteurGraphique& g = Graphique();
    Classe_Graphiques& c = CollCourbes();
    QString debut, fin;
    if (pointsDates()) {
        FctGraphique::InitEchellesPiezo(c, CollCourbes2(), g, m_typeAffichageEchelle != 0, yMin, yMax);
        if (!m_echelle.isEmpty())
            g.ecrire(Prop::TitreYGauche, m_echelle);
        FctGraphique::InitAxeDatesPiezo(c, g, debut, fin);
    } else {
        echelleDesValeurs(yMin, yMax);
        const bool cumul = m_chaineTypeAffichage == QStringLiteral("COURBE") && m_isCumul;
        // Les libellés refaits ramènent le nombre de points à celui de la première courbe : les autres
        // le gardent. Ceux d'une vue précédente ne restent pas sous les points qu'ils ne nomment plus.
        const int points = g.lire(Prop::NbPoints).toInt();
        for (int p = 1; p <= points; ++p)
            g.ecrireIndexe(Prop::LibelleX, p, QString());
        FctGraphique::InitAxeDates(c, g, debut, fin, cumul, m_chaineTypeGraph == QStringLiteral("CUMUL_ANNUEL"));
        g.ecrire(Prop::NbPoints, points);
    }
    // Les échelles refaites effacent le titre des graphiques de nappe : l'écran garde le sien.
    legendeEcran();
    if (m_fenetreDemandee) {
        ecrireBornesX(g, *m_fenetreDemandee);
        m_fenetreDemandee.reset();
        alignerGraphiqueSuperpose();
        g.ecrire(Prop::Dessin, 2);
    }
    annoncerPeriode();
}

std::optional<std::pair<QDate, QDate>> CtlGraphique::periodeTracee() const noexcept
{
    return sousGarde(std::optional<std::pair<QDate, QDate>>(), [&]() -> std::optional<std::pair<QDate, QDate>> {
        if (!m_collCourbes)
            return std::nullopt;
        const Classe_Graphiques& c = *m_collCourbes;
        // L'axe couvre la période chargée en échelle automatique, la période affichée sinon (zoom
        // compris) ; les cumuls de l'année alignent les années des statistiques, la période chargée.
        const bool cumulAnnee = m_typeGraphique == TypeGraph::Annee && !m_vueInitiale
            && (m_chaineTypeGraph == QStringLiteral("CUMUL_ANNUEL") || m_chaineTypeGraph == QStringLiteral("CUMUL_MENSUEL"));
        const bool chargee = c.EchelleXAuto() || cumulAnnee;
        const auto debut = LireDate((chargee ? c.DateDebutChargement() : c.DateDebutAffichage()).left(10));
        const auto fin = LireDate((chargee ? c.DateFinChargement() : c.DateFinAffichage()).left(10));
        if (!debut || !fin)
            return std::nullopt;
        return std::pair{*debut, *fin};
    });
}

void CtlGraphique::annoncerPeriode()
{
    const auto periode = periodeTracee();
    if (periode == m_periodeAnnoncee)
        return;
    m_periodeAnnoncee = periode;
    emit periodeTraceeChangee();
}

// Le graphique des pluies sous la nappe montre les mêmes dates : ses bornes suivent
// celles du principal, à proportion de leurs étendues avant le zoom, et son image est réécrite.
void CtlGraphique::alignerGraphiqueSuperpose()
{
    if (!pointsDates() || !m_vueInitiale)
        return;
    const VueInitiale& v = *m_vueInitiale;
    const double entiere = v.xMax - v.xMin;
    if (!(entiere > 0))
        return;
    MoteurGraphique& g = Graphique();
    MoteurGraphique& s = GraphiqueSuperposePluvio();
    const FenetreZoom::Bornes b = bornesX(g);
    const double echelle = (v.xMaxSuperpose - v.xMinSuperpose) / entiere;
    ecrireBornesX(s, {v.xMinSuperpose + (b.min - v.xMin) * echelle, v.xMinSuperpose + (b.max - v.xMin) * echelle});
    s.ecrire(Prop::Dessin, 2);
    s.ecrire(Prop::Dessin, 6);
}

void CtlGraphique::ZoomerMolette(double x, int crans) noexcept
{
    sousGarde([&] {
        if (!periodeAffichee())
            return;
        retenirVueInitiale();
        const VueInitiale& v = *m_vueInitiale;
        const FenetreZoom::Bornes b = FenetreZoom::molette(bornesX(Graphique()), {v.xMin, v.xMax}, x, crans);
        if (b == bornesX(Graphique()))
            return;
        appliquerFenetreX(b.min, b.max);
        Graphique().ecrire(Prop::AxeY, 0);
        reconstruireAxes(Graphique().lireNombre(Prop::YMin), Graphique().lireNombre(Prop::YMax));
    });
}

void CtlGraphique::Decaler(double ecartX) noexcept
{
    sousGarde([&] {
        if (!periodeAffichee() || ecartX == 0)
            return;
        retenirVueInitiale();
        const VueInitiale& v = *m_vueInitiale;
        const FenetreZoom::Bornes vue = bornesX(Graphique());
        const FenetreZoom::Bornes b = FenetreZoom::decaler(vue, {v.xMin, v.xMax}, ecartX);
        if (b == vue)
            return;
        appliquerFenetreX(b.min, b.max);
        Graphique().ecrire(Prop::AxeY, 0);
        reconstruireAxes(Graphique().lireNombre(Prop::YMin), Graphique().lireNombre(Prop::YMax));
    });
}

void CtlGraphique::ZoomerToutePeriode() noexcept
{
    sousGarde([&] {
        if (!periodeAffichee() || !m_vueInitiale)
            return;
        const VueInitiale v = *m_vueInitiale;
        rendreEchelles(v.echelles);
        m_fenetreDemandee = FenetreZoom::Bornes{v.xMin, v.xMax};
        // La vue d'avant le zoom sert encore à replacer le graphique des pluies.
        reconstruireAxes(v.yMin, v.yMax);
        m_vueInitiale.reset();
        annoncerPeriode();
    });
}

void CtlGraphique::retenirEchellesDuTrace()
{
    const Classe_Graphiques& c = CollCourbes();
    m_echellesDuTrace = {c.EchelleXAuto(), c.EchelleYAuto(), c.MinY(), c.MaxY(), c.UniteAxeX(),
                         c.DateDebutAffichage(), c.DateFinAffichage(), c.PasAxeX()};
}

// La collection reprend les échelles et les dates d'avant le tracé zoomé.
void CtlGraphique::rendreEchelles(const Echelles& v)
{
    Classe_Graphiques& c = CollCourbes();
    c.setEchelleXAuto(v.echelleXAuto);
    c.setEchelleYAuto(v.echelleYAuto);
    c.setMinY(v.minY);
    c.setMaxY(v.maxY);
    c.setUniteAxeX(v.unite);
    c.setPasAxeX(v.pas);
    c.setDateDebutAffichage(v.debutAffichage);
    c.setDateFinAffichage(v.finAffichage);
}

void CtlGraphique::oublierZoom()
{
    if (!m_vueInitiale)
        return;
    rendreEchelles(m_vueInitiale->echelles);
    m_vueInitiale.reset();
}

void CtlGraphique::AjouterPointClic(double x, double y) noexcept
{
    sousGarde([&] {
        MoteurGraphique& g = Graphique();
        g.ecrire(Prop::AxeY, 0);
        bool dedans = false;
        PointDansGraphique(x, y, dedans);
        if (!dedans)
            return;
        const Classe_Graphiques& c = CollCourbes();
        const auto debut = LireDate(c.DateDebutAffichage()), fin = LireDate(c.DateFinAffichage());
        if (!debut || !fin)
            return;
        const QDate date = FenetreZoom::dates(*debut, *fin, bornesX(g), x, x).first;
        const auto validation = LireDate(m_derniereValidation);
        if (validation && date <= *validation) {
            AfficherMessage(QStringLiteral("aide"),
                            QStringLiteral("Vous ne pouvez pas ajouter de point avant la date de dernière validation (")
                                + m_derniereValidation + QStringLiteral(")"));
            return;
        }
        GrillePoints* grille = m_sprPoints;
        for (int r = 0; r < grille->lignes(); ++r)
            if (const auto px = LireNombre(grille->texte(r, colonneX)); px && std::abs(*px - x) <= 0.01)
                return RedessinerPoints();
        const int r = grille->lignes();
        grille->setLignes(r + 1);
        grille->setTexte(r, colonneDate, TexteDate(date));
        // Un point posé sera enregistré à midi : la grille le montre tel.
        grille->setTexte(r, GrillePoints::Heure, QStringLiteral("12:00:00"));
        grille->setTexte(r, colonneValeur, FormatNombre(y, QStringLiteral("0.00")));
        grille->setTexte(r, colonneX, FormatNombre(x, QStringLiteral("0.00000")));
        grille->setTexte(r, colonneY, FormatNombre(y, QStringLiteral("0.00000")));
        // Les points se suivent dans l'ordre des dates : la ligne qui les relie va de gauche à droite.
        grille->trierSurDateHeure(-1);
        RedessinerPoints();
    });
}

void CtlGraphique::RedessinerPoints() noexcept
{
    sousGarde([&] {
        MoteurGraphique& g = Graphique();
        // Le jeu édité est le second : avec un seul jeu, les points ne sont que marqués,
        // pour ne pas déplacer ceux de la série chargée.
        const bool jeuEdite = g.lire(Prop::NbJeux).toInt() > 1;
        if (jeuEdite) {
            g.ecrire(Prop::PlacementJeux, 0);
            g.ecrire(Prop::Jeu, 2);
        }
        const GrillePoints* grille = m_sprPoints;
        for (int i = 1; i <= grille->lignes(); ++i) {
            const QString date = grille->texte(i - 1, colonneDate);
            const QString valeur = grille->texte(i - 1, colonneValeur);
            // Une ligne sans place sur le graphique (pas encore positionnée) n'y est pas tracée.
            if (date.trimmed().isEmpty() || valeur.trimmed().isEmpty() || grille->texte(i - 1, colonneX).trimmed().isEmpty())
                continue;
            const double x = LireNombre(grille->texte(i - 1, colonneX)).value_or(0.0);
            const double y = LireNombre(grille->texte(i - 1, colonneY)).value_or(0.0);
            if (jeuEdite) {
                if (g.lire(Prop::NbPoints).toInt() < i)
                    g.ecrire(Prop::NbPoints, g.lire(Prop::NbPoints).toInt() + 1);
                g.ecrire(Prop::Point, i);
                g.ecrire(Prop::PositionX, x);
                g.ecrire(Prop::ValeurTexte, LireNombre(valeur).value_or(0.0));
                g.ecrire(Prop::Manquant, 0);
            }
            g.GSSymbol(x, y, 1, 2);
        }
    });
}
