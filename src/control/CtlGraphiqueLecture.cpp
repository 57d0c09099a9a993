// La lecture d'une image écrite : ce qu'un lecteur hors du contrôle (une page web)
// montre sous le pointeur et d'où il tire les jours d'un zoom.
#include "commun/Garde.h"
#include "control/CtlGraphique.h"
#include "control/SourisEtZoom.h"
#include "render/moteur/JeuDonnees.h"
#include "render/moteur/ModeleGraphique.h"
#include "render/moteur/MoteurGraphique.h"

namespace {

// Les points visibles d'un jeu, où l'image les trace, avec le jour que le contrôle lit sous eux
// (sans `souris`, le jour est laissé à l'appelant).
void lirePoints(const MoteurGraphique& g, const QRectF& cadre, int serie, const JeuDonnees& j, SourisEtZoom* souris,
                CtlGraphique::LectureImage& l)
{
    for (int i = 0; i < j.taille(); ++i) {
        if (!j.visible(i))
            continue;
        // La même position que celle que peint le moteur : X écrit, sinon le milieu de la catégorie.
        const double x = j.avecX ? j.x[std::size_t(i)] : i + 0.5;
        const double valeur = j.valeurs[std::size_t(i)];
        const QPointF pixel = g.versPixels(QPointF(x, valeur), cadre);
        if (pixel.x() < l.zone.left() - 0.5 || pixel.x() > l.zone.right() + 0.5)
            continue;
        const auto jour = souris ? souris->jourSous(x) : std::nullopt;
        const ModeleGraphique& m = g.modele();
        const QString libelle = j.avecX ? QString() : (m.libellesX.contains(i + 1) ? m.libellesX.value(i + 1) : m.libellesTabulation.value(i)).trimmed();
        l.points.push_back({serie, pixel, jour.value_or(QDate()), libelle, valeur});
    }
}

// La pluie d'un graphique de nappe ou de rivière est l'image de la zone du second moteur,
// posée sur la zone du premier : ses points y sont lus à leur place dans cette image.
void lirePluieEnFond(const MoteurGraphique& g, const MoteurGraphique& pluie, const QRectF& cadre, SourisEtZoom& souris,
                     CtlGraphique::LectureImage& l)
{
    const QRectF cadrePluie(QPointF(0, 0), QSizeF(pluie.taille()));
    const QRectF zonePluie = pluie.zoneTrace(cadrePluie);
    const QRectF image = QRectF(QPointF(0, 0), zonePluie.size()).toAlignedRect();
    if (image.isEmpty() || pluie.modele().nbJeux() == 0)
        return;
    const double ex = l.zone.width() / image.width(), ey = l.zone.height() / image.height();
    CtlGraphique::LectureImage lue;
    lue.zone = zonePluie;
    const int premiere = int(l.series.size());
    for (int j = 0; j < pluie.modele().nbJeux(); ++j) {
        // La légende du graphique nomme la pluie de son fond.
        const QString nom = pluie.modele().legendes.value(j + 1).simplified();
        l.series << (nom.isEmpty() ? g.modele().legendesFond.value(j + 1, g.modele().legendesFond.value(j)).simplified() : nom);
        lirePoints(pluie, cadrePluie, premiere + j, pluie.modele().jeux[std::size_t(j)], nullptr, lue);
    }
    for (CtlGraphique::LectureImage::Point& p : lue.points) {
        const QPointF dansImage = p.pixel - zonePluie.topLeft();
        p.pixel = l.zone.topLeft() + QPointF(dansImage.x() * ex, dansImage.y() * ey);
        // Le jour est celui de l'axe des temps du graphique, sous la barre telle qu'elle est posée.
        p.date = souris.jourSous(g.versUnites(p.pixel, cadre).x()).value_or(QDate());
        p.libelle.clear();
        l.points.push_back(p);
    }
}

} // namespace

CtlGraphique::LectureImage CtlGraphique::LireImage(const QSize& taille) noexcept
{
    LectureImage l;
    sousGarde(false, [&] {
        // Dans l'état de l'image écrite : son titre et sa légende déplacent la zone de tracé.
        return commeImprime([&](const MoteurGraphique& g) {
            const QRectF cadre(QPointF(0, 0), QSizeF(taille));
            l.zone = g.zoneTrace(cadre);
            const double gauche = g.versUnites(l.zone.bottomLeft(), cadre).x(), droite = g.versUnites(l.zone.bottomRight(), cadre).x();
            if (const auto jours = souris().joursEntre(gauche, droite)) {
                l.debut = jours->first;
                l.fin = jours->second;
            }
            const ModeleGraphique& m = g.modele();
            for (int j = 0; j < m.nbJeux(); ++j) {
                l.series << m.legendes.value(j + 1).simplified();
                lirePoints(g, cadre, j, m.jeux[std::size_t(j)], &souris(), l);
            }
            if (Traits(TypeGraphique()).deuxGraphiques && m.imageFond == GraphiqueSuperposePluvio().modele().fichierImage)
                lirePluieEnFond(g, GraphiqueSuperposePluvio(), cadre, souris(), l);
            return true;
        });
    });
    return l;
}
