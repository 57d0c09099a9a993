#include "output/bulletin/ClasseurBulletin.h"

#include "data/bulletin/BulletinMensuel.h"
#include "output/bulletin/ColonnesSynthese.h"

#include <algorithm>
#include <cmath>

namespace ClasseurBulletin {

namespace {

const QString synthese = QStringLiteral("Synthèse");

void ecrireLigne(ClasseurXlsx& c, int ligne, const LigneBulletin& l)
{
    const auto& colonnes = ColonnesSynthese::toutes();
    for (std::size_t k = 0; k < colonnes.size(); ++k) {
        const ColonneSynthese& col = colonnes[k];
        const int colonne = int(k + 1);
        if (!col.nombre) {
            if (const QString t = col.texte(l); !t.isEmpty())
                c.definirTexte(0, ligne, colonne, t);
        } else if (const auto v = col.nombre(l)) {
            // Les sommes de mesures au dixième gardent sinon leur bruit d'arrondi binaire (11,899999…).
            c.definirNombre(0, ligne, colonne, std::round(*v * 1e6) / 1e6);
            c.definirFormat(0, ligne, colonne, ColonnesSynthese::format(col, l));
        }
    }
}

// Les pluviomètres viennent en tête du bulletin : leurs lignes se suivent.
void ajouterGraphique(ClasseurXlsx& c, const BulletinMensuel& b)
{
    int derniere = 1;
    while (derniere < b.lignes.size() + 1 && b.lignes[derniere - 1].genre->normalesOfficielles)
        ++derniere;
    if (derniere == 1)
        return;
    const int f = c.ajouterFeuilleGraphique(QStringLiteral("Rapport à la normale"));
    GraphiqueXlsx& g = *c.graphique(f);
    SerieXlsx s;
    s.nom = QStringLiteral("Rapport à la normale (%)");
    s.x = {synthese, 2, 2, derniere, 2};
    s.valeurs = {synthese, 2, 7, derniere, 7};
    s.couleurRemplissage = 0x4575b4;
    g.series.push_back(s);
    g.aTitre = true;
    g.titre = QStringLiteral("Pluie du mois rapportée à la normale — ") + BulletinMensuel::texteMois(b.mois);
    g.policeTitre.gras = true;
    g.policeTitre.taille = 14;
    g.aLegende = false;
    g.axeY.aTitre = true;
    g.axeY.titre = QStringLiteral("%");
    g.axeY.grilleMajeure = true;
    g.axeY.minimum = 0;
    g.axeX.orientationEtiquettes = ConstantesTableur::kVersLeHaut;
}

// Assez large, en caractères, pour l'en-tête et chaque texte de la colonne : le tableur n'en coupe aucun.
double largeur(const ColonneSynthese& colonne, const BulletinMensuel& b)
{
    qsizetype n = colonne.titre().size();
    for (const LigneBulletin& l : b.lignes)
        n = std::max(n, colonne.texte(l).size());
    return double(n) + 2;
}

} // namespace

ClasseurXlsx construire(const BulletinMensuel& b)
{
    ClasseurXlsx c;
    c.ajouterFeuille(synthese);
    const auto& colonnes = ColonnesSynthese::toutes();
    for (std::size_t k = 0; k < colonnes.size(); ++k) {
        c.definirTexte(0, 1, int(k + 1), colonnes[k].titre());
        c.definirLargeurColonne(0, int(k + 1), largeur(colonnes[k], b));
    }
    for (int i = 0; i < b.lignes.size(); ++i)
        ecrireLigne(c, i + 2, b.lignes[i]);
    ajouterGraphique(c, b);
    c.definirFeuilleActive(0);
    return c;
}

} // namespace ClasseurBulletin
