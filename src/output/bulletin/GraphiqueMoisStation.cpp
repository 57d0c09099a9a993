#include "output/bulletin/GraphiqueMoisStation.h"

#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace GraphiqueMoisStation {

namespace {

using Extraction = std::function<std::optional<double>(const LigneBulletin::MoisContexte&)>;

struct Jeu
{
    QString titre;
    int couleur;
    Extraction valeur;
};

// Les classes de texte du graphique : police et taille en pour cent, comme les graphiques du contrôle.
void polices(MoteurGraphique& m)
{
    static const std::pair<int, int> classes[] = {{0, 110}, {1, 95}, {2, 85}, {3, 85}};
    for (const auto& [classe, taille] : classes) {
        m.ecrire(Prop::ClasseTexte, classe);
        m.ecrire(Prop::PolicePolice, QStringLiteral("Comic Sans MS"));
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

// Des bornes rondes qui tiennent toutes les valeurs, zéro compris pour des barres :
// un pas de 1, 2 ou 5 fois une puissance de dix, cinq divisions environ.
void bornes(MoteurGraphique& m, const LigneBulletin& l, const std::vector<Jeu>& jeux, bool zero)
{
    double bas = zero ? 0.0 : std::numeric_limits<double>::max(), haut = zero ? 0.0 : std::numeric_limits<double>::lowest();
    for (const Jeu& j : jeux)
        for (const auto& c : l.contexte)
            if (const auto v = j.valeur(c)) {
                bas = std::min(bas, *v);
                haut = std::max(haut, *v);
            }
    if (bas > haut)
        return;
    const double brut = std::max((haut - bas) / 5.0, 1e-6);
    const double puissance = std::pow(10.0, std::floor(std::log10(brut)));
    double pas = 10 * puissance;
    for (double facteur : {1.0, 2.0, 5.0})
        if (facteur * puissance >= brut) {
            pas = facteur * puissance;
            break;
        }
    const double mini = std::floor(bas / pas) * pas, maxi = std::max(std::ceil(haut / pas) * pas, mini + pas);
    m.ecrire(Prop::ModeEchelleY, 2);
    m.ecrire(Prop::AxeY, 0);
    m.ecrire(Prop::DivisionsY, int(std::lround((maxi - mini) / pas)));
    m.ecrire(Prop::YMax, maxi);
    m.ecrire(Prop::YMin, mini);
}

void remplir(MoteurGraphique& m, const LigneBulletin& l, const std::vector<Jeu>& jeux, int type, const QString& titre,
             const QString& titreY)
{
    m.ecrire(Prop::Reinitialisation, 9);
    polices(m);
    m.ecrire(Prop::TypeGraphe, type);
    m.ecrire(Prop::Grille, 1);
    m.ecrire(Prop::PositionLegende, 1);
    m.ecrire(Prop::CadreLegende, 1);
    axeX(m, l);
    m.ecrire(Prop::NbJeux, int(jeux.size()));
    for (std::size_t j = 0; j < jeux.size(); ++j) {
        m.ecrire(Prop::Jeu, int(j + 1));
        m.ecrireIndexe(Prop::Legende, int(j + 1), jeux[j].titre);
        m.ecrireIndexe(Prop::CouleurPoint, 1, jeux[j].couleur);
        for (std::size_t p = 0; p < l.contexte.size(); ++p) {
            const auto v = jeux[j].valeur(l.contexte[p]);
            m.ecrireIndexe(Prop::ValeurPoint, int(p + 1), v.value_or(0.0));
            m.ecrire(Prop::Manquant, v ? 0 : 1);
        }
    }
    bornes(m, l, jeux, type == 3);
    m.ecrire(Prop::TitreGraphique, titre);
    m.ecrire(Prop::TitreX, QStringLiteral(" "));
    m.ecrire(Prop::TitreYGauche, QStringLiteral("%1 (%2)").arg(titreY, l.genre->texteUnite()));
    m.ecrire(Prop::Dessin, DemandeDessin::Dessiner);
}

Extraction quintile(int i)
{
    return [i](const LigneBulletin::MoisContexte& c) { return c.quintiles[std::size_t(i)]; };
}

} // namespace

void remplirSituation(MoteurGraphique& m, const LigneBulletin& l)
{
    std::vector<Jeu> jeux = {{QStringLiteral("1er Quintile "), 6, quintile(0)},
                             {QStringLiteral("2ème Quintile "), 7, quintile(1)},
                             {QStringLiteral("3ème Quintile "), 8, quintile(2)},
                             {QStringLiteral("4ème Quintile "), 11, quintile(3)}};
    if (l.genre->normalesOfficielles)
        jeux.push_back({QStringLiteral("Normales MétéoFrance"), 3, [](const auto& c) { return c.normale; }});
    // La valeur du mois en dernier : tracée par-dessus les quintiles, en trait épais.
    jeux.push_back({l.genre->texteGrandeur() + QStringLiteral(" du mois"), 1, [](const auto& c) { return c.valeur; }});
    m.ecrire(Prop::JeuEnValeur, int(jeux.size()));
    remplir(m, l, jeux, 6, l.genre->texteGrandeur() + QStringLiteral(" de chaque mois parmi les quintiles du relevé"),
            l.genre->texteGrandeur());
}

void remplirEcarts(MoteurGraphique& m, const LigneBulletin& l)
{
    const std::vector<Jeu> jeux = {{QStringLiteral("Écart à la normale"), 9, [](const LigneBulletin::MoisContexte& c) {
                                        return c.valeur && c.normale ? std::optional(*c.valeur - *c.normale) : std::nullopt;
                                    }}};
    m.ecrire(Prop::JeuEnValeur, 0);
    remplir(m, l, jeux, 3, QStringLiteral("Écart à la normale"), QStringLiteral("Écart"));
}

} // namespace GraphiqueMoisStation
