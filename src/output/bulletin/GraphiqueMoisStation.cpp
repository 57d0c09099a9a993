#include "output/bulletin/GraphiqueMoisStation.h"

#include "output/bulletin/CouleursClasses.h"
#include "output/bulletin/LegendeClasses.h"
#include "output/bulletin/PoliceBulletin.h"
#include "output/bulletin/TexteBulletin.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QLocale>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace GraphiqueMoisStation {

namespace {

using Extraction = std::function<std::optional<double>(const LigneBulletin::MoisContexte&)>;

struct Jeu
{
    QString titre;  // vide : hors de la légende
    int couleur;
    Extraction valeur;  // telle que rangée
    bool trace = true;  // faux : le moteur n'en dessine que les axes, la page dessine le reste
};

constexpr double hauteurLegende = 16;

// Ce que le moteur trace d'une valeur rangée : un niveau dans son échelle, le reste tel quel.
std::optional<double> tracee(const LigneBulletin& l, std::optional<double> v)
{
    return v && l.echelle ? std::optional(l.echelle->tracee(*v)) : v;
}

// Les classes de texte du graphique, dans la police de la page : taille en pour cent.
void polices(MoteurGraphique& m)
{
    static const std::pair<int, int> classes[] = {{0, 110}, {1, 95}, {2, 85}, {3, 85}};
    for (const auto& [classe, taille] : classes) {
        m.ecrire(Prop::ClasseTexte, classe);
        m.ecrire(Prop::PolicePolice, PoliceBulletin::famille());
        m.ecrire(Prop::TaillePolice, taille);
    }
}

void axeX(MoteurGraphique& m, const LigneBulletin& l)
{
    const QLocale francais(QLocale::French);
    m.ecrire(Prop::NbPoints, int(l.contexte.size()));
    m.ecrire(Prop::PlacementLibellesX, 2);
    m.ecrire(Prop::EspacementLibelles, 1);
    for (std::size_t p = 0; p < l.contexte.size(); ++p)
        m.ecrireIndexe(Prop::LibelleX, int(p + 1), francais.toString(l.contexte[p].mois, QStringLiteral("MMM yy")));
}

// Un pas rond de 1, 2 ou 5 fois une puissance de dix, pour cinq divisions environ.
double pasRond(double etendue)
{
    const double brut = std::max(etendue / 5.0, 1e-6);
    const double puissance = std::pow(10.0, std::floor(std::log10(brut)));
    for (double facteur : {1.0, 2.0, 5.0})
        if (facteur * puissance >= brut)
            return facteur * puissance;
    return 10 * puissance;
}

// Les graduations écrites comme la page écrit ses nombres ; un niveau dans son échelle.
void graduations(MoteurGraphique& m, const LigneBulletin& l, double mini, double pas, int divisions)
{
    const int decimales = std::max(0, int(-std::floor(std::log10(pas) + 1e-9)));
    for (int i = 0; i <= divisions; ++i) {
        const double v = mini + i * pas;
        m.ecrireIndexe(Prop::LibelleGauche, i + 1, TexteBulletin::nombre(l.echelle ? l.echelle->ecrite(v) : v, decimales));
    }
}

// Des bornes rondes qui tiennent toutes les valeurs tracées, zéro compris pour des barres.
void bornes(MoteurGraphique& m, const LigneBulletin& l, const std::vector<Jeu>& jeux, bool zero)
{
    double bas = zero ? 0.0 : std::numeric_limits<double>::max(), haut = zero ? 0.0 : std::numeric_limits<double>::lowest();
    for (const Jeu& j : jeux)
        for (const auto& c : l.contexte)
            if (const auto v = tracee(l, j.valeur(c))) {
                bas = std::min(bas, *v);
                haut = std::max(haut, *v);
            }
    if (bas > haut)
        return;
    const double pas = pasRond(haut - bas);
    const double mini = std::floor(bas / pas) * pas, maxi = std::max(std::ceil(haut / pas) * pas, mini + pas);
    const int divisions = int(std::lround((maxi - mini) / pas));
    m.ecrire(Prop::ModeEchelleY, 2);
    m.ecrire(Prop::AxeY, 0);
    m.ecrire(Prop::DivisionsY, divisions);
    m.ecrire(Prop::YMax, maxi);
    m.ecrire(Prop::YMin, mini);
    graduations(m, l, mini, pas, divisions);
}

void jeux(MoteurGraphique& m, const LigneBulletin& l, const std::vector<Jeu>& jeux)
{
    m.ecrire(Prop::NbJeux, int(jeux.size()));
    for (std::size_t j = 0; j < jeux.size(); ++j) {
        m.ecrire(Prop::Jeu, int(j + 1));
        m.ecrireIndexe(Prop::Legende, int(j + 1), jeux[j].titre);
        m.ecrireIndexe(Prop::CouleurPoint, 1, jeux[j].couleur);
        for (std::size_t p = 0; p < l.contexte.size(); ++p) {
            const auto v = jeux[j].trace ? tracee(l, jeux[j].valeur(l.contexte[p])) : std::nullopt;
            m.ecrireIndexe(Prop::ValeurPoint, int(p + 1), v.value_or(0.0));
            m.ecrire(Prop::Manquant, v ? 0 : 1);
        }
    }
}

void remplir(MoteurGraphique& m, const LigneBulletin& l, const std::vector<Jeu>& js, int type, const QString& titre,
             const QString& titreY)
{
    m.ecrire(Prop::Reinitialisation, 9);
    polices(m);
    m.ecrire(Prop::TypeGraphe, type);
    m.ecrire(Prop::Grille, 1);
    m.ecrire(Prop::PositionLegende, 1);
    m.ecrire(Prop::CadreLegende, 1);
    axeX(m, l);
    jeux(m, l, js);
    bornes(m, l, js, type == 3);
    m.ecrire(Prop::TitreGraphique, titre);
    m.ecrire(Prop::TitreX, QStringLiteral(" "));
    m.ecrire(Prop::TitreYGauche, titreY);
    m.ecrire(Prop::Dessin, DemandeDessin::Dessiner);
}

void peindre(QPainter& p, MoteurGraphique& m, const QRectF& r)
{
    m.setTaille(r.size().toSize());
    p.save();
    p.translate(r.topLeft());
    m.peindre(p, QRectF(QPointF(0, 0), r.size()));
    p.restore();
}

Extraction quintile(int i)
{
    return [i](const LigneBulletin::MoisContexte& c) { return c.quintiles[std::size_t(i)]; };
}

std::optional<double> ecart(const LigneBulletin::MoisContexte& c)
{
    return c.valeur && c.normale ? std::optional(*c.valeur - *c.normale) : std::nullopt;
}

// Chaque barre dans la case de son mois (le mois p occupe [p - 1, p] en unités du graphique), de zéro à son écart.
void barresDesClasses(QPainter& p, const MoteurGraphique& m, const LigneBulletin& l, const QRectF& r)
{
    const QRectF cadre(QPointF(0, 0), r.size());
    p.save();
    p.translate(r.topLeft());
    p.setClipRect(m.zoneTrace(cadre));
    for (std::size_t i = 0; i < l.contexte.size(); ++i) {
        const auto& c = l.contexte[i];
        if (const auto e = ecart(c); e && c.classe) {
            // Un liseré plus foncé détache du fond blanc la teinte claire des mois normaux.
            p.setPen(QPen(CouleursClasses::fond(*c.classe).darker(140), 0.8));
            p.setBrush(CouleursClasses::fond(*c.classe));
            p.drawRect(QRectF(m.versPixels(QPointF(i + 0.15, 0), cadre), m.versPixels(QPointF(i + 0.85, *e), cadre)).normalized());
        }
    }
    p.restore();
}

} // namespace

void situation(QPainter& p, MoteurGraphique& m, const LigneBulletin& l, const QRectF& cadre)
{
    std::vector<Jeu> js = {{QStringLiteral("1er Quintile "), 6, quintile(0)},
                           {QStringLiteral("2ème Quintile "), 7, quintile(1)},
                           {QStringLiteral("3ème Quintile "), 8, quintile(2)},
                           {QStringLiteral("4ème Quintile "), 11, quintile(3)}};
    if (l.genre->normalesOfficielles)
        js.push_back({QStringLiteral("Normales MétéoFrance"), 3, [](const auto& c) { return c.normale; }});
    // Un relevé trop court n'a pas de quintiles, une station sans normales n'en a pas : rien à légender.
    std::erase_if(js, [&l](const Jeu& j) { return std::none_of(l.contexte.cbegin(), l.contexte.cend(), j.valeur); });
    const bool quintiles = !js.empty() && js.front().couleur == 6;
    // La valeur du mois en dernier : tracée par-dessus les quintiles, en trait épais.
    js.push_back({l.texteGrandeur() + QStringLiteral(" du mois"), 1, [](const auto& c) { return c.valeur; }});
    m.ecrire(Prop::JeuEnValeur, int(js.size()));
    const QString titreY = l.echelle ? l.echelle->titreAxe() : QStringLiteral("%1 (%2)").arg(l.texteGrandeur(), l.genre->texteUnite());
    remplir(m, l, js, 6,
            l.texteGrandeur()
                + (quintiles ? QStringLiteral(" de chaque mois parmi les quintiles du relevé")
                             : QStringLiteral(" de chaque mois (relevé trop court pour ses quintiles)")),
            titreY);
    peindre(p, m, cadre);
}

void ecarts(QPainter& p, MoteurGraphique& m, const LigneBulletin& l, const QRectF& cadre)
{
    m.ecrire(Prop::JeuEnValeur, 0);
    remplir(m, l, {{QString(), 0, ecart, false}}, 3, QStringLiteral("Écart à la normale"),
            QStringLiteral("Écart (%1)").arg(l.genre->texteUnite()));
    const QRectF graphique = cadre.adjusted(0, 0, 0, -hauteurLegende - 6);
    peindre(p, m, graphique);
    barresDesClasses(p, m, l, graphique);
    const QRectF legende(cadre.left() + cadre.width() * 0.1, cadre.bottom() - hauteurLegende, cadre.width() * 0.8, hauteurLegende);
    LegendeClasses::peindre(p, legende, [&l](int k) { return l.genre->libelleClasse(k); });
}

} // namespace GraphiqueMoisStation
