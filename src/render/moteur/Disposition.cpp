#include "render/moteur/Disposition.h"

#include "commun/Nombres.h"
#include "render/moteur/EntierBorne.h"
#include "render/moteur/GraduationsRondes.h"
#include "render/moteur/ModeleGraphique.h"
#include "render/moteur/PolicesMoteur.h"

#include <QFontMetricsF>
#include <cmath>

namespace {

QString sansBlancs(const QString& t)
{
    return t.trimmed();
}

// Décimales qui montrent chaque pas de l'échelle.
int decimalesPour(double pas)
{
    for (int d = 0; d <= 6; ++d) {
        const double e = pas * std::pow(10.0, d);
        if (std::fabs(e - std::round(e)) < 1e-6 * std::max(1.0, std::fabs(e)))
            return d;
    }
    return 6;
}

// Garde un libellé sur k, k le plus petit qui laisse le plus large tenir entre deux gardés.
QList<Disposition::Libelle> eclaircir(const QList<Disposition::Libelle>& tous, double encombrement)
{
    if (tous.size() < 2)
        return tous;
    double ecart = std::numeric_limits<double>::max();
    for (qsizetype i = 1; i < tous.size(); ++i)
        ecart = std::min(ecart, std::fabs(tous[i].pixel - tous[i - 1].pixel));
    if (ecart <= 0)
        ecart = 0.01;
    const qsizetype k = std::max<qsizetype>(1, qsizetype(std::ceil(encombrement / ecart)));
    QList<Disposition::Libelle> gardes;
    for (qsizetype i = 0; i < tous.size(); i += k)
        gardes.append(tous[i]);
    return gardes;
}

} // namespace

QString Disposition::texteNombre(double v, int decimales)
{
    if (std::fabs(v) < 1e-12)
        v = 0.0;
    // Au-delà de quinze décimales un double n'a plus de chiffre à montrer.
    QString motif = QStringLiteral("0");
    if (decimales > 0)
        motif += u'.' + QString(std::min(decimales, 15), u'0');
    return FormatNombre(v, motif);
}

// Des libellés donnés (176, 125) partagent l'axe en divisions égales ; sans eux,
// l'axe est gradué au pas rond le plus proche de celui des divisions.
void Disposition::preparerLibellesY(const ModeleGraphique& m)
{
    for (int axe = 0; axe < 2; ++axe) {
        if (axe == 1 && !axeDroit)
            continue;
        const Bornes b = m.bornesY(axe);
        const int n = m.divisionsY(axe);
        const QMap<int, QString>& textes = m.axes[std::size_t(axe)].libelles;
        QList<Libelle>& liste = axe == 0 ? libellesGauche : libellesDroite;
        // pixel rempli une fois la zone de tracé connue
        if (!textes.isEmpty()) {
            const int decimales = m.decimalesY >= 0 ? std::min(m.decimalesY, 6) : decimalesPour((b.max - b.min) / n);
            for (int i = 0; i <= n; ++i) {
                const double v = b.min + (b.max - b.min) * i / n;
                liste.append({v, textes.contains(i + 1) ? textes.value(i + 1) : texteNombre(v, decimales)});
            }
            continue;
        }
        for (double v : GraduationsRondes::valeurs(b.min, b.max, n))
            liste.append({v, texteNombre(v, m.decimalesY >= 0 ? std::min(m.decimalesY, 6) : decimalesPour(v))});
    }
}

double Disposition::largeurLibellesX(const ModeleGraphique& m, const QFont& police)
{
    const QFontMetricsF mesure(police);
    double largeur = 0;
    if (!m.estXY() && m.aDesPoints()) {
        // Les libellés d'une longue série ont tous le même format : un échantillon donne leur largeur.
        const int n = m.nbPoints;
        const int pas = std::max(1, n / 64);
        for (int p = 1; p <= n; p += pas) {
            const QString t = m.libellesX.contains(p) ? m.libellesX.value(p) : m.libellesTabulation.value(p - 1);
            largeur = std::max(largeur, mesure.horizontalAdvance(t.trimmed()));
        }
        return largeur;
    }
    const int n = m.nbLibellesEffectif();
    if (n >= 2) {
        for (int i = 1; i <= n; ++i)
            largeur = std::max(largeur, mesure.horizontalAdvance(m.libellesX.value(i).trimmed()));
    } else {
        for (const QString& t : m.libellesTabulation)
            largeur = std::max(largeur, mesure.horizontalAdvance(t.trimmed()));
    }
    return largeur;
}

QList<Disposition::Libelle> Disposition::candidatsX(const ModeleGraphique& m, const CarteEchelles& carte,
                                                     QList<double>& graduations, double encombrement) const
{
    QList<Libelle> l;
    const Bornes bx = m.bornesX();
    const double lo = std::min(bx.min, bx.max), hi = std::max(bx.min, bx.max);
    if (!m.estXY() && m.aDesPoints()) {
        // Seuls les libellés affichables sont construits : un siècle au pas journalier compte 36 525 points.
        const double pixelsParPoint = std::fabs(carte.echelleX());
        // Un rapport démesuré (points minuscules, espacement immense) reste un pas entier sûr.
        const auto multiple = [&m](double rapport) { return EntierBorne(rapport, 1, qint64(m.nbPoints) + 1, 1); };
        const qint64 pasLib = m.espacementLibellesEffectif();
        qint64 pas = pasLib;
        if (pixelsParPoint > 0 && encombrement > 0)
            pas *= multiple(std::floor(encombrement / (pixelsParPoint * double(pasLib))));
        for (qint64 p = 1; p <= m.nbPoints; p += pas) {
            const double x = p - 0.5;
            if (x < lo || x > hi)
                continue;
            const QString t = m.libellesX.contains(p) ? m.libellesX.value(p) : m.libellesTabulation.value(p - 1);
            l.append({carte.px(x), t.trimmed()});
        }
        qint64 pasGrad = m.espacementGraduationsEffectif();
        if (pixelsParPoint > 0)
            pasGrad *= multiple(std::ceil(std::max(encombrement, 4.0) / (pixelsParPoint * double(pasGrad)) - 1e-9));
        for (qint64 p = 0; p <= m.nbPoints; p += pasGrad)
            if (p >= lo && p <= hi)
                graduations.append(carte.px(p));
        return l;
    }

    QStringList textes;
    const int n = m.nbLibellesEffectif();
    if (n >= 2) {
        for (int i = 1; i <= n; ++i)
            textes << m.libellesX.value(i);
    } else if (m.libellesTabulation.size() >= 2) {
        textes = m.libellesTabulation;
    }
    if (textes.isEmpty()) {
        // Aucun libellé donné : des nombres ronds en unités de X.
        const double pas = std::pow(10.0, std::floor(std::log10(std::max(hi - lo, 1e-9) / 5)));
        const double premier = std::ceil(lo / pas) * pas;
        // Compté plutôt qu'additionné : loin de zéro, x + pas peut rester x.
        for (int k = 0; k <= 1000; ++k) {
            const double x = premier + k * pas;
            if (!(x <= hi + 1e-9))
                break;
            l.append({carte.px(x), texteNombre(x, decimalesPour(pas))});
            graduations.append(carte.px(x));
        }
        return l;
    }
    // Dates d'un graphique X–Y : les libellés se partagent l'axe en intervalles
    // égaux, chacun sous le milieu du sien (une année sous son année, un mois sous son mois).
    const qsizetype k = textes.size();
    for (qsizetype i = 0; i < k; ++i)
        l.append({carte.zone().left() + (i + 0.5) / k * carte.zone().width(), textes[i].trimmed()});
    for (qsizetype i = 0; i <= k; ++i)
        graduations.append(carte.zone().left() + double(i) / k * carte.zone().width());
    return l;
}

Disposition::Disposition(const ModeleGraphique& m, const QRectF& c)
    : cadre(c)
{
    base = PolicesMoteur::tailleBase(c.width(), c.height());
    marge = base * 0.6;
    longueurGraduation = m.graduations ? base * 0.35 : 0.0;
    policeTitre = PolicesMoteur::police(m.polices[0], base, true);
    policeTitresAxes = PolicesMoteur::police(m.polices[1], base);
    policeLibelles = PolicesMoteur::police(m.polices[2], base);
    policeLegende = PolicesMoteur::police(m.polices[3], base);
    titre = sansBlancs(m.titre);
    ajusterTitre(c.width() - 2 * marge);
    titreX = sansBlancs(m.titreX);
    titreGauche = sansBlancs(m.titreYGauche);
    axeDroit = m.axeDroitVisible();
    titreDroite = axeDroit ? sansBlancs(m.titreYDroite) : QString();

    preparerLibellesY(m);
    Encombrements e = mesurer(m);
    placerZone(e);
    const Bornes bx = m.bornesX();
    const Bornes bg = m.bornesY(0);
    const Bornes bd = m.bornesY(1);
    carteGauche = CarteEchelles(zone, bx.min, bx.max, bg.min, bg.max);
    carteDroite = CarteEchelles(zone, bx.min, bx.max, bd.min, bd.max);
    placerLibellesX(m, e);
    placerLibellesY();
    placerCadres(e);
}

// Un titre plus large que le cadre prend une police plus petite (jusqu'aux trois cinquièmes),
// puis, s'il le faut encore, perd sa fin : il ne sort jamais du graphique.
void Disposition::ajusterTitre(double largeur)
{
    const double voulue = QFontMetricsF(policeTitre).horizontalAdvance(titre);
    if (titre.isEmpty() || voulue <= largeur || largeur <= 0)
        return;
    const int taille = policeTitre.pixelSize();
    policeTitre.setPixelSize(std::max({6, int(taille * 0.6), int(taille * largeur / voulue)}));
    titre = QFontMetricsF(policeTitre).elidedText(titre, Qt::ElideRight, largeur);
}

// Entrées de la légende : le point mis en valeur, les séries de l'image de fond (des
// barres), puis les jeux qui ont reçu un texte, chacun avec l'allure de son tracé.
void Disposition::preparerLegende(const ModeleGraphique& m)
{
    using Forme = EntreeLegende::Forme;
    if (m.positionLegende == 0)
        return;
    const bool barres = m.type == 3;
    if (const QString t = sansBlancs(m.legendePointEnValeur); !t.isEmpty() && m.pointEnValeur > 0)
        legende.append({m.couleurPointEnValeur, t, barres ? Forme::Carre : Forme::Rond});
    for (auto it = m.legendesFond.cbegin(); it != m.legendesFond.cend(); ++it)
        if (const QString t = sansBlancs(it.value()); !t.isEmpty())
            legende.append({m.couleursLegendesFond.value(it.key(), 1), t, Forme::Carre});
    for (int s = 1; s <= m.nbJeux(); ++s) {
        const QString t = sansBlancs(m.legendes.value(s));
        if (t.isEmpty())
            continue;
        const JeuDonnees& j = m.jeux[std::size_t(s - 1)];
        const Forme forme = barres && !j.avecX ? Forme::Carre : m.jeuEnValeur == s ? Forme::TraitEpais : Forme::Trait;
        legende.append({j.taille() > 0 ? j.couleur(0) : j.couleurDefaut, t, forme});
    }
}

// Ce que prennent les libellés et la légende autour de la zone de tracé.
Disposition::Encombrements Disposition::mesurer(const ModeleGraphique& m)
{
    const QFontMetricsF mLib(policeLibelles), mLeg(policeLegende);
    Encombrements e;
    for (const Libelle& l : libellesGauche)
        e.largeurGauche = std::max(e.largeurGauche, mLib.horizontalAdvance(l.texte));
    for (const Libelle& l : libellesDroite)
        e.largeurDroite = std::max(e.largeurDroite, mLib.horizontalAdvance(l.texte));
    preparerLegende(m);
    legendeADroite = m.positionLegende != 1;
    hauteurLigneLegende = mLeg.height() * 1.3;
    const double carre = mLeg.height() * 0.8;
    for (const EntreeLegende& l : legende)
        e.largeurLegende = std::max(e.largeurLegende, carre + marge + mLeg.horizontalAdvance(l.texte));
    e.largeurLegende += 2 * marge;
    e.largeurX = largeurLibellesX(m, policeLibelles);
    if (e.largeurX == 0 && (m.estXY() || !m.aDesPoints()))
        e.largeurX = mLib.horizontalAdvance(QStringLiteral("0000"));  // nombres ronds en unités de X
    e.libellesXVisibles = m.placementLibellesX != 0 && e.largeurX > 0;
    libellesXVerticaux = m.orientationLibellesX == 1;
    e.hauteurX = !e.libellesXVisibles ? 0.0 : (libellesXVerticaux ? e.largeurX : mLib.height());
    return e;
}

// La zone de tracé : le cadre moins les titres, les libellés et la légende.
void Disposition::placerZone(const Encombrements& e)
{
    const QFontMetricsF mTitre(policeTitre), mAxes(policeTitresAxes), mLib(policeLibelles);
    const QRectF& c = cadre;
    const double haut = marge + (titre.isEmpty() ? mLib.height() * 0.5 : mTitre.height() + marge);
    double gauche = marge + e.largeurGauche + longueurGraduation + marge * 0.5;
    if (!titreGauche.isEmpty())
        gauche += mAxes.height() + marge * 0.5;
    double droite = marge;
    if (axeDroit) {
        droite += e.largeurDroite + longueurGraduation + marge * 0.5;
        if (!titreDroite.isEmpty())
            droite += mAxes.height() + marge * 0.5;
    } else if (!libellesXVerticaux) {
        droite = std::max(droite, e.largeurX * 0.5 + marge * 0.5);
    }
    double bas = marge + longueurGraduation + e.hauteurX + (e.hauteurX > 0 ? marge * 0.5 : 0.0);
    if (!titreX.isEmpty())
        bas += mAxes.height() + marge * 0.5;
    if (!legende.isEmpty()) {
        if (legendeADroite) {
            droite += e.largeurLegende + marge;
        } else {
            const int parLigne = std::max(1, int((c.width() - 2 * marge) / std::max(e.largeurLegende, 1.0)));
            const int lignes = int((legende.size() + parLigne - 1) / parLigne);
            bas += lignes * hauteurLigneLegende + marge;
        }
    }
    zone = QRectF(c.left() + gauche, c.top() + haut, c.width() - gauche - droite, c.height() - haut - bas);
    if (zone.width() < 10)
        zone.setWidth(std::max(10.0, c.width() * 0.5));
    if (zone.height() < 10)
        zone.setHeight(std::max(10.0, c.height() * 0.5));
}

// Libellés de X, éclaircis pour ne jamais se chevaucher.
void Disposition::placerLibellesX(const ModeleGraphique& m, const Encombrements& e)
{
    const QFontMetricsF mLib(policeLibelles);
    const double encombrement = (libellesXVerticaux ? mLib.height() : e.largeurX) + base * 0.6;
    if (!e.libellesXVisibles) {
        candidatsX(m, carteGauche, graduationsX, 0.0);
        return;
    }
    const QList<Libelle> tous = candidatsX(m, carteGauche, graduationsX, encombrement);
    libellesX = eclaircir(tous, encombrement);
    garderLibelleEnValeur(m, encombrement);
    if (!m.estXY() && m.aDesPoints() && !libellesX.isEmpty()) {
        // Les graduations ouvrent la case de chaque libellé gardé : une graduation là où commence un mois libellé.
        const double demiCase = std::fabs(carteGauche.echelleX()) / 2;
        graduationsX.clear();
        for (const Libelle& l : libellesX)
            graduationsX.append(l.pixel - demiCase);
    } else if (libellesX.size() < tous.size()) {
        QList<double> g;
        for (const Libelle& l : libellesX)
            g.append(l.pixel);
        graduationsX = g;
    }
}

// Le point mis en valeur d'un graphique par catégories garde son libellé ; ses voisins trop proches lui cèdent la place.
void Disposition::garderLibelleEnValeur(const ModeleGraphique& m, double encombrement)
{
    const int p = m.pointEnValeur;
    if (m.estXY() || p < 1 || p > m.nbPoints)
        return;
    const QString texte = (m.libellesX.contains(p) ? m.libellesX.value(p) : m.libellesTabulation.value(p - 1)).trimmed();
    const double pixel = carteGauche.px(p - 0.5);
    if (texte.isEmpty() || pixel < zone.left() || pixel > zone.right())
        return;
    libellesX.removeIf([&](const Libelle& l) { return std::fabs(l.pixel - pixel) < encombrement; });
    const auto place = std::find_if(libellesX.begin(), libellesX.end(), [&](const Libelle& l) { return l.pixel > pixel; });
    libellesX.insert(place, {pixel, texte});
}

// Libellés de valeurs, un sur deux (ou moins) quand ils se toucheraient.
void Disposition::placerLibellesY()
{
    const QFontMetricsF mLib(policeLibelles);
    for (int axe = 0; axe < 2; ++axe) {
        QList<Libelle>& liste = axe == 0 ? libellesGauche : libellesDroite;
        const CarteEchelles& carte = axe == 0 ? carteGauche : carteDroite;
        for (Libelle& l : liste)
            l.pixel = carte.py(l.pixel);
        if (axe == 0)
            for (const Libelle& l : liste)
                graduationsY.append(l.pixel);
        liste = eclaircir(liste, mLib.height() * 1.1);
    }
}

// Cadres du titre, des titres d'axes et de la légende.
void Disposition::placerCadres(const Encombrements& e)
{
    const QFontMetricsF mTitre(policeTitre), mAxes(policeTitresAxes);
    const QRectF& c = cadre;
    rectTitre = QRectF(c.left() + marge, c.top() + marge * 0.5, c.width() - 2 * marge, mTitre.height() + marge * 0.5);
    const double basLibelles = zone.bottom() + longueurGraduation + e.hauteurX + marge * 0.5;
    rectTitreX = QRectF(zone.left(), basLibelles, zone.width(), mAxes.height());
    rectTitreGauche = QRectF(c.left() + marge * 0.5, zone.top(), mAxes.height(), zone.height());
    const double xDroite = zone.right() + longueurGraduation + e.largeurDroite + marge;
    rectTitreDroite = QRectF(xDroite, zone.top(), mAxes.height(), zone.height());
    if (legende.isEmpty())
        return;
    if (legendeADroite) {
        const double h = legende.size() * hauteurLigneLegende + marge;
        rectLegende = QRectF(c.right() - marge - e.largeurLegende, zone.top() + std::max(0.0, (zone.height() - h) / 2), e.largeurLegende,
                             std::min(h, zone.height()));
    } else {
        const double haut = rectTitreX.top() + (titreX.isEmpty() ? 0.0 : mAxes.height() + marge * 0.5);
        rectLegende = QRectF(zone.left(), haut, zone.width(), std::max(c.bottom() - marge - haut, hauteurLigneLegende));
    }
}
