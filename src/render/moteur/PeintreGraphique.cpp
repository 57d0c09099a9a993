#include "render/moteur/PeintreGraphique.h"

#include "commun/Palette.h"
#include "render/moteur/CarteEchelles.h"
#include "render/moteur/Disposition.h"
#include "render/moteur/EntierBorne.h"
#include "render/moteur/ImagesFond.h"
#include "render/moteur/ModeleGraphique.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ParcoursColonnes.h"
#include "render/moteur/ReductionColonnes.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

QColor couleur(int numero, const OptionsPeinture& o)
{
    const QColor c = QColor::fromRgb(Palette::rgb(numero));
    if (!o.gris)
        return c;
    const int g = qGray(c.rgb());
    return QColor(g, g, g);
}

bool fondSombre(const ModeleGraphique& m)
{
    return qGray(Palette::rgb(m.couleurFond)) < 110;
}

QColor couleurTexte(const ModeleGraphique& m, int element, const OptionsPeinture& o)
{
    const int c = m.couleurElement(element);
    if (c >= 0)
        return couleur(c, o);
    return fondSombre(m) ? QColor(Qt::white) : QColor(30, 30, 30);
}

QColor couleurGrille(const ModeleGraphique& m)
{
    return fondSombre(m) ? QColor(255, 255, 255, 70) : QColor(0, 0, 0, 45);
}

double epaisseurTrait(const CarteEchelles& carte)
{
    return std::clamp(std::min(carte.zone().width(), carte.zone().height()) / 350.0, 1.0, 3.0);
}

Qt::BrushStyle motif(int numero)
{
    switch (numero) {
    case 1:
        return Qt::HorPattern;
    case 2:
        return Qt::VerPattern;
    case 3:
        return Qt::BDiagPattern;
    case 4:
        return Qt::FDiagPattern;
    case 6:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

// Par colonne de pixels, un trait vertical du plus haut au plus bas, et le
// segment qui relie le dernier point de la colonne précédente au premier de
// celle-ci : les mêmes pixels que le zigzag premier, bas, haut, dernier, qui
// parcourait jusqu'à trois fois la hauteur de la colonne.
void peindreColonnes(QPainter& p, const JeuDonnees& j, const CarteEchelles& carte, const OptionsPeinture& o,
                     const EchellePixels& echelle)
{
    // Quatre colonnes de marge : un point seul, dessiné en disque, n'atteint pas la zone.
    // Les tampons d'un dessin servent au suivant : un redessin ne demande rien au système.
    thread_local ParcoursColonnes::Tampons tampons;
    thread_local std::vector<QLineF> lignes;
    ParcoursColonnes parcours(j, echelle, tampons);
    parcours.parcourir(ColonnePixel(carte.zone().left()) - 4, ColonnePixel(carte.zone().right()) + 4);
    QPen stylo(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    stylo.setCosmetic(true);
    const std::vector<ColonneTrait>& colonnes = parcours.colonnes();
    for (const TraitColonnes& t : parcours.traits()) {
        const ColonneTrait& premiere = colonnes[std::size_t(t.debut)];
        if (t.fin - t.debut == 1 && premiere.nombre == 1) {
            p.setPen(Qt::NoPen);
            p.setBrush(couleur(t.couleur, o));
            p.drawEllipse(QPointF(premiere.x0, premiere.y0), 1.5, 1.5);
            continue;
        }
        lignes.clear();
        for (int k = t.debut; k < t.fin; ++k) {
            const ColonneTrait& c = colonnes[std::size_t(k)];
            if (k > t.debut)
                lignes.emplace_back(colonnes[std::size_t(k - 1)].x1, colonnes[std::size_t(k - 1)].y1, c.x0, c.y0);
            if (c.nombre > 1)
                lignes.emplace_back(c.x0, c.yHaut, c.x0, c.yBas);
        }
        stylo.setColor(couleur(t.couleur, o));
        p.setPen(stylo);
        p.drawLines(lignes.data(), int(lignes.size()));
    }
}

// Une suite de segments, réduite par colonne de pixels et coupée aux points
// manquants ; un changement de couleur en commence une autre depuis le point
// précédent.
void peindreLigne(QPainter& p, const JeuDonnees& j, const CarteEchelles& carte, const OptionsPeinture& o,
                  double epaisseur, bool dense)
{
    // Une suite dense zigzague dans chaque colonne de pixels : un trait simple
    // d'un pixel la montre exactement et ne coûte rien, là où un trait lissé
    // coûte des secondes.
    const bool lisse = !dense;
    p.setRenderHint(QPainter::Antialiasing, lisse);
    if (dense)
        epaisseur = 1.0;
    const int n = j.taille();
    const double ax = carte.echelleX();
    const double bx = carte.zone().left() - carte.xMin() * ax;
    const double ey = carte.yMax() - carte.yMin();
    const double ay = ey == 0 ? 0.0 : -carte.zone().height() / ey;
    const double by = carte.zone().bottom() - carte.yMin() * ay;

    if (dense && ParcoursColonnes::possible(j, {ax, bx, ay, by})) {
        peindreColonnes(p, j, carte, o, {ax, bx, ay, by});
        return;
    }
    QPolygonF trace;
    trace.reserve(4096);
    ReductionColonnes reduction(trace);
    int couleurCourante = -1;
    bool precedentValide = false;
    QPointF precedent;
    QPen stylo(Qt::black, epaisseur, Qt::SolidLine, lisse ? Qt::RoundCap : Qt::FlatCap,
               lisse ? Qt::RoundJoin : Qt::MiterJoin);
    stylo.setCosmetic(dense);

    auto vider = [&] {
        reduction.terminer();
        if (trace.size() >= 2) {
            stylo.setColor(couleur(couleurCourante, o));
            p.setPen(stylo);
            p.drawPolyline(trace);
        } else if (trace.size() == 1) {
            // Un point seul entre deux trous se voit quand même.
            p.setPen(Qt::NoPen);
            p.setBrush(couleur(couleurCourante, o));
            p.drawEllipse(trace.first(), epaisseur * 1.5, epaisseur * 1.5);
        }
        trace.clear();
    };

    for (int i = 0; i < n; ++i) {
        if (!j.visible(i)) {
            vider();
            precedentValide = false;
            continue;
        }
        const double x = j.avecX ? j.x[std::size_t(i)] : i + 0.5;
        const QPointF pt(bx + ax * x, by + ay * double(j.valeurs[std::size_t(i)]));
        const int c = j.couleur(i);
        if (c != couleurCourante) {
            vider();
            couleurCourante = c;
            if (precedentValide)
                reduction.ajouter(precedent.x(), precedent.y());
        }
        reduction.ajouter(pt.x(), pt.y());
        precedent = pt;
        precedentValide = true;
    }
    vider();
}

void peindreMarques(QPainter& p, const JeuDonnees& j, const CarteEchelles& carte, const OptionsPeinture& o,
                    double rayon, bool toutes, bool validites)
{
    const int n = j.taille();
    for (int i = 0; i < n; ++i) {
        if (!j.visible(i))
            continue;
        const bool douteux = validites && j.validite(i) != 0;
        if (!toutes && !douteux)
            continue;
        const double x = j.avecX ? j.x[std::size_t(i)] : i + 0.5;
        const QPointF pt = carte.pixel(x, j.valeurs[std::size_t(i)]);
        if (pt.x() < carte.zone().left() - rayon || pt.x() > carte.zone().right() + rayon)
            continue;
        const QColor c = couleur(j.couleur(i), o);
        if (douteux) {
            p.setPen(QPen(c, 1.2));
            p.setBrush(Qt::white);
            p.drawEllipse(pt, rayon * 1.3, rayon * 1.3);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            p.drawEllipse(pt, rayon, rayon);
        }
    }
}

// Le point mis en valeur d'une ligne : un gros rond cerclé de blanc.
void peindrePointEnValeur(QPainter& p, const JeuDonnees& j, const CarteEchelles& carte, int i, const QColor& c, double rayon)
{
    if (i < 0 || i >= j.taille() || !j.visible(i))
        return;
    const double x = j.avecX ? j.x[std::size_t(i)] : i + 0.5;
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(c);
    p.drawEllipse(carte.pixel(x, j.valeurs[std::size_t(i)]), rayon, rayon);
}

// Les valeurs au-delà des bornes de l'axe : un triangle rouge au bord de la zone,
// pointé vers elles, un par groupe de points proches.
void peindreDepassements(QPainter& p, const JeuDonnees& j, const CarteEchelles& carte, double taille)
{
    const double haut = std::max(carte.yMin(), carte.yMax()), bas = std::min(carte.yMin(), carte.yMax());
    if (j.resumes().haut() <= haut && j.resumes().bas() >= bas)
        return;
    const QRectF zone = carte.zone();
    // Sur un axe renversé, le haut de l'axe est en bas de la zone.
    const bool renverse = carte.yMin() > carte.yMax();
    double dernierHaut = -1e9, dernierBas = -1e9;
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor(200, 20, 20));
    for (int i = 0; i < j.taille(); ++i) {
        const double v = j.valeurs[std::size_t(i)];
        if (!j.visible(i) || (v <= haut && v >= bas))
            continue;
        const double x = carte.px(j.avecX ? j.x[std::size_t(i)] : i + 0.5);
        double& dernier = v > haut ? dernierHaut : dernierBas;
        if (x < zone.left() || x > zone.right() || std::fabs(x - dernier) < taille * 2)
            continue;
        dernier = x;
        const bool enHaut = (v > haut) != renverse;
        const double bord = enHaut ? zone.top() : zone.bottom(), pointe = enHaut ? taille : -taille;
        const QPointF triangle[] = {{x, bord + 1}, {x - taille * 0.7, bord + 1 + pointe}, {x + taille * 0.7, bord + 1 + pointe}};
        p.drawPolygon(triangle, 3);
    }
}

int pointsVisibles(const JeuDonnees& j)
{
    return j.resumes().visibles();
}

// La géométrie et l'allure des barres d'un jeu.
struct Barres
{
    double largeur = 0, decalage = 0, zero = 0;
    bool empile = false;
    Qt::BrushStyle style = Qt::SolidPattern;
    bool translucide = false, contour = false, ombre = false, valeurs = false;
    QFont policeValeurs;
    int enValeur = -1;        // le point mis en valeur, depuis 0
    int couleurEnValeur = 12;
};

Barres barres(const QPainter& p, const ModeleGraphique& m, const CarteEchelles& carte, int rang, int nombre)
{
    Barres b;
    b.empile = m.empilementBarres == 2;
    // Une barre remplit sa case ; plusieurs jeux se la partagent côte à côte, sauf empilés ou superposés.
    const double utile = carte.echelleX() * (nombre > 1 && !b.empile ? 0.85 : 1.0);
    const bool cote = !b.empile && m.placementJeux == 0 && nombre > 1;
    b.largeur = cote ? utile / nombre : utile;
    b.decalage = -utile / 2 + (cote ? rang * b.largeur : 0.0);
    b.zero = std::clamp(0.0, std::min(carte.yMin(), carte.yMax()), std::max(carte.yMin(), carte.yMax()));
    b.style = motif(m.motifBarres);
    b.translucide = m.motifBarres == 5;
    b.contour = m.contourBarres > 0 && b.largeur >= 3;
    b.ombre = m.ombre > 0 && b.largeur >= 3;
    b.valeurs = m.valeursAffichees > 0;
    b.policeValeurs = p.font();
    b.policeValeurs.setPixelSize(std::max(7, int(std::min(carte.zone().height() / 40.0, 12.0))));
    return b;
}

void remplirBarre(QPainter& p, const Barres& b, const QRectF& r, const QColor& teinte)
{
    QColor c = teinte;
    if (b.ombre)
        p.fillRect(r.translated(2, -2), QColor(0, 0, 0, 60));
    if (b.translucide)
        c.setAlpha(130);
    p.fillRect(r, QBrush(c, b.style));
    if (b.contour) {
        p.setPen(QPen(c.darker(170), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    }
}

// La valeur au-dessus de sa barre, quand elle y tient.
void valeurDeBarre(QPainter& p, const ModeleGraphique& m, const Barres& b, const QRectF& r, double x0, double v,
                   const QRectF& zone, const OptionsPeinture& o)
{
    const QFontMetricsF mv(b.policeValeurs);
    const QString t = QString::number(v, 'g', 4);
    if (mv.horizontalAdvance(t) + 2 > b.largeur || r.top() - mv.height() < zone.top())
        return;
    p.setFont(b.policeValeurs);
    p.setPen(couleurTexte(m, ModeleGraphique::ElementAxes, o));
    p.drawText(QRectF(x0 - 10, r.top() - mv.height(), b.largeur + 20, mv.height()), Qt::AlignHCenter | Qt::AlignBottom, t);
}

void peindreBarresLarges(QPainter& p, const ModeleGraphique& m, const JeuDonnees& j, const CarteEchelles& carte,
                         const OptionsPeinture& o, const Barres& b, std::vector<double>& cumul)
{
    const QRectF zone = carte.zone();
    for (int i = 0; i < j.taille(); ++i) {
        if (!j.visible(i))
            continue;
        const double x0 = carte.px(i + 0.5) + b.decalage;
        if (x0 > zone.right() || x0 + b.largeur < zone.left())
            continue;
        const double v = j.valeurs[std::size_t(i)];
        // Seule, la barre va de la ligne du zéro (le bas de l'axe quand il ne contient pas 0) à sa valeur ;
        // empilée, de la somme des jeux d'avant à cette somme plus sa valeur.
        double bas = b.zero, haut = v;
        if (b.empile && !cumul.empty()) {
            bas = cumul[std::size_t(i)];
            haut = bas + v;
            cumul[std::size_t(i)] += v;
        }
        // Des barres jointives gardent un filet entre elles dès qu'elles sont assez larges pour être distinguées.
        const double trait = b.largeur >= 6 ? 1.0 : 0.0;
        const QRectF r = QRectF(QPointF(x0, carte.py(bas)), QPointF(x0 + b.largeur - trait, carte.py(haut))).normalized();
        remplirBarre(p, b, r, couleur(i == b.enValeur ? b.couleurEnValeur : j.couleur(i), o));
        if (b.valeurs)
            valeurDeBarre(p, m, b, r, x0, double(v), zone, o);
    }
}

// Plus fine qu'un pixel, la barre du point mis en valeur en garde trois, par-dessus ses voisines
// (empilée, elle reste à sa place dans la pile).
void barreFineEnValeur(QPainter& p, const JeuDonnees& j, const CarteEchelles& carte, const OptionsPeinture& o, const Barres& b,
                       const std::vector<double>& cumul)
{
    const int i = b.enValeur;
    if (i < 0 || i >= j.taille() || !j.visible(i))
        return;
    const double v = j.valeurs[std::size_t(i)];
    const double haut = b.empile && !cumul.empty() ? cumul[std::size_t(i)] : v;
    const double bas = b.empile && !cumul.empty() ? haut - v : b.zero;
    const double x = carte.px(i + 0.5) + b.decalage + b.largeur / 2;
    p.fillRect(QRectF(QPointF(x - 1, carte.py(haut)), QPointF(x + 2, carte.py(bas))).normalized(), couleur(b.couleurEnValeur, o));
}

// Plus étroites qu'un pixel : une barre par colonne de pixels, aussi haute que son point le plus haut.
void peindreBarresFines(QPainter& p, const JeuDonnees& j, const CarteEchelles& carte, const OptionsPeinture& o, const Barres& b,
                        std::vector<double>& cumul)
{
    const QRectF zone = carte.zone();
    long long colonne = std::numeric_limits<long long>::min();
    double haut = 0, bas = 0;
    int couleurHaut = 0, couleurBas = 0;
    bool ouverte = false;
    auto fermer = [&] {
        if (!ouverte)
            return;
        const double x = double(colonne);
        if (haut > 0)
            p.fillRect(QRectF(QPointF(x, carte.py(b.zero + haut)), QPointF(x + 1, carte.py(b.zero))).normalized(), couleur(couleurHaut, o));
        if (bas < 0)
            p.fillRect(QRectF(QPointF(x, carte.py(b.zero)), QPointF(x + 1, carte.py(b.zero + bas))).normalized(), couleur(couleurBas, o));
        ouverte = false;
    };
    for (int i = 0; i < j.taille(); ++i) {
        if (!j.visible(i))
            continue;
        const double px = carte.px(i + 0.5) + b.decalage + b.largeur / 2;
        if (px < zone.left() - 1 || px > zone.right() + 1)
            continue;
        double v = j.valeurs[std::size_t(i)] - b.zero;
        if (b.empile && !cumul.empty()) {
            v += cumul[std::size_t(i)];
            cumul[std::size_t(i)] += j.valeurs[std::size_t(i)];
        }
        const long long c = ColonnePixel(px);
        if (!ouverte || c != colonne) {
            fermer();
            ouverte = true;
            colonne = c;
            haut = bas = 0;
        }
        if (v > haut) {
            haut = v;
            couleurHaut = j.couleur(i);
        }
        if (v < bas) {
            bas = v;
            couleurBas = j.couleur(i);
        }
    }
    fermer();
    barreFineEnValeur(p, j, carte, o, b, cumul);
}

void peindreBarres(QPainter& p, const ModeleGraphique& m, int s, const CarteEchelles& carte, const OptionsPeinture& o,
                   int rang, int nombre, std::vector<double>& cumul)
{
    const JeuDonnees& j = m.jeux[std::size_t(s)];
    Barres b = barres(p, m, carte, rang, nombre);
    b.enValeur = m.jeuPointEnValeur == s + 1 ? m.pointEnValeur - 1 : -1;
    b.couleurEnValeur = m.couleurPointEnValeur;
    if (b.largeur >= 1.5)
        peindreBarresLarges(p, m, j, carte, o, b, cumul);
    else
        peindreBarresFines(p, j, carte, o, b, cumul);
}

void peindreImageFond(QPainter& p, const ModeleGraphique& m, const QRectF& cadre)
{
    const auto image = ImagesFond::charger(MoteurGraphique::cheminImage(m.imageFond));
    if (!image)
        return;
    switch (m.placementImageFond) {
    case 1: {
        QRectF r(QPointF(0, 0), image->taille);
        r.moveCenter(cadre.center());
        ImagesFond::peindre(p, *image, r);
        break;
    }
    case 2:
        if (!image->estPicture && !image->image.isNull()) {
            p.save();
            p.setClipRect(cadre, Qt::IntersectClip);
            p.drawTiledPixmap(cadre, QPixmap::fromImage(image->image), QPointF(0, 0));
            p.restore();
            break;
        }
        [[fallthrough]];
    case 3:
    case 4:
        ImagesFond::peindre(p, *image, cadre);
        break;
    default:
        break;
    }
}

void peindreGrille(QPainter& p, const ModeleGraphique& m, const Disposition& d)
{
    if (m.grille <= 0)
        return;
    QPen stylo(couleurGrille(m), 1, Qt::DotLine);
    stylo.setCosmetic(true);
    p.setPen(stylo);
    if (m.grille == 2 || m.grille == 3)
        for (double x : d.graduationsX)
            if (x > d.zone.left() + 0.5 && x < d.zone.right() - 0.5)
                p.drawLine(QPointF(x, d.zone.top()), QPointF(x, d.zone.bottom()));
    if (m.grille == 1 || m.grille == 3)
        for (double y : d.graduationsY)
            if (y > d.zone.top() + 0.5 && y < d.zone.bottom() - 0.5)
                p.drawLine(QPointF(d.zone.left(), y), QPointF(d.zone.right(), y));
}

void peindreFondZone(QPainter& p, const ModeleGraphique& m, const QRectF& zone, const OptionsPeinture& o)
{
    const int c = m.couleurElement(ModeleGraphique::ZoneTrace);
    if (c >= 0)
        p.fillRect(zone, couleur(c, o));
    if (m.placementImageFond == 4)
        peindreImageFond(p, m, zone);
}

} // namespace

namespace {

// Une ligne ou des marques seules : le tracé, ses marques quand les points sont espacés, le point mis en valeur.
void peindreJeuLigne(QPainter& p, const ModeleGraphique& m, int s, const CarteEchelles& carte, const OptionsPeinture& o,
                     double trait)
{
    const JeuDonnees& j = m.jeux[std::size_t(s)];
    const double epaisseur = (m.jeuEnValeur == s + 1) ? trait * 2.2 : trait;
    const int visibles = pointsVisibles(j);
    const double espacement = visibles > 0 ? carte.zone().width() / visibles : 0.0;
    if (m.type != 1)
        peindreLigne(p, j, carte, o, epaisseur, espacement > 0 && espacement < 0.5);
    p.setRenderHint(QPainter::Antialiasing, true);
    const bool marques = m.type == 1 || (m.marqueurs > 0 && espacement >= 8.0);
    const bool validites = !j.validites.empty() && espacement >= 3.0;
    if (marques || validites)
        peindreMarques(p, j, carte, o, std::max(2.0, trait * 1.6), marques, validites);
    if (m.jeuPointEnValeur == s + 1)
        peindrePointEnValeur(p, j, carte, m.pointEnValeur - 1, couleur(m.couleurPointEnValeur, o), std::max(4.0, trait * 2.8));
}

} // namespace

void PeintreGraphique::peindreSeries(QPainter& p, const ModeleGraphique& m, const CarteEchelles& carte,
                                     const OptionsPeinture& o)
{
    p.save();
    p.setClipRect(carte.zone(), Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double trait = epaisseurTrait(carte);

    int nombreBarres = 0;
    const bool barres = m.type == 3;
    if (barres)
        for (const JeuDonnees& j : m.jeux)
            nombreBarres += (!j.avecX && pointsVisibles(j) > 0) ? 1 : 0;
    std::vector<double> cumul;
    if (barres && m.empilementBarres == 2)
        cumul.assign(std::size_t(m.nbPoints), 0.0);

    int rang = 0;
    for (int s = 0; s < m.nbJeux(); ++s) {
        const JeuDonnees& j = m.jeux[std::size_t(s)];
        if (j.taille() == 0 || (barres && !j.avecX && pointsVisibles(j) == 0))
            continue;
        if (barres && !j.avecX) {
            p.setRenderHint(QPainter::Antialiasing, false);
            peindreBarres(p, m, s, carte, o, rang++, nombreBarres, cumul);
            p.setRenderHint(QPainter::Antialiasing, true);
            continue;
        }
        peindreJeuLigne(p, m, s, carte, o, trait);
    }
    if (m.marquesDepassement == 1)
        for (const JeuDonnees& j : m.jeux)
            peindreDepassements(p, j, carte, std::max(7.0, trait * 4.5));
    p.restore();
}

void PeintreGraphique::peindreZone(QPainter& p, const ModeleGraphique& m, const QRectF& cadreReference,
                                   const QRectF& cible, const OptionsPeinture& o)
{
    // La disposition du graphique entier, sa zone de tracé étirée sur la cible.
    const Disposition d(m, cadreReference);
    const CarteEchelles carte(cible, d.carteGauche.xMin(), d.carteGauche.xMax(), d.carteGauche.yMin(),
                              d.carteGauche.yMax());
    p.save();
    p.setClipRect(cible, Qt::IntersectClip);
    const int c = m.couleurElement(ModeleGraphique::ZoneTrace);
    p.fillRect(cible, couleur(c >= 0 ? c : m.couleurFond, o));
    if (m.grille > 0) {
        Disposition ajustee = d;
        const double fx = d.zone.width() > 0 ? cible.width() / d.zone.width() : 1.0;
        const double fy = d.zone.height() > 0 ? cible.height() / d.zone.height() : 1.0;
        for (double& x : ajustee.graduationsX)
            x = cible.left() + (x - d.zone.left()) * fx;
        for (double& y : ajustee.graduationsY)
            y = cible.top() + (y - d.zone.top()) * fy;
        ajustee.zone = cible;
        peindreGrille(p, m, ajustee);
    }
    if (!o.vierge)
        peindreSeries(p, m, carte, o);
    p.restore();
}

namespace {

// Le cadre de la zone de tracé, ses axes, la ligne de zéro des barres et les graduations.
void peindreAxes(QPainter& p, const ModeleGraphique& m, const Disposition& d, const OptionsPeinture& o)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(couleurTexte(m, ModeleGraphique::ElementAxes, o), 1));
    // Des barres dans les deux sens reposent sur une ligne de zéro visible.
    if (m.type == 3 && d.carteGauche.yMin() < 0 && d.carteGauche.yMax() > 0)
        p.drawLine(QPointF(d.zone.left(), d.carteGauche.py(0)), QPointF(d.zone.right(), d.carteGauche.py(0)));
    if (m.cadreZone == 0) {
        p.setBrush(Qt::NoBrush);
        p.drawRect(d.zone);
    } else if (m.lignesAxes) {
        p.drawLine(d.zone.bottomLeft(), d.zone.bottomRight());
        p.drawLine(d.zone.bottomLeft(), d.zone.topLeft());
        if (d.axeDroit)
            p.drawLine(d.zone.bottomRight(), d.zone.topRight());
    }
    const double g = d.longueurGraduation;
    if (g <= 0)
        return;
    for (double x : d.graduationsX)
        if (x >= d.zone.left() - 0.5 && x <= d.zone.right() + 0.5)
            p.drawLine(QPointF(x, d.zone.bottom()), QPointF(x, d.zone.bottom() + g));
    for (const Disposition::Libelle& l : d.libellesGauche)
        p.drawLine(QPointF(d.zone.left() - g, l.pixel), QPointF(d.zone.left(), l.pixel));
    for (const Disposition::Libelle& l : d.libellesDroite)
        p.drawLine(QPointF(d.zone.right(), l.pixel), QPointF(d.zone.right() + g, l.pixel));
}

void peindreLibelles(QPainter& p, const Disposition& d)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(d.policeLibelles);
    const double g = d.longueurGraduation;
    const double hl = QFontMetricsF(d.policeLibelles).height();
    for (const Disposition::Libelle& l : d.libellesX) {
        if (d.libellesXVerticaux) {
            p.save();
            p.translate(l.pixel, d.zone.bottom() + g + d.marge * 0.3);
            p.rotate(-90);
            p.drawText(QRectF(-2000, -hl / 2, 2000, hl), Qt::AlignRight | Qt::AlignVCenter, l.texte);
            p.restore();
        } else {
            p.drawText(QRectF(l.pixel - 1000, d.zone.bottom() + g + 1, 2000, hl), Qt::AlignHCenter | Qt::AlignTop, l.texte);
        }
    }
    for (const Disposition::Libelle& l : d.libellesGauche)
        p.drawText(QRectF(d.cadre.left(), l.pixel - hl / 2, d.zone.left() - g - d.marge * 0.4 - d.cadre.left(), hl),
                   Qt::AlignRight | Qt::AlignVCenter, l.texte);
    for (const Disposition::Libelle& l : d.libellesDroite)
        p.drawText(QRectF(d.zone.right() + g + d.marge * 0.4, l.pixel - hl / 2, 2000, hl), Qt::AlignLeft | Qt::AlignVCenter, l.texte);
}

// Un titre d'axe couché le long de son cadre (-90 : à gauche, 90 : à droite).
void titreCouche(QPainter& p, const QRectF& r, double angle, const QString& texte)
{
    if (texte.isEmpty())
        return;
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    p.drawText(QRectF(-r.height() / 2, -r.width() / 2, r.height(), r.width()), Qt::AlignCenter, texte);
    p.restore();
}

void peindreTitres(QPainter& p, const ModeleGraphique& m, const Disposition& d)
{
    p.setFont(d.policeTitresAxes);
    if (!d.titreX.isEmpty())
        p.drawText(d.rectTitreX, Qt::AlignCenter, d.titreX);
    titreCouche(p, d.rectTitreGauche, -90, d.titreGauche);
    titreCouche(p, d.rectTitreDroite, 90, d.titreDroite);
    if (!d.titre.isEmpty()) {
        p.setFont(d.policeTitre);
        p.setPen(fondSombre(m) ? QColor(Qt::white) : QColor(Qt::black));
        p.drawText(d.rectTitre, Qt::AlignCenter, d.titre);
    }
}

// L'échantillon d'une entrée de légende : un carré pour des barres, un trait pour une ligne, un rond pour un point.
void peindreEchantillon(QPainter& p, const Disposition::EntreeLegende& e, const QRectF& r, const OptionsPeinture& o)
{
    using Forme = Disposition::EntreeLegende::Forme;
    const QColor c = couleur(e.couleur, o);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (e.forme) {
    case Forme::Carre:
        p.fillRect(r, c);
        break;
    case Forme::Trait:
    case Forme::TraitEpais:
        p.setPen(QPen(c, std::max(1.5, r.height() * (e.forme == Forme::TraitEpais ? 0.35 : 0.15)), Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
        break;
    case Forme::Rond:
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(c);
        p.drawEllipse(r.center(), r.width() * 0.42, r.width() * 0.42);
        break;
    }
    p.restore();
}

void peindreLegende(QPainter& p, const ModeleGraphique& m, const Disposition& d, const OptionsPeinture& o)
{
    if (d.legende.isEmpty())
        return;
    const QColor texteLegende = couleurTexte(m, ModeleGraphique::ElementLegende, o);
    p.setFont(d.policeLegende);
    const QFontMetricsF mg(d.policeLegende);
    if (m.cadreLegende == 0) {
        p.setPen(QPen(texteLegende, 1));
        p.setBrush(fondSombre(m) ? QColor(0, 0, 0, 60) : QColor(255, 255, 255, 220));
        if (m.ombre > 0)
            p.fillRect(d.rectLegende.translated(3, 3), QColor(0, 0, 0, 60));
        p.drawRect(d.rectLegende);
    }
    const double carre = mg.height() * 0.8;
    double x = d.rectLegende.left() + d.marge, y = d.rectLegende.top() + d.marge * 0.5;
    for (const Disposition::EntreeLegende& e : d.legende) {
        const double largeur = carre + d.marge + mg.horizontalAdvance(e.texte) + d.marge * 2;
        if (!d.legendeADroite && x + largeur > d.rectLegende.right() && x > d.rectLegende.left() + d.marge) {
            x = d.rectLegende.left() + d.marge;
            y += d.hauteurLigneLegende;
        }
        peindreEchantillon(p, e, QRectF(x, y + (d.hauteurLigneLegende - carre) / 2, carre, carre), o);
        p.setPen(texteLegende);
        p.drawText(QRectF(x + carre + d.marge * 0.6, y, 4000, d.hauteurLigneLegende), Qt::AlignLeft | Qt::AlignVCenter, e.texte);
        if (d.legendeADroite)
            y += d.hauteurLigneLegende;
        else
            x += largeur;
    }
}

// Une ligne d'avertissement en haut de la zone de tracé, sur un fond qui la détache des courbes.
void peindreAvertissement(QPainter& p, const ModeleGraphique& m, const Disposition& d)
{
    const QString texte = m.avertissement.trimmed();
    if (texte.isEmpty())
        return;
    p.setFont(d.policeLegende);
    const QFontMetricsF mesure(d.policeLegende);
    const QRectF r(d.zone.left() + d.marge, d.zone.top() + d.marge, std::min(mesure.horizontalAdvance(texte) + d.marge * 2, d.zone.width() - d.marge * 2),
                   mesure.height() + d.marge * 0.6);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(200, 20, 20), 1));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRect(r);
    p.setPen(QColor(160, 0, 0));
    p.drawText(r.adjusted(d.marge, 0, -d.marge, 0), Qt::AlignLeft | Qt::AlignVCenter, mesure.elidedText(texte, Qt::ElideRight, r.width() - d.marge * 2));
}

} // namespace

void PeintreGraphique::peindre(QPainter& p, const ModeleGraphique& m, const QRectF& cadre, const OptionsPeinture& o)
{
    peindre(p, m, Disposition(m, cadre), cadre, o);
}

void PeintreGraphique::peindre(QPainter& p, const ModeleGraphique& m, const Disposition& d, const QRectF& cadre,
                               const OptionsPeinture& o)
{
    p.save();
    p.setClipRect(cadre, Qt::IntersectClip);
    p.fillRect(cadre, couleur(m.couleurFond, o));
    if (m.placementImageFond >= 1 && m.placementImageFond <= 3)
        peindreImageFond(p, m, cadre);
    peindreFondZone(p, m, d.zone, o);
    peindreGrille(p, m, d);
    if (!o.vierge)
        peindreSeries(p, m, d.carteGauche, o);
    peindreAxes(p, m, d, o);
    peindreLibelles(p, d);
    peindreTitres(p, m, d);
    peindreLegende(p, m, d, o);
    peindreAvertissement(p, m, d);
    const int cadreCouleur = m.couleurElement(ModeleGraphique::Cadre);
    if (cadreCouleur >= 0) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(couleur(cadreCouleur, o), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cadre.adjusted(0, 0, -1, -1));
    }
    p.restore();
}
